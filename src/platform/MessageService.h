#pragma once

#include <string>

// Message boxes go through this interface so that the core stays free of any window system
// and tests can record what would have been asked instead of blocking on a modal dialog.

enum class EMessageIcon { None, Information, Question, Warning, Error };

enum class EMessageButtons { Ok, YesNo, OkCancel };

enum class EMessageResult { Ok, Yes, No, Cancel };

class IMessageService {
public:
    virtual ~IMessageService() = default;
    virtual EMessageResult ShowMessage(const std::string& text, const std::string& caption,
                                       EMessageIcon icon,
                                       EMessageButtons buttons = EMessageButtons::Ok) = 0;
};

// The service every part of the program uses. Until one is installed, messages go to standard
// error and questions are answered "Yes" (or "OK").
IMessageService& GetMessageService();

// Installs a service (not owned); nullptr restores the standard-error fallback.
void SetMessageService(IMessageService* service);
