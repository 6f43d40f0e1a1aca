#pragma once
// CDlgDating: dating by the first scan, and the birth (template 150). The
// handler that runs it sets her last period, the stored scan and birth, runs
// it modally and, on OK, reads them back. Nothing is stored while it runs:
// Cancel leaves the agenda as it was.

#include <optional>

#include "model/date_value.h"
#include "model/scan_dating.h"
#include "platform/dialog.h"

namespace gestalia {

class IClock;
class IUiServices;

class CDlgDating : public CDialog {
  public:
    // Both must outlive the dialog.
    CDlgDating(const IClock& clock, IUiServices& ui);

    void SetLastPeriod(const CDateValue& dt) { m_dtLastPeriod = dt; }
    void SetScan(const std::optional<CScanDating>& scan) { m_scan = scan; }
    // The scan she entered, chosen or not; nothing when she left it blank.
    const std::optional<CScanDating>& GetScan() const { return m_scan; }
    void SetBirth(const std::optional<CDateValue>& birth) { m_birth = birth; }
    const std::optional<CDateValue>& GetBirth() const { return m_birth; }

    bool OnInitDialog(IDialogWindow& window) override;
    void OnCommand(int id) override;

  protected:
    // Checks every field; a wrong one is told and the dialog stays open.
    void OnOK() override;

  private:
    // The scan the fields give; tells her what is wrong and gives nothing
    // (bOk false) when a field is wrong.
    std::optional<CScanDating> ReadScan(bool& bOk);
    void OnCompare();
    void OnSetBirth();
    void ShowComparison(const std::optional<CScanDating>& scan);
    void Warn(const std::string& message);

    const IClock& m_clock;
    IUiServices& m_ui;
    CDateValue m_dtLastPeriod;
    std::optional<CScanDating> m_scan;
    std::optional<CDateValue> m_birth;
};

}  // namespace gestalia
