#pragma once
// CDialog: the base of every window's logic. It keeps the live window from
// OnInitDialog to OnDestroy, answers OK and Cancel by ending the modal run,
// and does nothing for the other messages. Derived classes override what they
// handle. It knows no toolkit: toolkit implementations only call it through
// IDialogHandler.

#include "platform/dialog_template.h"
#include "platform/dialog_window.h"

namespace gestalia {

class CDialog : public IDialogHandler {
  public:
    CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    bool OnInitDialog(IDialogWindow& window) override;
    void OnCommand(int id) override;
    void OnDateChanged(int) override {}
    void OnSize(Size) override {}
    void OnLButtonDown(Point) override {}
    void OnPaint(IDrawSurface&) override {}
    std::optional<CCtlColor> OnCtlColor(int) override { return std::nullopt; }
    void OnSysCommand(int) override {}
    // The close box is Cancel, as Escape is.
    void OnClose() override { OnCommand(IDCANCEL); }
    void OnActivate() override {}
    // Forgets the window, if it is the live one.
    void OnDestroy(IDialogWindow& window) override;
    ICalendarParent* AsCalendarParent() override { return nullptr; }

    // The live window while the dialog runs; nullptr before and after.
    IDialogWindow* Window() const { return m_pWindow; }

  protected:
    virtual void OnOK();      // ends the run with IDOK
    virtual void OnCancel();  // ends the run with IDCANCEL
    void EndDialog(int nResult);
    // Enables and shows a control of the live window.
    void EnableAndShow(int id);

  private:
    IDialogWindow* m_pWindow = nullptr;
};

}  // namespace gestalia
