#pragma once
// CDlgDateItem: the note editor (template 130). The handler that runs it fills
// it through the setters, runs it modally and reads the getters afterwards. The
// user sees the note text, the weight and the visit; the start and end times and the
// appointment-or-task choice travel through controls that are never shown.

#include <cstdint>
#include <string>

#include "dialogs/visit_boxes.h"
#include "model/date_value.h"
#include "model/visit.h"
#include "platform/dialog.h"

namespace gestalia {

class IClock;
class IUiServices;

class CDlgDateItem : public CDialog {
  public:
    // Start and end are the current local time until set. `ui` shows the
    // editor's own messages; both must outlive the dialog.
    CDlgDateItem(const IClock& clock, IUiServices& ui);

    void SetNew(std::int32_t bNew) { m_bNew = bNew; }
    void SetText(std::string strText) { m_strText = std::move(strText); }
    std::string GetText() const { return m_strText; }
    void SetFrom(CDateValue dt) { m_dtFrom = dt; }
    CDateValue GetFrom() const { return m_dtFrom; }
    void SetTo(CDateValue dt) { m_dtTo = dt; }
    CDateValue GetTo() const { return m_dtTo; }
    void SetTask(std::int32_t bTask) { m_bTask = bTask; }
    std::int32_t GetTask() const { return m_bTask; }
    void SetWeight(float fWeight) { m_fWeight = fWeight; }
    float GetWeight() const { return m_fWeight; }
    void SetVisit(const CVisit& visit) { m_visit = visit; }
    const CVisit& GetVisit() const { return m_visit; }

    bool OnInitDialog(IDialogWindow& window) override;
    void OnCommand(int id) override;

    // Set when the dialog was closed with "Borrar"; read after the modal run.
    std::int32_t m_bDelete = 0;

  protected:
    void OnOK() override;
    void OnBorrar();

  private:
    IUiServices& m_ui;
    std::int32_t m_bTask = 0;
    CDateValue m_dtTo;
    CDateValue m_dtFrom;
    std::string m_strText;
    std::int32_t m_bNew = 0;
    float m_fWeight = 0.0f;
    std::string m_strWeight;  // the weight box's text
    CVisit m_visit;
    // What the controls showed when the dialog opened, as they give it back:
    // a value she did not change keeps what was set, byte for byte, even
    // where a control cannot show it (a bare line feed, a null end date).
    std::string m_strShownText;
    CDateValue m_dtShownFrom;
    CDateValue m_dtShownTo;
    bool m_bShownTask = false;
    CShownVisit m_shownVisit;
};

}  // namespace gestalia
