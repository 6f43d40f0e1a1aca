#pragma once
// What the Windows message boxes and file dialogs are told, worked out apart
// from showing them: the buttons of a message box with their Spanish texts
// (platform/modal_choices.h) and answers, and the file dialogs' filter list,
// title and flags.

#include <string>
#include <vector>

#include "platform/modal_choices.h"
#include "platform/ui_services.h"
#include "platform/win32/win32_api.h"

namespace gestalia::win32 {

struct CMessageButton {
    int nAnswer = IDOK;  // IDOK, IDYES, IDNO or IDCANCEL
    std::wstring strText;
};

// MessageChoices with the texts in UTF-16.
std::vector<CMessageButton> MessageButtons(MbButtons buttons);

// The filter list of OPENFILENAMEW: "description (pattern)", pattern, for
// each filter, every string ended by a null and the list by one more.
std::wstring FileFilterList(const std::vector<CFileFilter>& filters);
// OPENFILENAMEW's Flags for an open or save dialog.
DWORD FileDialogFlags(const CFileDialogSpec& spec, bool bSave);

}  // namespace gestalia::win32
