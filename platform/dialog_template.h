#pragma once
// Dialog templates as data: every window of the program is described by its
// controls (id, kind, text, style, rectangle in dialog units), and the window
// logic addresses controls only by their ids.
//
// A toolkit implementation turns a template into a window (dialog_window.h):
// the ControlKind says which control to build, the style flags its options.
// kStyleGroup, kStyleTabStop, kStyleBorder and kStyleAutoHScroll are the
// desktop styles of the same names, for a toolkit that takes them from the
// template; one that decides them itself may ignore them. Pixels come from
// DialogUnitsToPixels, whatever the toolkit's own font.

#include <cstdint>
#include <string>
#include <vector>

#include "model/colour.h"

namespace gestalia {

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;
inline constexpr int IDC_STATIC = -1;  // unnamed statics; lookups find the first

enum class ControlKind {
    PushButton,
    RadioButton,
    CheckBox,  // on or off by itself, with its text beside it
    Static,
    Edit,
    DatePicker,  // a date with a drop-down calendar
    TimePicker,  // a time of day with up-down arrows
    Calendar,    // the month calendar (CWMDateCtrl)
    Frame,       // a static drawn as a black frame
};

// Style flags, combined with |.
enum ControlStyle : std::uint32_t {
    kStyleNone = 0,
    kStyleHidden = 1u << 0,  // created without the visible style
    kStyleDisabled = 1u << 1,
    kStyleReadOnly = 1u << 2,
    kStyleCentre = 1u << 3,   // text centred horizontally
    kStyleVCentre = 1u << 4,  // text centred vertically
    kStyleMultiLine = 1u << 5,
    kStyleRight = 1u << 6,       // text right-aligned (edits, pickers)
    kStyleDefault = 1u << 7,     // the default push button (Enter)
    kStyleWantReturn = 1u << 8,  // Enter inserts a line break in this edit
    kStyleVScroll = 1u << 9,
    kStyleAutoHScroll = 1u << 10,
    kStyleBorder = 1u << 11,
    kStyleGroup = 1u << 12,  // starts a group of radio buttons
    kStyleTabStop = 1u << 13,
    kStyleBitmap = 1u << 14,  // push button showing a bitmap
    kStyleLink = 1u << 15,    // opens a web page: the hand cursor over it
};

// A rectangle in dialog units: x, y, width, height.
struct DialogUnits {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct CControlTemplate {
    int id = IDC_STATIC;
    ControlKind kind = ControlKind::Static;
    std::string strText;  // UTF-8
    std::uint32_t style = kStyleNone;
    DialogUnits rect;
    // A static that names an input gives the input's id: screen readers read
    // the input by the static's text, whatever it says at the time. 0: none.
    int labelFor = 0;
};

// The font the Windows dialogs are made with (the shell's dialog font, which
// the desktop maps to its own face) and the one most templates name; the
// dialog units are measured in an 8-point font.
inline constexpr char kDialogFontFace[] = "MS Shell Dlg";
inline constexpr int kDialogFontPoints = 8;

struct CDialogTemplate {
    int id = 0;
    std::string strCaption;  // UTF-8
    int cx = 0;              // dialog units
    int cy = 0;
    std::string strFont = "MS Sans Serif";
    int nPointSize = kDialogFontPoints;
    bool bResizable = false;
    bool bSystemMenu = true;
    // Escape closes the window as Cancel does; a main window that one stray
    // key must not end says false.
    bool bCloseOnEscape = true;
    std::vector<CControlTemplate> controls;
};

// Dialog units to pixels with the base units of the templates' 8-point font:
// x * 6 / 4 and y * 13 / 8. The rectangle is (left, top, right, bottom).
Rect DialogUnitsToPixels(const DialogUnits& du);
Size DialogSizeToPixels(int cx, int cy);

}  // namespace gestalia
