#include "model/date_value.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

#include "model/civil_days.h"
#include "model/clock.h"

namespace gestalia {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// Day number (days since 30 December 1899) of 1 January 1970.
constexpr std::int64_t kUnixEpochDay = 25569;
// Day numbers of 1 January 100 and 31 December 9999.
constexpr std::int64_t kFirstDay = kFirstDayNumber;
constexpr std::int64_t kLastDay = kLastDayNumber;
constexpr int kMinYear = 100;
constexpr int kMaxYear = 9999;
// strftime writes into a buffer of this many characters, NUL included.
constexpr std::size_t kFormatBuffer = 256;

static_assert(DaysFromCivil(1899, 12, 30) == -kUnixEpochDay);
static_assert(DaysFromCivil(100, 1, 1) + kUnixEpochDay == kFirstDay);
static_assert(DaysFromCivil(9999, 12, 31) + kUnixEpochDay == kLastDay);

// The linear day number, in which time always runs forwards (-1.25 is -0.75).
double ToLinear(double dt) {
    if (dt >= 0.0) {
        return dt;
    }
    const double k = std::ceil(dt);
    return k - (dt - k);
}

double FromLinear(double linear) {
    if (linear >= 0.0) {
        return linear;
    }
    const double f = std::floor(linear);
    return f + (f - linear);
}

}  // namespace

std::int32_t CDateSpan::WholeDays() const {
    return TruncateDays(m_span);
}

std::int32_t TruncateDays(double days) {
    if (std::isnan(days)) {
        return 0;
    }
    const double t = std::trunc(days);
    if (t >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (t <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(t);
}

bool FieldsToOleDate(const CDateFields& f, double& dt) {
    if (f.year < kMinYear || f.year > kMaxYear) {
        return false;
    }
    // Months, days and times out of their ranges roll over, as the platform's
    // conversion does; the caller's read-back check catches them.
    const std::int64_t monthIndex =
        static_cast<std::int64_t>(f.year) * 12 + (static_cast<std::int64_t>(f.month) - 1);
    const std::int64_t year = FloorDiv(monthIndex, 12);
    const std::int64_t month = monthIndex - year * 12 + 1;
    const std::int64_t day =
        DaysFromCivil(year, month, 1) + kUnixEpochDay + (static_cast<std::int64_t>(f.day) - 1);
    const std::int64_t seconds = day * kSecondsPerDay + static_cast<std::int64_t>(f.hour) * 3600 +
                                 static_cast<std::int64_t>(f.minute) * 60 + f.second;
    const std::int64_t d = FloorDiv(seconds, kSecondsPerDay);
    const std::int64_t s = seconds - d * kSecondsPerDay;
    if (d < kFirstDay || d > kLastDay) {
        return false;
    }
    const double t = static_cast<double>(s) / static_cast<double>(kSecondsPerDay);
    dt = d >= 0 ? static_cast<double>(d) + t : static_cast<double>(d) - t;
    return true;
}

namespace {

// The day number and the second of that day of an OLE date; false outside the
// calendar's range.
bool SplitOleDate(double dt, std::int64_t& d, std::int64_t& s) {
    if (!std::isfinite(dt) || dt <= static_cast<double>(kFirstDay - 1) ||
        dt >= static_cast<double>(kLastDay + 1)) {
        return false;
    }
    d = static_cast<std::int64_t>(std::trunc(dt));
    const double t = std::fabs(dt - static_cast<double>(d));
    // Every value of the system holds whole seconds; round to the nearest one.
    s = std::llround(t * static_cast<double>(kSecondsPerDay));
    if (s >= kSecondsPerDay) {
        s -= kSecondsPerDay;
        d += 1;
    }
    return d >= kFirstDay && d <= kLastDay;
}

}  // namespace

bool OleDateToFields(double dt, CDateFields& fields) {
    std::int64_t d = 0;
    std::int64_t s = 0;
    if (!SplitOleDate(dt, d, s)) {
        return false;
    }
    const CivilDate c = CivilFromDays(d - kUnixEpochDay);
    fields.year = static_cast<int>(c.year);
    fields.month = c.month;
    fields.day = c.day;
    fields.hour = static_cast<int>(s / 3600);
    fields.minute = static_cast<int>((s / 60) % 60);
    fields.second = static_cast<int>(s % 60);
    // Day 0, 30 December 1899, was a Saturday.
    fields.dayOfWeek = static_cast<int>(((d % 7) + 7 + 6) % 7);
    fields.dayOfYear = static_cast<int>(d - (DaysFromCivil(c.year, 1, 1) + kUnixEpochDay) + 1);
    return true;
}

CDateValue CDateValue::Now(const IClock& clock) {
    CDateValue v;
    v.SetFromTime(clock.NowSeconds(), clock);
    return v;
}

void CDateValue::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    CDateFields in;
    in.year = year;
    in.month = month;
    in.day = day;
    in.hour = hour;
    in.minute = minute;
    in.second = second;
    double dt = 0.0;
    if (!FieldsToOleDate(in, dt)) {
        m_status = DateStatus::invalid;
        return;
    }
    m_dt = dt;
    CDateFields back;
    const bool same = OleDateToFields(dt, back) && back.year == year && back.month == month &&
                      back.day == day && back.hour == hour && back.minute == minute &&
                      back.second == second;
    m_status = same ? DateStatus::valid : DateStatus::invalid;
}

void CDateValue::SetFromTime(std::int64_t secondsSinceEpoch, const IClock& clock) {
    const std::optional<std::tm> local = clock.ToLocalTime(secondsSinceEpoch);
    if (!local) {
        m_status = DateStatus::invalid;
        return;
    }
    SetDateTime(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                local->tm_min, local->tm_sec);
}

bool CDateValue::GetFields(CDateFields& fields) const {
    return IsValid() && OleDateToFields(m_dt, fields);
}

int CDateValue::GetYear() const {
    CDateFields f;
    return GetFields(f) ? f.year : -1;
}

int CDateValue::GetMonth() const {
    CDateFields f;
    return GetFields(f) ? f.month : -1;
}

int CDateValue::GetDay() const {
    CDateFields f;
    return GetFields(f) ? f.day : -1;
}

int CDateValue::GetHour() const {
    CDateFields f;
    return GetFields(f) ? f.hour : -1;
}

int CDateValue::GetMinute() const {
    CDateFields f;
    return GetFields(f) ? f.minute : -1;
}

int CDateValue::GetSecond() const {
    CDateFields f;
    return GetFields(f) ? f.second : -1;
}

int CDateValue::GetDayOfWeek() const {
    CDateFields f;
    return GetFields(f) ? f.dayOfWeek : -1;
}

CDateValue CDateValue::GetDatePart() const {
    CDateValue v;
    CDateFields f;
    if (!GetFields(f)) {
        v.m_status = DateStatus::invalid;
        return v;
    }
    v.SetDateTime(f.year, f.month, f.day, 0, 0, 0);
    return v;
}

void CDateValue::AddDays(double n) {
    m_dt = FromLinear(ToLinear(m_dt) + n);
}

CDateSpan CDateValue::operator-(const CDateValue& other) const {
    CDateSpan span;
    span.m_span = ToLinear(m_dt) - ToLinear(other.m_dt);
    // A NaN difference (only from damaged data) is no span either.
    const bool inRange = span.m_span >= -kMaxSpanDays && span.m_span <= kMaxSpanDays;
    span.m_status = inRange ? DateStatus::valid : DateStatus::invalid;
    return span;
}

bool CDateValue::operator==(const CDateValue& other) const {
    if (m_status != other.m_status) {
        return false;
    }
    if (m_status == DateStatus::null) {
        return true;
    }
    return m_status == DateStatus::valid && m_dt == other.m_dt;
}

std::string CDateValue::Format(std::string_view pattern) const {
    if (m_status == DateStatus::null) {
        return {};
    }
    CDateFields f;
    if (!GetFields(f)) {
        return "Invalid DateTime";
    }
    std::tm tm{};
    tm.tm_year = f.year - 1900;
    tm.tm_mon = f.month - 1;
    tm.tm_mday = f.day;
    tm.tm_hour = f.hour;
    tm.tm_min = f.minute;
    tm.tm_sec = f.second;
    tm.tm_wday = f.dayOfWeek;
    tm.tm_yday = f.dayOfYear - 1;
    tm.tm_isdst = 0;
    // The pattern ends at its first NUL, as a C string would.
    const std::string cPattern(pattern.substr(0, pattern.find('\0')));
    // The classic locale whatever the process locale is (the GUI toolkit sets the
    // user's locale at start), so "%B" always gives the English month names.
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::put_time(&tm, cPattern.c_str());
    std::string text = out.str();
    // strftime gives nothing when the text does not fit its buffer.
    if (text.size() >= kFormatBuffer) {
        return {};
    }
    return text.substr(0, text.find('\0'));
}

bool SameDateImage(const CDateValue& a, const CDateValue& b) {
    return std::bit_cast<std::uint64_t>(a.GetRaw()) == std::bit_cast<std::uint64_t>(b.GetRaw()) &&
           a.GetStatus() == b.GetStatus();
}

}  // namespace gestalia
