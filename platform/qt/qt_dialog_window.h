#pragma once
// CQtDialogWindow: a live dialog on Qt, built from a CDialogTemplate. Every
// control becomes a child widget at its template rectangle (dialog units to
// pixels), named "ctl_<id>" ("ctl_static_<n>" for the n-th unnamed static,
// counted from 0), so that tests find them with findChild. The window hands
// the user's actions to its IDialogHandler: buttons and Enter or Escape as
// OnCommand, date changes as OnDateChanged, sizes, left presses, paints and
// the entries of its context menu (in place of the system menu) as the
// matching handler calls. A template that keeps Escape from closing it gets
// nothing from that key; controls styled as links show the hand cursor.
// Screen readers read an input by the static that labels it (labelFor), a
// read-only line by what it says, a picture button by its text.
//
// The widgets belong to the dialog; the handler is not owned and must outlive it.

#include <QDialog>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/dialog_window.h"

class QAction;
class QWidget;

namespace gestalia {

class CQtDialogWindow final : public QDialog, public IDialogWindow {
    Q_OBJECT

  public:
    CQtDialogWindow(const CDialogTemplate& tmpl, IDialogHandler& handler,
                    QWidget* parent = nullptr);
    ~CQtDialogWindow() override;

    // Calls the handler's OnInitDialog, applies the controls' colours, and
    // runs the window modally unless the handler already ended it. Gives the
    // EndDialog result (IDCANCEL when the window went away otherwise).
    int RunModal();
    // OnInitDialog and the colours only, for a caller that shows the window
    // itself (the start-up measurement).
    void Initialise();

    // The widget of a control (the first with that id); nullptr if none.
    QWidget* ControlWidget(int id) const;
    // The entries added with AppendSystemMenu, in order.
    const std::vector<QAction*>& SystemMenuActions() const { return m_menuActions; }

    // IDialogWindow
    bool HasControl(int id) const override;
    void ShowControl(int id, bool bShow) override;
    bool IsControlVisible(int id) const override;
    void EnableControl(int id, bool bEnable) override;
    bool IsControlEnabled(int id) const override;
    // Multi-line edits give their line breaks as "\r\n", as the agenda keeps them.
    void SetControlText(int id, std::string_view utf8) override;
    std::string GetControlText(int id) const override;
    void MoveControl(int id, const Rect& rc) override;
    Rect GetControlRect(int id) const override;
    void RaiseControl(int id) override;
    void SetControlFont(int id, const CControlFont& font) override;
    void SetButtonBitmap(int id, int bitmapId) override;
    void SetDate(int id, const CDateValue& dt) override;
    CDateValue GetDate(int id) const override;
    void SetCheck(int id, bool bChecked) override;
    bool GetCheck(int id) const override;
    void Invalidate(int id) override;
    void SetFocus(int id) override;
    void SetCaption(std::string_view utf8) override;
    Size GetClientSize() const override;
    void SetMinimumClientSize(Size client) override;
    void AppendSystemMenu(std::string_view text, int nCommand) override;
    void EndDialog(int nResult) override;

  protected:
    void reject() override;                        // Escape
    void closeEvent(QCloseEvent* event) override;  // the close box
    void changeEvent(QEvent* event) override;      // the window activated again
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;  // the hand over link statics
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct CControl {
        CControlTemplate tmpl;
        QWidget* pWidget = nullptr;
        QString strText;     // bitmap buttons keep their text here, unshown
        CDateValue dtValue;  // pickers: the value last set; one part is edited
    };

    void BuildControl(const CControlTemplate& ct, int nStaticIndex);
    QWidget* CreateWidget(const CControlTemplate& ct);
    void ApplyColours();
    void ApplyColour(const CControl& control);
    // The command that Enter gives in the current focus.
    int EnterCommand() const;
    CControl* Find(int id);
    const CControl* Find(int id) const;

    CDialogTemplate m_tmpl;
    IDialogHandler& m_handler;
    std::vector<CControl> m_controls;
    std::vector<QAction*> m_menuActions;
    bool m_bEnded = false;
    int m_nResult = IDCANCEL;
};

}  // namespace gestalia
