#include "platform/win32/modal_choices.h"

#include <algorithm>

#include "model/win32_text.h"

namespace gestalia::win32 {

std::vector<CMessageButton> MessageButtons(MbButtons buttons) {
    std::vector<CMessageButton> list;
    for (const CChoice& choice : MessageChoices(buttons)) {
        list.push_back({choice.nAnswer, Utf16FromUtf8(choice.strText)});
    }
    return list;
}

std::wstring FileFilterList(const std::vector<CFileFilter>& filters) {
    std::wstring list;
    for (const CFileFilter& filter : filters) {
        list += Utf16FromUtf8(FilterLabel(filter));
        list += L'\0';
        list += Utf16FromUtf8(filter.strPattern);
        list += L'\0';
    }
    list += L'\0';
    return list;
}

DWORD FileDialogFlags(const CFileDialogSpec& spec, bool bSave) {
    // The working folder stays where it was: the agenda path is absolute.
    DWORD flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!bSave && spec.bFileMustExist) {
        flags |= OFN_FILEMUSTEXIST;
    }
    if (bSave && spec.bConfirmOverwrite) {
        flags |= OFN_OVERWRITEPROMPT;
    }
    return flags;
}

}  // namespace gestalia::win32
