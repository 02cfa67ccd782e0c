#include "FileDialogQt.h"

#include <QFile>
#include <QFileDialog>

std::optional<std::string> CQtFileDialog::Ask(const SFileDialogRequest& request) {
    const bool save = request.m_mode == EFileDialogMode::Save;
    QFileDialog dialog(m_owner);
    dialog.setObjectName(save ? "saveFileDialog" : "openFileDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.m_mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (save) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    QString extension = QString::fromStdString(request.m_defaultExtension);
    if (extension.startsWith('.')) {
        extension.remove(0, 1);
    }
    dialog.setDefaultSuffix(extension);
    const QStringList filters = NameFilters(request.m_filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    // A pattern is what the filter already shows; only a real name goes into the name box.
    const QString initialName = QString::fromStdString(request.m_initialName);
    if (!initialName.isEmpty() && !initialName.contains('*') && !initialName.contains('?')) {
        dialog.selectFile(initialName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QByteArray path = QFile::encodeName(dialog.selectedFiles().front());
    return std::string(path.constData(), static_cast<std::size_t>(path.size()));
}

QStringList CQtFileDialog::NameFilters(const std::string& filter) {
    // Display names and patterns alternate; the list ends at the first empty field.
    const QStringList fields = QString::fromStdString(filter).split('|');
    QStringList names;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].isEmpty()) {
            break;
        }
        // Qt reads the patterns from the parentheses of the name; add them when missing.
        QString name = fields[i];
        if (!name.contains('(')) {
            name += " (" + QString(fields[i + 1]).replace(';', ' ') + ")";
        }
        names.append(name);
    }
    return names;
}
