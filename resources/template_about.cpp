// Template 100: the About box.

#include "resources/dialog_templates.h"

namespace gestalia {

namespace {

CDialogTemplate MakeAboutTemplate() {
    CDialogTemplate t;
    t.id = 100;
    t.strCaption = "About Brotela";
    t.cx = 235;
    t.cy = 55;
    t.controls = {
        {IDC_STATIC, ControlKind::Static, "Brotela Version 0.0", kStyleNone, {40, 16, 119, 8}},
        {IDOK,
         ControlKind::PushButton,
         "OK",
         kStyleDefault | kStyleTabStop | kStyleGroup,
         {178, 14, 50, 14}},
    };
    return t;
}

const CDialogTemplate kAboutTemplate = MakeAboutTemplate();

}  // namespace

const CDialogTemplate& AboutDialogTemplate() {
    return kAboutTemplate;
}

}  // namespace gestalia
