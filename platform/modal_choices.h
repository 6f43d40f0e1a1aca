#pragma once
// The words of the platform's own windows (message boxes and file dialogs),
// in Spanish whatever the system's language, as every other text of the
// program: both toolkits show these, never their translations of their own.

#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog_template.h"
#include "platform/ui_services.h"

namespace gestalia {

struct CChoice {
    int nAnswer = IDOK;  // IDOK, IDYES, IDNO or IDCANCEL
    std::string_view strText;
};

// The buttons of a message box in order: "Aceptar"; "Sí", "No"; "Sí", "No",
// "Cancelar".
std::vector<CChoice> MessageChoices(MbButtons buttons);
// The answer of the button Enter presses (the last one if MbDefault names
// none beyond it).
int DefaultAnswer(MbButtons buttons, MbDefault defaultButton);
// What Escape and the close box answer: Cancel where there is such a button,
// else the last one.
int EscapeAnswer(MbButtons buttons);

// A filter as the file dialogs list it: "Agendas Brotela (*.gst)".
std::string FilterLabel(const CFileFilter& filter);

// What a file dialog's own buttons and labels say.
struct CFileDialogWords {
    std::string_view strAccept;  // "Guardar" or "Abrir"
    std::string_view strCancel;
    std::string_view strLookIn;
    std::string_view strFileName;
    std::string_view strFileType;
};
CFileDialogWords FileDialogWords(bool bSave);

}  // namespace gestalia
