#pragma once

#include "platform/FileDialog.h"

#include <vector>

// Answers every file dialog with a preset path (or Cancel) and records what was asked.
class CFakeFileDialog final : public IFileDialog {
public:
    std::optional<std::string> Ask(const SFileDialogRequest& request) override {
        m_requests.push_back(request);
        return m_nextAnswer;
    }

    // nullopt answers Cancel.
    void SetNextAnswer(std::optional<std::string> path) { m_nextAnswer = std::move(path); }
    const std::vector<SFileDialogRequest>& Requests() const { return m_requests; }

private:
    std::optional<std::string> m_nextAnswer;
    std::vector<SFileDialogRequest> m_requests;
};
