#include "FileDialogQt.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>

namespace {

// Opening takes a typed name as it is when such a file exists, and only otherwise with the
// default extension appended, so that a file named without an extension can be opened.
class COpenAsTyped final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void SetSuffix(const QString& suffix) {
        m_suffix = suffix;
        setDefaultSuffix(suffix);
    }

    void accept() override {
        setDefaultSuffix(QString());
        const QStringList typed = selectedFiles();
        const bool asTyped = acceptMode() == AcceptOpen && !typed.isEmpty() &&
                             std::all_of(typed.begin(), typed.end(), [](const QString& name) {
                                 return QFileInfo(name).isFile();
                             });
        if (!asTyped) {
            setDefaultSuffix(m_suffix);
        }
        QFileDialog::accept();
    }

private:
    QString m_suffix;
};

} // namespace

std::optional<std::string> CQtFileDialog::Ask(const SFileDialogRequest& request) {
    const bool save = request.m_mode == EFileDialogMode::Save;
    COpenAsTyped dialog(m_owner);
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
    dialog.SetSuffix(extension);
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
        // Qt reads the patterns from the parentheses of the name, so they are written there
        // from the pattern field. "*.*" means every file, but Qt would show only names with a dot.
        QStringList patterns = fields[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed() == "*.*" ? QStringLiteral("*") : pattern.trimmed();
        }
        QString name = fields[i];
        const qsizetype open = name.indexOf('(');
        if (open >= 0) {
            name = name.left(open).trimmed();
        }
        names.append(name + " (" + patterns.join(' ') + ")");
    }
    return names;
}
