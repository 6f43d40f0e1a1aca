#pragma once
// CWin32UiServices: the modal services of the window layer on Windows, and
// CWin32UiMetrics, its desktop measures. Dialogs run as CWin32DialogWindow
// over the active window; message boxes are task dialogs with Spanish button
// texts (plain MessageBoxW where the task dialog is missing); the file
// dialogs are GetOpenFileNameW and GetSaveFileNameW; web addresses go to
// ShellExecuteW "open" as one address, after OpenTargetOf (a cached reading
// page as its local file), never through a command interpreter.

#include "platform/ui_metrics.h"
#include "platform/ui_services.h"
#include "platform/ui_services_base.h"

namespace gestalia::win32 {

class CWin32UiServices final : public CUiServicesBase {
  public:
    // The cache folder is %LOCALAPPDATA%\Gestalia\cache.
    CWin32UiServices();

    int RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) override;

  private:
    std::optional<int> ShowMessageBox(const CMessageBoxSpec& box) override;
    std::optional<std::string> ChooseFile(const CFileDialogSpec& spec, bool bSave) override;
    bool OpenTarget(const COpenTarget& target) override;
};

// The desktop's measures in the window logic's 96-dpi pixels.
class CWin32UiMetrics final : public IUiMetrics {
  public:
    int ScrollBarWidth() const override;
};

}  // namespace gestalia::win32
