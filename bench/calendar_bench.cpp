// Time of one full paint of the month view (background, header, grid, labels,
// item lines and markers) with a thousand notes in the store, on a surface that
// only counts the calls, so what is measured is the control's own work: the
// notes of the 42 shown days from the store's index by day, the layout and the
// label texts. paint_bench times the real pixels. BM_HitTest times what the
// mouse asks of it on a note's line (the note under the pointer, as a tooltip
// asks, and a click), with 1,000 and 100,000 notes; BM_PaintAfterEdit a paint
// after a note's start moved, which files every note by day again.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "bench/bench_notes.h"
#include "calendar/calendar_host.h"
#include "calendar/draw_surface.h"
#include "calendar/wm_date_ctrl.h"
#include "model/clock.h"
#include "model/globals.h"

namespace gestalia {
namespace {

class CCountingSurface final : public IDrawSurface {
  public:
    void FillRect(const Rect&, Colour) override { ++m_nCalls; }
    void Line(Point, Point, Colour) override { ++m_nCalls; }
    void Rectangle(const Rect&, Colour, Colour) override { ++m_nCalls; }
    void Ellipse(const Rect&, Colour, int, Colour) override { ++m_nCalls; }
    void SetFont(const CFontSpec&) override { ++m_nCalls; }
    void SetTextColour(Colour) override { ++m_nCalls; }
    void DrawText(std::string_view text, const Rect&, std::uint32_t) override {
        m_nCalls += 1 + static_cast<std::int64_t>(text.size() & 1);
    }
    Size MeasureText(std::string_view text, bool) const override {
        return {6 * static_cast<int>(text.size()), 13};
    }
    bool DrawImage(const CImageList&, int, Point) override {
        ++m_nCalls;
        return true;
    }
    std::int64_t m_nCalls = 0;
};

class CBenchHost final : public ICalendarHost {
  public:
    bool HasWindow() const override { return true; }
    void Invalidate() override {}
    Size ClientSize() const override { return {465, 265}; }
    int ScrollBarWidth() const override { return 17; }
    Colour HighlightColour() const override { return RGB(0, 120, 215); }
    std::intptr_t SendNotify(const NMWMDATECTRL&) override { return 0; }
    void ShowDayInPanels(const CDateValue&) override {}
};

// The calendar showing March 2027 in a window of its own, with `nNotes` notes
// around it.
struct CBenchCalendar {
    explicit CBenchCalendar(int nNotes) {
        globals.dtLastPeriod = CDateValue(2027, 1, 4);
        ctrl.SetHost(&host);
        ctrl.ShowMonth(CDateValue(2027, 3, 1), 1, WMVIEW_MONTH);
        bench::AddBenchNotes(nNotes, [this](auto&&... args) { ctrl.AddItem(args...); });
    }

    CGlobals globals;
    const CFixedClock clock{CFixedClock::LocalSeconds(2027, 3, 10, 9, 0)};
    CBenchHost host;
    CWMDateCtrl ctrl{globals, clock};
};

void BM_PaintMonthWithItems(benchmark::State& state) {
    CGlobals globals;
    globals.dtLastPeriod = CDateValue(2027, 1, 4);
    const CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 10, 9, 0));
    CBenchHost host;
    CWMDateCtrl ctrl(globals, clock);
    ctrl.SetHost(&host);
    const CImageList icons(1, {16, 16}, 2);
    ctrl.SetImageList(&icons);
    ctrl.ShowMonth(CDateValue(2027, 3, 1), 1, WMVIEW_MONTH);

    // Notes spread over about four months around the shown one, so that some
    // days overflow and many notes are of days not shown.
    const auto nItems = static_cast<int>(state.range(0));
    for (int i = 0; i < nItems; ++i) {
        CDateValue from(2027, 1, 15, 8 + i % 10, (i * 7) % 60);
        from.AddDays(i % 120);
        ctrl.AddItem(from, from, "Nota número " + std::to_string(i), i % 3 - 1,
                     60.0f + static_cast<float>(i % 20));
    }
    ctrl.OnLButtonDown({10, 45});  // nothing painted yet: selects nothing

    CCountingSurface surface;
    for (auto _ : state) {
        ctrl.OnEraseBkgnd(surface);
        ctrl.OnPaint(surface);
        benchmark::DoNotOptimize(surface.m_nCalls);
    }
    state.counters["calls/paint"] = benchmark::Counter(static_cast<double>(surface.m_nCalls) /
                                                       static_cast<double>(state.iterations()));
}

BENCHMARK(BM_PaintMonthWithItems)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_HitTest(benchmark::State& state) {
    CBenchCalendar calendar(static_cast<int>(state.range(0)));
    CGlobals& globals = calendar.globals;
    CWMDateCtrl& ctrl = calendar.ctrl;
    CCountingSurface surface;
    ctrl.OnPaint(surface);
    // The middle of the first painted note line.
    Point pt{};
    globals.listItems.ForEach([&pt](const CWVCellDataItem& item) {
        const Rect rc = item.GetItemRect();
        if (pt.x == 0 && rc.right > rc.left) {
            pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        }
    });
    if (ctrl.ItemIdAt(pt) == 0) {
        state.SkipWithError("no note under the pointer");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ctrl.ItemIdAt(pt));
        ctrl.OnLButtonDown(pt);
    }
}

BENCHMARK(BM_HitTest)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_PaintAfterEdit(benchmark::State& state) {
    CBenchCalendar calendar(static_cast<int>(state.range(0)));
    CGlobals& globals = calendar.globals;
    CWMDateCtrl& ctrl = calendar.ctrl;
    CCountingSurface surface;
    CWVCellDataItem& item = globals.listItems.at(0);
    const CDateValue start = item.GetFrom();
    int step = 0;
    for (auto _ : state) {
        CDateValue moved = start;
        moved.AddDays(++step % 2);
        item.SetFrom(moved);
        ctrl.OnPaint(surface);
        benchmark::DoNotOptimize(surface.m_nCalls);
    }
}

BENCHMARK(BM_PaintAfterEdit)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace gestalia
