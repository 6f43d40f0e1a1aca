#pragma once
// The week tip table: one Spanish text (UTF-8, line breaks as "\r\n") for each
// week of pregnancy, slot 0 to 41, counted from the first day of the last period.

#include <cstddef>
#include <optional>
#include <string_view>

namespace gestalia {

inline constexpr int kWeekTipSlots = 42;
inline constexpr std::size_t kWeekTipSlotBytes = 2000;  // room per text once encoded

// The text of slot i when 0 <= i <= 41; nothing otherwise.
std::optional<std::string_view> GetWeekTip(int slot);

}  // namespace gestalia
