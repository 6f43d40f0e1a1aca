#include "model/agenda_file.h"

#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

#include "model/crc32.h"
#include "model/windows1252.h"

namespace gestalia {

namespace {

constexpr std::size_t kDateImageSize = 12;
// The text memory a record handed to a sink starts with: room to decode a
// note of a kilobyte at once.
constexpr std::size_t kReusedTextCapacity = 3 * 1024 + 3;

void PutU32(std::string& out, std::uint32_t v) {
    const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    out.append(bytes, sizeof bytes);
}

void PutU64(std::string& out, std::uint64_t v) {
    PutU32(out, static_cast<std::uint32_t>(v & 0xFFFFFFFFu));
    PutU32(out, static_cast<std::uint32_t>(v >> 32));
}

void PutInt32(std::string& out, std::int32_t v) {
    PutU32(out, static_cast<std::uint32_t>(v));
}
void PutFloat(std::string& out, float v) {
    PutU32(out, std::bit_cast<std::uint32_t>(v));
}

void PutDate(std::string& out, const CDateValue& dt) {
    PutU64(out, std::bit_cast<std::uint64_t>(dt.GetRaw()));
    PutInt32(out, static_cast<std::int32_t>(dt.GetStatus()));
}

CError Damaged(const std::string& what, std::size_t offset) {
    return CError{ErrorKind::damaged, what, offset};
}

// The moments a date marked valid may hold: from 1 January 100 to the end of
// 31 December 9999. Before day 0 the fraction counts forwards from the day the
// integer part names, so the whole of 1 January 100 lies above the lower bound.
constexpr double kFirstMoment = -657435.0;  // exclusive
constexpr double kEndMoment = 2958466.0;    // exclusive

bool IsRealMoment(double dt) {
    return std::isfinite(dt) && dt > kFirstMoment && dt < kEndMoment;
}

// Reads the file image from the front; every read is checked against the bytes
// that remain, so nothing is read past the end.
class CReader {
  public:
    explicit CReader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Offset() const { return m_pos; }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }
    // The next byte to read, and a move past bytes read through it.
    const char* Here() const { return m_bytes.data() + m_pos; }
    void Skip(std::size_t n) { m_pos += n; }

    // Callers check Remaining() first. The bytes are read through a local
    // pointer and the position moved once, so that the compiler may load the
    // four bytes at once.
    std::uint32_t U32() {
        const auto* p = reinterpret_cast<const unsigned char*>(m_bytes.data() + m_pos);
        m_pos += 4;
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    std::uint64_t U64() {
        const std::uint64_t lo = U32();
        const std::uint64_t hi = U32();
        return lo | (hi << 32);
    }
    // Callers check Remaining() first.
    std::string_view Bytes(std::size_t n) {
        const std::string_view v(m_bytes.data() + m_pos, n);
        m_pos += n;
        return v;
    }

  private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// One 12-byte date image; what() names the date in a message, built only when
// there is one to give.
template <class Name>
Result<CDateValue> ReadDate(CReader& in, const Name& what) {
    const std::size_t at = in.Offset();
    if (in.Remaining() < kDateImageSize) {
        return Damaged(what() + " está cortada: el fichero se acaba antes", at);
    }
    const double dt = std::bit_cast<double>(in.U64());
    const std::size_t statusAt = in.Offset();
    const std::int32_t status = static_cast<std::int32_t>(in.U32());
    if (status < 0 || status > static_cast<std::int32_t>(DateStatus::null)) {
        return Damaged(what() + " tiene un estado desconocido (" + std::to_string(status) + ")",
                       statusAt);
    }
    // A date marked invalid or null may hold anything and keeps it.
    if (status == static_cast<std::int32_t>(DateStatus::valid) && !IsRealMoment(dt)) {
        return Damaged(what() +
                           " está marcada como válida pero no es una fecha entre los años 100 y "
                           "9999",
                       at);
    }
    return CDateValue::FromRaw(dt, static_cast<DateStatus>(status));
}

// One record as the file holds it, its text still in Windows-1252.
struct CAgendaRecordBytes {
    std::size_t at = 0;     // where the record starts in the file image
    std::string_view text;  // a view into the file image
    CDateValue dtFrom;
    CDateValue dtTo;
    std::int32_t nImage = -1;
    float fWeight = 0.0f;
};

// A little-endian 32-bit value at p, which the caller has checked lies
// inside the image; written byte by byte, it compiles to one load.
std::uint32_t U32At(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

// The quick loop below runs once for every note of the file. Its two helpers
// are always inlined: called, they cost a third of the walk.

// The same date image as ReadDate, at p, read on the way of a sound file:
// false where ReadDate would give an error.
[[gnu::always_inline]] inline bool DateAt(const char* p, CDateValue& date) {
    const double dt =
        std::bit_cast<double>(U32At(p) | (static_cast<std::uint64_t>(U32At(p + 4)) << 32));
    const auto status = static_cast<std::int32_t>(U32At(p + 8));
    const bool known = status >= 0 && status <= static_cast<std::int32_t>(DateStatus::null);
    if (!known || (status == static_cast<std::int32_t>(DateStatus::valid) && !IsRealMoment(dt))) {
        return false;
    }
    date = CDateValue::FromRaw(dt, static_cast<DateStatus>(status));
    return true;
}

// A whole record read on the way of a sound file: false, with `in` where it
// was, where the careful reading finds something wrong. The fields lie at
// fixed places after the text: they are read from one pointer, and the
// reader moved once.
[[gnu::always_inline]] inline bool TakeRecord(CReader& in, CAgendaRecordBytes& r) {
    const std::size_t remaining = in.Remaining();
    if (remaining < kAgendaRecordFixedSize) {
        return false;
    }
    const char* const p = in.Here();
    r.at = in.Offset();
    const auto length = static_cast<std::int32_t>(U32At(p));
    const auto len = static_cast<std::size_t>(length);
    if (length < 0 || len > remaining - kAgendaRecordFixedSize) {
        return false;
    }
    const char* const fixed = p + 4 + len;
    if (!DateAt(fixed, r.dtFrom) || !DateAt(fixed + kDateImageSize, r.dtTo)) {
        return false;
    }
    r.text = std::string_view(p + 4, len);
    r.nImage = static_cast<std::int32_t>(U32At(fixed + 2 * kDateImageSize));
    r.fWeight = std::bit_cast<float>(U32At(fixed + 2 * kDateImageSize + 4));
    in.Skip(kAgendaRecordFixedSize + len);
    return true;
}

// A record the walk has already found sound, read again when the store
// makes its note into an item. A file is small enough for 32-bit places.
static_assert(kMaxAgendaFileSize <= std::numeric_limits<std::uint32_t>::max());
CNoteRecord ReadSoundRecord(std::string_view file, std::uint32_t at) {
    const char* const p = file.data() + at;
    const std::size_t length = U32At(p);
    const char* const fixed = p + 4 + length;
    const auto date = [](const char* d) {
        return CDateValue::FromRaw(
            std::bit_cast<double>(U32At(d) | (static_cast<std::uint64_t>(U32At(d + 4)) << 32)),
            static_cast<DateStatus>(U32At(d + 8)));
    };
    return {date(fixed), date(fixed + kDateImageSize), std::string_view(p + 4, length),
            static_cast<std::int32_t>(U32At(fixed + 2 * kDateImageSize)),
            std::bit_cast<float>(U32At(fixed + 2 * kDateImageSize + 4))};
}

std::string ItemName(std::size_t index) {
    return "la anotación " + std::to_string(index + 1);
}

// What the writer needs of one note, borrowed from the store or a record.
struct CAgendaRecordView {
    std::string_view text;  // UTF-8
    CDateValue dtFrom;
    CDateValue dtTo;
    std::int32_t nImage;
    float fWeight;
    const CVisit* visit;  // nullptr for none
};

// The file image, written into one buffer sized up front: a UTF-8 text never
// takes fewer bytes than its Windows-1252 form.
Result<std::string> SerializeRecords(const CDateValue& dtLastPeriod,
                                     const std::vector<CAgendaRecordView>& records,
                                     const CAgendaExtension& extension) {
    constexpr auto kMaxInt32 = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
    if (records.size() > kMaxInt32) {
        return CError{ErrorKind::cannotSave,
                      "la agenda tiene demasiadas anotaciones para guardarla", std::nullopt};
    }
    std::size_t capacity = kAgendaHeaderSize;
    for (const CAgendaRecordView& r : records) {
        capacity += kAgendaRecordFixedSize + r.text.size();
    }
    std::string out;
    out.reserve(capacity);
    PutDate(out, dtLastPeriod);
    PutInt32(out, static_cast<std::int32_t>(records.size()));
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CAgendaRecordView& r = records[i];
        // The length goes before the text: keep its place, fill it once known.
        const std::size_t lengthAt = out.size();
        PutInt32(out, 0);
        const Status text = AppendWindows1252(out, r.text);
        if (!text) {
            return CError{ErrorKind::unstorableText, ItemName(i) + ": " + text.error().message,
                          text.error().offset};
        }
        const std::size_t length = out.size() - lengthAt - 4;
        if (length > kMaxInt32) {
            return CError{ErrorKind::cannotSave,
                          "el texto de " + ItemName(i) + " es demasiado largo para guardarlo",
                          std::nullopt};
        }
        // The whole text, NUL bytes included, so that reading gives it back unchanged.
        const auto length32 = static_cast<std::uint32_t>(length);
        for (std::size_t b = 0; b < 4; ++b) {
            out[lengthAt + b] = static_cast<char>((length32 >> (8 * b)) & 0xFF);
        }
        PutDate(out, r.dtFrom);
        PutDate(out, r.dtTo);
        PutInt32(out, r.nImage);
        PutFloat(out, r.fWeight);
    }
    // The visits by position: written as the notes now stand, so a note
    // added, removed or moved keeps every other note's visit data its own.
    std::map<std::size_t, CVisit> visits;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].visit != nullptr && !records[i].visit->empty()) {
            visits.emplace(i, *records[i].visit);
        }
    }
    // Visit data that reads as it stands is left as it was written.
    CAgendaExtension withVisits = extension;
    if (visits != extension.Visits(records.size())) {
        withVisits.SetVisits(visits);
    }
    if (!withVisits.empty()) {
        const std::string payload = withVisits.Payload();
        if (payload.size() > std::numeric_limits<std::uint32_t>::max()) {
            return CError{ErrorKind::cannotSave,
                          "los datos de la agenda son demasiado largos para guardarlos",
                          std::nullopt};
        }
        out.append(kExtensionMagic);
        PutU32(out, kExtensionVersion);
        PutU32(out, static_cast<std::uint32_t>(payload.size()));
        out.append(payload);
        PutU32(out, Crc32(payload));
    }
    return out;
}

// The extension block from where the last note ends to the end of the file.
// Bytes that do not start with the magic are bytes too many, as ever.
Result<CAgendaExtension> ReadExtension(CReader& in) {
    const std::size_t at = in.Offset();
    if (in.Remaining() < kExtensionMagic.size() ||
        std::string_view(in.Here(), kExtensionMagic.size()) != kExtensionMagic) {
        return Damaged("tiene " + std::to_string(in.Remaining()) +
                           " bytes de más después de la última anotación",
                       at);
    }
    if (in.Remaining() < kExtensionHeadSize) {
        return Damaged("el bloque de extensión está cortado: el fichero se acaba antes",
                       in.Offset() + in.Remaining());
    }
    in.Skip(kExtensionMagic.size());
    const std::size_t versionAt = in.Offset();
    const std::uint32_t version = in.U32();
    if (version != kExtensionVersion) {
        return Damaged("el bloque de extensión tiene la versión " + std::to_string(version) +
                           ", que esta versión de Gestalia no conoce",
                       versionAt);
    }
    const std::size_t lengthAt = in.Offset();
    const std::uint32_t length = in.U32();
    if (length > in.Remaining() || in.Remaining() - length < kExtensionTailSize) {
        return Damaged("la longitud del bloque de extensión (" + std::to_string(length) +
                           ") no cabe en lo que queda del fichero",
                       lengthAt);
    }
    const std::size_t payloadAt = in.Offset();
    const std::string_view payload = in.Bytes(length);
    const std::size_t crcAt = in.Offset();
    if (in.U32() != Crc32(payload)) {
        return Damaged(
            "la suma de comprobación del bloque de extensión"
            " no coincide con su contenido",
            crcAt);
    }
    if (in.Remaining() != 0) {
        return Damaged("tiene " + std::to_string(in.Remaining()) +
                           " bytes de más después del bloque de extensión",
                       in.Offset());
    }
    return CAgendaExtension::Parse(payload, payloadAt);
}

}  // namespace

Result<std::string> SerializeAgenda(const CDateValue& dtLastPeriod, const CItemStore& items,
                                    const CAgendaExtension& extension) {
    std::vector<CAgendaRecordView> records;
    records.reserve(items.size());
    const bool visits = items.HasVisits();
    items.ForEach([&records, &items, visits](const CWVCellDataItem& item) {
        records.push_back({item.Text(), item.GetFrom(), item.GetTo(), item.GetImage(),
                           item.GetWeight(), visits ? items.VisitOf(item.GetID()) : nullptr});
    });
    return SerializeRecords(dtLastPeriod, records, extension);
}

Result<std::string> SerializeAgenda(const CAgendaData& data) {
    std::vector<CAgendaRecordView> records;
    records.reserve(data.items.size());
    for (const CAgendaRecord& r : data.items) {
        records.push_back({r.strText, r.dtFrom, r.dtTo, r.nImage, r.fWeight, &r.visit});
    }
    return SerializeRecords(data.dtLastPeriod, records, data.extension);
}

namespace {

// Walks the whole file image, checking each part as it comes: onCount(n) is
// told the number of records once it is known to fit, onRecord gets each
// record with its text still as the file holds it.
template <class OnCount, class OnRecord>
Result<CAgendaSummary> WalkAgenda(std::string_view bytes, OnCount&& onCount, OnRecord&& onRecord) {
    CReader in(bytes);
    CAgendaSummary summary;
    if (in.Remaining() < kAgendaHeaderSize) {
        return Damaged("tiene " + std::to_string(bytes.size()) +
                           " bytes y una agenda empieza con una cabecera de " +
                           std::to_string(kAgendaHeaderSize),
                       bytes.size());
    }
    Result<CDateValue> lastPeriod =
        ReadDate(in, [] { return std::string("la fecha de la última regla"); });
    if (!lastPeriod) {
        return lastPeriod.error();
    }
    summary.dtLastPeriod = lastPeriod.value();

    const std::size_t countAt = in.Offset();
    const std::int32_t count = static_cast<std::int32_t>(in.U32());
    if (count < 0) {
        return Damaged("dice tener " + std::to_string(count) + " anotaciones, un número negativo",
                       countAt);
    }
    const auto n = static_cast<std::size_t>(count);
    // Every record takes at least its fixed part, so a count the file cannot
    // hold is refused before anything is allocated for it.
    if (n > in.Remaining() / kAgendaRecordFixedSize) {
        return Damaged(
            "dice tener " + std::to_string(count) + " anotaciones y el fichero se acaba antes",
            countAt);
    }
    summary.count = n;
    onCount(n);

    CAgendaRecordBytes r;
    // Sound records are read by the quick loop; the first one it doubts, and
    // every one after it, by the careful loop below, which says what is wrong.
    std::size_t i = 0;
    for (; i < n; ++i) {
        if (!TakeRecord(in, r)) {
            break;
        }
        onRecord(r);
    }
    for (; i < n; ++i) {
        const std::size_t recordAt = in.Offset();
        if (in.Remaining() < kAgendaRecordFixedSize) {
            return Damaged(ItemName(i) + " está cortada: el fichero se acaba antes", recordAt);
        }
        r.at = recordAt;
        const std::int32_t length = static_cast<std::int32_t>(in.U32());
        if (length < 0) {
            return Damaged("el texto de " + ItemName(i) + " dice medir " + std::to_string(length) +
                               " bytes, un número negativo",
                           recordAt);
        }
        const auto len = static_cast<std::size_t>(length);
        const std::size_t textAt = in.Offset();
        if (len > in.Remaining() || in.Remaining() - len < kAgendaRecordFixedSize - 4) {
            return Damaged("el texto de " + ItemName(i) + " dice medir " + std::to_string(len) +
                               " bytes y el fichero se acaba antes",
                           textAt);
        }
        r.text = in.Bytes(len);
        Result<CDateValue> from =
            ReadDate(in, [i] { return "la fecha de inicio de " + ItemName(i); });
        if (!from) {
            return from.error();
        }
        Result<CDateValue> to = ReadDate(in, [i] { return "la fecha de fin de " + ItemName(i); });
        if (!to) {
            return to.error();
        }
        r.dtFrom = from.value();
        r.dtTo = to.value();
        r.nImage = static_cast<std::int32_t>(in.U32());
        r.fWeight = std::bit_cast<float>(in.U32());
        onRecord(r);
    }
    if (in.Remaining() != 0) {
        Result<CAgendaExtension> extension = ReadExtension(in);
        if (!extension) {
            return extension.error();
        }
        summary.extension = std::move(extension).value();
    }
    return summary;
}

}  // namespace

Result<CAgendaSummary> CheckAgenda(std::string_view bytes) {
    return WalkAgenda(
        bytes, [](std::size_t) {}, [](const CAgendaRecordBytes&) {});
}

Result<CAgendaData> ParseAgenda(std::string_view bytes, const AgendaRecordSink& onRecord) {
    CAgendaData data;
    // One record serves the whole file when a sink takes the records and does
    // not move from it: its text keeps its memory from one note to the next.
    CAgendaRecord r;
    if (onRecord) {
        r.strText.reserve(kReusedTextCapacity);
    }
    const auto take = [&](const CAgendaRecordBytes& b) {
        DecodeWindows1252(b.text, r.strText);
        r.dtFrom = b.dtFrom;
        r.dtTo = b.dtTo;
        r.nImage = b.nImage;
        r.fWeight = b.fWeight;
        if (onRecord) {
            onRecord(r);
        } else {
            data.items.push_back(std::move(r));
        }
    };
    const auto reserve = [&](std::size_t n) {
        if (!onRecord) {
            data.items.reserve(n);
        }
    };
    Result<CAgendaSummary> walked = WalkAgenda(bytes, reserve, take);
    if (!walked) {
        return walked.error();
    }
    data.dtLastPeriod = walked.value().dtLastPeriod;
    data.extension = std::move(walked.value().extension);
    if (!onRecord) {
        for (auto& [note, visit] : data.extension.Visits(data.items.size())) {
            data.items[note].visit = visit;
        }
    }
    return data;
}

Result<CDateValue> LoadAgendaItems(CFileBytes bytes, CItemStore& store,
                                   const CItemDefaults& defaults, CAgendaExtension* extension) {
    return store.ReplaceAll([&]() -> Result<CDateValue> {
        // Each note stays in its record until it is first asked for: the
        // walk checks it and files it by its start.
        const std::string_view kept = store.KeepFile(std::move(bytes));
        const auto expect = [&](std::size_t n) {
            store.ExpectNotes(n, kept, &ReadSoundRecord, defaults);
        };
        const auto add = [&store](const CAgendaRecordBytes& r) {
            store.AddNote(r.dtFrom, static_cast<std::uint32_t>(r.at));
        };
        Result<CAgendaSummary> read = WalkAgenda(kept, expect, add);
        if (!read) {
            return read.error();
        }
        store.IndexByDay();
        // The notes were given ids from 1 in file order.
        for (const auto& [note, visit] : read.value().extension.Visits(read.value().count)) {
            store.SetVisit(static_cast<std::int32_t>(note + 1), visit);
        }
        if (extension != nullptr) {
            *extension = std::move(read.value().extension);
        }
        return read.value().dtLastPeriod;
    });
}

std::string DamageSentence(const CError& error) {
    std::string sentence = "La agenda está dañada";
    if (error.offset) {
        sentence += " a partir del byte " + std::to_string(*error.offset);
    }
    if (!error.message.empty()) {
        sentence += ": " + error.message;
    }
    return sentence + ".";
}

}  // namespace gestalia
