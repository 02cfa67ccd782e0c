// Measures start-up to the first painted page, by hand (not run by the tests):
//   tarnel_startup_probe [tarnel options]    the panel, as main() starts it
//   tarnel_startup_probe --bare              a bare Qt main window of the same size
// The launcher puts its clock (CLOCK_REALTIME, nanoseconds) into TARNEL_PROBE_START just before
// it starts the program; the probe prints the milliseconds from then to the end of the first
// paint of the panel view (or the bare window's central widget) and ends.

#include "app/PanelApp.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

double MillisecondsSinceLaunch() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const char* start = std::getenv("TARNEL_PROBE_START");
    const double startNs = start != nullptr ? std::strtod(start, nullptr) : 0.0;
    return (static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec) - startNs) /
           1e6;
}

class CFirstPaint final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == "PanelView" && !m_seen) {
            m_seen = true;
            // Runs once the paint (and its flush to the window) is done.
            QTimer::singleShot(0, [] {
                std::printf("%.1f\n", MillisecondsSinceLaunch());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

void WatchFirstPaint() {
    qApp->installEventFilter(new CFirstPaint(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchFirstPaint)

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) {
        QApplication application(argc, argv);
        QMainWindow window;
        auto* central = new QWidget(&window);
        central->setObjectName("PanelView");
        window.setCentralWidget(central);
        window.resize(240, 339);
        window.show();
        return QApplication::exec();
    }
    return CPanelApp::Main(argc, argv);
}
