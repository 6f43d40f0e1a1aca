// gestalia.exe: the program on Windows. Its one window is the main agenda
// window, run by the same application logic as on Linux; the arguments come
// in UTF-16 and are handed on in UTF-8.

#include <string>
#include <vector>

#include "app/cal_ctrl_app.h"
#include "model/clock.h"
#include "model/globals.h"
#include "model/win32_text.h"
#include "platform/win32/win32_api.h"
#include "platform/win32/win32_settings_store.h"
#include "platform/win32/win32_ui_services.h"

namespace {

// The arguments after the program name, as Windows splits its command line.
std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        args.push_back(gestalia::win32::Utf8FromUtf16(wide[i]));
    }
    if (wide != nullptr) {
        ::LocalFree(wide);
    }
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
    // The date pickers and the standard controls, in the version the
    // manifest asks for.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);
    // COM, in this thread's apartment: screen readers reach the calendar
    // through it (and the file dialogs' shell parts use it).
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    const std::vector<std::string> args = Arguments();
    gestalia::CGlobals globals;
    gestalia::CSystemClock clock;
    gestalia::win32::CWin32UiServices ui;
    gestalia::win32::CWin32UiMetrics metrics;
    gestalia::win32::CWin32SettingsStore settings;
    gestalia::CCalCtrlApp theApp(globals, ui, metrics, clock, &settings);
    theApp.InitInstance(args);
    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return 0;
}
