// Start-up time to the first paint: "main" builds the main window as the
// program does (optionally with an agenda path) and "empty" shows an empty
// dialog of the same size, each quitting at its first paint. Prints the
// milliseconds from the start of main() and from the start of the process
// (the kernel's start time, in clock ticks of usually 10 ms).
//
//   startup_bench main [agenda.gst]
//   startup_bench empty

#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include "app/cal_ctrl_dlg.h"
#include "model/clock.h"
#include "model/globals.h"
#include "platform/qt/qt_dialog_window.h"
#include "platform/qt/qt_images.h"
#include "platform/qt/qt_ui_services.h"
#include "resources/dialog_templates.h"

namespace {

// Milliseconds since this process started, from /proc/self/stat (field 22,
// clock ticks since boot) and the boot-time clock; -1 if unreadable.
double MsSinceProcessStart() {
    std::ifstream in("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The command name (field 2) may hold spaces: count fields after its ")".
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return -1.0;
    }
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    unsigned long long startTicks = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) {
            startTicks = std::stoull(field);
        }
    }
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = static_cast<double>(now.tv_sec) * 1000.0 + now.tv_nsec / 1.0e6;
    return nowMs - static_cast<double>(startTicks) * 1000.0 / sysconf(_SC_CLK_TCK);
}

// Notes the first paint of a widget and ends the event loop right after it.
class CFirstPaint : public QObject {
  public:
    explicit CFirstPaint(const QElapsedTimer& sinceMain) : m_sinceMain(sinceMain) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_bSeen) {
            m_bSeen = true;
            m_mainMs = static_cast<double>(m_sinceMain.nsecsElapsed()) / 1.0e6;
            m_processMs = MsSinceProcessStart();
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
    double m_mainMs = -1.0;
    double m_processMs = -1.0;

  private:
    const QElapsedTimer& m_sinceMain;
    bool m_bSeen = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();

    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode != "main" && mode != "empty") {
        std::fprintf(stderr, "usage: startup_bench main [agenda.gst] | empty\n");
        return 2;
    }
    QApplication app(argc, argv);
    CFirstPaint probe(sinceMain);
    // A guard: a run that never paints ends anyway.
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);

    if (mode == "main") {
        QApplication::setWindowIcon(gestalia::ProgramIcon());
        gestalia::CGlobals globals;
        if (argc > 2) {
            globals.szAgendaPath = argv[2];
        }
        gestalia::CSystemClock clock;
        gestalia::CQtUiServices ui;
        gestalia::CQtUiMetrics metrics;
        gestalia::CCalCtrlDlg dlg(globals, ui, metrics, clock);
        gestalia::CQtDialogWindow window(gestalia::MainDialogTemplate(), dlg);
        window.installEventFilter(&probe);
        window.Initialise();
        window.show();
        QApplication::exec();
    } else {
        QDialog dialog;
        const gestalia::Size size = gestalia::DialogSizeToPixels(500, 329);
        dialog.resize(size.cx, size.cy);
        dialog.installEventFilter(&probe);
        dialog.show();
        QApplication::exec();
    }
    std::printf("mode=%s main_to_paint_ms=%.2f process_to_paint_ms=%.1f\n", mode.c_str(),
                probe.m_mainMs, probe.m_processMs);
    return probe.m_mainMs < 0 ? 1 : 0;
}
