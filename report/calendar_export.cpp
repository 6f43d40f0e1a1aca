#include "report/calendar_export.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>

#include "model/dating.h"
#include "model/timeline.h"
#include "report/note_facts.h"

namespace gestalia {

namespace {

constexpr std::size_t kMaxLineOctets = 75;
constexpr std::string_view kUidDomain = "@gestalia";

// "20270305T103000" for a valid date; nothing for one without calendar fields.
std::optional<std::string> LocalDateTime(const CDateValue& dt) {
    CDateFields f;
    if (!DayNumberOf(dt) || !dt.GetFields(f)) {
        return std::nullopt;
    }
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%04d%02d%02dT%02d%02d%02d", f.year, f.month, f.day,
                  f.hour, f.minute, f.second);
    return std::string(text.data());
}

// "20271008" for a valid date.
std::optional<std::string> LocalDate(const CDateValue& dt) {
    std::optional<std::string> stamp = LocalDateTime(dt.GetDatePart());
    if (stamp) {
        stamp->resize(8);
    }
    return stamp;
}

// FNV-1a, 64 bits: the same number for the same bytes on every system.
std::uint64_t Fingerprint(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

class CCalendarText {
  public:
    void Line(std::string_view name, std::string_view value) {
        m_text += FoldContentLine(std::string(name) + ":" + std::string(value));
    }
    std::string Take() { return std::move(m_text); }

  private:
    std::string m_text;
};

void NoteEvent(CCalendarText& ics, const CAgendaRecord& note, const std::string& start,
               const std::string& uid) {
    ics.Line("BEGIN", "VEVENT");
    ics.Line("UID", uid);
    ics.Line("DTSTAMP", start + "Z");
    ics.Line("DTSTART", start);
    // An end that is not after the start is left out: the event is then the
    // moment of its start.
    if (const std::optional<std::string> end = LocalDateTime(note.dtTo);
        end && (note.dtTo - note.dtFrom).m_span > 0) {
        ics.Line("DTEND", *end);
    }
    const std::string_view text = note.strText;
    ics.Line("SUMMARY", IcsText(text.substr(0, text.find_first_of("\r\n"))));
    std::string description(text);
    if (const std::string facts = NoteFacts(note); !facts.empty()) {
        description += (description.empty() ? "" : "\n\n") + facts;
    }
    ics.Line("DESCRIPTION", IcsText(description));
    ics.Line("END", "VEVENT");
}

void DueDateEvent(CCalendarText& ics, const CAgendaData& agenda) {
    if (!DayNumberOf(agenda.dtLastPeriod)) {
        return;
    }
    const CDating dating = EffectiveDating(agenda.dtLastPeriod, agenda.extension);
    CDateValue due = dating.dtLastPeriod.GetDatePart();
    due.AddDays(kGestationDays);
    CDateValue after = due;
    after.AddDays(1);
    const std::optional<std::string> day = LocalDate(due);
    const std::optional<std::string> next = LocalDate(after);
    if (!day || !next) {
        return;
    }
    ics.Line("BEGIN", "VEVENT");
    ics.Line("UID", "parto-" + *day + std::string(kUidDomain));
    ics.Line("DTSTAMP", *day + "T000000Z");
    ics.Line("DTSTART;VALUE=DATE", *day);
    ics.Line("DTEND;VALUE=DATE", *next);
    ics.Line("SUMMARY", "Fecha probable de parto");
    ics.Line("DESCRIPTION",
             IcsText(std::string("Fecha probable de parto, ") +
                     (dating.bByScan ? "por ecografía" : "por la última regla") + "."));
    ics.Line("TRANSP", "TRANSPARENT");
    ics.Line("END", "VEVENT");
}

}  // namespace

std::string CalendarExport(const CAgendaData& agenda) {
    CCalendarText ics;
    ics.Line("BEGIN", "VCALENDAR");
    ics.Line("VERSION", "2.0");
    ics.Line("PRODID", "-//Gestalia//Agenda del embarazo//ES");
    ics.Line("CALSCALE", "GREGORIAN");
    // How many notes with the same start, end and text came before: identical
    // notes get UIDs of their own.
    std::map<std::uint64_t, int> seen;
    for (const CAgendaRecord& note : agenda.items) {
        const std::optional<std::string> start = LocalDateTime(note.dtFrom);
        if (!start) {
            continue;
        }
        const std::string identity =
            *start + '/' + LocalDateTime(note.dtTo).value_or("") + '/' + note.strText;
        const std::uint64_t hash = Fingerprint(identity);
        std::array<char, 40> uid{};
        std::snprintf(uid.data(), uid.size(), "nota-%016llx-%d",
                      static_cast<unsigned long long>(hash), seen[hash]++);
        NoteEvent(ics, note, *start, uid.data() + std::string(kUidDomain));
    }
    DueDateEvent(ics, agenda);
    ics.Line("END", "VCALENDAR");
    return ics.Take();
}

std::size_t NotesWithoutDate(const CAgendaData& agenda) {
    std::size_t count = 0;
    for (const CAgendaRecord& note : agenda.items) {
        count += LocalDateTime(note.dtFrom) ? 0 : 1;
    }
    return count;
}

std::string IcsText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '\\':
            case ';':
            case ',':
                escaped += '\\';
                escaped += c;
                break;
            case '\r':
                if (i + 1 < text.size() && text[i + 1] == '\n') {
                    ++i;
                }
                [[fallthrough]];
            case '\n':
                escaped += "\\n";
                break;
            default:
                // TEXT holds no control character but the tab.
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) {
                    escaped += c;
                } else if (c == '\t') {
                    escaped += c;
                }
        }
    }
    return escaped;
}

std::string FoldContentLine(std::string_view line) {
    std::string folded;
    folded.reserve(line.size() + line.size() / 64 * 3 + 2);
    // The first physical line holds 75 octets; each continuation a space and 74.
    std::size_t room = kMaxLineOctets;
    while (line.size() > room) {
        std::size_t cut = room;
        // Back to the first byte of the character that would be cut.
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        if (cut == 0) {
            cut = room;  // no character starts here: bytes that are not UTF-8
        }
        folded.append(line.substr(0, cut));
        folded += "\r\n ";
        line.remove_prefix(cut);
        room = kMaxLineOctets - 1;
    }
    folded.append(line);
    folded += "\r\n";
    return folded;
}

}  // namespace gestalia
