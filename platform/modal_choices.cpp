#include "platform/modal_choices.h"

#include <algorithm>

namespace gestalia {

namespace {

constexpr CChoice kOk{IDOK, "Aceptar"};
constexpr CChoice kYes{IDYES, "Sí"};
constexpr CChoice kNo{IDNO, "No"};
constexpr CChoice kCancel{IDCANCEL, "Cancelar"};

}  // namespace

std::vector<CChoice> MessageChoices(MbButtons buttons) {
    switch (buttons) {
        case MbButtons::Ok:
            return {kOk};
        case MbButtons::YesNo:
            return {kYes, kNo};
        case MbButtons::YesNoCancel:
            return {kYes, kNo, kCancel};
    }
    return {kOk};
}

int DefaultAnswer(MbButtons buttons, MbDefault defaultButton) {
    const std::vector<CChoice> list = MessageChoices(buttons);
    const auto index = std::min(static_cast<std::size_t>(defaultButton), list.size() - 1);
    return list[index].nAnswer;
}

int EscapeAnswer(MbButtons buttons) {
    return MessageChoices(buttons).back().nAnswer;
}

std::string FilterLabel(const CFileFilter& filter) {
    return filter.strDescription + " (" + filter.strPattern + ")";
}

CFileDialogWords FileDialogWords(bool bSave) {
    return {bSave ? "Guardar" : "Abrir", kCancel.strText,
            "Buscar en:", "Nombre del fichero:", "Tipo de fichero:"};
}

}  // namespace gestalia
