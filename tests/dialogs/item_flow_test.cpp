// The main window's note flows, driven without a screen: the double-click
// editor, the item commands and the weight chart, with the agenda file in a
// temporary folder.

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/cal_ctrl_dlg.h"
#include "calendar/cell_data.h"
#include "calendar/notify.h"
#include "calendar/wm_date_ctrl.h"
#include "dialogs/weight_text.h"
#include "model/agenda_file.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/visit.h"
#include "resources/control_ids.h"
#include "tests/support/fake_ui.h"
#include "tests/support/little_endian.h"
#include "tests/support/recording_surface.h"
#include "tests/support/temp_dir.h"

namespace gestalia {
namespace {

using test::CFakeDialogWindow;
using test::CFakeUiMetrics;
using test::CFakeUiServices;
using test::CTempDir;
using test::PutDouble;
using test::PutFloat;
using test::PutI32;
using test::ReadAll;

class ItemFlowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.ok());
        m_globals.dtLastPeriod = CDateValue(2027, 1, 1, 0, 0, 0);
        m_globals.szAgendaPath = m_dir.File("agenda.gst");
        // March 2027 begins on a Monday: cell i holds i March.
        m_dlg.Calendar().ShowMonth(CDateValue(2027, 3, 1, 0, 0, 0), 0, WMVIEW_MONTH);
    }

    CWVCellData* Cell(int index) { return m_dlg.Calendar().GetCell(index); }

    NMWMDATECTRL Notification(std::int32_t code, CWVCellData* cell, std::int32_t itemId) {
        NMWMDATECTRL nm;
        nm.hdr.idFrom = IDC_CALENDAR;
        nm.hdr.code = code;
        nm.pCell = cell;
        nm.pItem = itemId != 0 ? m_globals.listItems.Find(itemId) : nullptr;
        nm.nItemId = nm.pItem != nullptr ? itemId : 0;
        return nm;
    }

    // The press that begins a double-click on a note sends the click first.
    void DoubleClickNote(int cellIndex, std::int32_t itemId) {
        m_dlg.OnCalendarClick(Notification(NM_CLICK, Cell(cellIndex), itemId));
        m_dlg.OnCalendarDblClk(Notification(NM_DBLCLK, Cell(cellIndex), itemId));
    }
    void DoubleClickDay(int cellIndex) {
        m_dlg.OnCalendarDblClk(Notification(NM_DBLCLK, Cell(cellIndex), 0));
    }

    std::int32_t AddNote(const CDateValue& from, const CDateValue& to, const std::string& text,
                         float weight, std::int32_t bTask = 0) {
        const std::int32_t id =
            m_dlg.Calendar().AddItem(from, to, text, bTask == 0 ? 1 : 0, weight);
        m_dlg.Calendar().SetItemTask(id, bTask);
        return id;
    }

    // The file as the store would be written now.
    std::string ExpectedFile() const {
        Result<std::string> bytes = SerializeAgenda(m_globals.dtLastPeriod, m_globals.listItems);
        EXPECT_TRUE(bytes.ok());
        return bytes.ok() ? bytes.value() : std::string();
    }
    std::string SavedFile() const { return ReadAll(m_globals.szAgendaPath); }
    // The visits of the saved file's notes, in the file's order.
    std::vector<CVisit> SavedVisits() const {
        Result<CAgendaData> saved = ParseAgenda(SavedFile());
        EXPECT_TRUE(saved.ok());
        std::vector<CVisit> visits;
        if (saved.ok()) {
            for (const CAgendaRecord& note : saved.value().items) {
                visits.push_back(note.visit);
            }
        }
        return visits;
    }

    CTempDir m_dir;
    CFixedClock m_clock{CFixedClock::LocalSeconds(2027, 3, 10, 15, 20, 0)};
    CGlobals m_globals;
    CFakeUiServices m_ui;
    CFakeUiMetrics m_metrics;
    CCalCtrlDlg m_dlg{m_globals, m_ui, m_metrics, m_clock};
};

TEST_F(ItemFlowTest, DoubleClickOnAnEmptyDayAddsANoteAndSavesIt) {
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_EQ(w.Template().id, 130);
        EXPECT_EQ(w.Caption(), "Añadir anotación - 05/03/2027");
        EXPECT_FALSE(w.IsControlVisible(IDC_ITEM_DELETE));
        EXPECT_EQ(w.GetControlText(IDC_ITEM_TEXT), "");
        EXPECT_EQ(w.GetControlText(IDC_ITEM_WEIGHT), "");
        w.SetControlText(IDC_ITEM_TEXT, "Primera ecografía");
        w.SetControlText(IDC_ITEM_WEIGHT, "62,5");
        w.Click(IDOK);
    });
    DoubleClickDay(5);

    ASSERT_EQ(m_globals.listItems.size(), 1u);
    const CWVCellDataItem& item = m_globals.listItems.at(0);
    EXPECT_EQ(item.GetText(), "Primera ecografía");
    EXPECT_EQ(item.GetFrom(), CDateValue(2027, 3, 5, 0, 0, 0));
    EXPECT_EQ(item.GetTo(), CDateValue(2027, 3, 5, 0, 0, 0));
    EXPECT_EQ(item.GetImage(), 1);
    EXPECT_EQ(item.GetTask(), 0);
    EXPECT_EQ(item.GetWeight(), 62.5f);

    // The file, byte by byte: 1 January 2027 is day 46388, 5 March day 46451.
    std::string expected;
    PutDouble(expected, 46388.0);
    PutI32(expected, 0);
    PutI32(expected, 1);
    PutI32(expected, 17);
    expected +=
        "Primera ecograf\xED"
        "a";
    PutDouble(expected, 46451.0);
    PutI32(expected, 0);
    PutDouble(expected, 46451.0);
    PutI32(expected, 0);
    PutI32(expected, 1);
    PutFloat(expected, 62.5f);
    EXPECT_EQ(SavedFile(), expected);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
}

class ItemFlowChangeTest : public ItemFlowTest,
                           public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(ItemFlowChangeTest, DoubleClickOnANoteChangesItAndKeepsItsTimes) {
    const std::int32_t bTask = GetParam();
    const CDateValue from(2027, 3, 12, 9, 15, 0);
    const CDateValue to(2027, 3, 12, 10, 0, 0);
    AddNote(CDateValue(2027, 3, 11, 0, 0, 0), CDateValue(2027, 3, 11, 0, 0, 0), "otra", 0.0f);
    const std::int32_t id = AddNote(from, to, "Control", 60.0f, bTask);

    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_EQ(w.Caption(), "Modificar anotación - 12/03/2027");
        EXPECT_TRUE(w.IsControlVisible(IDC_ITEM_DELETE));
        EXPECT_EQ(w.GetControlText(IDC_ITEM_TEXT), "Control");
        EXPECT_EQ(w.GetControlText(IDC_ITEM_WEIGHT), "60");
        w.SetControlText(IDC_ITEM_TEXT, "Control del mes");
        w.SetControlText(IDC_ITEM_WEIGHT, "61.2");
        w.Click(IDOK);
    });
    DoubleClickNote(12, id);

    ASSERT_EQ(m_globals.listItems.size(), 2u);
    const CWVCellDataItem* item = m_globals.listItems.Find(id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetText(), "Control del mes");
    EXPECT_EQ(item->GetWeight(), 61.2f);
    EXPECT_EQ(item->GetFrom(), from);
    EXPECT_EQ(item->GetTo(), to);
    // A task gets the task icon, anything else the appointment icon; the flag stays.
    EXPECT_EQ(item->GetImage(), bTask == 1 ? 0 : 1);
    EXPECT_EQ(item->GetTask(), bTask);
    EXPECT_EQ(SavedFile(), ExpectedFile());
}

INSTANTIATE_TEST_SUITE_P(TaskFlags, ItemFlowChangeTest, ::testing::Values(0, 1));

TEST_F(ItemFlowTest, ANoteReadFromAFileKeepsItsIconWhenChanged) {
    // Read from a file: task flag 0 whatever its icon was; the type follows the icon.
    const std::int32_t id = m_dlg.Calendar().AddItem(
        CDateValue(2027, 3, 2, 0, 0, 0), CDateValue(2027, 3, 2, 0, 0, 0), "leída", 0, 0.0f);
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDOK); });
    DoubleClickNote(2, id);
    EXPECT_EQ(m_globals.listItems.Find(id)->GetImage(), 0);
}

// A note as a file may hold it, opened and closed with OK untouched.
struct UntouchedCase {
    const char* name;
    CAgendaRecord note;
};

void PrintTo(const UntouchedCase& c, std::ostream* os) {
    *os << c.name;
}

class ItemFlowUntouchedTest : public ItemFlowTest,
                              public ::testing::WithParamInterface<UntouchedCase> {};

TEST_P(ItemFlowUntouchedTest, OkOnAnUntouchedNoteWritesItBackByteForByte) {
    CAgendaData data{m_globals.dtLastPeriod, {GetParam().note}, {}};
    const Result<std::string> bytes = SerializeAgenda(data);
    ASSERT_TRUE(bytes.ok());
    test::WriteAll(m_globals.szAgendaPath, bytes.value());
    m_ui.QueueOpenFile(m_globals.szAgendaPath);
    m_dlg.OnOpenAgenda();
    m_dlg.Calendar().ShowMonth(CDateValue(2027, 3, 1, 0, 0, 0), 0, WMVIEW_MONTH);
    ASSERT_EQ(m_globals.listItems.size(), 1u);

    m_ui.ActLikeToolkits();
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDOK); });
    DoubleClickNote(12, m_globals.listItems.at(0).GetID());
    EXPECT_EQ(SavedFile(), bytes.value());
}

const CDateValue kNoteStart(2027, 3, 12, 9, 0, 0);
const CDateValue kNoteEnd(2027, 3, 12, 10, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    Notes, ItemFlowUntouchedTest,
    ::testing::Values(
        UntouchedCase{"BareLineFeed", {"una\nlínea", kNoteStart, kNoteEnd, 1, 0.0f, {}}},
        UntouchedCase{
            "NullEnd",
            {"fin nulo", kNoteStart, CDateValue::FromRaw(0.0, DateStatus::null), 1, 0.0f, {}}},
        UntouchedCase{"InvalidEnd",
                      {"fin no válido",
                       kNoteStart,
                       CDateValue::FromRaw(7.5, DateStatus::invalid),
                       1,
                       0.0f,
                       {}}},
        UntouchedCase{"TaskIcon", {"tarea", kNoteStart, kNoteEnd, 0, 0.0f, {}}},
        UntouchedCase{"OtherIcon", {"otro icono", kNoteStart, kNoteEnd, 5, 0.0f, {}}},
        UntouchedCase{"TwoDecimals", {"peso", kNoteStart, kNoteEnd, 1, 62.37f, {}}},
        UntouchedCase{"ManyDecimals", {"peso", kNoteStart, kNoteEnd, 1, 61.123456f, {}}},
        UntouchedCase{"WholeVisit",
                      {"visita", kNoteStart, kNoteEnd, 1, 60.0f, {120, 80, 28.5, 140, true}}},
        // The boxes show 28,123456789 and an unticked box; both give back
        // exactly what the file held.
        UntouchedCase{"FineHeightNoOedema",
                      {"visita",
                       kNoteStart,
                       kNoteEnd,
                       1,
                       0.0f,
                       {std::nullopt, std::nullopt, 28.123456789, std::nullopt, false}}},
        // Out of range in the file: shown, and kept while she leaves it alone.
        UntouchedCase{"OutOfRangeKept",
                      {"visita", kNoteStart, kNoteEnd, 1, 0.0f, {300, 200, 60.0, 10, {}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ItemFlowTest, BorrarAnsweredNoKeepsTheNoteAndStillSaves) {
    const std::int32_t id = AddNote(CDateValue(2027, 3, 3, 0, 0, 0),
                                    CDateValue(2027, 3, 3, 0, 0, 0), "Vitaminas", 59.5f);
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_ITEM_TEXT, "no debería quedar");
        w.Click(IDC_ITEM_DELETE);
    });
    m_ui.QueueMessageBox(IDNO);
    DoubleClickNote(3, id);

    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    const auto& box = m_ui.MessageBoxes()[0];
    EXPECT_EQ(box.strText, "¿Desea borrar esta anotación?");
    EXPECT_EQ(box.strCaption, "Borrar Anotación");
    EXPECT_EQ(box.buttons, MbButtons::YesNo);
    EXPECT_EQ(box.icon, MbIcon::Question);
    EXPECT_EQ(box.defaultButton, MbDefault::Second);  // Enter answers "No"
    ASSERT_EQ(m_globals.listItems.size(), 1u);
    EXPECT_EQ(m_globals.listItems.at(0).GetText(), "Vitaminas");
    EXPECT_EQ(m_globals.listItems.at(0).GetWeight(), 59.5f);
    EXPECT_EQ(m_dlg.SelectedId(), id);
    ASSERT_FALSE(SavedFile().empty());
    EXPECT_EQ(SavedFile(), ExpectedFile());
}

TEST_F(ItemFlowTest, BorrarAnsweredYesDeletesTheNoteAndSavesThat) {
    const std::int32_t keep =
        AddNote(CDateValue(2027, 3, 3, 0, 0, 0), CDateValue(2027, 3, 3, 0, 0, 0), "Queda", 0.0f);
    const std::int32_t id =
        AddNote(CDateValue(2027, 3, 3, 0, 0, 0), CDateValue(2027, 3, 3, 0, 0, 0), "Se va", 59.5f);
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDC_ITEM_DELETE); });
    m_ui.QueueMessageBox(IDYES);
    DoubleClickNote(3, id);

    ASSERT_EQ(m_globals.listItems.size(), 1u);
    EXPECT_EQ(m_globals.listItems.at(0).GetID(), keep);
    EXPECT_EQ(m_globals.listItems.Find(id), nullptr);
    EXPECT_EQ(SavedFile(), ExpectedFile());
    Result<CAgendaData> saved = ParseAgenda(SavedFile());
    ASSERT_TRUE(saved.ok());
    ASSERT_EQ(saved.value().items.size(), 1u);
    EXPECT_EQ(saved.value().items[0].strText, "Queda");
}

// A double-click on the overflow marker opens the note under it although the
// press before it sent no click, so the last clicked note may be another one:
// "Borrar" must delete the note the editor showed, never that other one.
TEST_F(ItemFlowTest, BorrarDeletesTheNoteInTheEditorNotTheLastClickedOne) {
    const std::int32_t clicked =
        AddNote(CDateValue(2027, 3, 2, 0, 0, 0), CDateValue(2027, 3, 2, 0, 0, 0), "Pulsada", 0.0f);
    const std::int32_t edited =
        AddNote(CDateValue(2027, 3, 3, 0, 0, 0), CDateValue(2027, 3, 3, 0, 0, 0), "Editada", 0.0f);
    m_dlg.OnCalendarClick(Notification(NM_CLICK, Cell(2), clicked));
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_EQ(w.GetControlText(IDC_ITEM_TEXT), "Editada");
        w.Click(IDC_ITEM_DELETE);
    });
    m_ui.QueueMessageBox(IDYES);
    m_dlg.OnCalendarDblClk(Notification(NM_DBLCLK, Cell(3), edited));

    ASSERT_EQ(m_globals.listItems.size(), 1u);
    EXPECT_EQ(m_globals.listItems.at(0).GetID(), clicked);
    EXPECT_EQ(m_globals.listItems.Find(edited), nullptr);
    EXPECT_EQ(SavedFile(), ExpectedFile());
}

TEST_F(ItemFlowTest, CancelChangesNothingButStillSaves) {
    const std::int32_t id = AddNote(CDateValue(2027, 3, 8, 0, 0, 0),
                                    CDateValue(2027, 3, 8, 0, 0, 0), "Sin cambios", 58.0f);
    test::WriteAll(m_globals.szAgendaPath, "an older agenda");
    // Not an agenda, written by someone else: asked, her agenda goes in its place.
    m_ui.QueueMessageBox(IDYES);
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_ITEM_TEXT, "cambio que no vale");
        w.SetControlText(IDC_ITEM_WEIGHT, "70");
        w.Click(IDCANCEL);
    });
    DoubleClickNote(8, id);

    EXPECT_EQ(m_globals.listItems.Find(id)->GetText(), "Sin cambios");
    EXPECT_EQ(m_globals.listItems.Find(id)->GetWeight(), 58.0f);
    EXPECT_EQ(SavedFile(), ExpectedFile());
}

TEST_F(ItemFlowTest, CancelOnAnEmptyDayAddsNothingButSaves) {
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDCANCEL); });
    DoubleClickDay(20);
    EXPECT_TRUE(m_globals.listItems.empty());
    EXPECT_EQ(SavedFile().size(), kAgendaHeaderSize);
}

struct WeightCase {
    const char* typed;
    float stored;
};

void PrintTo(const WeightCase& c, std::ostream* os) {
    *os << '"' << c.typed << '"';
}

class ItemFlowWeightTest : public ItemFlowTest, public ::testing::WithParamInterface<WeightCase> {};

TEST_P(ItemFlowWeightTest, StoresTheTypedWeight) {
    const std::string typed = GetParam().typed;
    m_ui.QueueDialog([typed](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_ITEM_TEXT, "Peso");
        w.SetControlText(IDC_ITEM_WEIGHT, typed);
        w.Click(IDOK);
    });
    DoubleClickDay(15);
    ASSERT_EQ(m_globals.listItems.size(), 1u);
    EXPECT_EQ(m_globals.listItems.at(0).GetWeight(), GetParam().stored);
    Result<CAgendaData> saved = ParseAgenda(SavedFile());
    ASSERT_TRUE(saved.ok());
    ASSERT_EQ(saved.value().items.size(), 1u);
    EXPECT_EQ(saved.value().items[0].fWeight, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Weights, ItemFlowWeightTest,
                         ::testing::Values(WeightCase{"62,5", 62.5f}, WeightCase{"62.5", 62.5f},
                                           WeightCase{"", 0.0f}, WeightCase{"140", 140.0f}));

class ItemFlowBadWeightTest : public ItemFlowTest,
                              public ::testing::WithParamInterface<const char*> {};

// A weight that is not accepted says what is, and the editor stays open with
// everything she typed.
TEST_P(ItemFlowBadWeightTest, IsExplainedAndTheEditorStaysOpen) {
    const std::string typed = GetParam();
    m_ui.QueueDialog([this, typed](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_ITEM_TEXT, "Hoy peso");
        w.SetControlText(IDC_ITEM_WEIGHT, typed);
        w.Click(IDOK);
        EXPECT_FALSE(w.Result().has_value());
        ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
        EXPECT_EQ(m_ui.MessageBoxes()[0].strText, kWeightHelp);
        EXPECT_EQ(w.GetControlText(IDC_ITEM_TEXT), "Hoy peso");
        EXPECT_EQ(w.GetControlText(IDC_ITEM_WEIGHT), typed);
        w.SetControlText(IDC_ITEM_WEIGHT, "61");
        w.Click(IDOK);
    });
    DoubleClickDay(15);
    ASSERT_EQ(m_globals.listItems.size(), 1u);
    EXPECT_EQ(m_globals.listItems.at(0).GetText(), "Hoy peso");
    EXPECT_EQ(m_globals.listItems.at(0).GetWeight(), 61.0f);
}

INSTANTIATE_TEST_SUITE_P(Weights, ItemFlowBadWeightTest,
                         ::testing::Values("abc", "-3", "150", "1e9", "sin peso"));

// The visit boxes as she fills them in, each empty unless given.
struct VisitTyping {
    const char* name;
    const char* systolic;
    const char* diastolic;
    const char* height;
    const char* heartRate;
    bool bOedema;
};

void TypeVisit(CFakeDialogWindow& w, const VisitTyping& typed) {
    w.SetControlText(IDC_ITEM_SYSTOLIC, typed.systolic);
    w.SetControlText(IDC_ITEM_DIASTOLIC, typed.diastolic);
    w.SetControlText(IDC_ITEM_FUNDAL_HEIGHT, typed.height);
    w.SetControlText(IDC_ITEM_HEART_RATE, typed.heartRate);
    if (typed.bOedema != w.GetCheck(IDC_ITEM_OEDEMA)) {
        w.Click(IDC_ITEM_OEDEMA);
    }
}

// What she types and the visit the saved file then holds.
struct VisitCase {
    VisitTyping typed;
    CVisit saved;
};

void PrintTo(const VisitCase& c, std::ostream* os) {
    *os << c.typed.name;
}

class ItemFlowNewVisitTest : public ItemFlowTest,
                             public ::testing::WithParamInterface<VisitCase> {};

TEST_P(ItemFlowNewVisitTest, ANewNoteSavesTheVisitTyped) {
    const VisitTyping typed = GetParam().typed;
    m_ui.QueueDialog([typed](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_ITEM_TEXT, "Control");
        TypeVisit(w, typed);
        w.Click(IDOK);
    });
    DoubleClickDay(15);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(SavedVisits(), std::vector<CVisit>{GetParam().saved});
    EXPECT_EQ(m_globals.listItems.HasVisits(), !GetParam().saved.empty());
    EXPECT_EQ(SavedFile(), ExpectedFile());
}

INSTANTIATE_TEST_SUITE_P(
    Visits, ItemFlowNewVisitTest,
    ::testing::Values(
        VisitCase{{"Whole", "120", "80", "28,5", "140", true}, {120, 80, 28.5, 140, true}},
        VisitCase{{"DecimalPoint", "", "", "28.5", "", false}, {{}, {}, 28.5, {}, {}}},
        VisitCase{{"PressureOnly", " 110 ", "70", "", "", false}, {110, 70, {}, {}, {}}},
        VisitCase{{"OedemaOnly", "", "", "", "", true}, {{}, {}, {}, {}, true}},
        VisitCase{{"LowestEdges", "50", "30", "5", "60", false}, {50, 30, 5.0, 60, {}}},
        VisitCase{{"HighestEdges", "250", "150", "50", "220", false}, {250, 150, 50.0, 220, {}}},
        VisitCase{{"BlanksAreNothing", " ", "", "  ", "", false}, {}}),
    [](const auto& info) { return std::string(info.param.typed.name); });

struct BadVisitCase {
    VisitTyping typed;
    int nBox;  // the box to fix, focused after the message
    const char* message;
};

void PrintTo(const BadVisitCase& c, std::ostream* os) {
    *os << c.typed.name;
}

class ItemFlowBadVisitTest : public ItemFlowTest,
                             public ::testing::WithParamInterface<BadVisitCase> {};

// A value not accepted says the range, and the editor stays open with
// everything she typed; emptying that box lets the note go.
TEST_P(ItemFlowBadVisitTest, IsExplainedAndTheEditorStaysOpen) {
    const BadVisitCase bad = GetParam();
    m_ui.QueueDialog([this, bad](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_ITEM_TEXT, "Visita");
        w.SetControlText(IDC_ITEM_WEIGHT, "60");
        TypeVisit(w, bad.typed);
        w.Click(IDOK);
        EXPECT_FALSE(w.Result().has_value());
        ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
        EXPECT_EQ(m_ui.MessageBoxes()[0].strText, bad.message);
        EXPECT_EQ(m_ui.MessageBoxes()[0].strCaption, "Visita");
        EXPECT_EQ(w.Focus(), bad.nBox);
        EXPECT_EQ(w.GetControlText(IDC_ITEM_TEXT), "Visita");
        EXPECT_EQ(w.GetControlText(IDC_ITEM_WEIGHT), "60");
        EXPECT_EQ(w.GetControlText(IDC_ITEM_SYSTOLIC), bad.typed.systolic);
        EXPECT_EQ(w.GetControlText(IDC_ITEM_DIASTOLIC), bad.typed.diastolic);
        EXPECT_EQ(w.GetControlText(IDC_ITEM_FUNDAL_HEIGHT), bad.typed.height);
        EXPECT_EQ(w.GetControlText(IDC_ITEM_HEART_RATE), bad.typed.heartRate);
        EXPECT_EQ(w.GetCheck(IDC_ITEM_OEDEMA), bad.typed.bOedema);
        w.SetControlText(bad.nBox, "");
        w.Click(IDOK);
    });
    DoubleClickDay(15);
    EXPECT_EQ(m_ui.MessageBoxes().size(), 1u);
    ASSERT_EQ(m_globals.listItems.size(), 1u);
    EXPECT_EQ(m_globals.listItems.at(0).GetText(), "Visita");
    EXPECT_EQ(SavedFile(), ExpectedFile());
}

INSTANTIATE_TEST_SUITE_P(
    Visits, ItemFlowBadVisitTest,
    ::testing::Values(
        BadVisitCase{{"Word", "abc", "80", "", "", false},
                     IDC_ITEM_SYSTOLIC,
                     "La tensión sistólica (la alta) debe ser un número entero entre 50 y 250 "
                     "mmHg, por ejemplo 120. Deja la casilla vacía si no quieres anotarlo."},
        BadVisitCase{{"DecimalRate", "", "", "", "12,5", true},
                     IDC_ITEM_HEART_RATE,
                     "El latido fetal debe ser un número entero entre 60 y 220 lpm, por ejemplo "
                     "140. Deja la casilla vacía si no quieres anotarlo."},
        BadVisitCase{{"NegativeHeight", "", "", "-5", "", false},
                     IDC_ITEM_FUNDAL_HEIGHT,
                     "La altura uterina debe ser un número entre 5 y 50 cm, por ejemplo 28,5. "
                     "Deja la casilla vacía si no quieres anotarlo."},
        BadVisitCase{{"HighSystolic", "251", "80", "", "", false},
                     IDC_ITEM_SYSTOLIC,
                     "La tensión sistólica (la alta) debe estar entre 50 y 250 mmHg."},
        BadVisitCase{{"LowDiastolic", "", "29", "", "", false},
                     IDC_ITEM_DIASTOLIC,
                     "La tensión diastólica (la baja) debe estar entre 30 y 150 mmHg."},
        BadVisitCase{{"HighHeight", "", "", "50,5", "", false},
                     IDC_ITEM_FUNDAL_HEIGHT,
                     "La altura uterina debe estar entre 5 y 50 cm."},
        BadVisitCase{{"SlowRate", "", "", "", "59", false},
                     IDC_ITEM_HEART_RATE,
                     "El latido fetal debe estar entre 60 y 220 lpm."},
        BadVisitCase{{"LowNotBelowHigh", "100", "100", "", "", false},
                     IDC_ITEM_DIASTOLIC,
                     "La tensión diastólica (la baja) debe ser menor que la sistólica (la alta)."}),
    [](const auto& info) { return std::string(info.param.typed.name); });

class ItemFlowEditVisitTest : public ItemFlowTest,
                              public ::testing::WithParamInterface<VisitCase> {};

const CVisit kVisit{120, 80, 28.5, 140, true};

TEST_P(ItemFlowEditVisitTest, AChangedNoteSavesItsVisitAsLeft) {
    AddNote(CDateValue(2027, 3, 11, 0, 0, 0), CDateValue(2027, 3, 11, 0, 0, 0), "antes", 0.0f);
    const std::int32_t id = AddNote(CDateValue(2027, 3, 12, 0, 0, 0),
                                    CDateValue(2027, 3, 12, 0, 0, 0), "Control", 0.0f);
    m_globals.listItems.SetVisit(id, kVisit);
    const VisitTyping typed = GetParam().typed;
    m_ui.QueueDialog([typed](CFakeDialogWindow& w, IDialogHandler&) {
        EXPECT_EQ(w.GetControlText(IDC_ITEM_SYSTOLIC), "120");
        EXPECT_EQ(w.GetControlText(IDC_ITEM_DIASTOLIC), "80");
        EXPECT_EQ(w.GetControlText(IDC_ITEM_FUNDAL_HEIGHT), "28,5");
        EXPECT_EQ(w.GetControlText(IDC_ITEM_HEART_RATE), "140");
        EXPECT_TRUE(w.GetCheck(IDC_ITEM_OEDEMA));
        TypeVisit(w, typed);
        w.Click(IDOK);
    });
    DoubleClickNote(12, id);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_EQ(SavedVisits(), (std::vector<CVisit>{CVisit{}, GetParam().saved}));
}

INSTANTIATE_TEST_SUITE_P(
    Visits, ItemFlowEditVisitTest,
    ::testing::Values(
        VisitCase{{"AllEmptied", "", "", "", "", false}, {}},
        VisitCase{{"RateChanged", "120", "80", "28,5", "150", true}, {120, 80, 28.5, 150, true}},
        VisitCase{{"OedemaUnticked", "120", "80", "28,5", "140", false}, {120, 80, 28.5, 140, {}}},
        VisitCase{{"PressureEmptied", "", "", "28,5", "140", true}, {{}, {}, 28.5, 140, true}}),
    [](const auto& info) { return std::string(info.param.typed.name); });

// "Borrar" takes the note's visit with it; the visits of the notes after it
// move up with their notes.
TEST_F(ItemFlowTest, BorrarTakesTheVisitOutOfTheFile) {
    const std::int32_t gone =
        AddNote(CDateValue(2027, 3, 3, 0, 0, 0), CDateValue(2027, 3, 3, 0, 0, 0), "Se va", 0.0f);
    const std::int32_t kept =
        AddNote(CDateValue(2027, 3, 4, 0, 0, 0), CDateValue(2027, 3, 4, 0, 0, 0), "Queda", 0.0f);
    m_globals.listItems.SetVisit(gone, kVisit);
    m_globals.listItems.SetVisit(kept, CVisit{{}, {}, {}, 150, {}});
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDC_ITEM_DELETE); });
    m_ui.QueueMessageBox(IDYES);
    DoubleClickNote(3, gone);

    Result<CAgendaData> saved = ParseAgenda(SavedFile());
    ASSERT_TRUE(saved.ok());
    ASSERT_EQ(saved.value().items.size(), 1u);
    EXPECT_EQ(saved.value().items[0].strText, "Queda");
    EXPECT_EQ(saved.value().items[0].visit, (CVisit{{}, {}, {}, 150, {}}));

    // The last visit gone, the file has no extension left.
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDC_ITEM_DELETE); });
    m_ui.QueueMessageBox(IDYES);
    DoubleClickNote(4, kept);
    EXPECT_EQ(SavedFile().size(), kAgendaHeaderSize);
}

TEST_F(ItemFlowTest, ATextTheFileCannotHoldIsRefusedAndNothingChanges) {
    const std::int32_t id = AddNote(CDateValue(2027, 3, 9, 0, 0, 0),
                                    CDateValue(2027, 3, 9, 0, 0, 0), "Revisión", 60.0f);
    const std::string before = ExpectedFile();
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_ITEM_TEXT, "Revisión ✓");
        w.SetControlText(IDC_ITEM_WEIGHT, "61");
        w.Click(IDOK);
        // Still open: she gives up.
        EXPECT_FALSE(w.Result().has_value());
        w.Click(IDCANCEL);
    });
    DoubleClickNote(9, id);

    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    EXPECT_NE(m_ui.MessageBoxes()[0].strText.find("«✓»"), std::string::npos);
    EXPECT_EQ(m_globals.listItems.Find(id)->GetText(), "Revisión");
    EXPECT_EQ(m_globals.listItems.Find(id)->GetWeight(), 60.0f);
    EXPECT_EQ(SavedFile(), before);
}

TEST_F(ItemFlowTest, ANotificationWithoutACellIsIgnored) {
    m_dlg.OnCalendarDblClk(Notification(NM_DBLCLK, nullptr, 0));
    EXPECT_TRUE(m_ui.Dialogs().empty());
    EXPECT_FALSE(std::filesystem::exists(m_globals.szAgendaPath));
}

TEST_F(ItemFlowTest, AFailedSaveIsReportedAndTheNoteIsKeptForTheNextSave) {
    const std::string good = m_globals.szAgendaPath;
    m_globals.szAgendaPath = m_dir.File("no-such-folder/agenda.gst");
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) {
        w.SetControlText(IDC_ITEM_TEXT, "Guardar luego");
        w.SetControlText(IDC_ITEM_WEIGHT, "64");
        w.Click(IDOK);
    });
    DoubleClickDay(16);

    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_ui.MessageBoxes()[0].buttons, MbButtons::Ok);
    ASSERT_EQ(m_globals.listItems.size(), 1u);
    EXPECT_EQ(m_globals.listItems.at(0).GetText(), "Guardar luego");

    // The next use of the editor, even a cancelled one, writes the note.
    m_globals.szAgendaPath = good;
    m_ui.QueueDialog([](CFakeDialogWindow& w, IDialogHandler&) { w.Click(IDCANCEL); });
    DoubleClickDay(17);
    Result<CAgendaData> saved = ParseAgenda(SavedFile());
    ASSERT_TRUE(saved.ok());
    ASSERT_EQ(saved.value().items.size(), 1u);
    EXPECT_EQ(saved.value().items[0].strText, "Guardar luego");
    EXPECT_EQ(saved.value().items[0].fWeight, 64.0f);
}

TEST_F(ItemFlowTest, AClickOnANoteRemembersItsIdAndAClickElsewhereForgetsIt) {
    const std::int32_t id =
        AddNote(CDateValue(2027, 3, 4, 0, 0, 0), CDateValue(2027, 3, 4, 0, 0, 0), "Nota", 0.0f);
    EXPECT_EQ(m_dlg.SelectedId(), -1);
    m_dlg.OnCalendarClick(Notification(NM_CLICK, Cell(4), id));
    EXPECT_EQ(m_dlg.SelectedId(), id);
    m_dlg.OnCalendarClick(Notification(NM_CLICK, Cell(4), 0));
    EXPECT_EQ(m_dlg.SelectedId(), -1);
}

TEST_F(ItemFlowTest, DeleteItemAsksFirstAndSavesNothing) {
    const std::int32_t id =
        AddNote(CDateValue(2027, 3, 4, 0, 0, 0), CDateValue(2027, 3, 4, 0, 0, 0), "Nota", 0.0f);
    // Nothing clicked yet: a yes deletes nothing.
    m_ui.QueueMessageBox(IDYES);
    m_dlg.OnDeleteItem();
    EXPECT_EQ(m_globals.listItems.size(), 1u);

    m_dlg.OnCalendarClick(Notification(NM_CLICK, Cell(4), id));
    m_ui.QueueMessageBox(IDNO);
    m_dlg.OnDeleteItem();
    EXPECT_EQ(m_globals.listItems.size(), 1u);

    m_ui.QueueMessageBox(IDYES);
    m_dlg.OnDeleteItem();
    EXPECT_TRUE(m_globals.listItems.empty());
    EXPECT_EQ(m_dlg.SelectedId(), id);
    EXPECT_EQ(m_ui.MessageBoxes().size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(m_globals.szAgendaPath));
}

TEST_F(ItemFlowTest, DeleteAllAsksFirst) {
    AddNote(CDateValue(2027, 3, 4, 0, 0, 0), CDateValue(2027, 3, 4, 0, 0, 0), "a", 0.0f);
    AddNote(CDateValue(2027, 3, 5, 0, 0, 0), CDateValue(2027, 3, 5, 0, 0, 0), "b", 0.0f);
    m_ui.QueueMessageBox(IDNO);
    m_dlg.OnDeleteAll();
    EXPECT_EQ(m_globals.listItems.size(), 2u);
    m_ui.QueueMessageBox(IDYES);
    m_dlg.OnDeleteAll();
    EXPECT_TRUE(m_globals.listItems.empty());
    ASSERT_EQ(m_ui.MessageBoxes().size(), 2u);
    EXPECT_EQ(m_ui.MessageBoxes()[0].strText,
              "Are you sure you want to delete ALL of the Date Items?");
    EXPECT_EQ(m_ui.MessageBoxes()[0].strCaption, "Delete Date Items");
    EXPECT_EQ(m_ui.MessageBoxes()[0].buttons, MbButtons::YesNo);
    EXPECT_EQ(m_ui.MessageBoxes()[0].icon, MbIcon::Question);
    EXPECT_EQ(m_ui.MessageBoxes()[0].defaultButton, MbDefault::Second);
    EXPECT_FALSE(std::filesystem::exists(m_globals.szAgendaPath));
}

TEST_F(ItemFlowTest, ResetItemsPutsTheTwoSampleNotesOnToday) {
    AddNote(CDateValue(2027, 3, 4, 0, 0, 0), CDateValue(2027, 3, 4, 0, 0, 0), "antigua", 0.0f);
    m_dlg.OnResetItems();
    struct Sample {
        const char* text;
        CDateValue from;
        CDateValue to;
        std::int32_t image;
        std::int32_t task;
        Colour back;
        std::int32_t id;  // identifiers keep rising after the store is emptied
    };
    const Sample expected[] = {
        {"Staff Sales Meeting", CDateValue(2027, 3, 10, 8, 30, 0),
         CDateValue(2027, 3, 10, 9, 30, 0), 0, 1, RGB(255, 148, 132), 2},
        {"Visit Mr. Varde at his home", CDateValue(2027, 3, 10, 10, 15, 0),
         CDateValue(2027, 3, 10, 12, 0, 0), 1, 0, RGB(132, 156, 231), 3},
    };
    ASSERT_EQ(m_globals.listItems.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(expected[i].text);
        const CWVCellDataItem& item = m_globals.listItems.at(i);
        EXPECT_EQ(item.GetText(), expected[i].text);
        EXPECT_EQ(item.GetFrom(), expected[i].from);
        EXPECT_EQ(item.GetTo(), expected[i].to);
        EXPECT_EQ(item.GetImage(), expected[i].image);
        EXPECT_EQ(item.GetTask(), expected[i].task);
        EXPECT_EQ(item.GetBack(), expected[i].back);
        EXPECT_EQ(item.GetWeight(), 0.0f);
        EXPECT_EQ(item.GetID(), expected[i].id);
    }
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
    EXPECT_FALSE(std::filesystem::exists(m_globals.szAgendaPath));
}

TEST_F(ItemFlowTest, DateRangeNamesTheFirstAndLastDayMonthFirst) {
    m_dlg.OnDateRange();
    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    const auto& box = m_ui.MessageBoxes()[0];
    EXPECT_EQ(box.strText, "Date Range for View: 03/01/2027 - 04/11/2027");
    EXPECT_EQ(box.strCaption, "View Date Range");
    EXPECT_EQ(box.buttons, MbButtons::Ok);
    EXPECT_EQ(box.icon, MbIcon::None);
}

TEST_F(ItemFlowTest, WeightChartFillsTheTableAndPaintsIt) {
    AddNote(CDateValue(2027, 1, 11, 0, 0, 0), CDateValue(2027, 1, 11, 0, 0, 0), "a", 65.5f);
    AddNote(CDateValue(2027, 1, 11, 12, 0, 0), CDateValue(2027, 1, 11, 12, 0, 0), "b", 62.0f);
    AddNote(CDateValue(2026, 12, 30, 0, 0, 0), CDateValue(2026, 12, 30, 0, 0, 0), "c", 90.0f);
    test::CRecordingSurface surface;
    m_ui.QueueDialog([&surface](CFakeDialogWindow& w, IDialogHandler& h) {
        EXPECT_EQ(w.Template().id, 140);
        h.OnPaint(surface);
        EXPECT_EQ(w.GetControlText(IDC_CHART_TOP), "70,0 kg");
        EXPECT_EQ(w.GetControlText(IDC_CHART_BOTTOM), "60,0 kg");
        w.Click(IDOK);
    });
    m_dlg.OnWeightChart();
    EXPECT_EQ(m_globals.afDailyWeights[10], 65.5f);
    EXPECT_EQ(surface.OfKind(test::DrawCall::Kind::Ellipse).size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(m_globals.szAgendaPath));
}

}  // namespace
}  // namespace gestalia
