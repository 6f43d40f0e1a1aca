#include "platform/qt/qt_dialog_window.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QTextEdit>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/calendar_parent.h"
#include "platform/qt/calendar_widget.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_draw_surface.h"
#include "platform/qt/qt_images.h"
#include "platform/qt/whole_line_text_edit.h"
#include "platform/surface_rules.h"

namespace gestalia {

namespace {

// The dynamic property that holds the text of a label inside a multi-line button.
constexpr char kLabelName[] = "label";

QDate ToQDate(const CDateValue& dt) {
    if (!dt.IsValid()) {
        return {};
    }
    return QDate(dt.GetYear(), dt.GetMonth(), dt.GetDay());
}

// A font whose character cell (ascent plus descent) is the given pixel height,
// as the templates' fonts are specified.
QFont MakeFont(const CControlFont& spec) {
    // Tahoma where installed, else the desktop's sans-serif, as the calendar.
    QFont font(ResolveFontFamily(ToQString(spec.strFace)));
    const int cell = std::max(1, spec.nPixelHeight);
    font.setPixelSize(cell);
    const int height = QFontMetrics(font).height();
    if (height > cell) {
        font.setPixelSize(std::max(1, cell * cell / height));
    }
    font.setWeight(static_cast<QFont::Weight>(FontWeight(spec.nWeight)));
    return font;
}

Qt::Alignment TextAlignment(std::uint32_t style, Qt::Alignment vertical) {
    Qt::Alignment a = vertical;
    if ((style & kStyleCentre) != 0) {
        a |= Qt::AlignHCenter;
    } else if ((style & kStyleRight) != 0) {
        a |= Qt::AlignRight;
    } else {
        a |= Qt::AlignLeft;
    }
    return a;
}

// As in Windows' date picker and in any combo box: F4, or Alt with the down
// arrow, opens a date box's pop-up calendar.
bool OpensPopup(const QKeyEvent& key) {
    return (key.key() == Qt::Key_F4 && key.modifiers() == Qt::NoModifier) ||
           (key.key() == Qt::Key_Down && key.modifiers() == Qt::AltModifier);
}

bool IsMultiLineEdit(const CControlTemplate& ct) {
    return ct.kind == ControlKind::Edit && (ct.style & kStyleMultiLine) != 0;
}

bool IsMultiLineButton(const CControlTemplate& ct) {
    return ct.kind == ControlKind::PushButton && (ct.style & kStyleMultiLine) != 0 &&
           (ct.style & kStyleBitmap) == 0;
}

// The templates name the desktop fonts their dialog units were measured with
// ("MS Sans Serif" 8 points: 6 pixels per 4 units across). Where that face is
// missing, Liberation Sans keeps close to those widths, so that labels sized
// for it are not cut; failing that, the desktop's sans-serif.
QFont TemplateFont(const CDialogTemplate& tmpl) {
    const QString requested = ToQString(tmpl.strFont);
    const QStringList families = QFontDatabase::families();
    QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const QString& candidate : {requested, QStringLiteral("Liberation Sans")}) {
        if (families.contains(candidate, Qt::CaseInsensitive)) {
            family = candidate;
            break;
        }
    }
    QFont font(family);
    font.setPointSize(std::max(1, tmpl.nPointSize));
    return font;
}

}  // namespace

CQtDialogWindow::CQtDialogWindow(const CDialogTemplate& tmpl, IDialogHandler& handler,
                                 QWidget* parent)
    : QDialog(parent), CDialogWindowBase(tmpl, &handler) {
    setObjectName(QStringLiteral("dlg_%1").arg(tmpl.id));
    setWindowTitle(ToQString(tmpl.strCaption));
    setFont(TemplateFont(tmpl));

    Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
    if (tmpl.bSystemMenu) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    if (tmpl.bResizable) {
        flags |= Qt::WindowMinMaxButtonsHint;
    }
    setWindowFlags(flags);

    const Size size = DialogSizeToPixels(tmpl.cx, tmpl.cy);
    if (tmpl.bResizable) {
        resize(size.cx, size.cy);
    } else {
        setFixedSize(size.cx, size.cy);
    }

    m_widgets.reserve(Slots().size());
    int nStatic = 0;
    for (const CControlSlot& slot : Slots()) {
        const CControlTemplate& ct = slot.tmpl;
        QWidget* w = CreateWidget(ct);
        w->setObjectName(ct.id == IDC_STATIC ? QStringLiteral("ctl_static_%1").arg(nStatic++)
                                             : QStringLiteral("ctl_%1").arg(ct.id));
        w->setGeometry(ToQRect(slot.rc));
        w->setEnabled(slot.bEnabled);
        w->setVisible(slot.bVisible);
        m_widgets.push_back(w);
    }
    // Where controls overlap, the one earlier in the template lies on top.
    for (auto it = m_widgets.rbegin(); it != m_widgets.rend(); ++it) {
        (*it)->raise();
    }
    // Screen readers read an input by its label: the label's buddy.
    for (const CControlSlot& slot : Slots()) {
        QWidget* input = slot.tmpl.labelFor != 0 ? ControlWidget(slot.tmpl.labelFor) : nullptr;
        if (slot.tmpl.kind == ControlKind::Static && input != nullptr) {
            static_cast<QLabel*>(m_widgets[IndexOf(slot)])->setBuddy(input);
        }
    }
}

CQtDialogWindow::~CQtDialogWindow() {
    // Hiding the window as it goes takes the focus from a date box, which
    // reports it; by then this window is no longer one to report to.
    for (QWidget* w : m_widgets) {
        QObject::disconnect(w, nullptr, this, nullptr);
        if (const auto* popup = w->findChild<QCalendarWidget*>()) {
            QObject::disconnect(popup, nullptr, this, nullptr);
        }
    }
    Destroyed();
}

QWidget* CQtDialogWindow::CreateWidget(const CControlTemplate& ct) {
    const int id = ct.id;
    const QString text = ToQString(ct.strText);
    IDialogHandler& handler = *Handler();
    switch (ct.kind) {
        case ControlKind::PushButton: {
            auto* button = new QPushButton(this);
            button->setAutoDefault(false);
            button->setDefault((ct.style & kStyleDefault) != 0);
            if ((ct.style & kStyleBitmap) != 0) {
                button->setAccessibleName(text);
                button->setToolTip(text);
            } else if (IsMultiLineButton(ct)) {
                // QPushButton does not wrap its text: a label inside it does.
                auto* layout = new QVBoxLayout(button);
                layout->setContentsMargins(4, 4, 4, 4);
                auto* label = new QLabel(text, button);
                label->setObjectName(QString::fromLatin1(kLabelName));
                label->setAlignment(Qt::AlignCenter);
                label->setWordWrap(true);
                label->setAttribute(Qt::WA_TransparentForMouseEvents);
                layout->addWidget(label);
                button->setAccessibleName(text);
            } else {
                button->setText(text);
            }
            if ((ct.style & kStyleLink) != 0) {
                button->setCursor(Qt::PointingHandCursor);
            }
            connect(button, &QPushButton::clicked, this, [&handler, id] { handler.OnCommand(id); });
            return button;
        }
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(text, this);
            connect(radio, &QRadioButton::clicked, this, [&handler, id] { handler.OnCommand(id); });
            return radio;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(text, this);
            connect(box, &QCheckBox::clicked, this, [&handler, id] { handler.OnCommand(id); });
            return box;
        }
        case ControlKind::Static: {
            auto* label = new QLabel(text, this);
            const bool vcentre = (ct.style & kStyleVCentre) != 0;
            label->setAlignment(TextAlignment(ct.style, vcentre ? Qt::AlignVCenter : Qt::AlignTop));
            label->setWordWrap(!vcentre);
            // Statics pass clicks to the window (the tip title relies on it),
            // so the window shows the hand over a link (mouseMoveEvent).
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            if ((ct.style & kStyleLink) != 0) {
                setMouseTracking(true);
            }
            return label;
        }
        case ControlKind::Edit: {
            const bool readOnly = (ct.style & kStyleReadOnly) != 0;
            if (IsMultiLineEdit(ct)) {
                // A text she only reads shows whole lines.
                auto* edit = readOnly ? new CWholeLineTextEdit(this) : new QTextEdit(this);
                edit->setAcceptRichText(false);
                edit->setReadOnly(readOnly);
                edit->document()->setDefaultTextOption(
                    QTextOption(TextAlignment(ct.style, Qt::AlignTop)));
                edit->setPlainText(ToQtLines(ct.strText));
                edit->setVerticalScrollBarPolicy((ct.style & kStyleVScroll) != 0
                                                     ? Qt::ScrollBarAsNeeded
                                                     : Qt::ScrollBarAlwaysOff);
                edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
                edit->setTabChangesFocus(true);
                edit->installEventFilter(this);
                return edit;
            }
            auto* edit = new QLineEdit(text, this);
            edit->setReadOnly(readOnly);
            edit->setAlignment(TextAlignment(ct.style, Qt::AlignVCenter));
            if (readOnly) {
                // Screen readers read a status line by what it says.
                edit->setAccessibleName(text);
                connect(edit, &QLineEdit::textChanged, edit,
                        [edit](const QString& now) { edit->setAccessibleName(now); });
            }
            return edit;
        }
        case ControlKind::DatePicker: {
            auto* picker = new QDateEdit(this);
            picker->setCalendarPopup(true);
            picker->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
            picker->setMinimumDate(QDate(100, 1, 1));
            picker->setMaximumDate(QDate(9999, 12, 31));
            picker->setAlignment(TextAlignment(ct.style, Qt::AlignVCenter));
            connect(picker, &QDateEdit::dateChanged, this,
                    [&handler, id](QDate) { handler.OnDateChanged(id); });
            // The pop-up calendar is made when she first presses a key or a
            // button in the box (eventFilter), not before the first frame.
            // The wheel turns the date only in a box she is typing in: never
            // under a pointer that merely passes over it.
            picker->setFocusPolicy(Qt::StrongFocus);
            picker->installEventFilter(this);
            return picker;
        }
        case ControlKind::TimePicker: {
            auto* picker = new QTimeEdit(this);
            picker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
            connect(picker, &QTimeEdit::timeChanged, this,
                    [&handler, id](QTime) { handler.OnDateChanged(id); });
            return picker;
        }
        case ControlKind::Frame: {
            auto* frame = new QFrame(this);
            frame->setFrameShape(QFrame::Box);
            frame->setFrameShadow(QFrame::Plain);
            frame->setLineWidth(1);
            QPalette pal = frame->palette();
            pal.setColor(QPalette::WindowText, Qt::black);
            frame->setPalette(pal);
            frame->setAttribute(Qt::WA_TransparentForMouseEvents);
            return frame;
        }
        case ControlKind::Calendar: {
            ICalendarParent* parent = handler.AsCalendarParent();
            CWMDateCtrl* calendar = parent != nullptr ? parent->GetCalendar(id) : nullptr;
            if (calendar == nullptr) {
                // A template with a calendar its handler does not know: an
                // empty area keeps the other controls working.
                return new QWidget(this);
            }
            return CreateCalendarWidget(*calendar, *parent, this);
        }
    }
    return new QWidget(this);
}

void CQtDialogWindow::Initialise() {
    InitDialog();
}

int CQtDialogWindow::RunModal() {
    Initialise();
    if (!Ended()) {
        exec();
    }
    return Result().value_or(IDCANCEL);
}

QWidget* CQtDialogWindow::ControlWidget(int id) const {
    const CControlSlot* slot = Slot(id);
    return slot != nullptr ? m_widgets[IndexOf(*slot)] : nullptr;
}

std::optional<int> CQtDialogWindow::FocusedId() const {
    const QWidget* focused = focusWidget();
    for (const CControlSlot& slot : Slots()) {
        if (m_widgets[IndexOf(slot)] == focused) {
            return slot.tmpl.id;
        }
    }
    return std::nullopt;
}

void CQtDialogWindow::Push(CControlSlot& slot, Part part) {
    QWidget* w = m_widgets[IndexOf(slot)];
    switch (part) {
        case Part::Visible:
            w->setVisible(slot.bVisible);
            break;
        case Part::Enabled:
            w->setEnabled(slot.bEnabled);
            break;
        case Part::Text:
            ShowText(slot, w);
            break;
        case Part::Rect:
            // Inverted rectangles of a very small window become empty widgets.
            w->setGeometry(ToQRect(slot.rc));
            w->update();
            break;
        case Part::Raise:
            w->raise();
            break;
        case Part::Font:
            w->setFont(MakeFont(*slot.font));
            break;
        case Part::Bitmap: {
            auto* button = static_cast<QPushButton*>(w);
            const QPixmap pixmap = BitmapPixmap(slot.nBitmap);
            button->setText(QString());
            button->setIcon(QIcon(pixmap));
            button->setIconSize(pixmap.size());
            break;
        }
        case Part::Date:
            ShowDate(slot, w);
            break;
        case Part::Check:
            ShowCheck(slot, w);
            break;
        case Part::Colours:
            ShowColours(slot, w);
            w->update();
            break;
        case Part::Focus:
            w->setFocus(Qt::OtherFocusReason);
            break;
    }
}

void CQtDialogWindow::ShowText(const CControlSlot& slot, QWidget* w) {
    const QString text = ToQString(slot.strText);
    switch (slot.tmpl.kind) {
        case ControlKind::Static:
            static_cast<QLabel*>(w)->setText(text);
            break;
        case ControlKind::Edit:
            if (IsMultiLineEdit(slot.tmpl)) {
                static_cast<QTextEdit*>(w)->setPlainText(ToQtLines(slot.strText));
            } else {
                static_cast<QLineEdit*>(w)->setText(text);
            }
            break;
        case ControlKind::PushButton: {
            auto* button = static_cast<QPushButton*>(w);
            if ((slot.tmpl.style & kStyleBitmap) != 0) {
                button->setAccessibleName(text);
                button->setToolTip(text);
            } else if (IsMultiLineButton(slot.tmpl)) {
                button->findChild<QLabel*>(QString::fromLatin1(kLabelName))->setText(text);
                button->setAccessibleName(text);
            } else {
                button->setText(text);
            }
            break;
        }
        case ControlKind::RadioButton:
        case ControlKind::CheckBox:
            static_cast<QAbstractButton*>(w)->setText(text);
            break;
        default:
            break;  // pickers, frames and calendars show no text of theirs
    }
}

void CQtDialogWindow::ShowDate(const CControlSlot& slot, QWidget* w) {
    const CDateValue& dt = slot.dt;
    if (!dt.IsValid()) {
        // A picker cannot show an invalid date: it keeps what it shows.
        return;
    }
    auto* picker = static_cast<QDateTimeEdit*>(w);
    const QSignalBlocker block(picker);
    if (slot.tmpl.kind == ControlKind::TimePicker) {
        picker->setTime(QTime(dt.GetHour(), dt.GetMinute(), dt.GetSecond()));
    } else {
        picker->setDate(ToQDate(dt));
    }
}

void CQtDialogWindow::ShowCheck(const CControlSlot& slot, QWidget* w) {
    auto* button = static_cast<QAbstractButton*>(w);
    // Clearing one radio button of an exclusive group needs the group off.
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(slot.bCheck);
    button->setAutoExclusive(exclusive);
}

void CQtDialogWindow::ShowColours(const CControlSlot& slot, QWidget* w) {
    if (!slot.colours) {
        return;
    }
    QPalette pal = w->palette();
    const QColor text = ToQColor(slot.colours->crText);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
    if (slot.colours->crBack) {
        const QColor back = ToQColor(*slot.colours->crBack);
        pal.setColor(QPalette::Window, back);
        pal.setColor(QPalette::Base, back);
        pal.setColor(QPalette::Button, back);
        w->setAutoFillBackground(true);
    }
    w->setPalette(pal);
}

CShownValue CQtDialogWindow::Shown(const CControlSlot& slot) const {
    const QWidget* w = m_widgets[IndexOf(slot)];
    CShownValue shown;
    if (slot.tmpl.kind == ControlKind::Edit) {
        shown.strText = IsMultiLineEdit(slot.tmpl)
                            ? ToUtf8(static_cast<const QTextEdit*>(w)->toPlainText())
                            : ToUtf8(static_cast<const QLineEdit*>(w)->text());
    } else if (IsPicker(slot.tmpl)) {
        const auto* picker = static_cast<const QDateTimeEdit*>(w);
        shown.strText = ToUtf8(picker->text());
        const QDate d = picker->date();
        const QTime t = picker->time();
        shown.dtShown = slot.tmpl.kind == ControlKind::TimePicker
                            ? CDateValue(kPickerEpochYear, kPickerEpochMonth, kPickerEpochDay,
                                         t.hour(), t.minute(), t.second())
                            : CDateValue(d.year(), d.month(), d.day());
    } else if (IsCheckable(slot.tmpl)) {
        shown.bCheck = static_cast<const QAbstractButton*>(w)->isChecked();
    }
    return shown;
}

void CQtDialogWindow::PushWindow(WindowPart part) {
    switch (part) {
        case WindowPart::Caption:
            setWindowTitle(ToQString(Caption()));
            break;
        case WindowPart::MinimumSize:
            setMinimumSize(MinimumClientSize().cx, MinimumClientSize().cy);
            break;
        case WindowPart::Menu: {
            const CMenuEntry& entry = SystemMenu().back();
            auto* action = new QAction(ToQString(entry.strText), this);
            action->setObjectName(QStringLiteral("sysmenu_%1").arg(entry.nCommand));
            connect(action, &QAction::triggered, this,
                    [this, nCommand = entry.nCommand] { Handler()->OnSysCommand(nCommand); });
            m_menuActions.push_back(action);
            break;
        }
        case WindowPart::Repaint:
            update();
            break;
        case WindowPart::End:
            setResult(*Result());
            if (isVisible()) {
                done(*Result());
            }
            break;
    }
}

void CQtDialogWindow::reject() {
    EscapePressed();
}

void CQtDialogWindow::closeEvent(QCloseEvent* event) {
    // The handler may keep the window open (it asks first, and she stays).
    if (CloseBoxPressed()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CQtDialogWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        Activated();
    }
}

void CQtDialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            EnterPressed(FocusedId());
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

bool CQtDialogWindow::eventFilter(QObject* watched, QEvent* event) {
    if (auto* picker = qobject_cast<QDateTimeEdit*>(watched)) {
        if (event->type() == QEvent::Wheel && !picker->hasFocus()) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress) {
            ConnectPopup(*picker);
        }
        if (event->type() == QEvent::KeyPress && OpensPopup(*static_cast<QKeyEvent*>(event)) &&
            picker->calendarPopup()) {
            OpenPopup(*picker);
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    // Multi-line edits: Enter breaks the line only where the template wants
    // it; elsewhere it is the window's Enter.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            for (const CControlSlot& slot : Slots()) {
                if (m_widgets[IndexOf(slot)] == watched && !EnterBreaksLine(slot.tmpl)) {
                    EnterPressed(FocusedId());
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CQtDialogWindow::OpenPopup(QDateTimeEdit& picker) {
    // Qt opens the pop-up only for a press on the box's arrow: a press there.
    QStyleOptionComboBox option;
    option.initFrom(&picker);
    option.editable = true;
    option.subControls = QStyle::SC_All;
    const QPointF arrow =
        picker.style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &picker)
            .center();
    QMouseEvent press(QEvent::MouseButtonPress, arrow, picker.mapToGlobal(arrow), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&picker, &press);
}

void CQtDialogWindow::ConnectPopup(QDateTimeEdit& picker) {
    if (!picker.calendarPopup() || picker.findChild<QCalendarWidget*>() != nullptr) {
        return;
    }
    const auto it = std::find(m_widgets.begin(), m_widgets.end(), &picker);
    if (it == m_widgets.end()) {
        return;
    }
    // Choosing the date already shown in the pop-up is a choice too, though
    // it changes nothing. (Enter in the box reports the date as a change
    // already, changed or not.)
    const auto chosen = [&handler = *Handler(), id = Slots()[it - m_widgets.begin()].tmpl.id,
                         &picker](QDate d) {
        if (d == picker.date()) {
            handler.OnDateChanged(id);
        }
    };
    QCalendarWidget* popup = picker.calendarWidget();
    connect(popup, &QCalendarWidget::clicked, this, chosen);
    connect(popup, &QCalendarWidget::activated, this, chosen);
}

void CQtDialogWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // A desktop without a window manager does not hold the window to its
    // minimum size: the window does.
    if (const QSize least = event->size().expandedTo(minimumSize()); least != event->size()) {
        resize(least);
        return;
    }
    Handler()->OnSize(Size{event->size().width(), event->size().height()});
}

void CQtDialogWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    CQtDrawSurface surface(painter);
    Handler()->OnPaint(surface);
}

void CQtDialogWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Handler()->OnLButtonDown(FromQPoint(event->position().toPoint()));
    }
    QDialog::mousePressEvent(event);
}

void CQtDialogWindow::mouseMoveEvent(QMouseEvent* event) {
    if (LinkStaticAt(FromQPoint(event->position().toPoint()))) {
        setCursor(Qt::PointingHandCursor);
    } else {
        unsetCursor();
    }
    QDialog::mouseMoveEvent(event);
}

void CQtDialogWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (m_menuActions.empty()) {
        QDialog::contextMenuEvent(event);
        return;
    }
    QMenu menu(this);
    for (QAction* action : m_menuActions) {
        menu.addAction(action);
    }
    menu.exec(event->globalPos());
}

}  // namespace gestalia
