// Template 130: the note editor. Only the note text, the weight, the visit
// and the buttons are shown; the time pickers, the type radios and their labels are
// created hidden and carry the note's times and type through the dialog.

#include <cstdint>

#include "resources/control_ids.h"
#include "resources/dialog_templates.h"

namespace gestalia {

namespace {

constexpr std::uint32_t kVisitBox = kStyleRight | kStyleAutoHScroll | kStyleBorder | kStyleTabStop;

CDialogTemplate MakeDateItemTemplate() {
    CDialogTemplate t;
    t.id = 130;
    t.strCaption = "Añadir Anotación";  // replaced when the dialog opens
    t.cx = 280;
    t.cy = 135;
    t.strFont = "MS Sans Serif";
    t.nPointSize = kDialogFontPoints;
    t.bResizable = false;
    t.bSystemMenu = true;
    t.controls = {
        {IDC_ITEM_FROM,
         ControlKind::TimePicker,
         "",
         kStyleHidden | kStyleRight | kStyleTabStop,
         {91, 62, 60, 12}},
        {IDC_ITEM_TO,
         ControlKind::TimePicker,
         "",
         kStyleHidden | kStyleRight | kStyleTabStop,
         {213, 62, 60, 12}},
        // Each label comes just before its box: screen readers name the box by it.
        {IDC_STATIC, ControlKind::Static, "Anotación:", kStyleNone, {7, 10, 35, 8}, IDC_ITEM_TEXT},
        {IDC_ITEM_TEXT,
         ControlKind::Edit,
         "",
         kStyleMultiLine | kStyleWantReturn | kStyleVScroll | kStyleBorder | kStyleTabStop,
         {7, 20, 146, 53}},
        // Right after the text, so that Tab goes from the text to the weight.
        {IDC_STATIC,
         ControlKind::Static,
         "Peso (Kg)",
         kStyleNone,
         {170, 10, 40, 10},
         IDC_ITEM_WEIGHT},
        {IDC_ITEM_WEIGHT,
         ControlKind::Edit,
         "",
         kStyleRight | kStyleAutoHScroll | kStyleBorder | kStyleTabStop,
         {167, 21, 38, 17}},
        // The visit, below the text, right after the weight in Tab order.
        {IDC_STATIC,
         ControlKind::Static,
         "Tensión arterial",
         kStyleNone,
         {7, 83, 80, 8},
         IDC_ITEM_SYSTOLIC},
        {IDC_ITEM_SYSTOLIC, ControlKind::Edit, "", kVisitBox, {88, 80, 26, 14}},
        {IDC_STATIC, ControlKind::Static, "/", kStyleCentre, {115, 83, 7, 8}},
        // The low pressure has no label of its own on the screen; this one
        // names it for screen readers.
        {IDC_STATIC,
         ControlKind::Static,
         "Tensión diastólica (la baja)",
         kStyleHidden,
         {123, 83, 26, 8},
         IDC_ITEM_DIASTOLIC},
        {IDC_ITEM_DIASTOLIC, ControlKind::Edit, "", kVisitBox, {123, 80, 26, 14}},
        {IDC_STATIC, ControlKind::Static, "mmHg", kStyleNone, {153, 83, 30, 8}},
        {IDC_STATIC,
         ControlKind::Static,
         "Altura uterina (cm)",
         kStyleNone,
         {7, 100, 80, 8},
         IDC_ITEM_FUNDAL_HEIGHT},
        {IDC_ITEM_FUNDAL_HEIGHT, ControlKind::Edit, "", kVisitBox, {88, 97, 26, 14}},
        {IDC_STATIC,
         ControlKind::Static,
         "Latido fetal (lpm)",
         kStyleNone,
         {7, 117, 80, 8},
         IDC_ITEM_HEART_RATE},
        {IDC_ITEM_HEART_RATE, ControlKind::Edit, "", kVisitBox, {88, 114, 26, 14}},
        {IDC_ITEM_OEDEMA, ControlKind::CheckBox, "Edemas", kStyleTabStop, {153, 116, 60, 10}},
        {IDC_ITEM_APPOINTMENT,
         ControlKind::RadioButton,
         "This is an Appointment",
         kStyleHidden | kStyleGroup | kStyleTabStop,
         {7, 64, 87, 10}},
        {IDC_ITEM_TASK, ControlKind::RadioButton, "This is a Task", kStyleHidden, {7, 64, 60, 10}},
        {IDOK, ControlKind::PushButton, "OK", kStyleDefault | kStyleTabStop, {223, 7, 50, 14}},
        {IDCANCEL, ControlKind::PushButton, "Cancelar", kStyleTabStop, {223, 60, 50, 14}},
        {IDC_STATIC, ControlKind::Static, "From:", kStyleHidden, {69, 66, 18, 8}},
        {IDC_STATIC, ControlKind::Static, "To:", kStyleHidden, {161, 66, 12, 8}},
        {IDC_ITEM_DELETE, ControlKind::PushButton, "Borrar", kStyleTabStop, {224, 26, 49, 15}},
    };
    return t;
}

// Constant data, built once before main.
const CDialogTemplate kDateItemTemplate = MakeDateItemTemplate();

}  // namespace

const CDialogTemplate& DateItemDialogTemplate() {
    return kDateItemTemplate;
}

}  // namespace gestalia
