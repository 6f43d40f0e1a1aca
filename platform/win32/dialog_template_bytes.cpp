#include "platform/win32/dialog_template_bytes.h"

#include <cstring>

#include "model/win32_text.h"

namespace gestalia::win32 {

namespace {

bool Has(std::uint32_t style, ControlStyle flag) {
    return (style & flag) != 0;
}

// The styles every control takes from its template flags.
DWORD CommonStyle(std::uint32_t style) {
    // Overlapping controls paint in their sibling order.
    DWORD ws = WS_CHILD | WS_CLIPSIBLINGS;
    if (!Has(style, kStyleHidden)) {
        ws |= WS_VISIBLE;
    }
    if (Has(style, kStyleDisabled)) {
        ws |= WS_DISABLED;
    }
    if (Has(style, kStyleTabStop)) {
        ws |= WS_TABSTOP;
    }
    if (Has(style, kStyleGroup)) {
        ws |= WS_GROUP;
    }
    if (Has(style, kStyleBorder)) {
        ws |= WS_BORDER;
    }
    if (Has(style, kStyleVScroll)) {
        ws |= WS_VSCROLL;
    }
    return ws;
}

// Writes 16-bit units into 32-bit storage, little-endian as Windows is.
class CTemplateWriter {
  public:
    void Word(WORD w) { m_units.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Short(int v) { Word(static_cast<WORD>(static_cast<short>(v))); }
    void Text(const std::wstring& text) {
        for (wchar_t c : text) {
            Word(static_cast<WORD>(c));
        }
        Word(0);
    }
    void AlignDword() {
        if (m_units.size() % 2 != 0) {
            Word(0);
        }
    }
    std::vector<DWORD> Take() {
        AlignDword();
        std::vector<DWORD> out(m_units.size() / 2);
        std::memcpy(out.data(), m_units.data(), m_units.size() * sizeof(WORD));
        return out;
    }

  private:
    std::vector<WORD> m_units;
};

}  // namespace

DWORD DialogStyle(const CDialogTemplate& tmpl) {
    DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | DS_SETFONT | DS_SHELLFONT | DS_CENTER;
    if (tmpl.bSystemMenu) {
        style |= WS_SYSMENU;
    }
    if (tmpl.bResizable) {
        style |= WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    } else {
        style |= DS_MODALFRAME;
    }
    return style;
}

DWORD DialogExStyle(const CDialogTemplate& tmpl) {
    // A window that can be minimised has its own taskbar button.
    return tmpl.bResizable ? WS_EX_APPWINDOW : WS_EX_DLGMODALFRAME;
}

CWin32ControlSpec Win32ControlSpec(const CControlTemplate& ct) {
    const std::uint32_t s = ct.style;
    CWin32ControlSpec spec;
    spec.style = CommonStyle(s);
    switch (ct.kind) {
        case ControlKind::PushButton:
            spec.strClass = L"Button";
            spec.style |= Has(s, kStyleDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            if (Has(s, kStyleBitmap)) {
                spec.style |= BS_BITMAP;
            } else if (Has(s, kStyleMultiLine)) {
                spec.style |= BS_MULTILINE;
            }
            break;
        case ControlKind::RadioButton:
            spec.strClass = L"Button";
            spec.style |= BS_AUTORADIOBUTTON;
            break;
        case ControlKind::CheckBox:
            spec.strClass = L"Button";
            spec.style |= BS_AUTOCHECKBOX;
            break;
        case ControlKind::Static:
            spec.strClass = L"Static";
            // Texts show as they are, "&" included. Without SS_NOTIFY a static
            // is transparent to the mouse: its clicks reach the dialog.
            spec.style |= (Has(s, kStyleCentre) ? SS_CENTER : SS_LEFT) | SS_NOPREFIX;
            if (Has(s, kStyleVCentre)) {
                spec.style |= SS_CENTERIMAGE;
            }
            break;
        case ControlKind::Edit:
            spec.strClass = L"Edit";
            if (Has(s, kStyleMultiLine)) {
                spec.style |= ES_MULTILINE | ES_AUTOVSCROLL;
            }
            if (Has(s, kStyleWantReturn)) {
                spec.style |= ES_WANTRETURN;
            }
            if (Has(s, kStyleReadOnly)) {
                spec.style |= ES_READONLY;
            }
            if (Has(s, kStyleAutoHScroll)) {
                spec.style |= ES_AUTOHSCROLL;
            }
            if (Has(s, kStyleCentre)) {
                spec.style |= ES_CENTER;
            } else if (Has(s, kStyleRight)) {
                spec.style |= ES_RIGHT;
            }
            break;
        case ControlKind::DatePicker:
            spec.strClass = DATETIMEPICK_CLASSW;
            spec.style |= DTS_SHORTDATEFORMAT;
            if (Has(s, kStyleRight)) {
                spec.style |= DTS_RIGHTALIGN;
            }
            break;
        case ControlKind::TimePicker:
            spec.strClass = DATETIMEPICK_CLASSW;
            spec.style |= DTS_TIMEFORMAT | DTS_UPDOWN;
            break;
        case ControlKind::Calendar:
            spec.strClass = L"GestaliaCalendar";
            spec.style |= WS_TABSTOP;
            break;
        case ControlKind::Frame:
            // The window paints beneath a frame (the weight chart does): a
            // transparent child is not clipped out of the window's painting.
            spec.strClass = L"Static";
            spec.style |= SS_BLACKFRAME;
            spec.exStyle |= WS_EX_TRANSPARENT;
            break;
    }
    return spec;
}

bool InDialogTemplate(const CControlTemplate& ct) {
    return ct.kind != ControlKind::Calendar;
}

std::vector<DWORD> DialogTemplateBytes(const CDialogTemplate& tmpl) {
    WORD count = 0;
    for (const CControlTemplate& ct : tmpl.controls) {
        count += InDialogTemplate(ct) ? 1 : 0;
    }
    CTemplateWriter w;
    w.Word(1);       // dlgVer
    w.Word(0xFFFF);  // signature: DLGTEMPLATEEX
    w.Dword(0);      // helpID
    w.Dword(DialogExStyle(tmpl));
    w.Dword(DialogStyle(tmpl));
    w.Word(count);
    w.Short(0);
    w.Short(0);
    w.Short(tmpl.cx);
    w.Short(tmpl.cy);
    w.Word(0);  // no menu
    w.Word(0);  // the dialog class
    w.Text(Utf16FromUtf8(tmpl.strCaption));
    w.Word(kDialogFontPoints);
    w.Word(FW_NORMAL);
    w.Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
    w.Text(Utf16FromUtf8(kDialogFontFace));
    for (const CControlTemplate& ct : tmpl.controls) {
        if (!InDialogTemplate(ct)) {
            continue;
        }
        const CWin32ControlSpec spec = Win32ControlSpec(ct);
        w.AlignDword();
        w.Dword(0);  // helpID
        w.Dword(spec.exStyle);
        w.Dword(spec.style);
        w.Short(ct.rect.x);
        w.Short(ct.rect.y);
        w.Short(ct.rect.cx);
        w.Short(ct.rect.cy);
        w.Dword(static_cast<DWORD>(ct.id));
        w.Text(spec.strClass);
        w.Text(Utf16FromUtf8(ct.kind == ControlKind::Edit ? WindowsLineBreaks(ct.strText)
                                                          : ct.strText));
        w.Word(0);  // no creation data
    }
    return w.Take();
}

}  // namespace gestalia::win32
