// The message machinery: the user's messages in configured order, the index
// of the next one, and the transition that is writing the current one. Each
// frame it decides whether the next message is due: at least 30 seconds
// after the last one started, and only once the bottom line has scrolled off
// the main monitor. The first message comes on the first frame.
#pragma once

#include "settings/message_list.h"
#include "world/star_transition.h"

#include <memory>
#include <vector>

class TzerinSpriteText;
class keslKeyValue;

using messageRecord = keslMessage;

// What the world lends the machinery: the main monitor, the crowd of message
// stars, the target points, the projector and the bottom-line label.
struct cMsgStarStage {
    const keslRect<int>& mainMonitorRect;
    cMsgStarArray& stars;
    cTargetPoints& targetPoints;
    cTextProjector& projector;
    TzerinSpriteText& bottomLine;
};

class cMsgStarDirector {
public:
    // A message stays at least this long before the next one may come.
    static constexpr float kMinMessageSeconds = 30.0f;

    cMsgStarDirector() = default;
    cMsgStarDirector(const cMsgStarDirector&) = delete;
    cMsgStarDirector& operator=(const cMsgStarDirector&) = delete;

    // Reads the messages from the settings; the next one is the first.
    void loadMessages(keslKeyValue& store);
    void setMessages(std::vector<messageRecord> messages);
    const std::vector<messageRecord>& messages() const { return m_messages; }

    // The message at the index (none outside the list), then the index moves on, wrapping.
    const messageRecord* getMsg();
    void applyNextMessage(cMsgStarStage& stage);
    // Once a frame, after the sprites have moved.
    void runMessageTiming(float seconds, cMsgStarStage& stage);
    // Whether this frame's timing will start the next message, rewriting the crowd.
    bool messageDue(cMsgStarStage& stage) const { return !m_messages.empty() && nextMessageDue(stage); }

    cStarTransitionEffectBase* currentEffect() const { return m_effect.get(); }
    int nextIndex() const { return m_nextIndex; }

private:
    bool nextMessageDue(cMsgStarStage& stage) const;
    void holdOrReleaseBottomLine(cMsgStarStage& stage) const;

    std::vector<messageRecord> m_messages;
    int m_nextIndex = 0;
    std::unique_ptr<cStarTransitionEffectBase> m_effect;
};
