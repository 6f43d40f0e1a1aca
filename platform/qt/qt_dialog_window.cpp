#include "platform/qt/qt_dialog_window.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QContextMenuEvent>
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
    font.setWeight(static_cast<QFont::Weight>(std::clamp(spec.nWeight, 100, 900)));
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
    : QDialog(parent), m_tmpl(tmpl), m_handler(handler) {
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

    m_controls.reserve(tmpl.controls.size());
    int nStatic = 0;
    for (const CControlTemplate& ct : tmpl.controls) {
        BuildControl(ct, ct.id == IDC_STATIC ? nStatic++ : -1);
    }
    // Where controls overlap, the one earlier in the template lies on top.
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        it->pWidget->raise();
    }
    // Screen readers read an input by its label: the label's buddy.
    for (const CControl& c : m_controls) {
        auto* label = qobject_cast<QLabel*>(c.pWidget);
        QWidget* input = c.tmpl.labelFor != 0 ? ControlWidget(c.tmpl.labelFor) : nullptr;
        if (label != nullptr && input != nullptr) {
            label->setBuddy(input);
        }
    }
}

CQtDialogWindow::~CQtDialogWindow() {
    // Hiding the window as it goes takes the focus from a date box, which
    // reports it; by then this window is no longer one to report to.
    for (const CControl& c : m_controls) {
        QObject::disconnect(c.pWidget, nullptr, this, nullptr);
        if (auto* picker = qobject_cast<QDateEdit*>(c.pWidget)) {
            QObject::disconnect(picker->calendarWidget(), nullptr, this, nullptr);
        }
    }
    m_handler.OnDestroy(*this);
}

void CQtDialogWindow::BuildControl(const CControlTemplate& ct, int nStaticIndex) {
    CControl control;
    control.tmpl = ct;
    control.strText = ToQString(ct.strText);
    QWidget* w = CreateWidget(ct);
    w->setObjectName(nStaticIndex >= 0 ? QStringLiteral("ctl_static_%1").arg(nStaticIndex)
                                       : QStringLiteral("ctl_%1").arg(ct.id));
    w->setGeometry(ToQRect(DialogUnitsToPixels(ct.rect)));
    w->setEnabled((ct.style & kStyleDisabled) == 0);
    w->setVisible((ct.style & kStyleHidden) == 0);
    control.pWidget = w;
    m_controls.push_back(std::move(control));
}

QWidget* CQtDialogWindow::CreateWidget(const CControlTemplate& ct) {
    const int id = ct.id;
    const QString text = ToQString(ct.strText);
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
            connect(button, &QPushButton::clicked, this, [this, id] { m_handler.OnCommand(id); });
            return button;
        }
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(text, this);
            connect(radio, &QRadioButton::clicked, this, [this, id] { m_handler.OnCommand(id); });
            return radio;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(text, this);
            connect(box, &QCheckBox::clicked, this, [this, id] { m_handler.OnCommand(id); });
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
                    [this, id](QDate) { m_handler.OnDateChanged(id); });
            // Choosing the date already shown in the pop-up is a choice too,
            // though it changes nothing. (Enter in the box reports the date
            // as a change already, changed or not.)
            QCalendarWidget* popup = picker->calendarWidget();
            const auto chosen = [this, id, picker](QDate d) {
                if (d == picker->date()) {
                    m_handler.OnDateChanged(id);
                }
            };
            connect(popup, &QCalendarWidget::clicked, this, chosen);
            connect(popup, &QCalendarWidget::activated, this, chosen);
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
                    [this, id](QTime) { m_handler.OnDateChanged(id); });
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
            ICalendarParent* parent = m_handler.AsCalendarParent();
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
    m_handler.OnInitDialog(*this);
    ApplyColours();
}

int CQtDialogWindow::RunModal() {
    Initialise();
    if (!m_bEnded) {
        exec();
    }
    return m_nResult;
}

CQtDialogWindow::CControl* CQtDialogWindow::Find(int id) {
    auto it = std::find_if(m_controls.begin(), m_controls.end(),
                           [id](const CControl& c) { return c.tmpl.id == id; });
    return it != m_controls.end() ? &*it : nullptr;
}

const CQtDialogWindow::CControl* CQtDialogWindow::Find(int id) const {
    auto it = std::find_if(m_controls.begin(), m_controls.end(),
                           [id](const CControl& c) { return c.tmpl.id == id; });
    return it != m_controls.end() ? &*it : nullptr;
}

QWidget* CQtDialogWindow::ControlWidget(int id) const {
    const CControl* c = Find(id);
    return c != nullptr ? c->pWidget : nullptr;
}

bool CQtDialogWindow::HasControl(int id) const {
    return Find(id) != nullptr;
}

void CQtDialogWindow::ShowControl(int id, bool bShow) {
    if (QWidget* w = ControlWidget(id)) {
        w->setVisible(bShow);
    }
}

bool CQtDialogWindow::IsControlVisible(int id) const {
    // Visible as far as the window is concerned, whether or not it is shown yet.
    const QWidget* w = ControlWidget(id);
    return w != nullptr && !w->isHidden();
}

void CQtDialogWindow::EnableControl(int id, bool bEnable) {
    if (QWidget* w = ControlWidget(id)) {
        w->setEnabled(bEnable);
    }
}

bool CQtDialogWindow::IsControlEnabled(int id) const {
    const QWidget* w = ControlWidget(id);
    return w != nullptr && w->isEnabled();
}

void CQtDialogWindow::SetControlText(int id, std::string_view utf8) {
    CControl* c = Find(id);
    if (c == nullptr) {
        return;
    }
    c->strText = ToQString(utf8);
    QWidget* w = c->pWidget;
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(c->strText);
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
        line->setText(c->strText);
    } else if (auto* edit = qobject_cast<QTextEdit*>(w)) {
        edit->setPlainText(ToQtLines(utf8));
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
        if ((c->tmpl.style & kStyleBitmap) != 0) {
            button->setAccessibleName(c->strText);
            button->setToolTip(c->strText);
        } else if (auto* inner = button->findChild<QLabel*>(QString::fromLatin1(kLabelName))) {
            inner->setText(c->strText);
            button->setAccessibleName(c->strText);
        } else {
            button->setText(c->strText);
        }
    } else if (auto* choice = qobject_cast<QAbstractButton*>(w)) {
        choice->setText(c->strText);  // a radio button or a check box
    }
}

std::string CQtDialogWindow::GetControlText(int id) const {
    const CControl* c = Find(id);
    if (c == nullptr) {
        return {};
    }
    const QWidget* w = c->pWidget;
    if (const auto* line = qobject_cast<const QLineEdit*>(w)) {
        return ToUtf8(line->text());
    }
    if (const auto* edit = qobject_cast<const QTextEdit*>(w)) {
        return FromQtLines(edit->toPlainText());
    }
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        return ToUtf8(label->text());
    }
    if (const auto* radio = qobject_cast<const QRadioButton*>(w)) {
        return ToUtf8(radio->text());
    }
    if (const auto* box = qobject_cast<const QCheckBox*>(w)) {
        return ToUtf8(box->text());
    }
    if (const auto* picker = qobject_cast<const QDateTimeEdit*>(w)) {
        return ToUtf8(picker->text());
    }
    return ToUtf8(c->strText);
}

void CQtDialogWindow::MoveControl(int id, const Rect& rc) {
    if (QWidget* w = ControlWidget(id)) {
        // Inverted rectangles of a very small window become empty widgets.
        w->setGeometry(ToQRect(rc));
        w->update();
    }
}

Rect CQtDialogWindow::GetControlRect(int id) const {
    const QWidget* w = ControlWidget(id);
    if (w == nullptr) {
        return {};
    }
    return FromQRect(w->geometry());
}

void CQtDialogWindow::RaiseControl(int id) {
    if (QWidget* w = ControlWidget(id)) {
        w->raise();
    }
}

void CQtDialogWindow::SetControlFont(int id, const CControlFont& font) {
    if (QWidget* w = ControlWidget(id)) {
        w->setFont(MakeFont(font));
    }
}

void CQtDialogWindow::SetButtonBitmap(int id, int bitmapId) {
    auto* button = qobject_cast<QPushButton*>(ControlWidget(id));
    if (button == nullptr) {
        return;
    }
    const QPixmap pixmap = BitmapPixmap(bitmapId);
    button->setText(QString());
    button->setIcon(QIcon(pixmap));
    button->setIconSize(pixmap.size());
}

void CQtDialogWindow::SetDate(int id, const CDateValue& dt) {
    CControl* c = Find(id);
    if (c == nullptr) {
        return;
    }
    c->dtValue = dt;
    auto* picker = qobject_cast<QDateTimeEdit*>(c->pWidget);
    if (picker == nullptr || !dt.IsValid()) {
        // A picker cannot show an invalid date: it keeps what it shows.
        return;
    }
    const QSignalBlocker block(picker);
    if (c->tmpl.kind == ControlKind::TimePicker) {
        picker->setTime(QTime(dt.GetHour(), dt.GetMinute(), dt.GetSecond()));
    } else {
        picker->setDate(ToQDate(dt));
    }
}

CDateValue CQtDialogWindow::GetDate(int id) const {
    const CControl* c = Find(id);
    if (c == nullptr) {
        return CDateValue::FromRaw(0.0, DateStatus::invalid);
    }
    const auto* picker = qobject_cast<const QDateTimeEdit*>(c->pWidget);
    if (picker == nullptr) {
        return c->dtValue;
    }
    // The picker edits one part of its value; the other part is what was set.
    const CDateValue& set = c->dtValue;
    if (c->tmpl.kind == ControlKind::TimePicker) {
        const QTime t = picker->time();
        const bool hasDate = set.IsValid();
        return CDateValue(hasDate ? set.GetYear() : 1899, hasDate ? set.GetMonth() : 12,
                          hasDate ? set.GetDay() : 30, t.hour(), t.minute(), t.second());
    }
    const QDate d = picker->date();
    const bool hasTime = set.IsValid();
    return CDateValue(d.year(), d.month(), d.day(), hasTime ? set.GetHour() : 0,
                      hasTime ? set.GetMinute() : 0, hasTime ? set.GetSecond() : 0);
}

void CQtDialogWindow::SetCheck(int id, bool bChecked) {
    if (auto* radio = qobject_cast<QRadioButton*>(ControlWidget(id))) {
        // Clearing one radio button of an exclusive group needs the group off.
        const bool exclusive = radio->autoExclusive();
        radio->setAutoExclusive(false);
        radio->setChecked(bChecked);
        radio->setAutoExclusive(exclusive);
    } else if (auto* box = qobject_cast<QCheckBox*>(ControlWidget(id))) {
        box->setChecked(bChecked);
    }
}

bool CQtDialogWindow::GetCheck(int id) const {
    const auto* choice = qobject_cast<const QAbstractButton*>(ControlWidget(id));
    return choice != nullptr && choice->isCheckable() && choice->isChecked();
}

void CQtDialogWindow::Invalidate(int id) {
    if (id == 0) {
        update();
        return;
    }
    if (const CControl* c = Find(id)) {
        ApplyColour(*c);
        c->pWidget->update();
    }
}

void CQtDialogWindow::SetFocus(int id) {
    if (QWidget* w = ControlWidget(id)) {
        w->setFocus(Qt::OtherFocusReason);
    }
}

void CQtDialogWindow::SetCaption(std::string_view utf8) {
    setWindowTitle(ToQString(utf8));
}

Size CQtDialogWindow::GetClientSize() const {
    return Size{width(), height()};
}

void CQtDialogWindow::SetMinimumClientSize(Size client) {
    setMinimumSize(std::max(0, client.cx), std::max(0, client.cy));
}

void CQtDialogWindow::AppendSystemMenu(std::string_view text, int nCommand) {
    auto* action = new QAction(ToQString(text), this);
    action->setObjectName(QStringLiteral("sysmenu_%1").arg(nCommand));
    connect(action, &QAction::triggered, this,
            [this, nCommand] { m_handler.OnSysCommand(nCommand); });
    m_menuActions.push_back(action);
}

void CQtDialogWindow::EndDialog(int nResult) {
    m_nResult = nResult;
    m_bEnded = true;
    setResult(nResult);
    if (isVisible()) {
        done(nResult);
    }
}

void CQtDialogWindow::ApplyColours() {
    for (const CControl& c : m_controls) {
        ApplyColour(c);
    }
}

void CQtDialogWindow::ApplyColour(const CControl& control) {
    const std::optional<CCtlColor> colours = m_handler.OnCtlColor(control.tmpl.id);
    if (!colours) {
        return;
    }
    QWidget* w = control.pWidget;
    QPalette pal = w->palette();
    const QColor text = ToQColor(colours->crText);
    pal.setColor(QPalette::WindowText, text);
    pal.setColor(QPalette::Text, text);
    pal.setColor(QPalette::ButtonText, text);
    if (colours->crBack) {
        const QColor back = ToQColor(*colours->crBack);
        pal.setColor(QPalette::Window, back);
        pal.setColor(QPalette::Base, back);
        pal.setColor(QPalette::Button, back);
        w->setAutoFillBackground(true);
    }
    w->setPalette(pal);
}

int CQtDialogWindow::EnterCommand() const {
    if (const auto* focused = qobject_cast<const QPushButton*>(focusWidget())) {
        for (const CControl& c : m_controls) {
            if (c.pWidget == focused) {
                return c.tmpl.id;
            }
        }
    }
    for (const CControl& c : m_controls) {
        if (c.tmpl.kind == ControlKind::PushButton && (c.tmpl.style & kStyleDefault) != 0 &&
            c.pWidget->isVisible() && c.pWidget->isEnabled()) {
            return c.tmpl.id;
        }
    }
    return IDOK;
}

void CQtDialogWindow::reject() {
    m_handler.OnCommand(IDCANCEL);
}

void CQtDialogWindow::closeEvent(QCloseEvent* event) {
    if (!m_bEnded) {
        m_handler.OnClose();
    }
    // The handler may keep the window open (it asks first, and she stays).
    if (m_bEnded) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CQtDialogWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_bEnded) {
        m_handler.OnActivate();
    }
}

void CQtDialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !m_tmpl.bCloseOnEscape) {
        event->accept();
        return;
    }
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            m_handler.OnCommand(EnterCommand());
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
        return QDialog::eventFilter(watched, event);
    }
    // Multi-line edits: Enter breaks the line only where the template wants
    // it; elsewhere it is the window's Enter.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            for (const CControl& c : m_controls) {
                if (c.pWidget == watched && (c.tmpl.style & kStyleWantReturn) == 0) {
                    m_handler.OnCommand(EnterCommand());
                    return true;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CQtDialogWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // A desktop without a window manager does not hold the window to its
    // minimum size: the window does.
    if (const QSize least = event->size().expandedTo(minimumSize()); least != event->size()) {
        resize(least);
        return;
    }
    m_handler.OnSize(Size{event->size().width(), event->size().height()});
}

void CQtDialogWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    CQtDrawSurface surface(painter);
    m_handler.OnPaint(surface);
}

void CQtDialogWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_handler.OnLButtonDown(FromQPoint(event->position().toPoint()));
    }
    QDialog::mousePressEvent(event);
}

void CQtDialogWindow::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool overLink = std::any_of(m_controls.begin(), m_controls.end(), [&](const CControl& c) {
        return c.tmpl.kind == ControlKind::Static && (c.tmpl.style & kStyleLink) != 0 &&
               c.pWidget->isVisible() && c.pWidget->geometry().contains(at);
    });
    if (overLink) {
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
