#pragma once
// CDlgProfile: her height, her weight before pregnancy and whether she
// expects twins (template 160). The handler that runs it sets the stored
// profile, runs it modally and, on OK, reads it back: nothing when she
// cleared it. Nothing is stored while it runs: Cancel leaves the agenda as
// it was.

#include <optional>
#include <string>

#include "model/weight_gain.h"
#include "platform/dialog.h"

namespace gestalia {

class IUiServices;

class CDlgProfile : public CDialog {
  public:
    // Must outlive the dialog.
    explicit CDlgProfile(IUiServices& ui) : m_ui(ui) {}

    void SetProfile(const std::optional<CProfile>& profile) { m_profile = profile; }
    const std::optional<CProfile>& GetProfile() const { return m_profile; }

    bool OnInitDialog(IDialogWindow& window) override;
    void OnCommand(int id) override;

  protected:
    // Checks both boxes; a wrong one is told and the dialog stays open with
    // what she typed.
    void OnOK() override;

  private:
    void ShowFields(IDialogWindow& window, const std::optional<CProfile>& profile);

    IUiServices& m_ui;
    std::optional<CProfile> m_profile;
};

}  // namespace gestalia
