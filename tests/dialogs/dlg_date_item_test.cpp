#include "dialogs/dlg_date_item.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/clock.h"
#include "model/date_value.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "tests/support/fake_ui.h"

namespace gestalia {
namespace {

using test::CFakeDialogWindow;
using test::CFakeUiServices;

class DlgDateItemTest : public ::testing::Test {
  protected:
    CFixedClock m_clock{CFixedClock::LocalSeconds(2027, 3, 10, 15, 20, 0)};
    CFakeUiServices m_ui;
    CFakeDialogWindow m_window{DateItemDialogTemplate()};
    CDlgDateItem m_dlg{m_clock, m_ui};
};

TEST_F(DlgDateItemTest, StartsAtTheCurrentLocalTime) {
    const CDateValue now(2027, 3, 10, 15, 20, 0);
    EXPECT_EQ(m_dlg.GetFrom(), now);
    EXPECT_EQ(m_dlg.GetTo(), now);
    EXPECT_EQ(m_dlg.GetTask(), 0);
    EXPECT_EQ(m_dlg.GetWeight(), 0.0f);
    EXPECT_EQ(m_dlg.GetText(), "");
    EXPECT_EQ(m_dlg.m_bDelete, 0);
}

TEST_F(DlgDateItemTest, ANewNoteShowsTheAddCaptionAndNoBorrar) {
    const CDateValue day(2027, 3, 5, 0, 0, 0);
    m_dlg.SetNew(1);
    m_dlg.SetFrom(day);
    m_dlg.SetTo(day);
    m_dlg.SetTask(0);
    ASSERT_TRUE(m_window.Init(m_dlg));

    EXPECT_EQ(m_window.Caption(), "Añadir anotación - 05/03/2027");
    EXPECT_FALSE(m_window.IsControlVisible(IDC_ITEM_DELETE));
    EXPECT_EQ(m_window.GetControlText(IDC_ITEM_TEXT), "");
    EXPECT_EQ(m_window.GetControlText(IDC_ITEM_WEIGHT), "");
    EXPECT_TRUE(m_window.GetCheck(IDC_ITEM_APPOINTMENT));
    EXPECT_FALSE(m_window.GetCheck(IDC_ITEM_TASK));
    EXPECT_EQ(m_window.GetDate(IDC_ITEM_FROM), day);
    EXPECT_EQ(m_window.GetDate(IDC_ITEM_TO), day);
    // Only the note, the weight and the buttons are there for the user.
    EXPECT_FALSE(m_window.IsControlVisible(IDC_ITEM_FROM));
    EXPECT_FALSE(m_window.IsControlVisible(IDC_ITEM_TO));
    EXPECT_FALSE(m_window.IsControlVisible(IDC_ITEM_APPOINTMENT));
    EXPECT_FALSE(m_window.IsControlVisible(IDC_ITEM_TASK));
}

TEST_F(DlgDateItemTest, AChangedNoteShowsItsValuesAndBorrar) {
    const CDateValue from(2027, 12, 24, 9, 15, 0);
    const CDateValue to(2027, 12, 24, 10, 0, 0);
    m_dlg.SetNew(0);
    m_dlg.SetText("Ecografía\r\nTodo bien");
    m_dlg.SetFrom(from);
    m_dlg.SetTo(to);
    m_dlg.SetTask(1);
    m_dlg.SetWeight(62.5f);
    ASSERT_TRUE(m_window.Init(m_dlg));

    EXPECT_EQ(m_window.Caption(), "Modificar anotación - 24/12/2027");
    EXPECT_TRUE(m_window.IsControlVisible(IDC_ITEM_DELETE));
    EXPECT_EQ(m_window.GetControlText(IDC_ITEM_TEXT), "Ecografía\r\nTodo bien");
    EXPECT_EQ(m_window.GetControlText(IDC_ITEM_WEIGHT), "62,5");
    EXPECT_FALSE(m_window.GetCheck(IDC_ITEM_APPOINTMENT));
    EXPECT_TRUE(m_window.GetCheck(IDC_ITEM_TASK));
    EXPECT_EQ(m_window.GetDate(IDC_ITEM_FROM), from);
    EXPECT_EQ(m_window.GetDate(IDC_ITEM_TO), to);
}

TEST_F(DlgDateItemTest, OkTakesTheTextTheWeightTheTimesAndTheType) {
    m_dlg.SetNew(1);
    ASSERT_TRUE(m_window.Init(m_dlg));
    const CDateValue from(2027, 4, 1, 8, 0, 0);
    const CDateValue to(2027, 4, 1, 9, 30, 0);
    m_window.SetControlText(IDC_ITEM_TEXT, "Análisis de sangre");
    m_window.SetControlText(IDC_ITEM_WEIGHT, "63,4");
    m_window.SetDate(IDC_ITEM_FROM, from);
    m_window.SetDate(IDC_ITEM_TO, to);
    m_window.SetCheck(IDC_ITEM_APPOINTMENT, false);
    m_window.SetCheck(IDC_ITEM_TASK, true);
    m_window.Click(IDOK);

    EXPECT_EQ(m_window.Result(), IDOK);
    EXPECT_EQ(m_dlg.GetText(), "Análisis de sangre");
    EXPECT_FLOAT_EQ(m_dlg.GetWeight(), 63.4f);
    EXPECT_EQ(m_dlg.GetFrom(), from);
    EXPECT_EQ(m_dlg.GetTo(), to);
    EXPECT_EQ(m_dlg.GetTask(), 1);
    EXPECT_EQ(m_dlg.m_bDelete, 0);
    EXPECT_TRUE(m_ui.MessageBoxes().empty());
}

TEST_F(DlgDateItemTest, BorrarEndsWithOkAndKeepsTheValuesItWasGiven) {
    const CDateValue from(2027, 5, 2, 0, 0, 0);
    m_dlg.SetNew(0);
    m_dlg.SetText("antes");
    m_dlg.SetFrom(from);
    m_dlg.SetTo(from);
    m_dlg.SetWeight(60.0f);
    ASSERT_TRUE(m_window.Init(m_dlg));
    m_window.SetControlText(IDC_ITEM_TEXT, "después");
    m_window.SetControlText(IDC_ITEM_WEIGHT, "70");
    m_window.Click(IDC_ITEM_DELETE);

    EXPECT_EQ(m_window.Result(), IDOK);
    EXPECT_EQ(m_dlg.m_bDelete, 1);
    EXPECT_EQ(m_dlg.GetText(), "antes");
    EXPECT_EQ(m_dlg.GetWeight(), 60.0f);
    EXPECT_EQ(m_dlg.GetFrom(), from);
}

TEST_F(DlgDateItemTest, InitialisationClearsAnEarlierBorrar) {
    m_dlg.m_bDelete = 1;
    ASSERT_TRUE(m_window.Init(m_dlg));
    EXPECT_EQ(m_dlg.m_bDelete, 0);
}

TEST_F(DlgDateItemTest, CancelChangesNothing) {
    m_dlg.SetNew(0);
    m_dlg.SetText("igual");
    m_dlg.SetWeight(55.0f);
    ASSERT_TRUE(m_window.Init(m_dlg));
    m_window.SetControlText(IDC_ITEM_TEXT, "otra");
    m_window.SetControlText(IDC_ITEM_WEIGHT, "66");
    m_window.Click(IDCANCEL);

    EXPECT_EQ(m_window.Result(), IDCANCEL);
    EXPECT_EQ(m_dlg.GetText(), "igual");
    EXPECT_EQ(m_dlg.GetWeight(), 55.0f);
    EXPECT_EQ(m_dlg.m_bDelete, 0);
}

TEST_F(DlgDateItemTest, RefusesATextTheAgendaFileCannotHoldAndStaysOpen) {
    m_dlg.SetNew(0);
    m_dlg.SetText("Control");
    m_dlg.SetWeight(58.0f);
    ASSERT_TRUE(m_window.Init(m_dlg));
    // The euro sign and the accents are Windows-1252; the emoji and the check mark are not.
    m_window.SetControlText(IDC_ITEM_TEXT, "Ecografía 😀 pagado 50 € ✓ 😀");
    m_window.SetControlText(IDC_ITEM_WEIGHT, "61");
    m_window.Click(IDOK);

    EXPECT_FALSE(m_window.Result().has_value());
    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    const auto& box = m_ui.MessageBoxes()[0];
    EXPECT_EQ(box.strText,
              "La anotación contiene caracteres que no se pueden guardar en la agenda: «😀 ✓». "
              "Quítelos o cámbielos, por favor.");
    EXPECT_EQ(box.buttons, MbButtons::Ok);
    EXPECT_EQ(m_dlg.GetText(), "Control");
    EXPECT_EQ(m_dlg.GetWeight(), 58.0f);
    // What she typed is still there to be mended.
    EXPECT_EQ(m_window.GetControlText(IDC_ITEM_TEXT), "Ecografía 😀 pagado 50 € ✓ 😀");

    // Once mended, OK goes through.
    m_window.SetControlText(IDC_ITEM_TEXT, "Ecografía pagado 50 €");
    m_window.Click(IDOK);
    EXPECT_EQ(m_window.Result(), IDOK);
    EXPECT_EQ(m_dlg.GetText(), "Ecografía pagado 50 €");
    EXPECT_EQ(m_dlg.GetWeight(), 61.0f);
}

TEST_F(DlgDateItemTest, BrokenUtf8IsNamedAsAReplacementCharacter) {
    ASSERT_TRUE(m_window.Init(m_dlg));
    m_window.SetControlText(IDC_ITEM_TEXT, std::string("ab\xC3") + "(");
    m_window.Click(IDOK);
    EXPECT_FALSE(m_window.Result().has_value());
    ASSERT_EQ(m_ui.MessageBoxes().size(), 1u);
    EXPECT_NE(m_ui.MessageBoxes()[0].strText.find("«\xEF\xBF\xBD»"), std::string::npos);
}

TEST(DateItemTemplateTest, HoldsTheEditorsControls) {
    const CDialogTemplate& t = DateItemDialogTemplate();
    EXPECT_EQ(t.id, 130);
    EXPECT_EQ(t.cx, 280);
    EXPECT_EQ(t.cy, 135);
    EXPECT_EQ(t.strFont, "MS Sans Serif");
    ASSERT_EQ(t.controls.size(), 24u);
    // Each box follows its label, which names it for screen readers.
    EXPECT_EQ(t.controls[2].strText, "Anotación:");
    const auto& text = t.controls[3];
    EXPECT_EQ(text.id, IDC_ITEM_TEXT);
    EXPECT_EQ(text.kind, ControlKind::Edit);
    const std::uint32_t textStyle =
        kStyleMultiLine | kStyleWantReturn | kStyleVScroll | kStyleBorder;
    EXPECT_EQ(text.style & textStyle, textStyle);
    EXPECT_EQ(text.style & kStyleHidden, 0u);
    // Then the weight, after its label: Tab goes from the text to the weight,
    // then to the visit, then to the buttons.
    EXPECT_EQ(t.controls[4].strText, "Peso (Kg)");
    const auto& weight = t.controls[5];
    EXPECT_EQ(weight.id, IDC_ITEM_WEIGHT);
    const std::uint32_t weightStyle = kStyleRight | kStyleAutoHScroll | kStyleBorder;
    EXPECT_EQ(weight.style & weightStyle, weightStyle);
    for (const int hidden : {0, 1, 9, 17, 18, 21, 22}) {
        EXPECT_NE(t.controls[static_cast<std::size_t>(hidden)].style & kStyleHidden, 0u) << hidden;
    }
    EXPECT_EQ(t.controls[0].kind, ControlKind::TimePicker);
    EXPECT_EQ(t.controls[23].strText, "Borrar");
    EXPECT_NE(t.controls[19].style & kStyleDefault, 0u);
}

// Tab goes through the shown controls that take it, in the template's order.
TEST(DateItemTemplateTest, TabGoesFromTheWeightThroughTheVisitToTheButtons) {
    std::vector<int> order;
    for (const CControlTemplate& c : DateItemDialogTemplate().controls) {
        if ((c.style & kStyleTabStop) != 0 && (c.style & kStyleHidden) == 0) {
            order.push_back(c.id);
        }
    }
    EXPECT_EQ(order,
              (std::vector<int>{IDC_ITEM_TEXT, IDC_ITEM_WEIGHT, IDC_ITEM_SYSTOLIC,
                                IDC_ITEM_DIASTOLIC, IDC_ITEM_FUNDAL_HEIGHT, IDC_ITEM_HEART_RATE,
                                IDC_ITEM_OEDEMA, IDOK, IDCANCEL, IDC_ITEM_DELETE}));
}

struct NamedBox {
    int id;
    const char* label;
};

class DateItemLabelTest : public ::testing::TestWithParam<NamedBox> {};

// Screen readers name a box by the label just before it.
TEST_P(DateItemLabelTest, EachBoxFollowsTheLabelThatNamesIt) {
    const auto& controls = DateItemDialogTemplate().controls;
    const auto box = std::find_if(controls.begin(), controls.end(),
                                  [](const CControlTemplate& c) { return c.id == GetParam().id; });
    ASSERT_NE(box, controls.end());
    ASSERT_NE(box, controls.begin());
    const CControlTemplate& label = *(box - 1);
    EXPECT_EQ(label.kind, ControlKind::Static);
    EXPECT_EQ(label.strText, GetParam().label);
    EXPECT_EQ(label.labelFor, GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, DateItemLabelTest,
    ::testing::Values(NamedBox{IDC_ITEM_TEXT, "Anotación:"}, NamedBox{IDC_ITEM_WEIGHT, "Peso (Kg)"},
                      NamedBox{IDC_ITEM_SYSTOLIC, "Tensión arterial"},
                      NamedBox{IDC_ITEM_DIASTOLIC, "Tensión diastólica (la baja)"},
                      NamedBox{IDC_ITEM_FUNDAL_HEIGHT, "Altura uterina (cm)"},
                      NamedBox{IDC_ITEM_HEART_RATE, "Latido fetal (lpm)"}));

}  // namespace
}  // namespace gestalia
