#pragma once

#include <optional>
#include <string>

// The platform's file open and save dialogs go through this interface, so that the operations
// that use them run without a window system and tests answer them without blocking.

enum class EFileDialogMode { Open, Save };

struct SFileDialogRequest {
    EFileDialogMode m_mode = EFileDialogMode::Open;
    // Shown in the name box at first; may be a pattern such as "*.tnv".
    std::string m_initialName;
    // Appended to a name typed without one (with or without the leading dot).
    std::string m_defaultExtension;
    // "Name (*.a)|*.a|Name (*.*)|*.*||"; empty for no filter list.
    std::string m_filter;
    bool m_mustExist = false;
    // Saving never asks before replacing an existing file.
};

class IFileDialog {
public:
    virtual ~IFileDialog() = default;
    // The chosen path in the file system's encoding, or nothing when the operator cancelled.
    virtual std::optional<std::string> Ask(const SFileDialogRequest& request) = 0;
};
