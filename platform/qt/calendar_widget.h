#pragma once
// CCalendarWidget: the QWidget that hosts one CWMDateCtrl. It is the control's
// window: it paints it (background, then the month) on a CQtDrawSurface, turns
// Qt's mouse events into the control's messages, and answers the control's
// questions about the window (size, the scroll bar width from the style, the
// highlight colour from the palette).
//
// What the control tells its parent goes to the window's ICalendarParent, as
// the Win32 host's does: OnNotify receives every NMWMDATECTRL synchronously
// (its references are valid only during the call) and gives the parent's
// answer; ShowDayInPanels receives the day of every left press on a day.
//
// Ownership: the control and the parent belong to the owner and must outlive
// the widget; the widget binds itself as the control's host
// on construction and unbinds on destruction. The widget belongs to its Qt
// parent. Mouse events: a left or right press, a right release and a left
// double-click (which Qt delivers in place of the second press of a pair, as
// the desktop's double-click message is). A right press also takes Qt's
// context menu event, so that no menu of the window steals the release.
//
// The widget takes the focus on a click and through Tab; focus changes and
// keys go to the control, which draws its own focus frame and decides which
// keys are its own (the others go on to the window). Hovering a note line
// shows the note's tooltip. Screen readers see the widget as a list of the
// 42 days (calendar_accessible.h).

#include <QWidget>
#include <cstdint>
#include <optional>

#include "calendar/calendar_host.h"
#include "platform/qt/qt_image_registry.h"
#include "platform/qt/qt_text_cache.h"

namespace gestalia {

class CWMDateCtrl;
class ICalendarParent;

class CCalendarWidget final : public QWidget, private ICalendarHost {
    Q_OBJECT

  public:
    // Images() resolves the handles of the control's image list: a handle not
    // registered there is the id of a bitmap resource whose pure green is transparent.
    CCalendarWidget(CWMDateCtrl& ctrl, ICalendarParent& owner, QWidget* parent = nullptr);
    ~CCalendarWidget() override;

    CWMDateCtrl& Control() { return m_ctrl; }

    // What the paints keep for the next one (fonts, shown texts); cleared when
    // the size or the fonts change.
    const CQtTextCache& TextCache() const { return m_texts; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // ICalendarHost
    bool HasWindow() const override { return true; }
    void Invalidate() override;
    Size ClientSize() const override;
    int ScrollBarWidth() const override;
    Colour HighlightColour() const override;
    std::intptr_t SendNotify(const NMWMDATECTRL& nm) override;
    void ShowDayInPanels(const CDateValue& dtDay) override;

    // Tells a screen reader which day is chosen now, when it changed.
    void AnnounceChosenDay();

    CWMDateCtrl& m_ctrl;
    ICalendarParent& m_owner;
    CQtImageRegistry m_images;
    std::optional<CDateValue> m_dtAnnounced;  // the chosen day a reader was last told
    CQtTextCache m_texts;
};

// The calendar control of a dialog: a CCalendarWidget told to the window's
// calendar parent. The widget reads the scroll bar width and highlight colour
// from its own style and palette.
QWidget* CreateCalendarWidget(CWMDateCtrl& ctrl, ICalendarParent& owner, QWidget* parent);

}  // namespace gestalia
