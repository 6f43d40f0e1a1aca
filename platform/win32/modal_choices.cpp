#include "platform/win32/modal_choices.h"

#include <algorithm>

#include "model/win32_text.h"

namespace gestalia::win32 {

std::vector<CMessageButton> MessageButtons(MbButtons buttons) {
    switch (buttons) {
        case MbButtons::Ok:
            return {{IDOK, L"Aceptar"}};
        case MbButtons::YesNo:
            return {{IDYES, L"S\u00ed"}, {IDNO, L"No"}};
        case MbButtons::YesNoCancel:
            return {{IDYES, L"S\u00ed"}, {IDNO, L"No"}, {IDCANCEL, L"Cancelar"}};
    }
    return {{IDOK, L"Aceptar"}};
}

int DefaultAnswer(MbButtons buttons, MbDefault defaultButton) {
    const std::vector<CMessageButton> list = MessageButtons(buttons);
    const auto index = std::min(static_cast<std::size_t>(defaultButton), list.size() - 1);
    return list[index].nAnswer;
}

int EscapeAnswer(MbButtons buttons) {
    return MessageButtons(buttons).back().nAnswer;
}

std::wstring FileFilterList(const std::vector<CFileFilter>& filters) {
    std::wstring list;
    for (const CFileFilter& filter : filters) {
        list += Utf16FromUtf8(filter.strDescription + " (" + filter.strPattern + ")");
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
