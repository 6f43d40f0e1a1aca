#include "platform/dialog_window_base.h"

#include <algorithm>

#include "platform/line_breaks.h"

namespace gestalia {

CDateValue PickerValue(ControlKind kind, const CDateValue& set, const CDateValue& shown) {
    const bool bKept = set.IsValid();
    if (kind == ControlKind::TimePicker) {
        return CDateValue(bKept ? set.GetYear() : kPickerEpochYear,
                          bKept ? set.GetMonth() : kPickerEpochMonth,
                          bKept ? set.GetDay() : kPickerEpochDay, shown.GetHour(),
                          shown.GetMinute(), shown.GetSecond());
    }
    return CDateValue(shown.GetYear(), shown.GetMonth(), shown.GetDay(), bKept ? set.GetHour() : 0,
                      bKept ? set.GetMinute() : 0, bKept ? set.GetSecond() : 0);
}

bool IsPicker(const CControlTemplate& ct) {
    return ct.kind == ControlKind::DatePicker || ct.kind == ControlKind::TimePicker;
}

bool IsCheckable(const CControlTemplate& ct) {
    return ct.kind == ControlKind::RadioButton || ct.kind == ControlKind::CheckBox;
}

bool EnterBreaksLine(const CControlTemplate& ct) {
    return ct.kind == ControlKind::Edit && (ct.style & kStyleMultiLine) != 0 &&
           (ct.style & kStyleWantReturn) != 0;
}

CDialogWindowBase::CDialogWindowBase(const CDialogTemplate& tmpl, IDialogHandler* handler)
    : m_tmpl(tmpl), m_pHandler(handler), m_strCaption(tmpl.strCaption) {
    m_slots.reserve(tmpl.controls.size());
    for (const CControlTemplate& ct : tmpl.controls) {
        CControlSlot slot;
        slot.tmpl = ct;
        slot.bVisible = (ct.style & kStyleHidden) == 0;
        slot.bEnabled = (ct.style & kStyleDisabled) == 0;
        slot.strText = ct.strText;
        slot.rc = DialogUnitsToPixels(ct.rect);
        m_slots.push_back(std::move(slot));
    }
}

void CDialogWindowBase::Missing(int /*id*/, const char* /*what*/) const {}

CControlSlot* CDialogWindowBase::Slot(int id) {
    auto it = std::find_if(m_slots.begin(), m_slots.end(),
                           [id](const CControlSlot& s) { return s.tmpl.id == id; });
    return it != m_slots.end() ? &*it : nullptr;
}

const CControlSlot* CDialogWindowBase::Slot(int id) const {
    auto it = std::find_if(m_slots.begin(), m_slots.end(),
                           [id](const CControlSlot& s) { return s.tmpl.id == id; });
    return it != m_slots.end() ? &*it : nullptr;
}

std::size_t CDialogWindowBase::IndexOf(const CControlSlot& slot) const {
    return static_cast<std::size_t>(&slot - m_slots.data());
}

CControlSlot* CDialogWindowBase::Find(int id, const char* what) {
    CControlSlot* slot = Slot(id);
    if (slot == nullptr) {
        Missing(id, what);
    }
    return slot;
}

const CControlSlot* CDialogWindowBase::Find(int id, const char* what) const {
    const CControlSlot* slot = Slot(id);
    if (slot == nullptr) {
        Missing(id, what);
    }
    return slot;
}

bool CDialogWindowBase::HasControl(int id) const {
    return Slot(id) != nullptr;
}

void CDialogWindowBase::ShowControl(int id, bool bShow) {
    if (CControlSlot* slot = Find(id, "ShowControl")) {
        slot->bVisible = bShow;
        Push(*slot, Part::Visible);
    }
}

bool CDialogWindowBase::IsControlVisible(int id) const {
    const CControlSlot* slot = Find(id, "IsControlVisible");
    return slot != nullptr && slot->bVisible;
}

void CDialogWindowBase::EnableControl(int id, bool bEnable) {
    if (CControlSlot* slot = Find(id, "EnableControl")) {
        slot->bEnabled = bEnable;
        Push(*slot, Part::Enabled);
    }
}

bool CDialogWindowBase::IsControlEnabled(int id) const {
    const CControlSlot* slot = Find(id, "IsControlEnabled");
    return slot != nullptr && slot->bEnabled;
}

void CDialogWindowBase::SetControlText(int id, std::string_view utf8) {
    if (CControlSlot* slot = Find(id, "SetControlText")) {
        slot->strText = std::string(utf8);
        Push(*slot, Part::Text);
    }
}

std::string CDialogWindowBase::GetControlText(int id) const {
    const CControlSlot* slot = Find(id, "GetControlText");
    if (slot == nullptr) {
        return {};
    }
    std::optional<std::string> shown = Shown(*slot).strText;
    if (!shown) {
        return slot->strText;
    }
    // Multi-line edits give their lines as the agenda keeps them.
    if (slot->tmpl.kind == ControlKind::Edit && (slot->tmpl.style & kStyleMultiLine) != 0) {
        return WindowsLineBreaks(*shown);
    }
    return std::move(*shown);
}

void CDialogWindowBase::MoveControl(int id, const Rect& rc) {
    if (CControlSlot* slot = Find(id, "MoveControl")) {
        slot->rc = rc;
        Push(*slot, Part::Rect);
    }
}

Rect CDialogWindowBase::GetControlRect(int id) const {
    const CControlSlot* slot = Find(id, "GetControlRect");
    return slot != nullptr ? slot->rc : Rect{};
}

void CDialogWindowBase::RaiseControl(int id) {
    if (CControlSlot* slot = Find(id, "RaiseControl")) {
        Push(*slot, Part::Raise);
    }
}

void CDialogWindowBase::SetControlFont(int id, const CControlFont& font) {
    if (CControlSlot* slot = Find(id, "SetControlFont")) {
        slot->font = font;
        Push(*slot, Part::Font);
    }
}

void CDialogWindowBase::SetButtonBitmap(int id, int bitmapId) {
    CControlSlot* slot = Find(id, "SetButtonBitmap");
    if (slot != nullptr && slot->tmpl.kind == ControlKind::PushButton) {
        slot->nBitmap = bitmapId;
        Push(*slot, Part::Bitmap);
    }
}

void CDialogWindowBase::SetDate(int id, const CDateValue& dt) {
    if (CControlSlot* slot = Find(id, "SetDate")) {
        slot->dt = dt;
        if (IsPicker(slot->tmpl)) {
            Push(*slot, Part::Date);
        }
    }
}

CDateValue CDialogWindowBase::GetDate(int id) const {
    const CControlSlot* slot = Find(id, "GetDate");
    if (slot == nullptr) {
        return CDateValue::FromRaw(0.0, DateStatus::invalid);
    }
    if (!IsPicker(slot->tmpl)) {
        return slot->dt;
    }
    // A picker edits one part of its value; the other is what was set.
    const std::optional<CDateValue> shown = Shown(*slot).dtShown;
    return shown ? PickerValue(slot->tmpl.kind, slot->dt, *shown) : slot->dt;
}

void CDialogWindowBase::SetCheck(int id, bool bChecked) {
    CControlSlot* slot = Find(id, "SetCheck");
    if (slot != nullptr && IsCheckable(slot->tmpl)) {
        slot->bCheck = bChecked;
        Push(*slot, Part::Check);
    }
}

bool CDialogWindowBase::GetCheck(int id) const {
    const CControlSlot* slot = Find(id, "GetCheck");
    if (slot == nullptr || !IsCheckable(slot->tmpl)) {
        return false;
    }
    return Shown(*slot).bCheck.value_or(slot->bCheck);
}

void CDialogWindowBase::Invalidate(int id) {
    if (id == 0) {
        PushWindow(WindowPart::Repaint);
    } else if (CControlSlot* slot = Find(id, "Invalidate")) {
        RefreshColours(*slot);
    }
}

void CDialogWindowBase::SetFocus(int id) {
    if (CControlSlot* slot = Find(id, "SetFocus")) {
        Push(*slot, Part::Focus);
    }
}

void CDialogWindowBase::SetCaption(std::string_view utf8) {
    m_strCaption = std::string(utf8);
    PushWindow(WindowPart::Caption);
}

void CDialogWindowBase::SetMinimumClientSize(Size client) {
    m_minClient = Size{std::max(0, client.cx), std::max(0, client.cy)};
    PushWindow(WindowPart::MinimumSize);
}

void CDialogWindowBase::AppendSystemMenu(std::string_view text, int nCommand) {
    m_menu.push_back(CMenuEntry{std::string(text), nCommand});
    PushWindow(WindowPart::Menu);
}

void CDialogWindowBase::EndDialog(int nResult) {
    m_nResult = nResult;
    PushWindow(WindowPart::End);
}

bool CDialogWindowBase::InitDialog() {
    m_bLive = true;
    const bool bFirstFocus = m_pHandler == nullptr || m_pHandler->OnInitDialog(*this);
    if (m_bLive) {
        for (CControlSlot& slot : m_slots) {
            RefreshColours(slot);
        }
    }
    return bFirstFocus;
}

void CDialogWindowBase::Destroyed() {
    if (m_bLive) {
        m_bLive = false;
        if (m_pHandler != nullptr) {
            m_pHandler->OnDestroy(*this);
        }
    }
}

int CDialogWindowBase::EnterCommand(std::optional<int> focusedId) const {
    if (focusedId) {
        const CControlSlot* focused = Slot(*focusedId);
        if (focused != nullptr && focused->tmpl.kind == ControlKind::PushButton) {
            return *focusedId;
        }
    }
    for (const CControlSlot& slot : m_slots) {
        if (slot.tmpl.kind == ControlKind::PushButton && (slot.tmpl.style & kStyleDefault) != 0 &&
            slot.bVisible && slot.bEnabled) {
            return slot.tmpl.id;
        }
    }
    return IDOK;
}

void CDialogWindowBase::EnterPressed(std::optional<int> focusedId) {
    if (m_pHandler != nullptr) {
        m_pHandler->OnCommand(EnterCommand(focusedId));
    }
}

void CDialogWindowBase::EscapePressed() {
    if (m_pHandler != nullptr && m_tmpl.bCloseOnEscape) {
        m_pHandler->OnCommand(IDCANCEL);
    }
}

bool CDialogWindowBase::CloseBoxPressed() {
    if (m_pHandler != nullptr && !Ended()) {
        m_pHandler->OnClose();
    }
    return Ended();
}

void CDialogWindowBase::Activated() {
    if (m_pHandler != nullptr && !Ended()) {
        m_pHandler->OnActivate();
    }
}

bool CDialogWindowBase::LinkStaticAt(Point at) const {
    return std::any_of(m_slots.begin(), m_slots.end(), [at](const CControlSlot& slot) {
        return slot.tmpl.kind == ControlKind::Static && (slot.tmpl.style & kStyleLink) != 0 &&
               slot.bVisible && slot.rc.Contains(at);
    });
}

void CDialogWindowBase::RefreshColours(CControlSlot& slot) {
    if (m_pHandler != nullptr) {
        slot.colours = m_pHandler->OnCtlColor(slot.tmpl.id);
    }
    Push(slot, Part::Colours);
}

}  // namespace gestalia
