// Template 102: the main agenda window. The visible controls are placed by the
// window's layout from the client size; the rectangles here are where they
// start. Controls shown only with an agenda start hidden and disabled. The
// picture buttons' texts are what screen readers and tooltips say of them.

#include "resources/control_ids.h"
#include "resources/dialog_templates.h"
#include "resources/main_texts.h"

namespace gestalia {

namespace {

constexpr std::uint32_t kAgendaOnly = kStyleHidden | kStyleDisabled;
constexpr std::uint32_t kStatusEdit =
    kAgendaOnly | kStyleReadOnly | kStyleCentre | kStyleBorder | kStyleAutoHScroll;
constexpr std::uint32_t kPanelStatic = kAgendaOnly | kStyleCentre | kStyleVCentre;
constexpr std::uint32_t kHiddenCommand = kStyleHidden | kStyleTabStop;

// Row `n` of the recent agendas, and the button that removes a gone one from
// the list; both hidden until the window fills them.
CControlTemplate RecentButton(int n) {
    return {IDC_RECENT_FIRST + n,
            ControlKind::PushButton,
            "",
            kStyleHidden | kStyleTabStop,
            {70, 145 + 20 * n, 350, 16}};
}

CControlTemplate RecentRemoveButton(int n) {
    return {IDC_RECENT_REMOVE_FIRST + n,
            ControlKind::PushButton,
            "Quitar",
            kStyleHidden | kStyleTabStop,
            {425, 145 + 20 * n, 65, 16}};
}

CDialogTemplate MakeMainTemplate() {
    CDialogTemplate t;
    t.id = 102;
    t.strCaption = "Gestalia de \"Brotela\"";
    t.cx = 500;
    t.cy = 329;
    t.bResizable = true;
    t.bSystemMenu = true;
    // "Salir" and the close box end the program; Escape alone does not.
    t.bCloseOnEscape = false;
    t.controls = {
        {IDCANCEL, ControlKind::PushButton, "Salir", kStyleTabStop, {3, 298, 60, 24}},
        {IDC_CALENDAR, ControlKind::Calendar, "", kAgendaOnly | kStyleTabStop, {67, 62, 427, 205}},
        {IDC_WEEK_VIEW,
         ControlKind::RadioButton,
         "Week View",
         kStyleHidden | kStyleGroup | kStyleTabStop,
         {10, 130, 50, 10}},
        {IDC_MONTH_VIEW, ControlKind::RadioButton, "Month View", kStyleHidden, {10, 142, 50, 10}},
        {IDC_HINT, ControlKind::Static, std::string(kHintText), kAgendaOnly, {67, 267, 213, 12}},
        {IDC_DELETE_ITEM,
         ControlKind::PushButton,
         "Delete Item...",
         kHiddenCommand,
         {24, 74, 50, 14}},
        {IDC_DELETE_ALL,
         ControlKind::PushButton,
         "Delete All...",
         kHiddenCommand,
         {17, 89, 50, 14}},
        {IDC_RESET_ITEMS,
         ControlKind::PushButton,
         "Reset Items",
         kHiddenCommand,
         {15, 249, 50, 14}},
        {IDC_DATE_RANGE, ControlKind::PushButton, "Date Range", kHiddenCommand, {8, 111, 50, 14}},
        // A label comes just before its box: screen readers name the box by it.
        {IDC_LAST_PERIOD_LABEL,
         ControlKind::Static,
         std::string(kLastPeriodLabel),
         kAgendaOnly | kStyleCentre,
         {67, 3, 213, 12},
         IDC_LAST_PERIOD},
        {IDC_LAST_PERIOD,
         ControlKind::DatePicker,
         "",
         kAgendaOnly | kStyleRight | kStyleTabStop,
         {133, 15, 80, 12}},
        {IDC_DATING_BUTTON,
         ControlKind::PushButton,
         "Datación",
         kAgendaOnly | kStyleTabStop,
         {67, 15, 63, 12}},
        {IDC_PROFILE_BUTTON,
         ControlKind::PushButton,
         "Perfil",
         kAgendaOnly | kStyleTabStop,
         {217, 15, 63, 12}},
        {IDC_DUE_DATE, ControlKind::Edit, "", kStatusEdit, {280, 3, 213, 12}},
        {IDC_DAYS_LEFT, ControlKind::Edit, "", kStatusEdit, {280, 15, 213, 12}},
        {IDC_WEEKS, ControlKind::Edit, "", kStatusEdit, {280, 28, 213, 12}},
        {IDC_NEXT,
         ControlKind::PushButton,
         "Mes siguiente",
         kAgendaOnly | kStyleBitmap | kStyleTabStop,
         {427, 43, 67, 18}},
        {IDC_PREVIOUS,
         ControlKind::PushButton,
         "Mes anterior",
         kAgendaOnly | kStyleBitmap | kStyleTabStop,
         {67, 43, 67, 18}},
        {IDC_CREATE_AGENDA,
         ControlKind::PushButton,
         std::string(kCreateAgendaText),
         kStyleMultiLine | kStyleTabStop,
         {3, 65, 60, 103}},
        {IDC_OPEN_AGENDA,
         ControlKind::PushButton,
         "ABRIR AGENDA YA CREADA",
         kStyleMultiLine | kStyleTabStop,
         {3, 167, 60, 97}},
        {IDC_WELCOME,
         ControlKind::Static,
         "Bienvenida a Gestalia. Una agenda es el fichero (.gst) donde se guardan la fecha de "
         "tu última regla y las notas de tu embarazo; cada cambio se guarda al momento. Pulsa "
         "CREAR AGENDA para empezar una nueva, o ABRIR AGENDA YA CREADA para seguir con la que "
         "ya tienes.",
         kStyleNone,
         {70, 66, 420, 45}},
        {IDC_LAST_AGENDA_GONE,
         ControlKind::Static,
         std::string(kLastAgendaGoneText),
         kStyleHidden,
         {70, 114, 420, 12}},
        {IDC_RECENT_TITLE,
         ControlKind::Static,
         "Tus agendas recientes (pulsa una para abrirla):",
         kStyleHidden,
         {70, 130, 420, 12}},
        RecentButton(0),
        RecentRemoveButton(0),
        RecentButton(1),
        RecentRemoveButton(1),
        RecentButton(2),
        RecentRemoveButton(2),
        RecentButton(3),
        RecentRemoveButton(3),
        RecentButton(4),
        RecentRemoveButton(4),
        {IDC_TIP_TITLE,
         ControlKind::Static,
         "Consejo",
         kPanelStatic | kStyleLink,
         {67, 279, 427, 18}},
        {IDC_ORIGIN, ControlKind::Static, "", kStyleHidden, {2, 3, 20, 8}},
        {IDC_DAY_TEXT, ControlKind::Static, "fecha", kPanelStatic, {280, 267, 213, 12}},
        {IDC_MONTH_TEXT, ControlKind::Static, "", kPanelStatic, {133, 43, 293, 18}},
        {IDC_TIP_TEXT,
         ControlKind::Edit,
         "",
         kAgendaOnly | kStyleMultiLine | kStyleReadOnly | kStyleCentre | kStyleVScroll |
             kStyleBorder,
         {67, 301, 427, 25}},
        {IDC_SITE,
         ControlKind::PushButton,
         "Abrir la página web de Gestalia",
         kStyleBitmap | kStyleLink | kStyleTabStop,
         {0, 0, 67, 62}},
        {IDC_AGENDA_TITLE,
         ControlKind::Edit,
         "",
         kAgendaOnly | kStyleReadOnly | kStyleBorder | kStyleAutoHScroll,
         {67, 31, 280, 12}},
        {IDC_EXPORT_BUTTON,
         ControlKind::PushButton,
         "Exportar calendario",
         kAgendaOnly | kStyleMultiLine | kStyleTabStop,
         {3, 211, 60, 25}},
        {IDC_REPORT_BUTTON,
         ControlKind::PushButton,
         "Informe",
         kAgendaOnly | kStyleTabStop,
         {3, 239, 60, 25}},
        {IDC_WEIGHT_BUTTON,
         ControlKind::PushButton,
         "Peso",
         kStyleDisabled | kStyleTabStop,
         {3, 267, 60, 25}},
    };
    return t;
}

const CDialogTemplate kMainTemplate = MakeMainTemplate();

}  // namespace

const CDialogTemplate& MainDialogTemplate() {
    return kMainTemplate;
}

}  // namespace gestalia
