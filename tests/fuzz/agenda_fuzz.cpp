// Fuzz target for the agenda reader. Whatever the bytes, ParseAgenda must end
// without touching memory it does not own, and:
//   - a rejection names a byte offset inside the file;
//   - an accepted file is written back by SerializeAgenda to exactly the same
//     bytes (the reader only accepts a file it has read to its last byte; an
//     extension block read and not changed is written as it was), and reading
//     those bytes again gives the same agenda, extension included;
//   - CheckAgenda, which reads no text, gives the same answer, the same error;
//   - LoadAgendaItems leaves a store as it was on a rejected file and fills it
//     with notes that are written back to the same bytes on an accepted one.
// Built with libFuzzer by clang, and with a plain replay driver by the main
// compiler (replay_main.cpp).

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/agenda_file.h"
#include "model/item_store.h"

namespace {

using gestalia::CAgendaData;
using gestalia::CAgendaRecord;
using gestalia::CDateValue;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "agenda_fuzz: %s\n", what);
    std::abort();
}

bool SameDate(const CDateValue& a, const CDateValue& b) {
    return std::bit_cast<std::uint64_t>(a.GetRaw()) == std::bit_cast<std::uint64_t>(b.GetRaw()) &&
           a.GetStatus() == b.GetStatus();
}

bool SameRecord(const CAgendaRecord& a, const CAgendaRecord& b) {
    return a.strText == b.strText && SameDate(a.dtFrom, b.dtFrom) && SameDate(a.dtTo, b.dtTo) &&
           a.nImage == b.nImage &&
           std::bit_cast<std::uint32_t>(a.fWeight) == std::bit_cast<std::uint32_t>(b.fWeight) &&
           a.visit == b.visit;
}

bool SameAgenda(const CAgendaData& a, const CAgendaData& b) {
    if (!SameDate(a.dtLastPeriod, b.dtLastPeriod) || a.items.size() != b.items.size() ||
        !(a.extension == b.extension)) {
        return false;
    }
    for (std::size_t i = 0; i < a.items.size(); ++i) {
        if (!SameRecord(a.items[i], b.items[i])) {
            return false;
        }
    }
    return true;
}

// The checker and the store's reader against the parser's answer.
void CheckTheOtherReaders(std::string_view bytes, const gestalia::Result<CAgendaData>& parsed) {
    const gestalia::Result<gestalia::CAgendaSummary> checked = gestalia::CheckAgenda(bytes);
    if (checked.ok() != parsed.ok() || (!checked && !(checked.error() == parsed.error()))) {
        Fail("checking and parsing give different answers");
    }
    gestalia::CItemStore store;
    const CDateValue day(2027, 3, 1);
    store.AddItem(day, day, "antes", 0, 0.0f, {});
    gestalia::CAgendaExtension extension;
    extension.SetBirth(day);
    const gestalia::CAgendaExtension before = extension;
    const gestalia::Result<CDateValue> loaded =
        gestalia::LoadAgendaItems(gestalia::CFileBytes(bytes), store, {}, &extension);
    if (loaded.ok() != parsed.ok()) {
        Fail("loading into the store and parsing give different answers");
    }
    if (!loaded) {
        if (store.size() != 1 || store.at(0).Text() != "antes" ||
            store.ItemsOfDay(day).size() != 1 || !(extension == before)) {
            Fail("a rejected file changed the store or the extension");
        }
        return;
    }
    if (!(extension == parsed.value().extension)) {
        Fail("loading into the store and parsing give different extensions");
    }
    const gestalia::Result<std::string> written =
        gestalia::SerializeAgenda(loaded.value(), store, extension);
    if (!written || written.value() != bytes) {
        Fail("the notes loaded into the store are written back to different bytes");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    gestalia::Result<CAgendaData> first = gestalia::ParseAgenda(bytes);
    CheckTheOtherReaders(bytes, first);
    if (!first) {
        const gestalia::CError& error = first.error();
        if (error.message.empty()) {
            Fail("a rejection without a message");
        }
        if (!error.offset.has_value() || *error.offset > size) {
            Fail("a rejection that names no offset inside the file");
        }
        return 0;
    }
    gestalia::Result<std::string> written = gestalia::SerializeAgenda(first.value());
    if (!written) {
        Fail("an agenda that was read cannot be written back");
    }
    if (written.value() != bytes) {
        Fail("writing back an accepted file gives different bytes");
    }
    gestalia::Result<CAgendaData> second = gestalia::ParseAgenda(written.value());
    if (!second) {
        Fail("the written agenda is rejected");
    }
    if (!SameAgenda(first.value(), second.value())) {
        Fail("reading the written agenda gives a different agenda");
    }
    return 0;
}
