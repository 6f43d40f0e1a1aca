// Template 150: dating by the first scan, and the birth. The result static
// gets its lines when she asks for the comparison or the dialog opens with a
// scan.

#include "resources/control_ids.h"
#include "resources/dialog_templates.h"

namespace gestalia {

namespace {

CDialogTemplate MakeDatingTemplate() {
    CDialogTemplate t;
    t.id = 150;
    t.strCaption = "Datación y nacimiento";
    t.cx = 300;
    t.cy = 226;
    t.strFont = kDialogFontFace;
    t.nPointSize = kDialogFontPoints;
    t.bResizable = false;
    t.bSystemMenu = true;
    t.controls = {
        {IDC_STATIC, ControlKind::Static, "Primera ecografía", kStyleNone, {7, 7, 200, 9}},
        {IDC_STATIC, ControlKind::Static, "Fecha de la ecografía:", kStyleNone, {7, 23, 110, 9}},
        {IDC_DATING_SCAN_DATE,
         ControlKind::DatePicker,
         "",
         kStyleRight | kStyleTabStop,
         {120, 21, 70, 13}},
        {IDC_STATIC,
         ControlKind::Static,
         "Longitud cráneo-caudal (mm):",
         kStyleNone,
         {7, 41, 110, 9}},
        {IDC_DATING_CRL,
         ControlKind::Edit,
         "",
         kStyleRight | kStyleAutoHScroll | kStyleBorder | kStyleTabStop,
         {120, 39, 40, 13}},
        {IDC_STATIC, ControlKind::Static, "o la edad que te dieron:", kStyleNone, {7, 59, 110, 9}},
        {IDC_DATING_WEEKS,
         ControlKind::Edit,
         "",
         kStyleRight | kStyleAutoHScroll | kStyleBorder | kStyleTabStop,
         {120, 57, 25, 13}},
        {IDC_STATIC, ControlKind::Static, "semanas y", kStyleNone, {148, 59, 40, 9}},
        {IDC_DATING_DAYS,
         ControlKind::Edit,
         "",
         kStyleRight | kStyleAutoHScroll | kStyleBorder | kStyleTabStop,
         {190, 57, 20, 13}},
        {IDC_STATIC, ControlKind::Static, "días", kStyleNone, {213, 59, 30, 9}},
        {IDC_DATING_COMPARE, ControlKind::PushButton, "Comparar", kStyleTabStop, {7, 76, 60, 14}},
        {IDC_DATING_RESULT, ControlKind::Static, "", kStyleBorder, {7, 95, 286, 44}},
        {IDC_DATING_BY_PERIOD,
         ControlKind::RadioButton,
         "Fechar por la última regla",
         kStyleGroup | kStyleTabStop,
         {7, 145, 135, 10}},
        {IDC_DATING_BY_SCAN,
         ControlKind::RadioButton,
         "Fechar por la ecografía",
         kStyleNone,
         {150, 145, 135, 10}},
        {IDC_BIRTH_STATE, ControlKind::Static, "", kStyleNone, {7, 165, 286, 9}},
        {IDC_STATIC, ControlKind::Static, "Fecha de nacimiento:", kStyleNone, {7, 182, 75, 9}},
        {IDC_BIRTH_DATE,
         ControlKind::DatePicker,
         "",
         kStyleRight | kStyleTabStop,
         {85, 180, 70, 13}},
        {IDC_BIRTH_SET, ControlKind::PushButton, "Ya ha nacido", kStyleTabStop, {160, 179, 60, 15}},
        {IDC_BIRTH_CLEAR,
         ControlKind::PushButton,
         "Borrar nacimiento",
         kStyleTabStop,
         {223, 179, 70, 15}},
        {IDOK,
         ControlKind::PushButton,
         "Aceptar",
         kStyleDefault | kStyleTabStop,
         {187, 205, 50, 14}},
        {IDCANCEL, ControlKind::PushButton, "Cancelar", kStyleTabStop, {243, 205, 50, 14}},
    };
    return t;
}

// Constant data, built once before main.
const CDialogTemplate kDatingTemplate = MakeDatingTemplate();

}  // namespace

const CDialogTemplate& DatingDialogTemplate() {
    return kDatingTemplate;
}

}  // namespace gestalia
