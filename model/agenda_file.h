#pragma once
// The agenda file: a flat little-endian byte sequence.
//   header: last-period date (double m_dt, int32 status), int32 N
//   N records: int32 L, L text bytes (Windows-1252), from (12 bytes), to (12 bytes),
//              int32 image, float weight
//   the extension block, only when the agenda's extension holds something:
//              "GSTX", uint32 version 1, uint32 L, L bytes of one JSON object
//              in UTF-8, uint32 CRC-32 of those L bytes; nothing after it
// Parsing never runs past the data and changes nothing: it gives either the whole
// agenda or an error naming what is wrong and at which byte offset.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "agenda_extension.h"
#include "date_value.h"
#include "disk_state.h"
#include "file_bytes.h"
#include "item_store.h"
#include "result.h"

namespace gestalia {

inline constexpr std::size_t kAgendaHeaderSize = 16;
inline constexpr std::size_t kAgendaRecordFixedSize = 36;
inline constexpr std::string_view kExtensionMagic = "GSTX";
inline constexpr std::uint32_t kExtensionVersion = 1;
// Magic, version and length before the payload, the CRC-32 after it.
inline constexpr std::size_t kExtensionHeadSize = 12;
inline constexpr std::size_t kExtensionTailSize = 4;
// Larger files are refused before they are read; a real agenda is a few kilobytes.
inline constexpr std::size_t kMaxAgendaFileSize = 16u * 1024u * 1024u;

struct CAgendaRecord {
    std::string strText;  // UTF-8
    CDateValue dtFrom;
    CDateValue dtTo;
    std::int32_t nImage = -1;
    float fWeight = 0.0f;
    CVisit visit;  // kept in the extension block, under the note's position
};

// An agenda whole. Its notes carry their visit data; its extension keeps
// them as they were read, and the writer takes the notes' own.
struct CAgendaData {
    CDateValue dtLastPeriod;
    std::vector<CAgendaRecord> items;
    CAgendaExtension extension;
};

// The file image of an agenda. Fails when a text holds a character that
// Windows-1252 cannot store. The visit data of the notes goes into the
// extension, by each note's position (left as it stands when it reads the
// same); an empty extension adds no block.
Result<std::string> SerializeAgenda(const CDateValue& dtLastPeriod, const CItemStore& items,
                                    const CAgendaExtension& extension = {});
Result<std::string> SerializeAgenda(const CAgendaData& data);
// Takes each record as it is read; it may move from it.
using AgendaRecordSink = std::function<void(CAgendaRecord&)>;

struct CAgendaSummary {
    CDateValue dtLastPeriod;
    std::size_t count = 0;  // of records
    CAgendaExtension extension;
};

// Checks a whole file image, every record's structure and dates, without
// turning any text into UTF-8: every byte is a character of Windows-1252, so
// a text is never damaged. Gives the same error ParseAgenda gives.
Result<CAgendaSummary> CheckAgenda(std::string_view bytes);

// A damaged file's error as a sentence she can read, the byte kept for
// whoever helps her: "La agenda está dañada a partir del byte 12: dice tener
// 3 anotaciones y el fichero se acaba antes."
std::string DamageSentence(const CError& error);

// Parses a whole file image; each note gets its visit data. With a sink, every record goes to it in
// file order as soon as it is read and the result holds the last-period date and no items, so a
// large agenda can be passed on without being held whole; the records handed over before a damage
// is found stay handed over; they come without their visit data, which the extension holds.
Result<CAgendaData> ParseAgenda(std::string_view bytes, const AgendaRecordSink& onRecord = {});

// Puts the notes of a whole file image in place of every item of the store,
// with ids from 1, and their visit data, and gives the last-period date; the
// extension, when asked for, takes the file's. A damaged image changes nothing. The store keeps the
// image: each text is turned into UTF-8 when it is first asked for.
Result<CDateValue> LoadAgendaItems(CFileBytes bytes, CItemStore& store,
                                   const CItemDefaults& defaults,
                                   CAgendaExtension* extension = nullptr);

// Reads a whole file (refusing one larger than kMaxAgendaFileSize). With
// `state`, it is told what the file was as the read began.
Result<CFileBytes> ReadFileBytes(const std::string& path, CDiskState* state = nullptr);

}  // namespace gestalia
