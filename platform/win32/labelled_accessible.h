#pragma once
// Screen readers name an edit box by the label just before it in the
// dialog's order, but a date picker by its text: the date. NameByLabel gives
// a control the first rule: its accessible object is the system's own, named
// by the static label just before it (its text now, without the "&" of a
// mnemonic), or by its own text when there is no such label.

#include <string>

#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

// Subclasses the control for as long as it lives; false when it cannot.
bool NameByLabel(HWND control);

// The text of the static control just before `control` among its siblings,
// without a mnemonic's "&" (none in an SS_NOPREFIX label); empty when the window before it is no
// label.
std::wstring LabelBefore(HWND control);

}  // namespace gestalia::win32
