#pragma once

#include "platform/MessageService.h"

#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

// Records every message instead of showing it and answers questions with a preset result:
// No or Cancel declines (answered as the question's buttons offer), anything else accepts.
class CFakeMessageService final : public IMessageService {
public:
    struct SMessage {
        std::string m_text;
        std::string m_caption;
        EMessageIcon m_icon;
        EMessageButtons m_buttons = EMessageButtons::Ok;

        bool operator==(const SMessage& other) const {
            return std::tie(m_text, m_caption, m_icon, m_buttons) ==
                   std::tie(other.m_text, other.m_caption, other.m_icon, other.m_buttons);
        }
        // What a failing comparison shows.
        friend void PrintTo(const SMessage& message, std::ostream* out) {
            *out << '"' << message.m_text << "\" [" << message.m_caption << "] icon "
                 << static_cast<int>(message.m_icon) << " buttons "
                 << static_cast<int>(message.m_buttons);
        }
    };
    using MessageList = std::vector<SMessage>;

    CFakeMessageService() { SetMessageService(this); }
    ~CFakeMessageService() override { SetMessageService(nullptr); }
    CFakeMessageService(const CFakeMessageService&) = delete;
    CFakeMessageService& operator=(const CFakeMessageService&) = delete;

    EMessageResult ShowMessage(const std::string& text, const std::string& caption,
                               EMessageIcon icon, EMessageButtons buttons) override {
        if (m_whileAsking) {
            m_whileAsking();
        }
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.push_back({text, caption, icon, buttons});
        const bool declined =
            m_nextAnswer == EMessageResult::No || m_nextAnswer == EMessageResult::Cancel;
        if (buttons == EMessageButtons::YesNo) {
            return declined ? EMessageResult::No : EMessageResult::Yes;
        }
        return declined && buttons == EMessageButtons::OkCancel ? EMessageResult::Cancel
                                                                : EMessageResult::Ok;
    }

    void SetNextAnswer(EMessageResult answer) {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_nextAnswer = answer;
    }

    // Runs while a message is shown, as timers do in a real box's modal loop.
    void SetWhileAsking(std::function<void()> action) { m_whileAsking = std::move(action); }

    MessageList Messages() const {
        const std::lock_guard<std::mutex> lock(m_mutex);
        return m_messages;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<SMessage> m_messages;
    EMessageResult m_nextAnswer = EMessageResult::Yes;
    std::function<void()> m_whileAsking;
};
