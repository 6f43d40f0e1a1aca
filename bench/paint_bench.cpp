// The month calendar painting real pixels: the Qt widget that hosts the
// control renders into a QImage of 890 x 500, and in the same iteration
// QCalendarWidget of the same size renders into another, so that both sides
// see the same machine load. Runs with 0, 1,000, 10,000 and 100,000 notes
// (see bench_notes.h: the notes beyond the first thousand fall outside the
// shown weeks) and prints the ratios at the end:
//   paint N notes: gestalia X ms, QCalendarWidget Y ms, ratio X/Y
//   paint 100000 notes / paint 1000 notes: ratio
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <map>
#include <string_view>

#include "bench/bench_notes.h"
#include "calendar/draw_surface.h"
#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"
#include "platform/calendar_parent.h"
#include "platform/qt/calendar_widget.h"

namespace gestalia {
namespace {

constexpr int kWidth = 890;
constexpr int kHeight = 500;

struct PaintTimes {
    double gestaliaMs = 0.0;
    double qcalendarMs = 0.0;
};
// Filled by the benchmarks, printed by main() once they have all run.
std::map<int, PaintTimes> g_results;

double Ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// A parent that ignores what the calendar tells it.
class CQuietParent final : public ICalendarParent {
  public:
    CWMDateCtrl* GetCalendar(int) override { return nullptr; }
    std::intptr_t OnNotify(const NMWMDATECTRL&) override { return 0; }
    void ShowDayInPanels(const CDateValue&) override {}
};

// The calendar of the benchmark, with its notes and a selected day.
struct CBenchCalendar {
    explicit CBenchCalendar(int nNotes) {
        globals.dtLastPeriod = CDateValue(2027, 1, 4);
        widget.resize(kWidth, kHeight);
        widget.show();
        ctrl.SetImageList(&icons);
        ctrl.ShowMonth(CDateValue(2027, 3, 1), 0, WMVIEW_MONTH);
        bench::AddBenchNotes(nNotes, [this](auto&&... args) { ctrl.AddItem(args...); });
    }
    CGlobals globals;
    const CFixedClock clock{CFixedClock::LocalSeconds(2027, 3, 10, 9, 0)};
    CWMDateCtrl ctrl{globals, clock};
    CQuietParent parent;
    CCalendarWidget widget{ctrl, parent};
    const CImageList icons{195, {16, 16}, 2};  // the task and appointment icons
};

QImage PaintOnce(int nNotes) {
    CBenchCalendar calendar(nNotes);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    calendar.widget.render(&image);
    calendar.ctrl.OnLButtonDown({200, 200});
    calendar.widget.render(&image);
    return image;
}

void BM_PaintMonth(benchmark::State& state) {
    const auto nNotes = static_cast<int>(state.range(0));
    CBenchCalendar calendar(nNotes);
    CCalendarWidget& widget = calendar.widget;
    CWMDateCtrl& ctrl = calendar.ctrl;

    QCalendarWidget anchor;
    anchor.resize(kWidth, kHeight);
    anchor.setSelectedDate(QDate(2027, 3, 10));
    anchor.show();
    QApplication::processEvents();

    QImage ours(kWidth, kHeight, QImage::Format_RGB32);
    QImage theirs(kWidth, kHeight, QImage::Format_RGB32);
    // The first paint of each lays out, loads fonts and fills caches.
    widget.render(&ours);
    ctrl.OnLButtonDown({200, 200});  // a selected day, as after a click
    widget.render(&ours);
    anchor.render(&theirs);

    double gestaliaMs = 0.0;
    double qcalendarMs = 0.0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        widget.render(&ours);
        const auto t1 = std::chrono::steady_clock::now();
        anchor.render(&theirs);
        const auto t2 = std::chrono::steady_clock::now();
        gestaliaMs += Ms(t1 - t0);
        qcalendarMs += Ms(t2 - t1);
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["gestalia_ms"] = gestaliaMs / n;
    state.counters["qcalendar_ms"] = qcalendarMs / n;
    state.counters["ratio"] = gestaliaMs / qcalendarMs;
    g_results[nNotes] = {gestaliaMs / n, qcalendarMs / n};
}

BENCHMARK(BM_PaintMonth)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void PrintRatios() {
    for (const auto& [notes, t] : g_results) {
        std::printf("paint %d notes: gestalia %.3f ms, QCalendarWidget %.3f ms, ratio %.2f\n",
                    notes, t.gestaliaMs, t.qcalendarMs, t.gestaliaMs / t.qcalendarMs);
    }
    const auto small = g_results.find(1000);
    const auto large = g_results.find(100000);
    if (small != g_results.end() && large != g_results.end()) {
        std::printf("paint 100000 notes / paint 1000 notes: ratio %.2f\n",
                    large->second.gestaliaMs / small->second.gestaliaMs);
    }
}

}  // namespace
}  // namespace gestalia

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // `paint_bench --write-image=PATH` only saves the paint with 1,000 notes.
    constexpr std::string_view kWriteFlag = "--write-image=";
    if (argc == 2 && std::string_view(argv[1]).starts_with(kWriteFlag)) {
        const QImage image = gestalia::PaintOnce(1000);
        return image.save(QString::fromUtf8(argv[1] + kWriteFlag.size())) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    gestalia::PrintRatios();
    benchmark::Shutdown();
    return 0;
}
