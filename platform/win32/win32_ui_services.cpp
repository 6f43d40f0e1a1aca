#include "platform/win32/win32_ui_services.h"

#include <vector>

#include "model/win32_text.h"
#include "platform/openable_url.h"
#include "platform/win32/dialog_scaling.h"
#include "platform/win32/modal_choices.h"
#include "platform/win32/win32_dialog_window.h"
#include "platform/win32/win32_dpi.h"

namespace gestalia::win32 {

namespace {

// Room for a long path (32767 units, \\?\ included) and its terminator.
constexpr std::size_t kFileBufferSize = kMaxWidePath + 1;

using TaskDialogIndirectFn = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

// The task dialog is in version 6 of the common controls, which the
// program's manifest asks for; it is looked up, so that without it the
// program still runs, with MessageBoxW.
TaskDialogIndirectFn TaskDialogFunction() {
    const HMODULE comctl = ::GetModuleHandleW(L"comctl32.dll");
    if (comctl == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<TaskDialogIndirectFn>(
        reinterpret_cast<void*>(::GetProcAddress(comctl, "TaskDialogIndirect")));
}

int PlainMessageBox(const std::wstring& text, const std::wstring& caption, MbButtons buttons,
                    MbIcon icon, MbDefault defaultButton) {
    UINT type = buttons == MbButtons::Ok      ? MB_OK
                : buttons == MbButtons::YesNo ? MB_YESNO
                                              : MB_YESNOCANCEL;
    type |= icon == MbIcon::Question  ? MB_ICONQUESTION
            : icon == MbIcon::Warning ? MB_ICONWARNING
                                      : 0;
    type |= defaultButton == MbDefault::First    ? MB_DEFBUTTON1
            : defaultButton == MbDefault::Second ? MB_DEFBUTTON2
                                                 : MB_DEFBUTTON3;
    return ::MessageBoxW(::GetActiveWindow(), text.c_str(), caption.c_str(), type | MB_TASKMODAL);
}

std::optional<std::string> RunFileDialog(const CFileDialogSpec& spec, bool bSave) {
    const std::wstring filters = FileFilterList(spec.filters);
    const std::wstring title = Utf16FromUtf8(spec.strTitle);
    std::vector<wchar_t> buffer(kFileBufferSize, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = ::GetActiveWindow();
    // Without a title of its own the dialog says "Save As" or "Open" in the
    // language of Windows.
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(spec.nFilterIndex);
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = FileDialogFlags(spec, bSave);
    // No default extension, as on Linux: the window logic adds ".gst" itself.
    const BOOL chosen = bSave ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
    if (!chosen) {
        return std::nullopt;
    }
    return Utf8FromUtf16(buffer.data());
}

std::optional<std::string> LocalCacheFolder() {
    PWSTR localAppData = nullptr;
    const HRESULT found = ::SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &localAppData);
    // Freed whether or not the call succeeded, as the call asks.
    const std::wstring folder = SUCCEEDED(found) && localAppData != nullptr ? localAppData : L"";
    ::CoTaskMemFree(localAppData);
    if (folder.empty()) {
        return std::nullopt;
    }
    return Utf8FromUtf16(folder) + "\\Gestalia\\cache";
}

}  // namespace

CWin32UiServices::CWin32UiServices() : CUiServicesBase(LocalCacheFolder()) {}

int CWin32UiServices::RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) {
    CWin32DialogWindow window(tmpl, handler);
    return window.RunModal(::GetActiveWindow());
}

std::optional<int> CWin32UiServices::ShowMessageBox(const CMessageBoxSpec& box) {
    const std::wstring wideText = Utf16FromUtf8(box.strText);
    const std::wstring wideCaption = Utf16FromUtf8(box.strCaption);
    const TaskDialogIndirectFn taskDialog = TaskDialogFunction();
    if (taskDialog == nullptr) {
        return PlainMessageBox(wideText, wideCaption, box.buttons, box.icon, box.defaultButton);
    }
    // MessageBoxW's buttons speak the language of Windows; these speak Spanish
    // whatever it is, as every other text of the program.
    const std::vector<CMessageButton> answers = MessageButtons(box.buttons);
    std::vector<TASKDIALOG_BUTTON> taskButtons;
    for (const CMessageButton& b : answers) {
        taskButtons.push_back(TASKDIALOG_BUTTON{b.nAnswer, b.strText.c_str()});
    }
    TASKDIALOGCONFIG config{};
    config.cbSize = sizeof(config);
    config.hwndParent = ::GetActiveWindow();
    config.hInstance = ::GetModuleHandleW(nullptr);
    // Escape and the close box cancel: an answer that is not a button's.
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_POSITION_RELATIVE_TO_WINDOW;
    config.pszWindowTitle = wideCaption.c_str();
    config.pszContent = wideText.c_str();
    config.cButtons = static_cast<UINT>(taskButtons.size());
    config.pButtons = taskButtons.data();
    config.nDefaultButton = box.nDefault;
    if (box.icon == MbIcon::Warning) {
        config.pszMainIcon = TD_WARNING_ICON;
    } else if (box.icon == MbIcon::Question) {
        config.dwFlags |= TDF_USE_HICON_MAIN;
        config.hMainIcon = ::LoadIconW(nullptr, IDI_QUESTION);
    }
    int pressed = 0;
    if (FAILED(taskDialog(&config, &pressed, nullptr, nullptr))) {
        return PlainMessageBox(wideText, wideCaption, box.buttons, box.icon, box.defaultButton);
    }
    return pressed;
}

std::optional<std::string> CWin32UiServices::ChooseFile(const CFileDialogSpec& spec, bool bSave) {
    return RunFileDialog(spec, bSave);
}

bool CWin32UiServices::OpenTarget(const COpenTarget& target) {
    // The address goes to the desktop's handler for web pages (a cached page
    // as its path, to the handler for HTML files) as one argument; nothing
    // interprets it as a command.
    const std::wstring wide = Utf16FromUtf8(target.strTarget);
    const HINSTANCE result = ::ShellExecuteW(::GetActiveWindow(), L"open", wide.c_str(), nullptr,
                                             nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

int CWin32UiMetrics::ScrollBarWidth() const {
    // In the window logic's 96-dpi pixels (dialog_scaling.h); the calendar's
    // own window asks at its resolution.
    return SystemMetricForDpi(SM_CXVSCROLL, kDefaultDpi);
}

}  // namespace gestalia::win32
