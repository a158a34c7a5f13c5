// FormatNumber, FormatCurrency, FormatPercent and FormatDateTime with the
// US-English settings: "," groups of three, "." decimals, "$" before the
// amount and negative amounts in parentheses.
#include <cmath>
#include <cstdio>
#include <string>

#include "builtins.h"
#include "ops.h"

namespace pw {

namespace {

const Variant& val(const Variant& v, Variant& tmp) {
  if (v.vt != vtObject) return v;
  tmp = defaultValue(v);
  return tmp;
}

// A non-negative decimal: digits with the decimal point after the first
// intLen of them (intLen may be negative or exceed the digit count).
struct Decimal {
  std::string digits;
  int intLen = 0;
  bool negative = false;
};

Decimal fromInteger(int64_t x, int scale) {
  Decimal r;
  r.negative = x < 0;
  uint64_t u = r.negative ? uint64_t(0) - uint64_t(x) : uint64_t(x);
  r.digits = std::to_string(u);
  r.intLen = int(r.digits.size()) - scale;
  return r;
}

// Doubles are formatted from their 15-significant-digit form, the one CStr
// shows, so 1.005 rounds to 1.01 as its text suggests.
Decimal fromDouble(double x, int digits = 15) {
  Decimal r;
  if (!std::isfinite(x)) raise(6);
  r.negative = x < 0;
  if (x == 0) {
    r.digits.assign(1, '0');
    r.intLen = 1;
    return r;
  }
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(x));
  std::string s(buf);
  size_t e = s.find('e');
  r.digits = s.substr(0, 1) + s.substr(2, e - 2);
  r.intLen = std::stoi(s.substr(e + 1)) + 1;
  return r;
}

Decimal numberArg(const Variant& arg, double scale) {
  Variant t;
  const Variant& v = val(arg, t);
  if (scale == 1) {
    switch (v.vt) {
      case vtInteger: return fromInteger(v.i, 0);
      case vtLong: return fromInteger(v.l, 0);
      case vtByte: return fromInteger(v.byte, 0);
      case vtBoolean: return fromInteger(v.b, 0);
      case vtCurrency: return fromInteger(v.cy, 4);
      default: break;
    }
  }
  if (v.isNull()) raise(13);
  // A Single by its 7-digit text, as CStr shows it: CSng(1.15) is 1.15, not
  // 1.1499999761...; the percent scaling then moves the point exactly.
  if (v.vt == vtSingle) {
    Decimal d = fromDouble(v.f, 7);
    if (scale != 1 && v.f != 0) d.intLen += 2;
    return d;
  }
  return fromDouble(toDouble(v) * scale);
}

// Rounds half away from zero to nd decimals.
void roundDecimal(Decimal& d, int nd) {
  int keep = d.intLen + nd;
  if (keep >= int(d.digits.size())) return;
  if (keep < 0) {
    d.digits.assign(1, '0');
    d.intLen = 1;
    return;
  }
  bool up = d.digits[size_t(keep)] >= '5';
  d.digits.resize(size_t(keep));
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.digits[size_t(i)] == '9') d.digits[size_t(i--)] = '0';
  if (i >= 0) {
    ++d.digits[size_t(i)];
  } else {
    d.digits.insert(d.digits.begin(), '1');
    ++d.intLen;
  }
}

enum class Style { Number, Currency, Percent };

// Tristate arguments: -2 (or omitted) takes the default, 0 is False, others True.
bool tristate(Args a, int i, bool def) {
  if (a.missing(i)) return def;
  if (a[i].isNull()) raise(94);
  int32_t t = toLong(a[i]);
  if (t == -2) return def;
  return t != 0;
}

Variant formatNumeric(Args a, Style style) {
  int32_t nd = 2;
  if (!a.missing(1)) {
    if (a[1].isNull()) raise(94);
    nd = toLong(a[1]);
    if (nd == -1) nd = 2;
    if (nd < -1 || nd > 255) raise(5);
  }
  bool leading = tristate(a, 2, true);
  bool parens = tristate(a, 3, style == Style::Currency);
  bool group = tristate(a, 4, true);

  Decimal d = numberArg(a[0], style == Style::Percent ? 100.0 : 1.0);
  roundDecimal(d, nd);

  std::string ip;
  for (int k = 0; k < d.intLen; ++k) ip.push_back(k < int(d.digits.size()) ? d.digits[size_t(k)] : '0');
  size_t nz = ip.find_first_not_of('0');
  ip = nz == std::string::npos ? std::string() : ip.substr(nz);
  if (ip.empty() && (leading || nd == 0)) ip.assign(1, '0');  // a lone "0" stays even without leading digit
  if (group && ip.size() > 3) {
    std::string g;
    size_t first = ip.size() % 3;
    if (first == 0) first = 3;
    g = ip.substr(0, first);
    for (size_t k = first; k < ip.size(); k += 3) {
      g.push_back(',');
      g.append(ip, k, 3);
    }
    ip = g;
  }
  std::string body = ip;
  if (nd > 0) {
    body.push_back('.');
    for (int k = 0; k < nd; ++k) {
      int idx = d.intLen + k;
      body.push_back(idx >= 0 && idx < int(d.digits.size()) ? d.digits[size_t(idx)] : '0');
    }
  }
  if (style == Style::Currency) body = "$" + body;
  if (style == Style::Percent) body += "%";
  if (d.negative) body = parens ? "(" + body + ")" : "-" + body;
  return Variant::str(body.c_str());
}

Variant fnFormatNumber(Engine&, Args a) { return formatNumeric(a, Style::Number); }
Variant fnFormatCurrency(Engine&, Args a) { return formatNumeric(a, Style::Currency); }
Variant fnFormatPercent(Engine&, Args a) { return formatNumeric(a, Style::Percent); }

// --- FormatDateTime ---

int64_t floorDiv(int64_t x, int64_t d) {
  int64_t q = x / d;
  if ((x % d != 0) && ((x < 0) != (d < 0))) --q;
  return q;
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

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

Variant fnFormatDateTime(Engine&, Args a) {
  int32_t fmt = 0;
  if (!a.missing(1)) {
    if (a[1].isNull()) raise(94);
    fmt = toLong(a[1]);
    if (fmt < 0 || fmt > 4) raise(5);
  }
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) raise(13);
  double date = v.vt == vtDate ? v.d : toDate(v);
  if (fmt == 0) return Variant::str(formatDate(date));

  double ip = std::trunc(date);
  int64_t day = int64_t(ip);
  int64_t secs = std::llround(std::fabs(date - ip) * 86400.0);
  if (secs >= 86400) {
    secs -= 86400;
    ++day;
  }
  int y, m, d;
  civil(day, y, m, d);
  int hh = int(secs / 3600), mm = int(secs / 60 % 60), ss = int(secs % 60);
  char buf[80];
  switch (fmt) {
    case 1:
      std::snprintf(buf, sizeof buf, "%s, %s %d, %d", kDays[((day % 7) + 13) % 7], kMonths[m - 1], d, y);
      break;
    case 2:
      std::snprintf(buf, sizeof buf, "%d/%d/%d", m, d, y);
      break;
    case 3:
      std::snprintf(buf, sizeof buf, "%d:%02d:%02d %s", hh % 12 == 0 ? 12 : hh % 12, mm, ss,
                    hh < 12 ? "AM" : "PM");
      break;
    default:
      std::snprintf(buf, sizeof buf, "%02d:%02d", hh, mm);
      break;
  }
  return Variant::str(buf);
}

constexpr BuiltinDef kFormatBuiltins[] = {
    {u"FormatNumber", fnFormatNumber, 1, 5},
    {u"FormatCurrency", fnFormatCurrency, 1, 5},
    {u"FormatPercent", fnFormatPercent, 1, 5},
    {u"FormatDateTime", fnFormatDateTime, 1, 2},
};

}  // namespace

std::span<const BuiltinDef> formatBuiltins() { return kFormatBuiltins; }

}  // namespace pw
