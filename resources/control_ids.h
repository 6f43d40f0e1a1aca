#pragma once
// Control ids of the main window (template 102), the note editor (130), the
// weight chart (140), the dating and birth dialog (150) and the profile (160).

namespace gestalia {

// Main window.
inline constexpr int IDC_CALENDAR = 1000;
inline constexpr int IDC_WEEK_VIEW = 1001;
inline constexpr int IDC_MONTH_VIEW = 1002;
inline constexpr int IDC_DELETE_ITEM = 1015;
inline constexpr int IDC_DELETE_ALL = 1016;
inline constexpr int IDC_RESET_ITEMS = 1017;
inline constexpr int IDC_DATE_RANGE = 1018;
inline constexpr int IDC_TIP_TITLE = 1019;
inline constexpr int IDC_DAY_TEXT = 1020;
inline constexpr int IDC_MONTH_TEXT = 1021;
inline constexpr int IDC_TIP_TEXT = 1022;
inline constexpr int IDC_LAST_PERIOD = 1023;
inline constexpr int IDC_DUE_DATE = 1024;
inline constexpr int IDC_DAYS_LEFT = 1025;
inline constexpr int IDC_WEEKS = 1026;
inline constexpr int IDC_NEXT = 1027;
inline constexpr int IDC_PREVIOUS = 1028;
inline constexpr int IDC_CREATE_AGENDA = 1029;
inline constexpr int IDC_OPEN_AGENDA = 1030;
inline constexpr int IDC_AGENDA_TITLE = 1031;
inline constexpr int IDC_ORIGIN = 1032;
inline constexpr int IDC_HINT = 1034;
inline constexpr int IDC_SITE = 1035;
inline constexpr int IDC_WEIGHT_BUTTON = 1041;
inline constexpr int IDC_DATING_BUTTON = 1042;
// The welcome while no agenda is open: what an agenda is, the notice that the
// last agenda is gone, and the recent agendas, each a button with a "Quitar"
// button beside it for one that is gone.
inline constexpr int IDC_WELCOME = 1060;
inline constexpr int IDC_LAST_AGENDA_GONE = 1061;
inline constexpr int IDC_RECENT_TITLE = 1062;
inline constexpr int IDC_RECENT_FIRST = 1063;         // to 1067, newest first
inline constexpr int IDC_RECENT_REMOVE_FIRST = 1068;  // to 1072
// Her profile, the report of her pregnancy and the export of her calendar.
inline constexpr int IDC_PROFILE_BUTTON = 1080;
inline constexpr int IDC_REPORT_BUTTON = 1081;
inline constexpr int IDC_EXPORT_BUTTON = 1082;
inline constexpr int IDC_LAST_PERIOD_LABEL = -1;
inline constexpr int IDM_ABOUTBOX = 16;

// Note editor.
inline constexpr int IDC_ITEM_FROM = 1009;
inline constexpr int IDC_ITEM_TO = 1010;
inline constexpr int IDC_ITEM_TEXT = 1012;
inline constexpr int IDC_ITEM_APPOINTMENT = 1013;
inline constexpr int IDC_ITEM_TASK = 1014;
inline constexpr int IDC_ITEM_DELETE = 1019;
inline constexpr int IDC_ITEM_WEIGHT = 1041;
// The visit: blood pressure (the high and the low), fundal height, the baby's
// heart rate and swelling.
inline constexpr int IDC_ITEM_SYSTOLIC = 1043;
inline constexpr int IDC_ITEM_DIASTOLIC = 1044;
inline constexpr int IDC_ITEM_FUNDAL_HEIGHT = 1045;
inline constexpr int IDC_ITEM_HEART_RATE = 1046;
inline constexpr int IDC_ITEM_OEDEMA = 1047;

// Dating and birth.
inline constexpr int IDC_DATING_SCAN_DATE = 1050;
inline constexpr int IDC_DATING_CRL = 1051;
inline constexpr int IDC_DATING_WEEKS = 1052;
inline constexpr int IDC_DATING_DAYS = 1053;
inline constexpr int IDC_DATING_COMPARE = 1054;
inline constexpr int IDC_DATING_RESULT = 1055;
inline constexpr int IDC_DATING_BY_PERIOD = 1056;
inline constexpr int IDC_DATING_BY_SCAN = 1057;
inline constexpr int IDC_BIRTH_STATE = 1058;
inline constexpr int IDC_BIRTH_DATE = 1059;
inline constexpr int IDC_BIRTH_SET = 1060;
inline constexpr int IDC_BIRTH_CLEAR = 1061;

// Weight chart.
inline constexpr int IDC_CHART_TOP = 1036;
inline constexpr int IDC_CHART_BOTTOM = 1037;
inline constexpr int IDC_CHART_LOWER = 1038;
inline constexpr int IDC_CHART_UPPER = 1039;
inline constexpr int IDC_CHART_AREA = 1040;
// Her body mass index and the recommended gain, or why there is no band.
inline constexpr int IDC_CHART_CAPTION = 1085;

// Profile.
inline constexpr int IDC_PROFILE_HEIGHT = 1090;
inline constexpr int IDC_PROFILE_WEIGHT = 1091;
inline constexpr int IDC_PROFILE_SINGLE = 1092;
inline constexpr int IDC_PROFILE_TWINS = 1093;
inline constexpr int IDC_PROFILE_CLEAR = 1094;

}  // namespace gestalia
