// Template 140: the weight chart. The four weight labels get their texts at
// every paint; the frame 1040 marks the plotting area; the caption 1085
// under it is set when the chart opens.

#include "resources/control_ids.h"
#include "resources/dialog_templates.h"

namespace gestalia {

namespace {

CDialogTemplate MakeWeightTemplate() {
    CDialogTemplate t;
    t.id = 140;
    t.strCaption = "Evolución del peso en el embarazo";
    t.cx = 315;
    t.cy = 216;
    t.strFont = kDialogFontFace;
    t.nPointSize = kDialogFontPoints;
    t.bResizable = false;
    t.bSystemMenu = true;
    t.controls = {
        {IDOK,
         ControlKind::PushButton,
         "Aceptar",
         kStyleDefault | kStyleTabStop,
         {205, 174, 50, 14}},
        {IDCANCEL, ControlKind::PushButton, "Cancelar", kStyleTabStop, {258, 174, 50, 14}},
        {IDC_CHART_AREA, ControlKind::Frame, "", kStyleNone, {42, 7, 266, 154}},
        // The day axis: its weeks are numbered right under the frame.
        {IDC_STATIC, ControlKind::Static, "Semanas de embarazo", kStyleNone, {42, 177, 150, 11}},
        {IDC_CHART_TOP, ControlKind::Static, "Estático", kStyleNone, {7, 4, 33, 15}},
        {IDC_CHART_BOTTOM, ControlKind::Static, "Estático", kStyleNone, {7, 152, 34, 15}},
        {IDC_CHART_LOWER, ControlKind::Static, "Estático", kStyleNone, {7, 103, 32, 19}},
        {IDC_CHART_UPPER, ControlKind::Static, "Estático", kStyleNone, {7, 55, 33, 18}},
        // Her index and the recommended gain, or why there is no band.
        {IDC_CHART_CAPTION, ControlKind::Static, "", kStyleNone, {7, 192, 301, 18}},
    };
    return t;
}

// Constant data, built once before main.
const CDialogTemplate kWeightTemplate = MakeWeightTemplate();

}  // namespace

const CDialogTemplate& WeightDialogTemplate() {
    return kWeightTemplate;
}

}  // namespace gestalia
