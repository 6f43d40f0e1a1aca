#pragma once
// CQtDialogWindow: a live dialog on Qt (dialog_window.h, dialog_window_base.h).
// Every control becomes a child widget, named "ctl_<id>" ("ctl_static_<n>"
// for the n-th unnamed static, counted from 0), so that tests find them with
// findChild. The window's menu is its context menu. Screen readers read an
// input by the static that labels it (labelFor), a read-only line by what it
// says, a picture button by its text.
//
// The widgets belong to the dialog; the handler is not owned and must outlive it.

#include <QDialog>
#include <optional>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/dialog_window_base.h"

class QAction;
class QDateTimeEdit;
class QWidget;

namespace gestalia {

class CQtDialogWindow final : public QDialog, public CDialogWindowBase {
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
    void Push(CControlSlot& slot, Part part) override;
    void PushWindow(WindowPart part) override;
    CShownValue Shown(const CControlSlot& slot) const override;
    Size ClientSize() const override { return Size{width(), height()}; }

    QWidget* CreateWidget(const CControlTemplate& ct);
    void ShowText(const CControlSlot& slot, QWidget* w);
    void ShowDate(const CControlSlot& slot, QWidget* w);
    void ShowCheck(const CControlSlot& slot, QWidget* w);
    void ShowColours(const CControlSlot& slot, QWidget* w);
    // Makes a date box's pop-up calendar, once, and listens to it.
    void ConnectPopup(QDateTimeEdit& picker);
    // Opens a date box's pop-up calendar, as her press on its arrow does.
    static void OpenPopup(QDateTimeEdit& picker);
    // The control that has the keyboard focus, if one has.
    std::optional<int> FocusedId() const;

    std::vector<QWidget*> m_widgets;  // one a control, in template order
    std::vector<QAction*> m_menuActions;
};

}  // namespace gestalia
