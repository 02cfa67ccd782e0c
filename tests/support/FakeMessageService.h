#pragma once

#include "platform/MessageService.h"

#include <mutex>
#include <string>
#include <vector>

// Records every message instead of showing it and answers with a preset result.
class CFakeMessageService final : public IMessageService {
public:
    struct SMessage {
        std::string m_text;
        std::string m_caption;
        EMessageIcon m_icon;
        EMessageButtons m_buttons;
    };

    CFakeMessageService() { SetMessageService(this); }
    ~CFakeMessageService() override { SetMessageService(nullptr); }
    CFakeMessageService(const CFakeMessageService&) = delete;
    CFakeMessageService& operator=(const CFakeMessageService&) = delete;

    EMessageResult ShowMessage(const std::string& text, const std::string& caption,
                               EMessageIcon icon, EMessageButtons buttons) override {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.push_back({text, caption, icon, buttons});
        return buttons == EMessageButtons::YesNo ? m_nextAnswer : EMessageResult::Ok;
    }

    void SetNextAnswer(EMessageResult answer) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_nextAnswer = answer;
    }

    std::vector<SMessage> Messages() const {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_messages;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<SMessage> m_messages;
    EMessageResult m_nextAnswer = EMessageResult::Yes;
};
