#pragma once

#include "platform/MessageService.h"

// Message boxes with QMessageBox, owned by the active window. Installed by the application for
// runs that show a window. A message asked for on another thread than the user interface's
// goes to standard error instead: a dialog may only be shown from the user-interface thread.
class CQtMessageService final : public IMessageService {
public:
    EMessageResult ShowMessage(const std::string& text, const std::string& caption,
                               EMessageIcon icon, EMessageButtons buttons) override;
};
