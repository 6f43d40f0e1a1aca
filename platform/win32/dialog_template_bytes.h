#pragma once
// A CDialogTemplate as the dialog manager reads it: an in-memory DLGTEMPLATEEX
// in the template's own dialog units, with the dialog font (kDialogFontFace at
// kDialogFontPoints). Calendar controls are not in it: the window creates them
// itself, with their control object, once the others exist.
//
// What each kind of control becomes (class and styles) is decided here once;
// the window and its tests both read it from Win32ControlSpec.

#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/line_breaks.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

struct CWin32ControlSpec {
    std::wstring strClass;  // the window class ("Button", "SysDateTimePick32" ...)
    DWORD style = 0;
    DWORD exStyle = 0;
};

// The window styles of the dialog itself.
DWORD DialogStyle(const CDialogTemplate& tmpl);
DWORD DialogExStyle(const CDialogTemplate& tmpl);
// The class and styles of a control (Calendar: the calendar window's).
CWin32ControlSpec Win32ControlSpec(const CControlTemplate& ct);
// Whether the control is part of the dialog template (every kind but Calendar).
bool InDialogTemplate(const CControlTemplate& ct);

// The DLGTEMPLATEEX and its items, DWORD-aligned in the vector's storage.
std::vector<DWORD> DialogTemplateBytes(const CDialogTemplate& tmpl);

}  // namespace gestalia::win32
