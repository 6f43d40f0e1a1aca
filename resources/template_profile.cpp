// Template 160: her profile. Each label comes just before its box: screen
// readers name the box by it.

#include "resources/control_ids.h"
#include "resources/dialog_templates.h"

namespace gestalia {

namespace {

constexpr std::uint32_t kNumberBox = kStyleRight | kStyleAutoHScroll | kStyleBorder | kStyleTabStop;

CDialogTemplate MakeProfileTemplate() {
    CDialogTemplate t;
    t.id = 160;
    t.strCaption = "Perfil";
    t.cx = 250;
    t.cy = 142;
    t.strFont = kDialogFontFace;
    t.nPointSize = kDialogFontPoints;
    t.bResizable = false;
    t.bSystemMenu = true;
    t.controls = {
        {IDC_STATIC,
         ControlKind::Static,
         "Con tu altura y tu peso de antes del embarazo, la gráfica del peso dibuja la "
         "ganancia recomendada (IOM 2009).",
         kStyleNone,
         {7, 7, 236, 18}},
        {IDC_STATIC,
         ControlKind::Static,
         "Tu altura (cm):",
         kStyleNone,
         {7, 33, 140, 9},
         IDC_PROFILE_HEIGHT},
        {IDC_PROFILE_HEIGHT, ControlKind::Edit, "", kNumberBox, {150, 31, 45, 13}},
        {IDC_STATIC,
         ControlKind::Static,
         "Tu peso antes del embarazo (kg):",
         kStyleNone,
         {7, 51, 140, 9},
         IDC_PROFILE_WEIGHT},
        {IDC_PROFILE_WEIGHT, ControlKind::Edit, "", kNumberBox, {150, 49, 45, 13}},
        {IDC_PROFILE_SINGLE,
         ControlKind::RadioButton,
         "Embarazo de un bebé",
         kStyleGroup | kStyleTabStop,
         {7, 70, 110, 10}},
        {IDC_PROFILE_TWINS,
         ControlKind::RadioButton,
         "Embarazo gemelar",
         kStyleNone,
         {125, 70, 110, 10}},
        {IDC_PROFILE_CLEAR,
         ControlKind::PushButton,
         "Borrar perfil",
         kStyleTabStop,
         {7, 90, 60, 14}},
        {IDC_STATIC,
         ControlKind::Static,
         "Deja las dos casillas vacías, o pulsa «Borrar perfil», para no guardar perfil.",
         kStyleNone,
         {72, 88, 171, 18}},
        {IDOK,
         ControlKind::PushButton,
         "Aceptar",
         kStyleDefault | kStyleTabStop,
         {137, 121, 50, 14}},
        {IDCANCEL, ControlKind::PushButton, "Cancelar", kStyleTabStop, {193, 121, 50, 14}},
    };
    return t;
}

// Constant data, built once before main.
const CDialogTemplate kProfileTemplate = MakeProfileTemplate();

}  // namespace

const CDialogTemplate& ProfileDialogTemplate() {
    return kProfileTemplate;
}

}  // namespace gestalia
