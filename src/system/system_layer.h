// Services that change a few answers of the ones in force and pass every
// other question on to them (every one: a question left out here would get
// keslSystem's "unknown" default instead of the system's answer), for as long as they live: a host adds what only
// it can answer, a run that must stay silent drops the sound. Installed at
// construction; destruction puts back what was in force before.
#pragma once

#include "system/system_services.h"

class keslSystemLayer : public keslSystem {
public:
    keslSystemLayer() : m_below(keslSystemServices()), m_replaced(installSystemServices(this)) {}
    ~keslSystemLayer() override { installSystemServices(m_replaced); }
    keslSystemLayer(const keslSystemLayer&) = delete;
    keslSystemLayer& operator=(const keslSystemLayer&) = delete;

    std::time_t currentTime() const override { return m_below.currentTime(); }
    bool localTime(std::time_t t, std::tm& out) const override { return m_below.localTime(t, out); }
    double monotonicSeconds() const override { return m_below.monotonicSeconds(); }
    std::string tempFolder() const override { return m_below.tempFolder(); }
    std::string appDataFolder() const override { return m_below.appDataFolder(); }
    std::string desktopFolder() const override { return m_below.desktopFolder(); }
    std::string modulePath() const override { return m_below.modulePath(); }
    void debugOutput(const std::string& text) const override { m_below.debugOutput(text); }
    std::vector<keslRect<int>> monitorRects() const override { return m_below.monitorRects(); }
    bool cursorPosition(keslPoint<long>& out) const override { return m_below.cursorPosition(out); }
    bool keepAwake(bool on) override { return m_below.keepAwake(on); }
    std::string computerName() const override { return m_below.computerName(); }
    std::string userName() const override { return m_below.userName(); }
    std::string osVersion() const override { return m_below.osVersion(); }
    bool hasDefaultRoute() const override { return m_below.hasDefaultRoute(); }
    std::uint64_t installedMemoryBytes() const override { return m_below.installedMemoryBytes(); }
    std::uint64_t freeMemoryBytes() const override { return m_below.freeMemoryBytes(); }
    std::string cpuModel() const override { return m_below.cpuModel(); }
    void playSound(int waveResource, bool loop) override { m_below.playSound(waveResource, loop); }
    void stopSound() override { m_below.stopSound(); }
    std::string timeZoneName() const override { return m_below.timeZoneName(); }
    std::string userCountry() const override { return m_below.userCountry(); }
    std::string userLanguage() const override { return m_below.userLanguage(); }

protected:
    keslSystem& below() const { return m_below; }

private:
    keslSystem& m_below;
    keslSystem* m_replaced;
};
