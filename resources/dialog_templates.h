#pragma once
// The program's dialog templates, as data.

#include <string_view>

#include "platform/dialog_template.h"

namespace gestalia {

// Resource ids of the pictures and the icon (files in resources/images/).
inline constexpr int IDB_PREVIOUS = 131;    // 48 x 48, pink triangle pointing left
inline constexpr int IDB_NEXT = 132;        // 48 x 48, pink triangle pointing right
inline constexpr int IDB_LOGO = 139;        // 100 x 100, the site button's logo
inline constexpr int IDB_ITEM_ICONS = 195;  // 32 x 16: task and appointment icons
inline constexpr int IDI_PROGRAM = 138;     // the program icon
inline constexpr int IDS_ABOUTBOX = 101;    // "&About Gestalia..."

const CDialogTemplate& AboutDialogTemplate();     // 100
const CDialogTemplate& MainDialogTemplate();      // 102
const CDialogTemplate& DateItemDialogTemplate();  // 130
const CDialogTemplate& WeightDialogTemplate();    // 140
const CDialogTemplate& DatingDialogTemplate();    // 150
const CDialogTemplate& ProfileDialogTemplate();   // 160

// The string table: the text of a string resource, empty when there is none.
std::string_view LoadResourceString(int id);

}  // namespace gestalia
