#include "tests/support/fake_ui.h"

#include <gtest/gtest.h>

namespace gestalia::test {

// ---------------------------------------------------------------------------
// CFakeDialogWindow

CFakeDialogWindow::CFakeDialogWindow(const CDialogTemplate& tmpl)
    : m_tmpl(tmpl), m_strCaption(tmpl.strCaption), m_client(DialogSizeToPixels(tmpl.cx, tmpl.cy)) {
    m_controls.reserve(tmpl.controls.size());
    for (const CControlTemplate& ct : tmpl.controls) {
        CFakeControl c;
        c.tmpl = ct;
        c.bVisible = (ct.style & kStyleHidden) == 0;
        c.bEnabled = (ct.style & kStyleDisabled) == 0;
        c.strText = ct.strText;
        c.rc = DialogUnitsToPixels(ct.rect);
        m_controls.push_back(std::move(c));
    }
}

CFakeControl* CFakeDialogWindow::Find(int id) {
    for (CFakeControl& c : m_controls) {
        if (c.tmpl.id == id) {
            return &c;
        }
    }
    return nullptr;
}

const CFakeControl* CFakeDialogWindow::Find(int id) const {
    for (const CFakeControl& c : m_controls) {
        if (c.tmpl.id == id) {
            return &c;
        }
    }
    return nullptr;
}

CFakeControl* CFakeDialogWindow::Require(int id, const char* what) {
    CFakeControl* c = Find(id);
    if (c == nullptr) {
        ADD_FAILURE() << what << ": template " << m_tmpl.id << " has no control " << id;
    }
    return c;
}

const CFakeControl* CFakeDialogWindow::Require(int id, const char* what) const {
    const CFakeControl* c = Find(id);
    if (c == nullptr) {
        ADD_FAILURE() << what << ": template " << m_tmpl.id << " has no control " << id;
    }
    return c;
}

bool CFakeDialogWindow::RequireHandler(const char* what) const {
    if (m_pHandler == nullptr) {
        ADD_FAILURE() << what << ": the fake window has no handler";
        return false;
    }
    return true;
}

CFakeControl* CFakeDialogWindow::Control(int id) {
    return Require(id, "Control");
}

const CFakeControl* CFakeDialogWindow::Control(int id) const {
    return Require(id, "Control");
}

bool CFakeDialogWindow::HasControl(int id) const {
    return Find(id) != nullptr;
}

void CFakeDialogWindow::ShowControl(int id, bool bShow) {
    if (CFakeControl* c = Require(id, "ShowControl")) {
        c->bVisible = bShow;
    }
}

bool CFakeDialogWindow::IsControlVisible(int id) const {
    const CFakeControl* c = Require(id, "IsControlVisible");
    return c != nullptr && c->bVisible;
}

void CFakeDialogWindow::EnableControl(int id, bool bEnable) {
    if (CFakeControl* c = Require(id, "EnableControl")) {
        c->bEnabled = bEnable;
    }
}

bool CFakeDialogWindow::IsControlEnabled(int id) const {
    const CFakeControl* c = Require(id, "IsControlEnabled");
    return c != nullptr && c->bEnabled;
}

void CFakeDialogWindow::SetControlText(int id, std::string_view utf8) {
    if (CFakeControl* c = Require(id, "SetControlText")) {
        c->strText.clear();
        const bool bCrLf = m_bLikeToolkits && (c->tmpl.style & kStyleMultiLine) != 0;
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            if (bCrLf && utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) {
                c->strText += '\r';
            }
            c->strText += utf8[i];
        }
    }
}

std::string CFakeDialogWindow::GetControlText(int id) const {
    const CFakeControl* c = Require(id, "GetControlText");
    return c != nullptr ? c->strText : std::string();
}

void CFakeDialogWindow::MoveControl(int id, const Rect& rc) {
    if (CFakeControl* c = Require(id, "MoveControl")) {
        c->rc = rc;
        ++c->nInvalidations;
    }
}

Rect CFakeDialogWindow::GetControlRect(int id) const {
    const CFakeControl* c = Require(id, "GetControlRect");
    return c != nullptr ? c->rc : Rect{};
}

void CFakeDialogWindow::RaiseControl(int id) {
    if (Require(id, "RaiseControl") != nullptr) {
        m_raised.push_back(id);
    }
}

void CFakeDialogWindow::SetControlFont(int id, const CControlFont& font) {
    if (CFakeControl* c = Require(id, "SetControlFont")) {
        c->font = font;
    }
}

void CFakeDialogWindow::SetButtonBitmap(int id, int bitmapId) {
    if (CFakeControl* c = Require(id, "SetButtonBitmap")) {
        c->nBitmap = bitmapId;
    }
}

void CFakeDialogWindow::SetDate(int id, const CDateValue& dt) {
    if (CFakeControl* c = Require(id, "SetDate")) {
        c->dt = m_bLikeToolkits && !dt.IsValid() ? CDateValue() : dt;
    }
}

CDateValue CFakeDialogWindow::GetDate(int id) const {
    const CFakeControl* c = Require(id, "GetDate");
    return c != nullptr ? c->dt : CDateValue();
}

void CFakeDialogWindow::SetCheck(int id, bool bChecked) {
    if (CFakeControl* c = Require(id, "SetCheck")) {
        c->bCheck = bChecked;
    }
}

bool CFakeDialogWindow::GetCheck(int id) const {
    const CFakeControl* c = Require(id, "GetCheck");
    return c != nullptr && c->bCheck;
}

void CFakeDialogWindow::Invalidate(int id) {
    if (id == 0) {
        ++m_nWindowInvalidations;
        return;
    }
    if (CFakeControl* c = Require(id, "Invalidate")) {
        ++c->nInvalidations;
    }
}

void CFakeDialogWindow::SetCaption(std::string_view utf8) {
    m_strCaption = std::string(utf8);
}

void CFakeDialogWindow::AppendSystemMenu(std::string_view text, int nCommand) {
    m_menu.push_back(CMenuEntry{std::string(text), nCommand});
}

void CFakeDialogWindow::SetFocus(int id) {
    if (Require(id, "SetFocus") != nullptr) {
        m_nFocus = id;
    }
}

void CFakeDialogWindow::EndDialog(int nResult) {
    if (!m_nResult) {
        m_nResult = nResult;
    }
}

std::vector<int> CFakeDialogWindow::VisibleIds() const {
    std::vector<int> ids;
    for (const CFakeControl& c : m_controls) {
        if (c.bVisible) {
            ids.push_back(c.tmpl.id);
        }
    }
    return ids;
}

bool CFakeDialogWindow::Init(IDialogHandler& handler) {
    m_pHandler = &handler;
    return handler.OnInitDialog(*this);
}

void CFakeDialogWindow::Click(int id) {
    if (!RequireHandler("Click")) {
        return;
    }
    CFakeControl* c = Require(id, "Click");
    if (c == nullptr) {
        return;
    }
    if (!c->bVisible || !c->bEnabled) {
        ADD_FAILURE() << "Click on control " << id << ", which is "
                      << (c->bVisible ? "disabled" : "hidden");
        return;
    }
    if (c->tmpl.kind == ControlKind::CheckBox) {
        c->bCheck = !c->bCheck;
    }
    if (c->tmpl.kind == ControlKind::RadioButton) {
        // A click selects the radio button and clears the others of its group.
        for (CFakeControl& other : m_controls) {
            if (other.tmpl.kind == ControlKind::RadioButton) {
                other.bCheck = other.tmpl.id == id;
            }
        }
    }
    m_pHandler->OnCommand(id);
}

void CFakeDialogWindow::ChangeDate(int id, const CDateValue& dt) {
    if (!RequireHandler("ChangeDate")) {
        return;
    }
    const CFakeControl* c = Require(id, "ChangeDate");
    if (c == nullptr) {
        return;
    }
    if (!c->bVisible || !c->bEnabled) {
        ADD_FAILURE() << "ChangeDate on control " << id << ", which is "
                      << (c->bVisible ? "disabled" : "hidden");
        return;
    }
    SetDate(id, dt);
    m_pHandler->OnDateChanged(id);
}

void CFakeDialogWindow::Resize(Size client) {
    if (!RequireHandler("Resize")) {
        return;
    }
    m_client = client;
    m_pHandler->OnSize(client);
}

void CFakeDialogWindow::PressCloseBox() {
    if (RequireHandler("PressCloseBox")) {
        m_pHandler->OnClose();
    }
}

void CFakeDialogWindow::PressEscape() {
    if (RequireHandler("PressEscape") && m_tmpl.bCloseOnEscape) {
        m_pHandler->OnCommand(IDCANCEL);
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
    window.SetHandler(&handler);
    handler.OnInitDialog(window);
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
    handler.OnDestroy(window);
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
