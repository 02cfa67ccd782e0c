#pragma once

#include "FileDialog.h"

#include <QStringList>

class QWidget;

// The file dialogs through Qt's own (non-native) dialog, owned by the given window.
class CQtFileDialog final : public IFileDialog {
public:
    explicit CQtFileDialog(QWidget* owner) : m_owner(owner) {}

    std::optional<std::string> Ask(const SFileDialogRequest& request) override;

    // "Configs (*.tnv)|*.tnv|All Files (*.*)|*.*||" as Qt's name filters: the display names,
    // which carry their patterns in parentheses.
    static QStringList NameFilters(const std::string& filter);

private:
    QWidget* m_owner;
};
