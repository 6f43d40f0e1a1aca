// Start-up time to the first frame: "main" starts the program as app/main.cpp
// does (optionally with an agenda path) and "empty" shows an empty dialog of
// the same size, each quitting once its first frame is painted. Prints the
// milliseconds from the start of main() and from the start of the process
// (the kernel's start time, in clock ticks of usually 10 ms), and the peak
// resident memory (VmHWM) at that moment, in MiB. Before those come the
// milliseconds from main() at which each step ended: the application made
// (with the locale, translation and style for "main"), the window built (and
// for "main" given its agenda), shown, and its first paint begun; the frame's
// own painting is the rest up to main_to_frame_ms. With STARTUP_BENCH_SHOT=PATH
// set, it saves what the screen shows then to PATH (a PNG).
//
//   startup_bench main [agenda.gst]
//   startup_bench empty
//   startup_bench write-agenda COUNT PATH
//
// "write-agenda" writes an agenda of COUNT notes around today: the last
// period 150 days ago, notes on the days since, a few a day, and some in the
// coming weeks, so that the month shown at start holds notes.
// bench/startup_compare.sh runs "main" and "empty" in turn and prints the
// medians and their ratios.

#include <unistd.h>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "app/cal_ctrl_dlg.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/date_value.h"
#include "model/globals.h"
#include "model/safe_save.h"
#include "platform/qt/qt_dialog_window.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_settings_store.h"
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

// The peak resident set of this process so far (VmHWM), in MiB; -1 if unreadable.
double PeakResidentMiB() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;  // the kernel gives kB
        }
    }
    return -1.0;
}

// Notes the end of a widget's first frame: its first paint event comes
// before its children's, and the frame is on the screen when the event loop
// next runs, where the times are taken and the loop ends.
class CFirstFrame : public QObject {
  public:
    explicit CFirstFrame(const QElapsedTimer& sinceMain) : m_sinceMain(sinceMain) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_bSeen) {
            m_bSeen = true;
            Step("painted");
            QTimer::singleShot(0, qApp, [this] {
                m_mainMs = static_cast<double>(m_sinceMain.nsecsElapsed()) / 1.0e6;
                m_processMs = MsSinceProcessStart();
                m_peakMiB = PeakResidentMiB();
                // What the screen shows at that moment, to compare by eye.
                if (const QString shot = qEnvironmentVariable("STARTUP_BENCH_SHOT");
                    !shot.isEmpty()) {
                    QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
                }
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }
    // Notes that a step has ended now.
    void Step(const char* name) {
        m_steps += std::string(" ") + name +
                   "_ms=" + std::to_string(static_cast<double>(m_sinceMain.nsecsElapsed()) / 1.0e6);
    }
    double m_mainMs = -1.0;
    double m_processMs = -1.0;
    double m_peakMiB = -1.0;
    std::string m_steps;

  private:
    const QElapsedTimer& m_sinceMain;
    bool m_bSeen = false;
};

int WriteAgenda(int count, const std::string& path) {
    using gestalia::CDateValue;
    const gestalia::CSystemClock clock;
    const CDateValue today = CDateValue::Now(clock).GetDatePart();
    gestalia::CGlobals globals;
    globals.dtLastPeriod = today;
    globals.dtLastPeriod.AddDays(-150);
    const gestalia::CItemDefaults defaults;
    for (int i = 0; i < count; ++i) {
        // Up to three notes a day over the 180 days from the last period on;
        // beyond those, one a day after them.
        CDateValue from = globals.dtLastPeriod;
        from.AddDays(i < 540 ? i % 180 : 180 + (i - 540));
        from = CDateValue(from.GetYear(), from.GetMonth(), from.GetDay(), 8 + i % 10, (i * 7) % 60);
        char text[96];
        std::snprintf(text, sizeof text, "Nota número %d · análisis, %s", i,
                      i % 4 == 0 ? "visita a la matrona\r\ntodo bien" : "peso");
        globals.listItems.AddItem(from, from, text, i % 3 - 1,
                                  i % 2 == 0 ? 60.0f + static_cast<float>(i % 20) / 4 : 0.0f,
                                  defaults);
    }
    const gestalia::Result<std::string> bytes =
        gestalia::SerializeAgenda(globals.dtLastPeriod, globals.listItems);
    if (!bytes || !gestalia::SaveFileAtomically(path, bytes.value())) {
        std::fprintf(stderr, "startup_bench: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer sinceMain;
    sinceMain.start();

    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "write-agenda" && argc == 4) {
        return WriteAgenda(std::stoi(argv[2]), argv[3]);
    }
    if (mode != "main" && mode != "empty") {
        std::fprintf(stderr,
                     "usage: startup_bench main [agenda.gst] | empty | write-agenda COUNT PATH\n");
        return 2;
    }
    // The program reads the font configuration while it connects to the
    // display (see app/main.cpp); an empty dialog has no text to read it for.
    std::optional<gestalia::CFontConfigLoader> fonts;
    if (mode == "main") {
        fonts.emplace();
    }
    QApplication app(argc, argv);
    if (fonts) {
        fonts->Wait();
    }
    CFirstFrame probe(sinceMain);
    // A guard: a run that never paints ends anyway.
    QTimer::singleShot(20000, &app, &QCoreApplication::quit);

    if (mode == "main") {
        // As app/main.cpp, but for the window being run without a modal loop
        // of its own, so that the probe can watch it.
        QTranslator qtTranslator;
        gestalia::PrepareApplication(qtTranslator);
        probe.Step("app");
        gestalia::CGlobals globals;
        if (argc > 2) {
            globals.szAgendaPath = argv[2];
        }
        gestalia::CSystemClock clock;
        gestalia::CQtUiServices ui;
        gestalia::CQtUiMetrics metrics;
        gestalia::CQtSettingsStore settings;
        gestalia::CCalCtrlDlg dlg(globals, ui, metrics, clock, &settings);
        gestalia::CQtDialogWindow window(gestalia::MainDialogTemplate(), dlg);
        window.installEventFilter(&probe);
        window.Initialise();
        probe.Step("built");
        window.show();
        probe.Step("shown");
        QApplication::exec();
    } else {
        probe.Step("app");
        QDialog dialog;
        const gestalia::Size size = gestalia::DialogSizeToPixels(500, 329);
        dialog.resize(size.cx, size.cy);
        dialog.installEventFilter(&probe);
        probe.Step("built");
        dialog.show();
        probe.Step("shown");
        QApplication::exec();
    }
    std::printf("mode=%s%s main_to_frame_ms=%.2f process_to_frame_ms=%.1f peak_rss_mib=%.1f\n",
                mode.c_str(), probe.m_steps.c_str(), probe.m_mainMs, probe.m_processMs,
                probe.m_peakMiB);
    return probe.m_mainMs < 0 ? 1 : 0;
}
