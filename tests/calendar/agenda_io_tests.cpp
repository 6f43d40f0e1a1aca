// SaveAgenda and LoadAgenda through the control: the whole agenda goes to the
// file; a sound file replaces the store and the last-period date, anything else
// changes nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/calendar/calendar_fixture.h"
#include "tests/support/temp_dir.h"

namespace gestalia::test {
namespace {

class AgendaIo : public CalendarFixture {
  protected:
    void Fill() {
        globals.dtLastPeriod = CDateValue(2027, 1, 4);
        ctrl.AddItem(CDateValue(2027, 3, 1, 9, 30), CDateValue(2027, 3, 1, 10), "Consulta", 1,
                     61.5f);
        ctrl.AddItem(CDateValue(2027, 3, 2), CDateValue(2027, 3, 2), "Análisis", 0, 0.0f);
        ctrl.AddItem(CDateValue(2027, 3, 3), CDateValue(2027, 3, 3), "", -1, 62.0f);
    }
    CTempDir dir;
};

TEST_F(AgendaIo, EmptyAgendaIsSixteenBytes) {
    const std::string path = dir.File("vacia.gst");
    ASSERT_TRUE(ctrl.SaveAgenda(path).ok());
    EXPECT_EQ(ReadAll(path).size(), 16u);
}

TEST_F(AgendaIo, SaveThenLoadRestoresItemsInOrderWithFreshIds) {
    Fill();
    ctrl.SetItemTask(2, 1);
    const std::string path = dir.File("agenda.gst");
    ASSERT_TRUE(ctrl.SaveAgenda(path).ok());
    EXPECT_EQ(ReadAll(path).size(), 16u + (36 + 8) + (36 + 8) + 36) << "Análisis is 8 bytes";

    CGlobals other;
    CWMDateCtrl reader(other, clock);
    CRecordingHost readerHost;
    reader.SetHost(&readerHost);
    AddNote(CDateValue(2027, 5, 5), "ignored");  // the writer's store is not the reader's
    reader.AddItem(CDateValue(2027, 5, 5), CDateValue(2027, 5, 5), "vieja", -1, 0.0f);
    reader.m_crBack = RGB(200, 201, 202);

    ASSERT_TRUE(reader.LoadAgenda(path).ok());
    EXPECT_TRUE(other.dtLastPeriod == CDateValue(2027, 1, 4));
    ASSERT_EQ(other.listItems.size(), 3u);
    const char* texts[] = {"Consulta", "Análisis", ""};
    for (std::size_t i = 0; i < 3; ++i) {
        const CWVCellDataItem& item = other.listItems.at(i);
        EXPECT_EQ(item.GetID(), static_cast<std::int32_t>(i + 1));
        EXPECT_EQ(item.GetText(), texts[i]);
        EXPECT_EQ(item.GetTask(), 0) << "the task flag is not kept in the file";
        EXPECT_EQ(item.GetBack(), RGB(200, 201, 202));
    }
    EXPECT_TRUE(other.listItems.at(0).GetFrom() == CDateValue(2027, 3, 1, 9, 30));
    EXPECT_EQ(other.listItems.at(0).GetImage(), 1);
    EXPECT_FLOAT_EQ(other.listItems.at(0).GetWeight(), 61.5f);
    EXPECT_GE(readerHost.m_nInvalidations, 1);
    EXPECT_EQ(reader.AddItem(CDateValue(2027, 3, 4), CDateValue(2027, 3, 4), "n", -1, 0.0f), 4);

    // Written again, the agenda gives the same bytes.
    const std::string again = dir.File("otra.gst");
    ASSERT_TRUE(reader.DeleteItem(4));
    ASSERT_TRUE(reader.SaveAgenda(again).ok());
    EXPECT_EQ(ReadAll(again), ReadAll(path));
}

TEST_F(AgendaIo, LoadFilesTheNotesByDayAndForgetsTheOldOnes) {
    Fill();
    const std::string path = dir.File("agenda.gst");
    ASSERT_TRUE(ctrl.SaveAgenda(path).ok());
    AddNote(CDateValue(2027, 5, 5, 8), "vieja");
    AddNote(CDateValue(2027, 3, 1, 7), "antes");
    ASSERT_TRUE(ctrl.LoadAgenda(path).ok());
    const auto texts = [this](const CDateValue& day) {
        std::vector<std::string> found;
        for (const CWVCellDataItem* item : globals.listItems.ItemsOfDay(day)) {
            found.emplace_back(item->Text());
        }
        return found;
    };
    EXPECT_EQ(texts(CDateValue(2027, 3, 1)), std::vector<std::string>{"Consulta"});
    EXPECT_EQ(texts(CDateValue(2027, 3, 2)), std::vector<std::string>{"Análisis"});
    EXPECT_TRUE(texts(CDateValue(2027, 5, 5)).empty());
}

TEST_F(AgendaIo, FailedLoadChangesNothing) {
    Fill();
    const std::string path = dir.File("agenda.gst");
    ASSERT_TRUE(ctrl.SaveAgenda(path).ok());
    const std::string whole = ReadAll(path);
    const std::string cut = dir.File("cortada.gst");
    WriteAll(cut, whole.substr(0, whole.size() - 3));

    globals.dtLastPeriod = CDateValue(2026, 12, 1);
    ctrl.DeleteItem(3);
    host.ClearLog();
    for (const std::string& bad : {cut, dir.File("no-existe.gst")}) {
        const Status status = ctrl.LoadAgenda(bad);
        EXPECT_FALSE(status.ok()) << bad;
        EXPECT_FALSE(status.error().message.empty());
    }
    EXPECT_TRUE(globals.dtLastPeriod == CDateValue(2026, 12, 1));
    ASSERT_EQ(globals.listItems.size(), 2u);
    EXPECT_EQ(globals.listItems.at(0).GetID(), 1);
    EXPECT_EQ(AddNote(CDateValue(2027, 3, 9), "x"), 4) << "the id counter was not reset";
    EXPECT_EQ(host.m_nInvalidations, 0);
}

TEST_F(AgendaIo, FailedSaveReportsAndKeepsTheOldFile) {
    Fill();
    const std::string path = dir.File("agenda.gst");
    ASSERT_TRUE(ctrl.SaveAgenda(path).ok());
    const std::string before = ReadAll(path);
    AddNote(CDateValue(2027, 3, 9), "€ sí, 😀 no");  // not storable in Windows-1252
    EXPECT_FALSE(ctrl.SaveAgenda(path).ok());
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(ctrl.SaveAgenda(dir.File("no/such/dir.gst")).ok());
}

TEST_F(AgendaIo, LoadKeepsAnInvalidLastPeriod) {
    globals.dtLastPeriod = CDateValue::FromRaw(0.0, DateStatus::invalid);
    const std::string path = dir.File("invalida.gst");
    ASSERT_TRUE(ctrl.SaveAgenda(path).ok());
    globals.dtLastPeriod = CDateValue(2027, 1, 1);
    ASSERT_TRUE(ctrl.LoadAgenda(path).ok());
    EXPECT_EQ(globals.dtLastPeriod.GetStatus(), DateStatus::invalid);
}

TEST_F(AgendaIo, HitItemOfTheOldAgendaNamesNoNoteOfTheLoadedOne) {
    // The agenda to open: one note, id 1 once read, on another day.
    CGlobals other;
    CWMDateCtrl writer(other, clock);
    writer.AddItem(CDateValue(2027, 3, 20), CDateValue(2027, 3, 20), "ajena", -1, 0.0f);
    const std::string path = dir.File("otra.gst");
    ASSERT_TRUE(writer.SaveAgenda(path).ok());

    // Three notes on 1 March: the first is hit, the others behind the marker.
    ShowMarch();
    const std::int32_t hit = AddNote(CDateValue(2027, 3, 1, 8), "primera");
    AddNote(CDateValue(2027, 3, 1, 9), "segunda");
    AddNote(CDateValue(2027, 3, 1, 10), "tercera");
    Paint();
    ctrl.OnLButtonDown({10, 45});
    ASSERT_EQ(ctrl.GetCell(1)->m_nHitItemId, hit);

    ASSERT_TRUE(ctrl.LoadAgenda(path).ok());
    Paint();
    ASSERT_EQ(globals.listItems.at(0).GetID(), hit) << "ids restart with the file";
    // A press on the corner where the marker was drawn keeps the cell's hit
    // item; the note it named is gone with the old agenda.
    host.ClearLog();
    ctrl.OnRButtonDown({60, 52});
    ctrl.OnRButtonUp({60, 52});
    ASSERT_EQ(host.m_notifies.size(), 1u);
    EXPECT_EQ(host.m_notifies[0].nm.hdr.code, NM_DBLCLK);
    EXPECT_EQ(host.m_notifies[0].nm.pItem, nullptr);
    EXPECT_EQ(host.m_notifies[0].nm.nItemId, 0);
}

}  // namespace
}  // namespace gestalia::test
