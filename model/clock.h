#pragma once
// "Now" and the local time zone as inputs, so that nothing in the core reads the
// real clock behind a test's back.

#include <cstdint>
#include <ctime>
#include <optional>

namespace gestalia {

class IClock {
  public:
    virtual ~IClock() = default;
    // Seconds since 1 January 1970 00:00 UTC.
    virtual std::int64_t NowSeconds() const = 0;
    // The local calendar time of an instant (the standard broken-down form:
    // tm_year since 1900, tm_mon 0-11); nothing when it cannot be converted.
    virtual std::optional<std::tm> ToLocalTime(std::int64_t seconds) const = 0;
};

// The real clock and the process's time zone.
class CSystemClock final : public IClock {
  public:
    std::int64_t NowSeconds() const override;
    std::optional<std::tm> ToLocalTime(std::int64_t seconds) const override;
};

// A clock standing still at a chosen instant, in a zone with a fixed offset
// from UTC. Tests set it and move it by hand.
class CFixedClock final : public IClock {
  public:
    explicit CFixedClock(std::int64_t seconds, std::int32_t utcOffsetSeconds = 0)
        : m_seconds(seconds), m_offset(utcOffsetSeconds) {}

    void Set(std::int64_t seconds) { m_seconds = seconds; }
    std::int64_t NowSeconds() const override { return m_seconds; }
    std::optional<std::tm> ToLocalTime(std::int64_t seconds) const override;

    // The instant at which the local calendar shows the given fields.
    static std::int64_t LocalSeconds(int year, int month, int day, int hour = 0, int minute = 0,
                                     int second = 0, std::int32_t utcOffsetSeconds = 0);

  private:
    std::int64_t m_seconds;
    std::int32_t m_offset;
};

}  // namespace gestalia
