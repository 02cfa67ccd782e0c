#include "QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <cstdio>

namespace {

QMessageBox::Icon ToQtIcon(EMessageIcon icon) {
    switch (icon) {
    case EMessageIcon::Information:
        return QMessageBox::Information;
    case EMessageIcon::Question:
        return QMessageBox::Question;
    case EMessageIcon::Warning:
        return QMessageBox::Warning;
    case EMessageIcon::Error:
        return QMessageBox::Critical;
    case EMessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

EMessageResult CQtMessageService::ShowMessage(const std::string& text, const std::string& caption,
                                              EMessageIcon icon, EMessageButtons buttons) {
    if (qApp == nullptr || QThread::currentThread() != qApp->thread()) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return buttons == EMessageButtons::YesNo ? EMessageResult::Yes : EMessageResult::Ok;
    }
    QMessageBox::StandardButtons standardButtons = QMessageBox::Ok;
    if (buttons == EMessageButtons::YesNo) {
        standardButtons = QMessageBox::Yes | QMessageBox::No;
    } else if (buttons == EMessageButtons::OkCancel) {
        standardButtons = QMessageBox::Ok | QMessageBox::Cancel;
    }
    QMessageBox box(ToQtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    standardButtons, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return EMessageResult::Ok;
    case QMessageBox::Yes:
        return EMessageResult::Yes;
    case QMessageBox::No:
        return EMessageResult::No;
    case QMessageBox::Cancel:
        return EMessageResult::Cancel;
    default:
        // Closing a question box without choosing is the cautious answer.
        if (buttons == EMessageButtons::YesNo) {
            return EMessageResult::No;
        }
        return buttons == EMessageButtons::OkCancel ? EMessageResult::Cancel : EMessageResult::Ok;
    }
}
