// What a host asks of a screensaver application: bind to a window, advance
// by a fixed step, draw a frame and show it, shut down, and show its
// configuration sheet. Hosts (the Win32 window procedure, the Linux
// programs) speak only this.
#pragma once

#include "platform/window_base.h"

class keslScreenSaverInterface {
public:
    virtual ~keslScreenSaverInterface() = default;

    // monitorId: -1 for the preview, 0 for the full-screen window.
    virtual void initWithWindowHandle(keslWindowHandle window, int monitorId) = 0;
    virtual int showConfigureSheet(keslWindowHandle parent) = 0;
    virtual void setContainerFolder(const char* folder) = 0;
    virtual void tick(float seconds) = 0;
    virtual void drawFrame() = 0;
    virtual void flushFrame() = 0;
    virtual void eraseBackground() = 0;
    virtual void shutDown() = 0;
    virtual bool hasConfigureSheet() = 0;
};
