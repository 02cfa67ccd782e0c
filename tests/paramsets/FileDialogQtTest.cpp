#include "platform/FileDialogQt.h"
#include "QtTestSupport.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace {

// Answers Qt's file dialog with a name, or Cancel, from a timer while the dialog runs modally;
// notes any question the dialog asks on top and turns it down.
struct SAnswer {
    std::optional<std::string> m_name;
    bool m_asked = false;
};

std::optional<std::string> AskWith(CQtFileDialog& files, const SFileDialogRequest& request,
                                   SAnswer& answer) {
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            answer.m_asked = true;
            box->done(QMessageBox::No);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (!answer.m_name || answer.m_asked) {
                dialog->reject();
                return;
            }
            // Typed into the name box: selectFile would race the dialog's folder model.
            const QFileInfo chosen(QString::fromStdString(*answer.m_name));
            dialog->setDirectory(chosen.absolutePath());
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(chosen.fileName());
            QMetaObject::invokeMethod(dialog, "accept",
                                      Qt::QueuedConnection); // protected in QFileDialog
        }
    });
    timer.start(10);
    return files.Ask(request);
}

} // namespace

TEST(QtFileDialog, SavesWithoutAskingAndAddsTheDefaultExtension) {
    EnsureApplication();
    const CTempDir dir;
    const std::string existing = dir.Write("set.tnv", "old");
    CQtFileDialog files(nullptr);
    SFileDialogRequest save;
    save.m_mode = EFileDialogMode::Save;
    save.m_defaultExtension = ".tnv";

    // Typed, and what the dialog returns: an existing file, a new name, Cancel.
    const std::pair<std::optional<std::string>, std::optional<std::string>> cases[] = {
        {existing, existing}, {dir.Path() + "fresh", dir.Path() + "fresh.tnv"}, {}};
    for (const auto& [typed, chosen] : cases) {
        SAnswer answer{typed};
        EXPECT_EQ(AskWith(files, save, answer), chosen);
        EXPECT_FALSE(answer.m_asked) << "no question before replacing a file";
    }
}

// A name typed without an extension opens that file when it exists, else the one with the
// default extension; a name with an extension is never changed.
TEST(QtFileDialog, OpensATypedNameAsItIsWhenThatFileExists) {
    EnsureApplication();
    const CTempDir dir;
    const std::string plain = dir.Write("plain", "x");
    const std::string withExtension = dir.Write("other.xml", "x");
    const std::string set = dir.Write("set.tnv", "x");
    dir.Write("set.tnv.xml", "x");
    CQtFileDialog files(nullptr);
    SFileDialogRequest open;
    open.m_defaultExtension = "xml";
    open.m_filter = "Configs (*.tnv)|*.tnv|All Files (*.*)|*.*||";
    open.m_mustExist = true;
    const std::pair<std::string, std::string> cases[] = {
        {plain, plain}, {dir.Path() + "other", withExtension}, {set, set}};
    for (const auto& [typed, chosen] : cases) {
        SAnswer answer{typed};
        EXPECT_EQ(AskWith(files, open, answer), chosen) << typed;
        EXPECT_FALSE(answer.m_asked) << typed;
    }
}

TEST(QtFileDialog, FilterListBecomesNameFilters) {
    EXPECT_EQ(CQtFileDialog::NameFilters("Configs (*.tnv)|*.tnv|All Files (*.*)|*.*||"),
              (QStringList{"Configs (*.tnv)", "All Files (*)"}))
        << "every file, also those without a dot";
    EXPECT_EQ(CQtFileDialog::NameFilters("Logs|*.txt;*.log||ignored|*.x"),
              (QStringList{"Logs (*.txt *.log)"}));
    EXPECT_TRUE(CQtFileDialog::NameFilters("").isEmpty());
}
