#include "PageSnapshots.h"

#include "CommandIds.h"
#include "LinkState.h"
#include "MainFrame.h"
#include "config/Configuration.h"
#include "panel/PanelView.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QThread>

namespace {

// Enough for a value to travel from the formulas into every control, and for the vector
// diagram, which redraws on every tick.
constexpr int SNAPSHOT_TICKS = 3;
// A device answers the announcement with a report of every register; at 9600 baud a few
// hundred registers take under a second.
constexpr int REPORT_SETTLE_MS = 1200;

void RunEventsFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

} // namespace

bool WaitForDeviceValues(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (GetLastShownLinkState() != 1) {
        if (deadline.hasExpired()) {
            return false;
        }
        RunEventsFor(20);
    }
    RunEventsFor(REPORT_SETTLE_MS);
    return true;
}

QStringList WritePageSnapshots(CMainFrame& frame, const QString& directory, QString& error) {
    if (!QDir().mkpath(directory)) {
        error = QStringLiteral("cannot make the folder ") + directory;
        return {};
    }
    const QDir folder(directory);
    CPanelView& view = *frame.GetPanelView();
    const int pageCount = CConfiguration::GetInstance()->GetPageCount();
    QStringList written;
    for (int page = 0; page < pageCount; ++page) {
        // A device report of the page-select register may switch the page under us; a few
        // tries put the wanted page back.
        for (int attempt = 0; attempt < 3 && (attempt == 0 || view.GetCurrentPage() != page);
             ++attempt) {
            frame.OnCommand(ID_PAGE_FIRST + page);
            for (int tick = 0; tick < SNAPSHOT_TICKS; ++tick) {
                frame.OnTimerTick();
                QCoreApplication::processEvents();
            }
        }
        const QString path = folder.absoluteFilePath(
            QStringLiteral("page-%1.png").arg(page, 2, 10, QLatin1Char('0')));
        if (!view.grab().save(path, "PNG")) {
            error = QStringLiteral("cannot write ") + path;
            return {};
        }
        written << path;
    }
    return written;
}
