#pragma once
// CQtUiServices: the modal services of the window layer on Qt, and
// CQtUiMetrics, its desktop measures. Dialogs run with
// QDialog::exec, message boxes are QMessageBox, the file dialogs QFileDialog,
// and web addresses go to QDesktopServices::openUrl (no shell is involved, and
// only http and https addresses, and the cached reading pages as local files,
// are handed on).
//
// A test that drives the real windows sets an IModalAnswers: message boxes and
// file dialogs are then answered by it and never shown.

#include <optional>
#include <string>
#include <string_view>

#include "platform/ui_metrics.h"
#include "platform/ui_services.h"
#include "platform/ui_services_base.h"

class QWidget;

namespace gestalia {

// Answers for the questions that would otherwise wait for the user.
class IModalAnswers {
  public:
    virtual ~IModalAnswers() = default;
    virtual int MessageBox(std::string_view text, std::string_view caption, MbButtons buttons,
                           MbIcon icon, MbDefault defaultButton) = 0;
    virtual std::optional<std::string> GetSaveFileName(const CFileDialogSpec& spec) = 0;
    virtual std::optional<std::string> GetOpenFileName(const CFileDialogSpec& spec) = 0;
};

class CQtUiServices final : public CUiServicesBase {
  public:
    // `answers`, when given, must outlive this object.
    // The cache folder is QStandardPaths' cache location, for the
    // application's name as it is set by then.
    explicit CQtUiServices(IModalAnswers* answers = nullptr);

    int RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) override;

  private:
    std::optional<int> ShowMessageBox(const CMessageBoxSpec& box) override;
    std::optional<std::string> ChooseFile(const CFileDialogSpec& spec, bool bSave) override;
    bool OpenTarget(const COpenTarget& target) override;

    IModalAnswers* const m_pAnswers;
};

// The desktop's measures from the application's style.
class CQtUiMetrics final : public IUiMetrics {
  public:
    int ScrollBarWidth() const override;
};

}  // namespace gestalia
