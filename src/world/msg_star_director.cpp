#include "world/msg_star_director.h"

#include "sprites/sprite_text.h"
#include "util/log.h"
#include "world/msg_bottom_line.h"

void cMsgStarDirector::loadMessages(keslKeyValue& store) {
    cMessageList list(store);
    list.load();
    setMessages(list.messages());
    logInfo("msgStarDirector loaded %i messages", static_cast<int>(m_messages.size()));
}

void cMsgStarDirector::setMessages(std::vector<messageRecord> messages) {
    m_messages = std::move(messages);
    m_nextIndex = 0;
}

const messageRecord* cMsgStarDirector::getMsg() {
    const messageRecord* message = nullptr;
    if (m_nextIndex >= 0 && m_nextIndex < static_cast<int>(m_messages.size())) message = &m_messages[m_nextIndex];
    if (!m_messages.empty()) m_nextIndex = (m_nextIndex + 1) % static_cast<int>(m_messages.size());
    return message;
}

void cMsgStarDirector::applyNextMessage(cMsgStarStage& stage) {
    logInfo("msgStarDirector.applyNextMessage()");
    if (m_messages.empty()) return;
    const messageRecord* message = getMsg();
    if (message == nullptr) {
        logError("#8662: msgStarDirector.getMsg() returned NULL");
        return;
    }
    stage.projector.project(stage.mainMonitorRect, message->text, stage.targetPoints);
    m_effect.reset();
    m_effect = newTransitionEffect(stage.mainMonitorRect, &stage.stars);
    m_effect->startTransition(stage.targetPoints);
    stage.bottomLine.setText(message->bottomLine.c_str());
    stage.bottomLine.calculateSize();
    stage.bottomLine.enable();
}

void cMsgStarDirector::runMessageTiming(float seconds, cMsgStarStage& stage) {
    if (!m_messages.empty()) {
        if (nextMessageDue(stage)) applyNextMessage(stage);
        if (m_effect) m_effect->advance(seconds);
    }
    holdOrReleaseBottomLine(stage);
}

bool cMsgStarDirector::nextMessageDue(cMsgStarStage& stage) const {
    // A zero elapsed time is a transition that has not yet seen a frame.
    const bool waitedLongEnough = !m_effect || m_effect->elapsed > kMinMessageSeconds || m_effect->elapsed == 0.0f;
    if (!waitedLongEnough) return false;
    TzerinSpriteText& label = stage.bottomLine;
    if (label.disabledCount > 0) return true;
    if (!label.sizeValid) label.calculateSize();
    return static_cast<float>(stage.mainMonitorRect.left) > label.left + label.width;
}

void cMsgStarDirector::holdOrReleaseBottomLine(cMsgStarStage& stage) const {
    TzerinSpriteText& label = stage.bottomLine;
    if (m_effect && m_effect->running) {
        label.x = bottomLineWaitingX(stage.mainMonitorRect);
        if (label.disabledCount <= 0) label.disable();
        return;
    }
    if (label.disabledCount > 0) label.enable();
}
