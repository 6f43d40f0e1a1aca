// CWin32DialogWindow under Wine: a template becomes a dialog whose controls
// have the template's ids, window classes, styles and rectangles (in the
// window logic's 96-dpi pixels), and IDialogWindow reads back what it set.
// The handler checks the live window in OnInitDialog and ends the run there,
// so the window never waits for a user.

#include "platform/win32/win32_dialog_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/win32_text.h"
#include "platform/dialog.h"
#include "platform/win32/dialog_scaling.h"
#include "platform/win32/dialog_template_bytes.h"
#include "resources/control_ids.h"
#include "resources/dialog_templates.h"

namespace gestalia::win32 {
namespace {

// Runs `check` on the live window, then ends the run with IDOK; records the
// date changes the window reports.
class CCheckingHandler final : public CDialog {
  public:
    explicit CCheckingHandler(std::function<void(CWin32DialogWindow&)> check)
        : m_check(std::move(check)) {}
    bool OnInitDialog(IDialogWindow& window) override {
        CDialog::OnInitDialog(window);
        m_check(static_cast<CWin32DialogWindow&>(window));
        EndDialog(IDOK);
        return true;
    }
    void OnDateChanged(int) override { ++nDateChanges; }
    int nDateChanges = 0;

  private:
    std::function<void(CWin32DialogWindow&)> m_check;
};

// The date pickers' window class, as the program registers it at start.
void RegisterPickers() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&controls));
}

int RunChecked(const CDialogTemplate& tmpl, std::function<void(CWin32DialogWindow&)> check) {
    RegisterPickers();
    CCheckingHandler handler(std::move(check));
    CWin32DialogWindow window(tmpl, handler);
    return window.RunModal(nullptr);
}

std::string ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return Utf8FromUtf16(name);
}

// One control of each kind, each with the options a template gives it.
CDialogTemplate EveryKind() {
    CDialogTemplate t;
    t.strCaption = "Prueba de ventanas";
    t.cx = 200;
    t.cy = 120;
    t.controls = {
        {IDOK, ControlKind::PushButton, "Aceptar", kStyleDefault | kStyleTabStop, {140, 5, 50, 14}},
        {11, ControlKind::PushButton, "Dos\nlíneas", kStyleMultiLine, {140, 25, 50, 28}},
        {12, ControlKind::RadioButton, "Cita", kStyleGroup | kStyleTabStop, {5, 5, 60, 10}},
        {13, ControlKind::Static, "Título & más", kStyleCentre | kStyleVCentre, {5, 20, 60, 12}},
        {14,
         ControlKind::Edit,
         "",
         kStyleMultiLine | kStyleWantReturn | kStyleVScroll | kStyleBorder,
         {5, 35, 80, 30}},
        {15, ControlKind::Edit, "", kStyleReadOnly | kStyleRight | kStyleHidden, {5, 70, 40, 12}},
        {16, ControlKind::DatePicker, "", kStyleRight | kStyleDisabled, {50, 70, 60, 12}},
        {17, ControlKind::TimePicker, "", kStyleNone, {115, 70, 60, 12}},
        {18, ControlKind::Frame, "", kStyleNone, {5, 90, 190, 25}},
        {20, ControlKind::CheckBox, "Edemas", kStyleTabStop, {140, 60, 50, 10}},
        {19, ControlKind::Calendar, "", kStyleNone, {90, 20, 40, 40}},
    };
    return t;
}

TEST(Win32DialogWindow, ControlsHaveTheTemplatesClassesStylesAndRectangles) {
    const CDialogTemplate tmpl = EveryKind();
    int nChecked = 0;
    const int result = RunChecked(tmpl, [&](CWin32DialogWindow& w) {
        EXPECT_EQ(w.GetClientSize(), DialogSizeToPixels(tmpl.cx, tmpl.cy));
        for (const CControlTemplate& ct : tmpl.controls) {
            SCOPED_TRACE(ct.id);
            ASSERT_TRUE(w.HasControl(ct.id));
            if (ct.kind == ControlKind::Calendar) {
                // No calendar object from this handler: an empty area.
                EXPECT_EQ(w.ControlHwnd(ct.id), nullptr);
                continue;
            }
            const HWND hwnd = w.ControlHwnd(ct.id);
            ASSERT_NE(hwnd, nullptr);
            const CWin32ControlSpec spec = Win32ControlSpec(ct);
            EXPECT_EQ(::GetDlgCtrlID(hwnd), ct.id);
            EXPECT_EQ(ClassOf(hwnd), Utf8FromUtf16(spec.strClass));
            const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd, GWL_STYLE));
            // The low word holds the kind's own styles; the high word the
            // window's (a border may become a sunken edge).
            EXPECT_EQ(style & 0xFFFF, spec.style & 0xFFFF);
            EXPECT_EQ(style & (WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_GROUP | WS_VSCROLL),
                      spec.style & (WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_GROUP | WS_VSCROLL));
            EXPECT_EQ(w.GetControlRect(ct.id), DialogUnitsToPixels(ct.rect));
            EXPECT_EQ(w.IsControlVisible(ct.id), (ct.style & kStyleHidden) == 0);
            EXPECT_EQ(w.IsControlEnabled(ct.id), (ct.style & kStyleDisabled) == 0);
            ++nChecked;
        }
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(nChecked, 10);
}

TEST(Win32DialogWindow, ReadsBackWhatItSets) {
    CDialogTemplate tmpl = EveryKind();
    tmpl.controls.pop_back();  // no calendar
    const CDateValue due(2027, 10, 8, 14, 30, 0);
    CCheckingHandler handler([&](CWin32DialogWindow& w) {
        w.SetControlText(14, "Náuseas\npor la mañana");
        EXPECT_EQ(w.GetControlText(14), "Náuseas\r\npor la mañana");
        w.SetControlText(13, "Día 3 & más");
        EXPECT_EQ(w.GetControlText(13), "Día 3 & más");
        w.SetDate(16, due);
        w.SetDate(17, due);
        EXPECT_EQ(w.GetDate(16), due);
        EXPECT_EQ(w.GetDate(17), due);
        w.SetCheck(12, true);
        EXPECT_TRUE(w.GetCheck(12));
        w.SetCheck(20, true);
        EXPECT_TRUE(w.GetCheck(20));
        w.SetCheck(20, false);
        EXPECT_FALSE(w.GetCheck(20));
        w.MoveControl(15, {10, 20, 110, 45});
        EXPECT_EQ(w.GetControlRect(15), (Rect{10, 20, 110, 45}));
        w.ShowControl(15, true);
        w.EnableControl(16, true);
        EXPECT_TRUE(w.IsControlVisible(15));
        EXPECT_TRUE(w.IsControlEnabled(16));
        EXPECT_EQ(w.GetControlText(99), "");
        EXPECT_FALSE(w.HasControl(99));
    });
    RegisterPickers();
    CWin32DialogWindow window(tmpl, handler);
    EXPECT_EQ(window.RunModal(nullptr), IDOK);
    EXPECT_EQ(handler.nDateChanges, 0) << "SetDate is not the user's change";
}

TEST(Win32DialogWindow, RescalesWhenItsDpiChanges) {
    CDialogTemplate tmpl = EveryKind();
    tmpl.controls.pop_back();  // no calendar
    const int result = RunChecked(tmpl, [&](CWin32DialogWindow& w) {
        const int dpi = w.Dpi() * 3 / 2;
        RECT suggested{};
        ::GetWindowRect(w.Hwnd(), &suggested);
        ::SendMessageW(w.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(w.Dpi(), dpi);
        for (const CControlTemplate& ct : tmpl.controls) {
            SCOPED_TRACE(ct.id);
            // The screen's pixels grow; the window logic's stay as they were.
            RECT device{};
            ::GetWindowRect(w.ControlHwnd(ct.id), &device);
            ::MapWindowPoints(HWND_DESKTOP, w.Hwnd(), reinterpret_cast<POINT*>(&device), 2);
            EXPECT_EQ(FromRECT(device), ScaleForDpi(DialogUnitsToPixels(ct.rect), dpi));
            EXPECT_EQ(w.GetControlRect(ct.id), DialogUnitsToPixels(ct.rect));
        }
    });
    EXPECT_EQ(result, IDOK);
}

// A box is named by the label before it, as in Windows' own dialogs.
struct LabelledBox {
    const CDialogTemplate& (*tmpl)();
    int id;
    const char* name;
};

class Win32DialogNames : public ::testing::TestWithParam<LabelledBox> {};

TEST_P(Win32DialogNames, BoxesAreNamedByTheirLabels) {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CDialogTemplate tmpl = GetParam().tmpl();
    std::erase_if(tmpl.controls,
                  [](const CControlTemplate& ct) { return ct.kind == ControlKind::Calendar; });
    RunChecked(tmpl, [&](CWin32DialogWindow& w) {
        for (const CControlTemplate& ct : tmpl.controls) {
            w.ShowControl(ct.id, true);  // the main window's wait for an agenda
        }
        IAccessible* acc = nullptr;
        ASSERT_EQ(::AccessibleObjectFromWindow(
                      w.ControlHwnd(GetParam().id), static_cast<DWORD>(OBJID_CLIENT),
                      __uuidof(IAccessible), reinterpret_cast<void**>(&acc)),
                  S_OK);
        VARIANT self;
        ::VariantInit(&self);
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        BSTR name = nullptr;
        EXPECT_EQ(acc->get_accName(self, &name), S_OK);
        EXPECT_EQ(Utf8FromUtf16(name != nullptr ? name : L""), GetParam().name);
        ::SysFreeString(name);
        acc->Release();
    });
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Templates, Win32DialogNames,
    ::testing::Values(
        LabelledBox{&DateItemDialogTemplate, IDC_ITEM_TEXT, "Anotación:"},
        LabelledBox{&DateItemDialogTemplate, IDC_ITEM_WEIGHT, "Peso (Kg)"},
        LabelledBox{&DateItemDialogTemplate, IDC_ITEM_SYSTOLIC, "Tensión arterial"},
        LabelledBox{&DateItemDialogTemplate, IDC_ITEM_DIASTOLIC, "Tensión diastólica (la baja)"},
        LabelledBox{&DateItemDialogTemplate, IDC_ITEM_FUNDAL_HEIGHT, "Altura uterina (cm)"},
        LabelledBox{&DateItemDialogTemplate, IDC_ITEM_HEART_RATE, "Latido fetal (lpm)"},
        LabelledBox{&DateItemDialogTemplate, IDC_ITEM_OEDEMA, "Edemas"},
        LabelledBox{&MainDialogTemplate, IDC_LAST_PERIOD, "Fecha de la última regla"}));

TEST(Win32DialogTemplate, HoldsEveryControlButTheCalendar) {
    const CDialogTemplate tmpl = EveryKind();
    const std::vector<DWORD> bytes = DialogTemplateBytes(tmpl);
    const auto* words = reinterpret_cast<const WORD*>(bytes.data());
    EXPECT_EQ(words[0], 1);       // dlgVer
    EXPECT_EQ(words[1], 0xFFFF);  // DLGTEMPLATEEX
    EXPECT_EQ(bytes[2], DialogExStyle(tmpl));
    EXPECT_EQ(bytes[3], DialogStyle(tmpl));
    EXPECT_EQ(words[8], tmpl.controls.size() - 1);
}

struct DialogStyleCase {
    bool bResizable;
    bool bSystemMenu;
    DWORD present;
    DWORD absent;
};

class Win32DialogStyle : public ::testing::TestWithParam<DialogStyleCase> {};

TEST_P(Win32DialogStyle, FollowsTheTemplate) {
    CDialogTemplate tmpl;
    tmpl.bResizable = GetParam().bResizable;
    tmpl.bSystemMenu = GetParam().bSystemMenu;
    const DWORD style = DialogStyle(tmpl);
    EXPECT_EQ(style & GetParam().present, GetParam().present);
    EXPECT_EQ(style & GetParam().absent, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, Win32DialogStyle,
    ::testing::Values(
        DialogStyleCase{true, true, WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN | DS_SHELLFONT, 0},
        DialogStyleCase{false, true, WS_SYSMENU | DS_MODALFRAME, WS_THICKFRAME},
        DialogStyleCase{false, false, WS_CAPTION, WS_SYSMENU | WS_THICKFRAME}));

}  // namespace
}  // namespace gestalia::win32
