#pragma once
// The keys the calendar answers, numbered as the desktop's virtual keys, and
// the modifier flags that come with them. A front end maps its toolkit's key
// events to these.

#include <cstdint>

namespace gestalia {

inline constexpr std::int32_t VK_RETURN = 0x0D;
inline constexpr std::int32_t VK_SPACE = 0x20;
inline constexpr std::int32_t VK_PRIOR = 0x21;  // Page Up
inline constexpr std::int32_t VK_NEXT = 0x22;   // Page Down
inline constexpr std::int32_t VK_HOME = 0x24;
inline constexpr std::int32_t VK_LEFT = 0x25;
inline constexpr std::int32_t VK_UP = 0x26;
inline constexpr std::int32_t VK_RIGHT = 0x27;
inline constexpr std::int32_t VK_DOWN = 0x28;
inline constexpr std::int32_t VK_DELETE = 0x2E;
inline constexpr std::int32_t VK_APPS = 0x5D;  // the context menu key
inline constexpr std::int32_t VK_F2 = 0x71;
inline constexpr std::int32_t VK_F10 = 0x79;

enum KeyModifiers : std::uint32_t {
    kModNone = 0,
    kModShift = 1u << 0,
    kModControl = 1u << 1,
    kModAlt = 1u << 2,
};

}  // namespace gestalia
