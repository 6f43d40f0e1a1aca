// Loading and saving an agenda of 100,000 notes (about 7 MB) beside the plain
// system calls on the same bytes, each pair in the same iteration:
//   load:  ReadFileBytes + CheckAgenda checking every note without keeping it
//          (as `gestalia-tool check` and the streaming exports do),
//          ReadFileBytes + ParseAgenda keeping every record in UTF-8, and the
//          calendar's LoadAgenda into the store, once in place of the same
//          agenda (as a re-open, freeing the agenda it replaces) and once
//          into an empty store (as at start), and once followed by every
//          note's text asked for (the texts become UTF-8 when first asked),
//          each beside open + read of the whole file into freshly allocated
//          memory (for the re-open, also beside such a read that lets the
//          bytes it read before go only once the new ones are in);
//   save:  the calendar's SaveAgenda (file image from the store, temporary
//          file, fsync, rename, fsync of the folder) beside open + write +
//          fsync + close of the same bytes; and the window's save, which
//          looks at the file first and keeps what it wrote, beside that
//          calendar's save.
// Prints the ratios at the end. `agenda_io_bench --write-agenda=PATH` only
// writes the benchmark's agenda to PATH (for timing gestalia-tool on it).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "bench/bench_notes.h"
#include "calendar/wm_date_ctrl.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/safe_save.h"
#include "model/saved_agenda.h"

namespace gestalia {
namespace {

constexpr int kNotes = 100000;

struct Pair {
    double oursMs = 0.0;
    double plainMs = 0.0;
};
std::map<std::string, Pair> g_results;

double Ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// A folder of its own under the system's temporary folder, removed at exit.
class CBenchDir {
  public:
    CBenchDir() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "gestalia-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~CBenchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(const char* name) const { return (m_path / name).string(); }

  private:
    std::filesystem::path m_path;
};

void FillAgenda(CGlobals& globals) {
    globals.dtLastPeriod = CDateValue(2027, 1, 4);
    CItemDefaults defaults;
    bench::AddBenchNotes(kNotes,
                         [&](auto&&... args) { globals.listItems.AddItem(args..., defaults); });
}

std::string AgendaBytes() {
    CGlobals globals;
    FillAgenda(globals);
    Result<std::string> bytes = SerializeAgenda(globals.dtLastPeriod, globals.listItems);
    return bytes ? bytes.value() : std::string();
}

// The whole file into fresh memory with nothing but the system calls: the
// buffer is allocated as the file's size and left as the kernel fills it.
std::unique_ptr<char[]> PlainReadKept(const std::string& path, std::size_t size) {
    std::unique_ptr<char[]> buffer(new char[size + 1]);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    std::size_t done = 0;
    while (fd >= 0 && done <= size) {
        const ssize_t got = ::read(fd, buffer.get() + done, size + 1 - done);
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    benchmark::DoNotOptimize(buffer.get());
    return done == size ? std::move(buffer) : nullptr;
}

std::size_t PlainRead(const std::string& path, std::size_t size) {
    return PlainReadKept(path, size) ? size : 0;
}

void PlainWrite(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::size_t done = 0;
    while (fd >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
}

template <class F>
std::chrono::steady_clock::duration TimeOf(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::steady_clock::now() - start;
}

void Report(benchmark::State& state, const char* name, double oursMs, double plainMs) {
    const auto n = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = oursMs / n;
    state.counters["plain_ms"] = plainMs / n;
    state.counters["ratio"] = oursMs / plainMs;
    g_results[name] = {oursMs / n, plainMs / n};
}

// Times the plain system calls and ours in the same iteration, so that both see
// the same machine; `ours` says whether it did its work. The two take turns
// going first: the one that runs second finds the memory and the caches as
// the first left them (a read into memory just freed by the other is much
// quicker than one into memory the system must first hand out), and turns
// share that out evenly. `after` runs after each iteration, untimed.
template <class Plain, class Ours, class After>
void TimeBeside(benchmark::State& state, const char* name, Plain plain, Ours ours, After after) {
    double oursMs = 0.0;
    double plainMs = 0.0;
    bool plainFirst = true;
    for (auto _ : state) {
        if (plainFirst) {
            plainMs += Ms(TimeOf(plain));
        }
        bool done = false;
        const auto oursTime = TimeOf([&] { done = ours(); });
        benchmark::DoNotOptimize(done);
        if (!plainFirst) {
            plainMs += Ms(TimeOf(plain));
        }
        plainFirst = !plainFirst;
        oursMs += Ms(oursTime);
        state.SetIterationTime(std::chrono::duration<double>(oursTime).count());
        if (!done) {
            state.SkipWithError("the agenda was not read or written");
            break;
        }
        after();
    }
    Report(state, name, oursMs, plainMs);
}

template <class Plain, class Ours>
void TimeBeside(benchmark::State& state, const char* name, Plain plain, Ours ours) {
    TimeBeside(state, name, plain, ours, [] {});
}

// The benchmark's agenda written to a fresh folder, and the bare read of its
// bytes that the loads are timed beside.
struct CAgendaOnDisk {
    CAgendaOnDisk() { PlainWrite(path, bytes); }
    void PlainReadIt() const { benchmark::DoNotOptimize(PlainRead(path, bytes.size())); }
    // The plain read of a re-open: the bytes read before are let go only once
    // the new ones are in, as the store lets go of the agenda it replaces.
    void PlainReadAgain() { held = PlainReadKept(path, bytes.size()); }

    CBenchDir dir;
    const std::string path = dir.File("agenda.gst");
    const std::string bytes = AgendaBytes();
    std::unique_ptr<char[]> held;  // the bytes PlainReadAgain read last
};

// Reading the whole file and giving it to `parse`.
template <class Parse>
void ReadAndParse(benchmark::State& state, const Parse& parse, const char* name) {
    const CAgendaOnDisk agenda;
    TimeBeside(
        state, name, [&] { agenda.PlainReadIt(); },
        [&] {
            Result<CFileBytes> read = ReadFileBytes(agenda.path);
            return read.ok() && parse(read.value());
        });
}

void BM_CheckAgenda(benchmark::State& state) {
    ReadAndParse(
        state, [](std::string_view bytes) { return CheckAgenda(bytes).ok(); },
        "load: read and check every note");
}
BENCHMARK(BM_CheckAgenda)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ParseAgenda(benchmark::State& state) {
    ReadAndParse(
        state, [](std::string_view bytes) { return ParseAgenda(bytes).ok(); },
        "load: read and parse into records");
}
BENCHMARK(BM_ParseAgenda)->UseManualTime()->Unit(benchmark::kMillisecond);

// The calendar control the loads go into, with a store of its own.
struct CCalendarToLoad {
    CGlobals globals;
    const CFixedClock clock{CFixedClock::LocalSeconds(2027, 3, 10, 9, 0)};
    CWMDateCtrl ctrl{globals, clock};
};

// A re-open: the store sets the agenda it holds aside until the new one is
// known to be sound, so the new bytes go into memory other than the old ones.
// Beside it, a plain read that keeps the bytes it read before until the new
// ones are in, or one that lets its bytes go at once (and so reads into
// memory just let go, a quicker read than any re-open can have).
void BM_LoadAgenda(benchmark::State& state, bool plainKeepsItsBytes) {
    CAgendaOnDisk agenda;
    CCalendarToLoad calendar;
    agenda.PlainReadAgain();
    TimeBeside(
        state,
        plainKeepsItsBytes
            ? "load: into the calendar's store (re-open)"
            : "load: into the calendar's store (re-open), beside a read let go at once",
        [&] { plainKeepsItsBytes ? agenda.PlainReadAgain() : agenda.PlainReadIt(); },
        [&] { return calendar.ctrl.LoadAgenda(agenda.path).ok(); });
    if (calendar.globals.listItems.size() != static_cast<std::size_t>(kNotes)) {
        state.SkipWithError("the agenda did not load");
    }
}
BENCHMARK_CAPTURE(BM_LoadAgenda, Reopen, true)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadAgenda, ReopenBesideAReadLetGo, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same, and then every note's text asked for once, as a search or a save
// does: the texts are turned into UTF-8 when first asked for.
void BM_LoadAgendaAndEveryText(benchmark::State& state) {
    const CAgendaOnDisk agenda;
    CCalendarToLoad calendar;
    TimeBeside(
        state, "load: into the calendar's store, then every text", [&] { agenda.PlainReadIt(); },
        [&] {
            if (!calendar.ctrl.LoadAgenda(agenda.path).ok()) {
                return false;
            }
            std::size_t length = 0;
            calendar.globals.listItems.ForEach(
                [&length](const CWVCellDataItem& item) { length += item.Text().size(); });
            return length >
                   agenda.bytes.size() - kAgendaHeaderSize - kNotes * kAgendaRecordFixedSize;
        });
}
BENCHMARK(BM_LoadAgendaAndEveryText)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same into an empty store, as when the program starts: the agenda loaded
// before is let go after each iteration, outside the time.
void BM_LoadAgendaFirst(benchmark::State& state) {
    const CAgendaOnDisk agenda;
    auto calendar = std::make_unique<CCalendarToLoad>();
    bool whole = true;
    TimeBeside(
        state, "load: into an empty store", [&] { agenda.PlainReadIt(); },
        [&] { return calendar->ctrl.LoadAgenda(agenda.path).ok(); },
        [&] {
            whole = whole && calendar->globals.listItems.size() == static_cast<std::size_t>(kNotes);
            calendar = std::make_unique<CCalendarToLoad>();
        });
    if (!whole) {
        state.SkipWithError("the agenda did not load");
    }
}
BENCHMARK(BM_LoadAgendaFirst)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SaveAgenda(benchmark::State& state) {
    CBenchDir dir;
    const std::string path = dir.File("agenda.gst");
    const std::string plainPath = dir.File("plain.gst");
    CGlobals globals;
    FillAgenda(globals);
    const CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 10, 9, 0));
    CWMDateCtrl ctrl(globals, clock);
    const std::string bytes = AgendaBytes();
    TimeBeside(
        state, "save", [&] { PlainWrite(plainPath, bytes); },
        [&] { return ctrl.SaveAgenda(path).ok(); });
    if (std::filesystem::file_size(path) != bytes.size()) {
        state.SkipWithError("the agenda was not saved whole");
    }
}
BENCHMARK(BM_SaveAgenda)->UseManualTime()->Unit(benchmark::kMillisecond);

// The window's save, which first looks whether the file changed on disk and
// looks again right before its rename, and keeps what it wrote as the base of
// a later merge, timed beside the plain save above (no look, nothing kept),
// taking turns to go first.
void BM_SaveAgendaChecked(benchmark::State& state) {
    CBenchDir dir;
    const std::string path = dir.File("agenda.gst");
    const std::string plainPath = dir.File("plain.gst");
    CGlobals globals;
    FillAgenda(globals);
    const CFixedClock clock(CFixedClock::LocalSeconds(2027, 3, 10, 9, 0));
    CWMDateCtrl ctrl(globals, clock);
    CSavedAgenda saved;
    const auto checkedSave = [&] {
        if (saved.Look(path).change != DiskChange::none) {
            return false;
        }
        Result<std::string> bytes = ctrl.AgendaImage();
        return bytes.ok() && saved.SaveIfUnchanged(path, std::move(bytes).value()).ok();
    };
    if (!checkedSave()) {
        state.SkipWithError("the first save failed");
        return;
    }
    TimeBeside(
        state, "save, looking at the file first, beside the plain save",
        [&] { benchmark::DoNotOptimize(ctrl.SaveAgenda(plainPath).ok()); }, checkedSave);
    if (std::filesystem::file_size(path) != AgendaBytes().size()) {
        state.SkipWithError("the agenda was not saved whole");
    }
}
BENCHMARK(BM_SaveAgendaChecked)->UseManualTime()->Unit(benchmark::kMillisecond);

void PrintRatios() {
    for (const auto& [name, p] : g_results) {
        std::printf("%s, %d notes: gestalia %.3f ms, plain system calls %.3f ms, ratio %.2f\n",
                    name.c_str(), kNotes, p.oursMs, p.plainMs, p.oursMs / p.plainMs);
    }
}

}  // namespace
}  // namespace gestalia

int main(int argc, char** argv) {
    constexpr std::string_view kWriteFlag = "--write-agenda=";
    if (argc == 2 && std::string_view(argv[1]).starts_with(kWriteFlag)) {
        const std::string path(std::string_view(argv[1]).substr(kWriteFlag.size()));
        const gestalia::Status saved = gestalia::SaveFileAtomically(path, gestalia::AgendaBytes());
        if (!saved) {
            std::fprintf(stderr, "%s\n", saved.error().message.c_str());
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    gestalia::PrintRatios();
    benchmark::Shutdown();
    return 0;
}
