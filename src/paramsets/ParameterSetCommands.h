#pragma once

#include "ParameterSetFile.h"
#include "platform/FileDialog.h"
#include "platform/MessageService.h"

#include <string>

class CConfiguration;
class IParameterSetLoadHost;

// "Save Setup" and "Load Setup": the file dialog, the file operation and the closing message.

struct SOperatorMessage {
    std::string m_text;
    std::string m_caption;
    EMessageIcon m_icon = EMessageIcon::None;
};

SFileDialogRequest SaveSetupRequest();
SFileDialogRequest LoadSetupRequest();

SOperatorMessage SaveSetupMessage(bool saved);
SOperatorMessage LoadSetupMessage(EParameterSetRead read, int count, const std::string& path);

// Cancel in the file dialog ends either operation without a message.
void SaveSetup(const CConfiguration& configuration, IFileDialog& files, IMessageService& messages);
void LoadSetup(CConfiguration& configuration, IFileDialog& files, IMessageService& messages,
               IParameterSetLoadHost& host);
