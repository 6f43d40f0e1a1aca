// Writes the starting inputs of the agenda fuzzer: small agendas made by the
// model's own writer, and hand-made damaged ones around every field the reader
// checks. With --check it writes nothing and fails when a file in the folder
// differs from what it would write (so the inputs follow the file format).
//
//   make_fuzz_corpus DIR          write the inputs into DIR
//   make_fuzz_corpus --check DIR  compare DIR with them

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "model/agenda_file.h"
#include "model/crc32.h"
#include "model/windows1252.h"
#include "tests/support/little_endian.h"

namespace {

using gestalia::CAgendaData;
using gestalia::CAgendaRecord;
using gestalia::CDateValue;
using gestalia::DateStatus;

using gestalia::test::PutDouble;
using gestalia::test::PutI32;
using gestalia::test::PutU32;

// A header by hand: date, status, count.
std::string Header(double dt, std::int32_t status, std::int32_t count) {
    std::string out;
    PutDouble(out, dt);
    PutI32(out, status);
    PutI32(out, count);
    return out;
}

// One record by hand, with a length that may disagree with the text.
std::string Record(std::int32_t length, const std::string& text, std::int32_t fromStatus = 0) {
    std::string out;
    PutI32(out, length);
    out += text;
    PutDouble(out, 46388.5);
    PutI32(out, fromStatus);
    PutDouble(out, 46388.75);
    PutI32(out, 0);
    PutI32(out, 1);
    PutU32(out, std::bit_cast<std::uint32_t>(61.5f));
    return out;
}

// An extension block by hand around any payload.
std::string Block(const std::string& payload) {
    std::string out = "GSTX";
    PutU32(out, 1);
    PutU32(out, static_cast<std::uint32_t>(payload.size()));
    out += payload;
    PutU32(out, gestalia::Crc32(payload));
    return out;
}

std::string Written(const CAgendaData& data) {
    gestalia::Result<std::string> bytes = gestalia::SerializeAgenda(data);
    if (!bytes) {
        std::cerr << "make_fuzz_corpus: " << bytes.error().message << "\n";
        std::exit(2);
    }
    return bytes.value();
}

CAgendaRecord Note(std::string text, double from, double to, std::int32_t image, float weight) {
    return {std::move(text),
            CDateValue::FromRaw(from, DateStatus::valid),
            CDateValue::FromRaw(to, DateStatus::valid),
            image,
            weight,
            {}};
}

std::vector<std::pair<std::string, std::string>> Inputs() {
    std::vector<std::pair<std::string, std::string>> inputs;
    const CDateValue lastPeriod = CDateValue::FromRaw(46388.0, DateStatus::valid);

    CAgendaData empty;
    empty.dtLastPeriod = lastPeriod;
    inputs.emplace_back("empty.gst", Written(empty));

    CAgendaData one = empty;
    one.items.push_back(Note("Ecografía", 46472.4375, 46472.458333, 1, 0.0f));
    inputs.emplace_back("one-item.gst", Written(one));

    CAgendaData accented = empty;
    accented.items.push_back(
        Note("Peso: 62,5 kg\r\nNáuseas por la mañana", 46433.375, 46433.375, 0, 62.5f));
    accented.items.push_back(Note("Análisis — 12 € «ayunas» ¿mañana?", 46510.0, 46510.5, 1, 63.0f));
    accented.items.push_back(Note("", 46478.0, 0.0, -1, 0.0f));
    accented.items.back().dtTo = CDateValue::FromRaw(0.0, DateStatus::null);
    inputs.emplace_back("accented.gst", Written(accented));

    std::string every;
    for (int b = 0; b < 256; ++b) {
        every += static_cast<char>(b);
    }
    CAgendaData allBytes = empty;
    allBytes.items.push_back(Note(gestalia::DecodeWindows1252(every), 46400.0, 46400.0, 0, 60.0f));
    inputs.emplace_back("all-bytes.gst", Written(allBytes));

    CAgendaData odd;
    odd.dtLastPeriod = CDateValue::FromRaw(-1.25, DateStatus::invalid);
    odd.items.push_back({"nulas",
                         CDateValue::FromRaw(0.0, DateStatus::null),
                         CDateValue::FromRaw(12.5, DateStatus::null),
                         -1,
                         0.0f,
                         {}});
    odd.items.push_back({"no válidas",
                         CDateValue::FromRaw(1e300, DateStatus::invalid),
                         CDateValue::FromRaw(-1e300, DateStatus::invalid),
                         7,
                         -1.0f,
                         {}});
    inputs.emplace_back("null-invalid-dates.gst", Written(odd));

    // Dates marked valid that are no moment at all: the reader refuses them.
    CAgendaData unreal = empty;
    unreal.items.push_back(
        {"NaN e infinito",
         CDateValue::FromRaw(std::numeric_limits<double>::quiet_NaN(), DateStatus::valid),
         CDateValue::FromRaw(std::numeric_limits<double>::infinity(), DateStatus::valid),
         std::numeric_limits<std::int32_t>::min(),
         std::numeric_limits<float>::infinity(),
         {}});
    inputs.emplace_back("unreal-valid-dates.gst", Written(unreal));

    CAgendaData five = empty;
    for (int i = 0; i < 5; ++i) {
        five.items.push_back(Note("Semana " + std::to_string(12 + i) + ": peso y tensión",
                                  46472.0 + 7 * i, 46472.0 + 7 * i, i % 2, 60.0f + 0.5f * i));
    }
    inputs.emplace_back("five-items.gst", Written(five));

    CAgendaData longText = empty;
    longText.items.push_back(Note(std::string(1500, 'x'), 46400.0, 46400.0, 1, 0.0f));
    inputs.emplace_back("long-text.gst", Written(longText));

    // The extension block: known keys (visit data on a note among them), a key
    // of a later version, and spacing of a writer other than this one.
    CAgendaData extended = five;
    extended.extension.SetScan(
        gestalia::CScanDating{CDateValue::FromRaw(46430.0, DateStatus::valid), 20.0, {}, true});
    extended.extension.SetBirth(CDateValue::FromRaw(46660.0, DateStatus::valid));
    extended.extension.SetProfile(gestalia::CProfile{165.0, 60.5, false});
    extended.items[1].visit = gestalia::CVisit{118, 76, 28.5, 140, false};
    inputs.emplace_back("extension.gst", Written(extended));
    const std::string payload =
        "{ \"labour\": [ {\"date\": \"2027-03-01\", \"note\": \"Matrona\"} ],\n"
        "  \"scan\": {\"date\": \"2027-02-20\", \"gaDays\": 60, \"chosen\": false} }";
    inputs.emplace_back("extension-unknown-key.gst", Written(one) + Block(payload));

    // Damaged on purpose.
    std::string badCrc = Written(extended);
    badCrc.back() = static_cast<char>(badCrc.back() ^ 0x5A);
    inputs.emplace_back("extension-bad-crc.gst", badCrc);
    inputs.emplace_back("extension-bad-json.gst", Written(empty) + Block("{\"a\": ]"));
    inputs.emplace_back("huge-count.gst",
                        Header(46388.0, 0, std::numeric_limits<std::int32_t>::max()));
    inputs.emplace_back("count-beyond-bytes.gst", Header(46388.0, 0, 1000) + Record(4, "Hola"));
    inputs.emplace_back("negative-count.gst", Header(46388.0, 0, -1) + Record(4, "Hola"));
    inputs.emplace_back("negative-length.gst", Header(46388.0, 0, 1) + Record(-4, "Hola"));
    inputs.emplace_back(
        "huge-length.gst",
        Header(46388.0, 0, 1) + Record(std::numeric_limits<std::int32_t>::max(), "Hola"));
    inputs.emplace_back("length-beyond-bytes.gst", Header(46388.0, 0, 1) + Record(40, "Hola"));
    inputs.emplace_back("bad-status.gst", Header(46388.0, 0, 1) + Record(4, "Hola", 3));
    inputs.emplace_back("bad-header-status.gst", Header(46388.0, -1, 0));
    inputs.emplace_back("trailing-bytes.gst", Header(46388.0, 0, 1) + Record(4, "Hola") + "xyz");
    inputs.emplace_back("truncated-header.gst", Header(46388.0, 0, 0).substr(0, 10));
    inputs.emplace_back(
        "truncated-record.gst",
        (Header(46388.0, 0, 2) + Record(4, "Hola") + Record(4, "Adiós")).substr(0, 90));
    inputs.emplace_back("zero-bytes.gst", "");
    return inputs;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: make_fuzz_corpus [--check] DIR\n";
        return 2;
    }
    const std::filesystem::path dir = argv[argc - 1];
    int differences = 0;
    for (const auto& [name, bytes] : Inputs()) {
        const std::filesystem::path file = dir / name;
        if (check) {
            if (!std::filesystem::exists(file) || ReadAll(file) != bytes) {
                std::cerr << "make_fuzz_corpus: " << file << " is missing or out of date\n";
                ++differences;
            }
            continue;
        }
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "make_fuzz_corpus: cannot write " << file << "\n";
            return 2;
        }
    }
    return differences == 0 ? 0 : 1;
}
