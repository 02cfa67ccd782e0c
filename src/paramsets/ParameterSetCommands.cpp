#include "ParameterSetCommands.h"

#include <vector>

namespace {

void Show(IMessageService& messages, const SOperatorMessage& message) {
    messages.ShowMessage(message.m_text, message.m_caption, message.m_icon);
}

} // namespace

SFileDialogRequest SaveSetupRequest() {
    SFileDialogRequest request;
    request.m_mode = EFileDialogMode::Save;
    request.m_initialName = "parameter.tnv";
    request.m_defaultExtension = ".tnv";
    return request;
}

SFileDialogRequest LoadSetupRequest() {
    SFileDialogRequest request;
    request.m_mode = EFileDialogMode::Open;
    request.m_initialName = "*.tnv";
    request.m_defaultExtension = "xml";
    request.m_filter = "Configs (*.tnv)|*.tnv|All Files (*.*)|*.*||";
    request.m_mustExist = true;
    return request;
}

SOperatorMessage SaveSetupMessage(bool saved) {
    if (saved) {
        return {"Datei gespeichert", "OK", EMessageIcon::Information};
    }
    return {"Datei kann nicht gespeichert werden", "Fehler!", EMessageIcon::Error};
}

SOperatorMessage LoadSetupMessage(EParameterSetRead read, int count, const std::string& path) {
    switch (read) {
    case EParameterSetRead::Unreadable:
        return {"Kann parameter nicht laden!", "Fehler", EMessageIcon::Error};
    case EParameterSetRead::NoRegister:
        return {"Wrong File content: File " + path + " does not contain REGISTER Tag!", "OK",
                EMessageIcon::Error};
    case EParameterSetRead::Ok:
        break;
    }
    return {"<" + std::to_string(count) + "> Parameter loaded from " + path + " ", "OK",
            EMessageIcon::Information};
}

void SaveSetup(const CConfiguration& configuration, IFileDialog& files, IMessageService& messages) {
    const auto path = files.Ask(SaveSetupRequest());
    if (!path) {
        return;
    }
    Show(messages, SaveSetupMessage(SaveParameterSet(configuration, *path)));
}

void LoadSetup(CConfiguration& configuration, IFileDialog& files, IMessageService& messages,
               IParameterSetLoadHost& host) {
    const auto path = files.Ask(LoadSetupRequest());
    if (!path) {
        return;
    }
    std::vector<SParameterSetEntry> entries;
    const EParameterSetRead read = ReadParameterSet(*path, entries);
    const int count =
        read == EParameterSetRead::Ok ? ApplyParameterSet(configuration, entries, host) : 0;
    Show(messages, LoadSetupMessage(read, count, *path));
}
