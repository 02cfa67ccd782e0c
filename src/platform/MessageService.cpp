#include "MessageService.h"

#include <atomic>
#include <cstdio>

namespace {

class CStderrMessageService final : public IMessageService {
public:
    EMessageResult ShowMessage(const std::string& text, const std::string& caption, EMessageIcon,
                               EMessageButtons buttons) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return buttons == EMessageButtons::YesNo ? EMessageResult::Yes : EMessageResult::Ok;
    }
};

CStderrMessageService s_fallback;
std::atomic<IMessageService*> s_service{nullptr};

} // namespace

IMessageService& GetMessageService() {
    if (IMessageService* service = s_service.load()) {
        return *service;
    }
    return s_fallback;
}

void SetMessageService(IMessageService* service) {
    s_service.store(service);
}
