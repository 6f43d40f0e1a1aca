#pragma once
// CDateValue: every date and time of the system, held as an OLE Automation date
// (days since midnight of 30 December 1899, the fraction being the time of day)
// with a validity status. Proleptic Gregorian; valid values cover 1 January 100
// to 31 December 9999. Bad input never throws: it gives the status invalid.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gestalia {

class IClock;

enum class DateStatus : std::int32_t { valid = 0, invalid = 1, null = 2 };

// Drops the fraction of a number of days towards zero, as a conversion to an
// integer does; values beyond the 32-bit range (only from damaged dates) are
// held at its ends, and NaN gives 0.
std::int32_t TruncateDays(double days);

// The difference of two dates, in days (fractional, signed).
struct CDateSpan {
    double m_span = 0.0;
    DateStatus m_status = DateStatus::valid;

    // Whole days, the fraction dropped towards zero.
    std::int32_t WholeDays() const;
};

// Calendar fields: month 1-12, day 1-31, day of week 0 = Sunday.
struct CDateFields {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;
    int dayOfYear = 0;  // 1 = 1 January
};

class CDateValue {
  public:
    static constexpr double kMaxSpanDays = 3615897.0;

    CDateValue() = default;  // 0.0, valid
    CDateValue(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
        SetDateTime(year, month, day, hour, minute, second);
    }

    // The value exactly as stored in an agenda file.
    static CDateValue FromRaw(double dt, DateStatus status) {
        CDateValue v;
        v.m_dt = dt;
        v.m_status = status;
        return v;
    }
    static CDateValue Now(const IClock& clock);

    void SetDateTime(int year, int month, int day, int hour, int minute, int second);
    // Local calendar time of the instant, through the clock's time zone.
    void SetFromTime(std::int64_t secondsSinceEpoch, const IClock& clock);

    double GetRaw() const { return m_dt; }
    DateStatus GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == DateStatus::valid; }

    // Each gives -1 when the status is not valid or the value has no calendar date.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 0 = Sunday .. 6 = Saturday
    // Fields of a valid value; false when the value cannot be converted.
    bool GetFields(CDateFields& fields) const;

    // Midnight of the same day; invalid when this value is not valid.
    CDateValue GetDatePart() const;
    // Moves the value by n days through the linear day number; status unchanged.
    void AddDays(double n);

    CDateSpan operator-(const CDateValue& other) const;
    bool operator==(const CDateValue& other) const;

    // strftime with the C locale ("%B" gives English month names). Null gives "",
    // invalid gives "Invalid DateTime".
    std::string Format(std::string_view pattern) const;

  private:
    double m_dt = 0.0;
    DateStatus m_status = DateStatus::valid;
};

// Conversions between calendar fields and OLE Automation dates; exact for every
// second from 1 January 100 to 31 December 9999.
// The same date to the bit, status included, as a file holds it (operator==
// compares what the dates mean).
bool SameDateImage(const CDateValue& a, const CDateValue& b);

bool FieldsToOleDate(const CDateFields& fields, double& dt);
bool OleDateToFields(double dt, CDateFields& fields);
// Day numbers (days since 30 December 1899) of 1 January 100 and 31 December
// 9999, the first and last days a value may fall on.
inline constexpr std::int32_t kFirstDayNumber = -657434;
inline constexpr std::int32_t kLastDayNumber = 2958465;

// The day number of the calendar day of a valid value: the day GetDatePart
// gives, whose midnight has that number as its value. None for a value that is
// not valid or has no calendar date. Here, so that a caller filing many items
// by day has it worked out in place.
inline std::optional<std::int32_t> DayNumberOf(const CDateValue& dt) {
    constexpr double kSecondsPerDay = 86400.0;
    const double v = dt.GetRaw();
    if (!dt.IsValid() || !std::isfinite(v) || v <= kFirstDayNumber - 1.0 ||
        v >= kLastDayNumber + 1.0) {
        return std::nullopt;
    }
    // The second of the day is rounded to the nearest one, so from half a
    // second before midnight on the value lies on the next day.
    std::int64_t d = static_cast<std::int64_t>(v);
    const double t = std::fabs(v - static_cast<double>(d));
    if (t * kSecondsPerDay >= kSecondsPerDay - 0.5) {
        d += 1;
    }
    if (d < kFirstDayNumber || d > kLastDayNumber) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(d);
}

}  // namespace gestalia
