#include "model/spanish_text.h"

#include <gtest/gtest.h>

namespace gestalia {
namespace {

struct DayNameCase {
    int n;
    const char* text;
};

class SpanishDayNameTest : public ::testing::TestWithParam<DayNameCase> {};

TEST_P(SpanishDayNameTest, MondayIsOne) {
    EXPECT_EQ(SpanishDayName(GetParam().n), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Names, SpanishDayNameTest,
                         ::testing::Values(DayNameCase{1, "Lunes"}, DayNameCase{2, "Martes"},
                                           DayNameCase{3, "Miércoles"}, DayNameCase{4, "Jueves"},
                                           DayNameCase{5, "Viernes"}, DayNameCase{6, "Sábado"},
                                           DayNameCase{7, "Domingo"}, DayNameCase{0, ""},
                                           DayNameCase{8, ""}, DayNameCase{-1, ""}));

TEST(SpanishTextTest, AccentedNamesAreUtf8) {
    EXPECT_EQ(SpanishDayName(3), "Mi\xC3\xA9rcoles");
    EXPECT_EQ(SpanishDayName(6),
              "S\xC3\xA1"
              "bado");
}

struct DateTextCase {
    int day, month, year;
    const char* text;
};

class SpanishDateTextTest : public ::testing::TestWithParam<DateTextCase> {};

TEST_P(SpanishDateTextTest, GivesThePhrase) {
    const DateTextCase c = GetParam();
    EXPECT_EQ(SpanishDateText(c.day, c.month, c.year), c.text);
}

INSTANTIATE_TEST_SUITE_P(Phrases, SpanishDateTextTest,
                         ::testing::Values(DateTextCase{5, 3, 2012, "5 de Marzo de 2012"},
                                           DateTextCase{5, 3, 0, "5 de Marzo"},
                                           DateTextCase{0, 3, 2012, "Marzo 2012"},
                                           DateTextCase{0, 3, 0, "Marzo 0"},
                                           DateTextCase{30, 9, 2027, "30 de Septiembre de 2027"},
                                           DateTextCase{1, 1, 100, "1 de Enero de 100"},
                                           DateTextCase{31, 12, 9999, "31 de Diciembre de 9999"},
                                           DateTextCase{-1, -1, -1, "-1 de ? de -1"},
                                           DateTextCase{0, 13, 2012, "? 2012"}));

TEST(SpanishTextTest, LongestPhraseHas24Characters) {
    EXPECT_EQ(SpanishDateText(30, 9, 2027).size(), 24u);
}

TEST(SpanishTextTest, MonthNames) {
    const char* names[] = {"Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
                           "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre"};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(SpanishMonthName(m), names[m - 1]);
    }
    EXPECT_EQ(SpanishMonthName(0), "?");
}

}  // namespace
}  // namespace gestalia
