#include "tests/support/fake_ui.h"

#include <gtest/gtest.h>

namespace gestalia::test {

// ---------------------------------------------------------------------------
// CFakeDialogWindow

CFakeDialogWindow::CFakeDialogWindow(const CDialogTemplate& tmpl)
    : CDialogWindowBase(tmpl, nullptr),
      m_client(DialogSizeToPixels(tmpl.cx, tmpl.cy)),
      m_shown(tmpl.controls.size()) {}

void CFakeDialogWindow::Missing(int id, const char* what) const {
    ADD_FAILURE() << what << ": template " << Template().id << " has no control " << id;
}

bool CFakeDialogWindow::RequireHandler(const char* what) const {
    if (Handler() == nullptr) {
        ADD_FAILURE() << what << ": the fake window has no handler";
        return false;
    }
    return true;
}

CFakeControl* CFakeDialogWindow::RequireUsable(int id, const char* what) {
    if (!RequireHandler(what)) {
        return nullptr;
    }
    CFakeControl* c = Control(id);
    if (c != nullptr && (!c->bVisible || !c->bEnabled)) {
        ADD_FAILURE() << what << " on control " << id << ", which is "
                      << (c->bVisible ? "disabled" : "hidden");
        return nullptr;
    }
    return c;
}

CFakeControl* CFakeDialogWindow::Control(int id) {
    CFakeControl* c = Slot(id);
    if (c == nullptr) {
        Missing(id, "Control");
    }
    return c;
}

const CFakeControl* CFakeDialogWindow::Control(int id) const {
    const CFakeControl* c = Slot(id);
    if (c == nullptr) {
        Missing(id, "Control");
    }
    return c;
}

void CFakeDialogWindow::Push(CControlSlot& slot, Part part) {
    switch (part) {
        case Part::Raise:
            m_raised.push_back(slot.tmpl.id);
            break;
        case Part::Focus:
            m_nFocus = slot.tmpl.id;
            break;
        case Part::Date: {
            // A toolkit's picker cannot show a date that is not valid: it
            // keeps what it showed. Without that, it shows what was set.
            std::optional<CDateValue>& shown = m_shown[IndexOf(slot)];
            if (!m_bLikeToolkits) {
                shown.reset();
            } else if (slot.dt.IsValid()) {
                shown = slot.dt;
            }
            break;
        }
        default:
            break;
    }
}

void CFakeDialogWindow::PushWindow(WindowPart part) {
    if (part == WindowPart::Repaint) {
        ++m_nWindowInvalidations;
    }
}

CShownValue CFakeDialogWindow::Shown(const CControlSlot& slot) const {
    CShownValue shown;
    shown.dtShown = m_shown[IndexOf(slot)];
    if (m_bLikeToolkits) {
        if (slot.tmpl.kind == ControlKind::Edit) {
            shown.strText = slot.strText;
        }
        if (!shown.dtShown) {
            shown.dtShown = CDateValue();  // 30/12/1899, as no toolkit would show
        }
    }
    return shown;
}

std::vector<int> CFakeDialogWindow::VisibleIds() const {
    std::vector<int> ids;
    for (const CFakeControl& c : Slots()) {
        if (c.bVisible) {
            ids.push_back(c.tmpl.id);
        }
    }
    return ids;
}

bool CFakeDialogWindow::Init(IDialogHandler& handler) {
    SetHandler(&handler);
    return InitDialog();
}

void CFakeDialogWindow::Click(int id) {
    CFakeControl* c = RequireUsable(id, "Click");
    if (c == nullptr) {
        return;
    }
    if (c->tmpl.kind == ControlKind::CheckBox) {
        c->bCheck = !c->bCheck;
    }
    if (c->tmpl.kind == ControlKind::RadioButton) {
        // A click selects the radio button and clears the others of its group.
        for (CFakeControl& other : Slots()) {
            if (other.tmpl.kind == ControlKind::RadioButton) {
                other.bCheck = other.tmpl.id == id;
            }
        }
    }
    Handler()->OnCommand(id);
}

void CFakeDialogWindow::ChangeDate(int id, const CDateValue& dt) {
    CFakeControl* c = RequireUsable(id, "ChangeDate");
    if (c == nullptr) {
        return;
    }
    if (IsPicker(c->tmpl)) {
        m_shown[IndexOf(*c)] = dt;
    } else {
        c->dt = dt;
    }
    Handler()->OnDateChanged(id);
}

void CFakeDialogWindow::Resize(Size client) {
    if (RequireHandler("Resize")) {
        m_client = client;
        Handler()->OnSize(client);
    }
}

void CFakeDialogWindow::PressEnter() {
    if (RequireHandler("PressEnter")) {
        EnterPressed(m_nFocus);
    }
}

void CFakeDialogWindow::PressCloseBox() {
    if (RequireHandler("PressCloseBox")) {
        CloseBoxPressed();
    }
}

void CFakeDialogWindow::PressEscape() {
    if (RequireHandler("PressEscape")) {
        EscapePressed();
    }
}

// ---------------------------------------------------------------------------
// CFakeUiServices

CFakeUiServices::~CFakeUiServices() {
    if (!AllAnswersUsed()) {
        ADD_FAILURE() << "answers left unused: " << m_dialogs.size() << " dialogs, "
                      << m_boxAnswers.size() << " message boxes, " << m_saveAnswers.size()
                      << " save dialogs, " << m_openAnswers.size() << " open dialogs";
    }
}

bool CFakeUiServices::AllAnswersUsed() const {
    return m_dialogs.empty() && m_boxAnswers.empty() && m_saveAnswers.empty() &&
           m_openAnswers.empty();
}

int CFakeUiServices::RunModal(const CDialogTemplate& tmpl, IDialogHandler& handler) {
    CFakeDialogWindow window(tmpl);
    if (m_bLikeToolkits) {
        window.ActLikeToolkits();
    }
    window.Init(handler);
    int nResult = IDCANCEL;
    if (m_dialogs.empty()) {
        ADD_FAILURE() << "dialog " << tmpl.id << " (" << tmpl.strCaption
                      << ") was run with no scripted answer";
    } else {
        DialogScript script = std::move(m_dialogs.front());
        m_dialogs.pop_front();
        script(window, handler);
        if (window.Result()) {
            nResult = *window.Result();
        }
    }
    window.Destroy();
    m_shownDialogs.push_back(CShownDialog{tmpl.id, window.Caption(), nResult});
    return nResult;
}

int CFakeUiServices::MessageBox(std::string_view text, std::string_view caption, MbButtons buttons,
                                MbIcon icon, MbDefault defaultButton) {
    m_boxes.push_back(
        CShownMessageBox{std::string(text), std::string(caption), buttons, icon, defaultButton});
    if (m_boxAnswers.empty()) {
        if (buttons == MbButtons::Ok) {
            return IDOK;
        }
        ADD_FAILURE() << "message box \"" << text << "\" (" << caption
                      << ") was shown with no scripted answer";
        return buttons == MbButtons::YesNoCancel ? IDCANCEL : IDNO;
    }
    const int nAnswer = m_boxAnswers.front();
    m_boxAnswers.pop_front();
    return nAnswer;
}

std::optional<std::string> CFakeUiServices::GetSaveFileName(const CFileDialogSpec& spec) {
    m_saveSpecs.push_back(spec);
    if (m_saveAnswers.empty()) {
        ADD_FAILURE() << "a save dialog was shown with no scripted answer";
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(m_saveAnswers.front());
    m_saveAnswers.pop_front();
    return answer;
}

std::optional<std::string> CFakeUiServices::GetOpenFileName(const CFileDialogSpec& spec) {
    m_openSpecs.push_back(spec);
    if (m_openAnswers.empty()) {
        ADD_FAILURE() << "an open dialog was shown with no scripted answer";
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(m_openAnswers.front());
    m_openAnswers.pop_front();
    return answer;
}

bool CFakeUiServices::OpenUrl(std::string_view url) {
    m_urls.emplace_back(url);
    return m_bOpenUrlResult;
}

}  // namespace gestalia::test
