// The report page and the iCalendar export, in process: escaping and folding
// at their edges, what the page says for each kind of profile, and UIDs that
// stay with their notes. Real readers check the whole outputs too
// (report_in_browser.py, ics_reader_test.py).

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "model/weight_gain.h"
#include "report/calendar_export.h"
#include "report/note_facts.h"
#include "report/report_page.h"
#include "report/weight_chart_svg.h"

namespace gestalia {
namespace {

struct TextCase {
    const char* name;
    std::string in;
    std::string out;
};

std::string CaseName(const ::testing::TestParamInfo<TextCase>& info) {
    return info.param.name;
}

class EscapesIcsText : public ::testing::TestWithParam<TextCase> {};

TEST_P(EscapesIcsText, AsRfc5545Says) {
    EXPECT_EQ(IcsText(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Report, EscapesIcsText,
    ::testing::Values(TextCase{"Plain", "Visita ñ", "Visita ñ"},
                      TextCase{"Separators", "a,b;c\\d", "a\\,b\\;c\\\\d"},
                      TextCase{"EveryLineBreak", "1\r\n2\r3\n4\n\n", "1\\n2\\n3\\n4\\n\\n"},
                      TextCase{"ControlsDroppedTabKept", std::string("a\x01\tb\x7f", 5), "a\tb"},
                      TextCase{"EscapeNotDoubled", "\\n", "\\\\n"}),
    CaseName);

class EscapesHtml : public ::testing::TestWithParam<TextCase> {};

TEST_P(EscapesHtml, ForContentAndAttributes) {
    EXPECT_EQ(HtmlEscape(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Report, EscapesHtml,
    ::testing::Values(TextCase{"Plain", "Ana y Luis, ¡ya!", "Ana y Luis, ¡ya!"},
                      TextCase{"Markup", "<b>\"x\" & 'y'</b>",
                               "&lt;b&gt;&quot;x&quot; &amp; &#39;y&#39;&lt;/b&gt;"},
                      TextCase{"ReferenceStaysText", "&amp;", "&amp;amp;"}),
    CaseName);

// A line of `before` ASCII octets, then `tail`.
struct FoldCase {
    const char* name;
    std::size_t before;
    std::string tail;
    std::vector<std::size_t>
        lineOctets;  // of each physical line, CR LF and the lead space counted out
};

class FoldsContentLines : public ::testing::TestWithParam<FoldCase> {};

TEST_P(FoldsContentLines, At75OctetsWithoutSplittingACharacter) {
    const FoldCase& c = GetParam();
    const std::string line = std::string(c.before, 'x') + c.tail;
    const std::string folded = FoldContentLine(line);
    ASSERT_TRUE(folded.ends_with("\r\n"));
    std::vector<std::size_t> octets;
    std::string unfolded;
    for (std::size_t from = 0; from < folded.size();) {
        const std::size_t end = folded.find("\r\n", from);
        const std::string physical = folded.substr(from, end - from);
        EXPECT_LE(physical.size(), 75u);
        const std::string content = from == 0 ? physical : physical.substr(1);
        EXPECT_TRUE(from == 0 || physical.starts_with(' '));
        EXPECT_TRUE(content.empty() || (static_cast<unsigned char>(content[0]) & 0xC0) != 0x80);
        octets.push_back(content.size());
        unfolded += content;
        from = end + 2;
    }
    EXPECT_EQ(octets, c.lineOctets);
    EXPECT_EQ(unfolded, line);
}

INSTANTIATE_TEST_SUITE_P(
    Report, FoldsContentLines,
    ::testing::Values(FoldCase{"Short", 10, "", {10}}, FoldCase{"Exactly75", 75, "", {75}},
                      FoldCase{"Exactly76", 76, "", {75, 1}},
                      FoldCase{"ContinuationHolds74", 75 + 74 + 1, "", {75, 74, 1}},
                      FoldCase{"TwoOctetsAcrossTheFold", 74, "ñ", {74, 2}},
                      FoldCase{"FourOctetsEndingAt75", 71, "😀", {75}},
                      FoldCase{"FourOctetsAcrossTheFold", 73, "😀x", {73, 5}},
                      FoldCase{"FourOctetsAtTheFold", 74, "😀", {74, 4}},
                      FoldCase{"FourOctetsAcrossTheSecondFold", 75 + 72, "😀😀", {75, 72, 8}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FoldsContentLines, BytesThatAreNotUtf8StillFold) {
    const std::string folded = FoldContentLine(std::string(100, '\x80'));
    EXPECT_EQ(folded, std::string(75, '\x80') + "\r\n " + std::string(25, '\x80') + "\r\n");
}

struct KilosCase {
    float kg;
    const char* text;
};

class WritesKilos : public ::testing::TestWithParam<KilosCase> {};

TEST_P(WritesKilos, AsSheTypedThem) {
    EXPECT_EQ(KilosText(GetParam().kg), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Report, WritesKilos,
                         ::testing::Values(KilosCase{61.5f, "61,5"}, KilosCase{62.37f, "62,37"},
                                           KilosCase{60.0f, "60"}, KilosCase{0.0f, ""},
                                           KilosCase{NAN, ""}, KilosCase{INFINITY, ""}));

CAgendaRecord Note(std::string text, const CDateValue& from, float kg = 0) {
    CAgendaRecord note;
    note.strText = std::move(text);
    note.dtFrom = from;
    note.dtTo = from;
    note.fWeight = kg;
    return note;
}

CAgendaData Agenda() {
    CAgendaData agenda;
    agenda.dtLastPeriod = CDateValue(2027, 1, 4);
    agenda.items = {Note("Visita, primera\nbien", CDateValue(2027, 2, 15, 10, 30), 60.5f),
                    Note("Eco <12> & \"más\"", CDateValue(2027, 3, 29, 9, 0), 61.8f),
                    Note("Curso", CDateValue(2027, 6, 7, 18, 0))};
    agenda.items[0].visit.nSystolic = 110;
    agenda.items[0].visit.nDiastolic = 70;
    return agenda;
}

std::size_t Count(const std::string& text, std::string_view what) {
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        ++count;
    }
    return count;
}

std::vector<std::string> Uids(const std::string& ics) {
    std::vector<std::string> uids;
    const std::regex uid("\r\nUID:([^\r]*)");
    for (auto it = std::sregex_iterator(ics.begin(), ics.end(), uid); it != std::sregex_iterator();
         ++it) {
        uids.push_back((*it)[1]);
    }
    return uids;
}

TEST(CalendarExport, UidsStayWithTheirNotesWhenOneIsAddedBefore) {
    CAgendaData agenda = Agenda();
    const std::vector<std::string> before = Uids(CalendarExport(agenda));
    EXPECT_EQ(Uids(CalendarExport(agenda)), before);
    agenda.items.insert(agenda.items.begin(), Note("Nueva", CDateValue(2027, 1, 20)));
    const std::vector<std::string> after = Uids(CalendarExport(agenda));
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(std::vector<std::string>(after.begin() + 1, after.end()), before);
}

TEST(CalendarExport, IdenticalNotesGetUidsOfTheirOwn) {
    CAgendaData agenda = Agenda();
    agenda.items.push_back(agenda.items[2]);
    const std::vector<std::string> uids = Uids(CalendarExport(agenda));
    EXPECT_EQ(std::set<std::string>(uids.begin(), uids.end()).size(), uids.size());
}

TEST(CalendarExport, LeavesOutANoteWithoutADateAndSaysHowMany) {
    CAgendaData agenda = Agenda();
    agenda.items.push_back(Note("Sin fecha", CDateValue::FromRaw(0, DateStatus::null)));
    agenda.items.push_back(Note("Rota", CDateValue::FromRaw(NAN, DateStatus::valid)));
    const std::string ics = CalendarExport(agenda);
    EXPECT_EQ(Uids(ics).size(), 4u);  // three notes and the due date
    EXPECT_EQ(ics.find("Sin fecha"), std::string::npos);
    EXPECT_EQ(NotesWithoutDate(agenda), 2u);
}

TEST(CalendarExport, TheDueDateFollowsTheDatingAllDay) {
    CAgendaData agenda = Agenda();
    EXPECT_NE(CalendarExport(agenda).find("\r\nDTSTART;VALUE=DATE:20271011\r\nDTEND;VALUE=DATE:"
                                          "20271012\r\n"),
              std::string::npos);
    agenda.extension.SetScan(CScanDating{CDateValue(2027, 3, 1), std::nullopt, 9 * 7, true});
    const std::string ics = CalendarExport(agenda);
    EXPECT_NE(ics.find("DTSTART;VALUE=DATE:20271004\r\n"), std::string::npos) << ics;
    EXPECT_NE(ics.find("por ecografía"), std::string::npos);
    agenda.dtLastPeriod = CDateValue::FromRaw(0, DateStatus::null);
    EXPECT_EQ(CalendarExport(agenda).find("VALUE=DATE"), std::string::npos);
}

TEST(WeekWeights, CountWholeDaysFromTheEffectiveLastPeriod) {
    CAgendaData agenda = Agenda();
    agenda.items.push_back(Note("Antes", CDateValue(2027, 1, 2), 59.0f));
    agenda.items.push_back(Note("Después", CDateValue(2027, 10, 25), 75.0f));  // day 294
    CDating dating = EffectiveDating(agenda.dtLastPeriod, agenda.extension);
    std::vector<CWeekWeight> points = WeekWeights(agenda.items, dating);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_DOUBLE_EQ(points[0].week, 42 / 7.0);
    EXPECT_DOUBLE_EQ(points[1].week, 12.0);
    EXPECT_DOUBLE_EQ(points[1].kg, 61.8f);
    dating.dtLastPeriod = CDateValue(2027, 1, 11);
    EXPECT_DOUBLE_EQ(WeekWeights(agenda.items, dating)[1].week, 11.0);
}

struct ProfileCase {
    const char* name;
    std::optional<CProfile> profile;
    const char* says;
    bool band;
};

class ReportProfile : public ::testing::TestWithParam<ProfileCase> {};

TEST_P(ReportProfile, SaysWhatTheBandIsOrWhyThereIsNone) {
    CAgendaData agenda = Agenda();
    agenda.extension.SetProfile(GetParam().profile);
    const std::string page = ReportPage(agenda, CDateValue(2027, 4, 1));
    EXPECT_NE(page.find(GetParam().says), std::string::npos) << page;
    EXPECT_EQ(page.find("class=\"band\"") != std::string::npos, GetParam().band);
    EXPECT_EQ(page.find("Weight Gain During Pregnancy") != std::string::npos, GetParam().band);
}

INSTANTIATE_TEST_SUITE_P(
    Report, ReportProfile,
    ::testing::Values(
        ProfileCase{"Single", CProfile{165, 59.9, false},
                    "IMC 22,0 (normal): ganancia recomendada 11,5–16 kg", true},
        ProfileCase{"Twins", CProfile{165, 59.9, true},
                    "IMC 22,0 (normal)</p><p>Embarazo de gemelos: la gráfica no dibuja", false},
        ProfileCase{"None", std::nullopt, "No has puesto tu perfil", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportPage, HoldsHerDatesVisitsAndNotesEscaped) {
    const std::string page = ReportPage(Agenda(), CDateValue(2027, 4, 1));
    for (const char* text : {"4 de Enero de 2027", "11 de Octubre de 2027 (por la última regla)",
                             "Estás de 12 semanas y 3 días", "Eco &lt;12&gt; &amp; &quot;más&quot;",
                             "110/70", "Peso: 60,5 kg; TA 110/70 mmHg", "61,8 kg", "Curso"}) {
        EXPECT_NE(page.find(text), std::string::npos) << text;
    }
    EXPECT_EQ(page.find("<12>"), std::string::npos);
    // The head and a row for each note with a weight or visit data.
    EXPECT_EQ(Count(page, "<tr>"), 3u);
}

TEST(ReportPage, WithoutALastPeriodDrawsNoChart) {
    CAgendaData agenda = Agenda();
    agenda.dtLastPeriod = CDateValue::FromRaw(0, DateStatus::null);
    const std::string page = ReportPage(agenda, CDateValue(2027, 4, 1));
    EXPECT_NE(page.find("Aún no has puesto la fecha de tu última regla."), std::string::npos);
    EXPECT_EQ(page.find("<svg"), std::string::npos);
}

}  // namespace
}  // namespace gestalia
