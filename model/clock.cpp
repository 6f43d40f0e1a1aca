#include "model/clock.h"

#include <chrono>
#include <ctime>
#include <limits>

#include "model/civil_days.h"

namespace gestalia {

std::int64_t CSystemClock::NowSeconds() const {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::optional<std::tm> CSystemClock::ToLocalTime(std::int64_t seconds) const {
    if (seconds < std::numeric_limits<std::time_t>::min() ||
        seconds > std::numeric_limits<std::time_t>::max()) {
        return std::nullopt;
    }
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    if (localtime_r(&t, &tm) == nullptr) {
        return std::nullopt;
    }
    return tm;
}

std::optional<std::tm> CFixedClock::ToLocalTime(std::int64_t seconds) const {
    // Keep well inside the range where the year fits tm_year.
    constexpr std::int64_t kLimit = std::int64_t{1} << 50;
    if (seconds < -kLimit || seconds > kLimit) {
        return std::nullopt;
    }
    const std::int64_t local = seconds + m_offset;
    const std::int64_t days = FloorDiv(local, 86400);
    const std::int64_t secs = local - days * 86400;
    const CivilDate c = CivilFromDays(days);
    std::tm tm{};
    tm.tm_year = static_cast<int>(c.year - 1900);
    tm.tm_mon = c.month - 1;
    tm.tm_mday = c.day;
    tm.tm_hour = static_cast<int>(secs / 3600);
    tm.tm_min = static_cast<int>((secs / 60) % 60);
    tm.tm_sec = static_cast<int>(secs % 60);
    // 1 January 1970 was a Thursday.
    tm.tm_wday = static_cast<int>(((days % 7) + 7 + 4) % 7);
    tm.tm_yday = static_cast<int>(days - DaysFromCivil(c.year, 1, 1));
    tm.tm_isdst = 0;
    return tm;
}

std::int64_t CFixedClock::LocalSeconds(int year, int month, int day, int hour, int minute,
                                       int second, std::int32_t utcOffsetSeconds) {
    return DaysFromCivil(year, month, day) * 86400 + static_cast<std::int64_t>(hour) * 3600 +
           static_cast<std::int64_t>(minute) * 60 + second - utcOffsetSeconds;
}

}  // namespace gestalia
