// Date and time functions. Dates are OLE Automation dates: days since
// 12/30/1899, the fraction the time of day; before that day the fraction
// still counts forward from midnight (-1.25 is 12/29/1899 6:00 AM).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "builtins.h"
#include "ops.h"

namespace pw {

namespace {

const Variant& val(const Variant& v, Variant& tmp) {
  if (v.vt != vtObject) return v;
  tmp = defaultValue(v);
  return tmp;
}

int32_t longArg(const Variant& v) {
  if (v.isNull()) raise(94);
  return toLong(v);
}

constexpr int64_t kMinDay = -657434;  // 1/1/100
constexpr int64_t kMaxDay = 2958465;  // 12/31/9999

int64_t floorDiv(int64_t x, int64_t d) {
  int64_t q = x / d;
  if ((x % d != 0) && ((x < 0) != (d < 0))) --q;
  return q;
}

// Day number of a proleptic Gregorian date, 0 = 12/30/1899.
int64_t dayOf(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  int64_t era = floorDiv(y, 400);
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;
}

void civil(int64_t day, int& y, int& m, int& d) {
  int64_t z = day - 25569 + 719468;
  int64_t era = floorDiv(z, 146097);
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  y = int(yoe + era * 400 + (m <= 2));
}

int daysInMonth(int y, int m) {
  static const int k[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  return m == 2 && leap ? 29 : k[m - 1];
}

// 0 = Sunday .. 6 = Saturday.
int weekday0(int64_t day) { return int(((day % 7) + 13) % 7); }

struct Parts {
  int64_t day;  // calendar day number
  int32_t secs;  // seconds since midnight, rounded
  int y, m, d;
};

Parts split(double v) {
  Parts p;
  double ip = std::trunc(v);
  p.day = int64_t(ip);
  p.secs = int32_t(std::llround(std::fabs(v - ip) * 86400.0));
  if (p.secs >= 86400) {
    p.secs -= 86400;
    ++p.day;
  }
  civil(p.day, p.y, p.m, p.d);
  return p;
}

double compose(int64_t day, int64_t secs) {
  if (day < kMinDay || day > kMaxDay) raise(5);
  double frac = double(secs) / 86400.0;
  return day >= 0 ? double(day) + frac : double(day) - frac;
}

// A date argument; false for Null, which the callers pass through.
bool dateArg(const Variant& arg, double& out) {
  Variant t;
  const Variant& v = val(arg, t);
  if (v.isNull()) return false;
  out = v.vt == vtDate ? v.d : toDate(v);
  return true;
}

// Two-digit years: 0-29 are 2000-2029, 30-99 are 1930-1999.
int64_t fullYear(int64_t y) {
  if (y >= 0 && y < 30) return y + 2000;
  if (y >= 30 && y < 100) return y + 1900;
  return y;
}

int firstDayArg(Args a, int i) {
  if (a.missing(i)) return 1;
  int32_t f = longArg(a[i]);
  if (f < 0 || f > 7) raise(5);
  return f == 0 ? 1 : f;  // the system's first day is Sunday here
}

int firstWeekArg(Args a, int i) {
  if (a.missing(i)) return 1;
  int32_t f = longArg(a[i]);
  if (f < 0 || f > 3) raise(5);
  return f == 0 ? 1 : f;
}

// --- Now ---

struct Clock {
  int64_t day;
  int32_t secs;
  double fracSecs;
};

Clock localNow() {
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  tm lt;
  localtime_r(&ts.tv_sec, &lt);
  Clock c;
  c.day = dayOf(lt.tm_year + 1900, lt.tm_mon + 1, lt.tm_mday);
  c.secs = lt.tm_hour * 3600 + lt.tm_min * 60 + lt.tm_sec;
  c.fracSecs = double(ts.tv_nsec) / 1e9;
  return c;
}

Variant fnDate(Engine&, Args) { return Variant::date(double(localNow().day)); }
Variant fnTime(Engine&, Args) { return Variant::date(localNow().secs / 86400.0); }
Variant fnNow(Engine&, Args) {
  Clock c = localNow();
  return Variant::date(compose(c.day, c.secs));
}
Variant fnTimer(Engine&, Args) {
  Clock c = localNow();
  double centis = std::floor(c.fracSecs * 100.0) / 100.0;
  return Variant::sng(float(c.secs + centis));
}

// --- Building dates ---

int16_t intArg(const Variant& v) {
  if (v.isNull()) raise(94);
  return toInteger(v);
}

// Months and days out of range carry into the neighbouring units.
Variant fnDateSerial(Engine&, Args a) {
  int64_t y = fullYear(intArg(a[0]));
  int64_t m = intArg(a[1]);
  int64_t d = intArg(a[2]);
  y += floorDiv(m - 1, 12);
  m = m - 1 - floorDiv(m - 1, 12) * 12 + 1;
  if (y < 100 || y > 9999) raise(5);
  return Variant::date(compose(dayOf(y, m, 1) + d - 1, 0));
}

Variant fnTimeSerial(Engine&, Args a) {
  int64_t total = int64_t(intArg(a[0])) * 3600 + int64_t(intArg(a[1])) * 60 + intArg(a[2]);
  int64_t day = floorDiv(total, 86400);
  return Variant::date(compose(day, total - day * 86400));
}

Variant fnDateValue(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) raise(94);
  double d = v.vt == vtDate ? v.d : toDate(v);
  return Variant::date(double(split(d).day));
}

Variant fnTimeValue(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) raise(94);
  double d = v.vt == vtDate ? v.d : toDate(v);
  return Variant::date(split(d).secs / 86400.0);
}

// --- Intervals ---

enum class Iv { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Iv intervalArg(const Variant& arg) {
  Variant t;
  const Variant& v = val(arg, t);
  if (v.isNull()) raise(94);
  u16 s = v.isString() ? u16(v.strView()) : toString(v);
  struct Name {
    const char16_t* name;
    Iv iv;
  };
  static const Name names[] = {{u"yyyy", Iv::Year},   {u"q", Iv::Quarter},  {u"m", Iv::Month},
                               {u"y", Iv::DayOfYear}, {u"d", Iv::Day},      {u"w", Iv::Weekday},
                               {u"ww", Iv::Week},     {u"h", Iv::Hour},     {u"n", Iv::Minute},
                               {u"s", Iv::Second}};
  for (const Name& n : names)
    if (equalsNoCase(s, n.name)) return n.iv;
  raise(5);
}

// DateAdd(interval, number, date). Month steps keep the day where the month
// has it and otherwise take the month's last day (1/31 + 1 month = 2/28).
Variant fnDateAdd(Engine&, Args a) {
  Variant tn;
  const Variant& vn = val(a[1], tn);
  if (vn.isNull()) raise(94);  // a Null count is refused; a Null date gives Null
  Iv iv = intervalArg(a[0]);
  double date;
  if (!dateArg(a[2], date)) return Variant::null();
  double nd = roundBankers(toDouble(vn));
  if (std::fabs(nd) > 4e12) raise(5);
  int64_t n = int64_t(nd);
  Parts p = split(date);
  int64_t months = 0, days = 0, secs = 0;
  switch (iv) {
    case Iv::Year: months = n * 12; break;
    case Iv::Quarter: months = n * 3; break;
    case Iv::Month: months = n; break;
    case Iv::DayOfYear:
    case Iv::Day:
    case Iv::Weekday: days = n; break;
    case Iv::Week: days = n * 7; break;
    case Iv::Hour: secs = n * 3600; break;
    case Iv::Minute: secs = n * 60; break;
    case Iv::Second: secs = n; break;
  }
  if (months) {
    if (std::llabs(months) > 200000) raise(5);
    int64_t mi = int64_t(p.y) * 12 + (p.m - 1) + months;
    int64_t y = floorDiv(mi, 12);
    int m = int(mi - y * 12) + 1;
    if (y < 100 || y > 9999) raise(5);
    int d = std::min(p.d, daysInMonth(int(y), m));
    return Variant::date(compose(dayOf(y, m, d), p.secs));
  }
  if (std::llabs(days) > 4000000) raise(5);
  int64_t t = (p.day + days) * 86400 + p.secs + secs;
  int64_t day = floorDiv(t, 86400);
  return Variant::date(compose(day, t - day * 86400));
}

// First day of the week that holds day, for a first day of week fdw (1..7).
int64_t weekStart(int64_t day, int fdw) { return day - (weekday0(day) - (fdw - 1) + 7) % 7; }

// First day of week 1 of a year under the firstweekofyear rule.
int64_t week1Start(int y, int fdw, int fwy) {
  int64_t jan1 = dayOf(y, 1, 1);
  int64_t ws = weekStart(jan1, fdw);
  int64_t inYear = 7 - (jan1 - ws);  // days of that week in the new year
  if (fwy == 2) return inYear >= 4 ? ws : ws + 7;
  if (fwy == 3) return inYear == 7 ? ws : ws + 7;
  return ws;
}

int weekOfYear(const Parts& p, int fdw, int fwy) {
  int64_t s = week1Start(p.y, fdw, fwy);
  if (p.day < s) {
    s = week1Start(p.y - 1, fdw, fwy);
  } else if (fwy == 2) {
    int64_t next = week1Start(p.y + 1, fdw, fwy);
    if (p.day >= next) s = next;
  }
  return int((p.day - s) / 7 + 1);
}

int64_t linearSecs(const Parts& p) { return p.day * 86400 + p.secs; }

// DateDiff counts the interval boundaries crossed from date1 to date2.
Variant fnDateDiff(Engine&, Args a) {
  Iv iv = intervalArg(a[0]);
  int fdw = firstDayArg(a, 3);
  firstWeekArg(a, 4);  // checked, but no interval here depends on it
  double d1, d2;
  bool has1 = dateArg(a[1], d1), has2 = dateArg(a[2], d2);
  if (!has1 || !has2) return Variant::null();
  Parts p1 = split(d1), p2 = split(d2);
  int64_t r = 0;
  switch (iv) {
    case Iv::Year: r = p2.y - p1.y; break;
    case Iv::Quarter: r = (p2.y * 4 + (p2.m - 1) / 3) - (p1.y * 4 + (p1.m - 1) / 3); break;
    case Iv::Month: r = (p2.y * 12 + p2.m) - (p1.y * 12 + p1.m); break;
    case Iv::DayOfYear:
    case Iv::Day: r = p2.day - p1.day; break;
    case Iv::Weekday: r = (p2.day - p1.day) / 7; break;
    case Iv::Week: r = (weekStart(p2.day, fdw) - weekStart(p1.day, fdw)) / 7; break;
    case Iv::Hour: r = floorDiv(linearSecs(p2), 3600) - floorDiv(linearSecs(p1), 3600); break;
    case Iv::Minute: r = floorDiv(linearSecs(p2), 60) - floorDiv(linearSecs(p1), 60); break;
    case Iv::Second: r = linearSecs(p2) - linearSecs(p1); break;
  }
  if (r > INT32_MAX || r < INT32_MIN) raise(6);
  return Variant::lng(int32_t(r));
}

int weekdayOf(int64_t day, int fdw) { return (weekday0(day) - (fdw - 1) + 7) % 7 + 1; }

Variant fnDatePart(Engine&, Args a) {
  Iv iv = intervalArg(a[0]);
  int fdw = firstDayArg(a, 2);
  int fwy = firstWeekArg(a, 3);
  double d;
  if (!dateArg(a[1], d)) return Variant::null();
  Parts p = split(d);
  int r = 0;
  switch (iv) {
    case Iv::Year: r = p.y; break;
    case Iv::Quarter: r = (p.m - 1) / 3 + 1; break;
    case Iv::Month: r = p.m; break;
    case Iv::DayOfYear: r = int(p.day - dayOf(p.y, 1, 1) + 1); break;
    case Iv::Day: r = p.d; break;
    case Iv::Weekday: r = weekdayOf(p.day, fdw); break;
    case Iv::Week: r = weekOfYear(p, fdw, fwy); break;
    case Iv::Hour: r = p.secs / 3600; break;
    case Iv::Minute: r = p.secs / 60 % 60; break;
    case Iv::Second: r = p.secs % 60; break;
  }
  return Variant::integer(int16_t(r));
}

// --- Parts of a date ---

template <int (*F)(const Parts&)>
Variant part(Engine&, Args a) {
  double d;
  if (!dateArg(a[0], d)) return Variant::null();
  return Variant::integer(int16_t(F(split(d))));
}

int yearOf(const Parts& p) { return p.y; }
int monthOf(const Parts& p) { return p.m; }
int dayOfMonth(const Parts& p) { return p.d; }
int hourOf(const Parts& p) { return p.secs / 3600; }
int minuteOf(const Parts& p) { return p.secs / 60 % 60; }
int secondOf(const Parts& p) { return p.secs % 60; }

Variant fnWeekday(Engine&, Args a) {
  int fdw = firstDayArg(a, 1);
  double d;
  if (!dateArg(a[0], d)) return Variant::null();
  return Variant::integer(int16_t(weekdayOf(split(d).day, fdw)));
}

const char16_t* const kMonths[] = {u"January", u"February", u"March",     u"April",
                                   u"May",     u"June",     u"July",      u"August",
                                   u"September", u"October", u"November", u"December"};
const char16_t* const kDays[] = {u"Sunday",   u"Monday", u"Tuesday", u"Wednesday",
                                 u"Thursday", u"Friday", u"Saturday"};

bool abbrevArg(Args a, int i) {
  if (a.missing(i)) return false;
  if (a[i].isNull()) raise(94);
  return toBool(a[i]);
}

Variant nameOf(const char16_t* full, bool abbrev) {
  u16v s(full);
  return Variant::str(abbrev ? s.substr(0, 3) : s);
}

// Null anywhere raises 94 before any argument is converted.
void refuseNulls(Args a) {
  for (int i = 0; i < a.size(); ++i)
    if (a[i].isNull()) raise(94);
}

Variant fnMonthName(Engine&, Args a) {
  refuseNulls(a);
  int32_t m = longArg(a[0]);
  if (m < 1 || m > 12) raise(5);
  return nameOf(kMonths[m - 1], abbrevArg(a, 1));
}

Variant fnWeekdayName(Engine&, Args a) {
  refuseNulls(a);
  int32_t w = longArg(a[0]);
  bool abbrev = abbrevArg(a, 1);
  int fdw = firstDayArg(a, 2);
  if (w < 1 || w > 7) raise(5);
  return nameOf(kDays[(w - 1 + fdw - 1) % 7], abbrev);
}

constexpr BuiltinDef kDateBuiltins[] = {
    {u"Date", fnDate, 0, 0},
    {u"Time", fnTime, 0, 0},
    {u"Now", fnNow, 0, 0},
    {u"Timer", fnTimer, 0, 0},
    {u"DateSerial", fnDateSerial, 3, 3},
    {u"TimeSerial", fnTimeSerial, 3, 3},
    {u"DateValue", fnDateValue, 1, 1},
    {u"TimeValue", fnTimeValue, 1, 1},
    {u"DateAdd", fnDateAdd, 3, 3},
    {u"DateDiff", fnDateDiff, 3, 5},
    {u"DatePart", fnDatePart, 2, 4},
    {u"Year", part<yearOf>, 1, 1},
    {u"Month", part<monthOf>, 1, 1},
    {u"Day", part<dayOfMonth>, 1, 1},
    {u"Weekday", fnWeekday, 1, 2},
    {u"Hour", part<hourOf>, 1, 1},
    {u"Minute", part<minuteOf>, 1, 1},
    {u"Second", part<secondOf>, 1, 1},
    {u"MonthName", fnMonthName, 1, 2},
    {u"WeekdayName", fnWeekdayName, 1, 3},
};

}  // namespace

std::span<const BuiltinDef> dateBuiltins() { return kDateBuiltins; }

}  // namespace pw
