// Conversion functions: the C* family, Hex, Oct, Int, Fix, Round, Abs, Sgn.
#include <cmath>
#include <cstdint>

#include "builtins.h"
#include "ops.h"

namespace pw {

namespace {

const Variant& val(const Variant& v, Variant& tmp) {
  if (v.vt != vtObject) return v;
  tmp = defaultValue(v);
  return tmp;
}

// The C* functions refuse Null outright.
const Variant& notNull(const Variant& v, Variant& tmp) {
  const Variant& r = val(v, tmp);
  if (r.isNull()) raise(94);
  return r;
}

Variant fnCBool(Engine&, Args a) {
  Variant t;
  return Variant::boolean(toBool(notNull(a[0], t)));
}
Variant fnCByte(Engine&, Args a) {
  Variant t;
  return Variant::byteVal(toByte(notNull(a[0], t)));
}
// Plain decimal text ("  -12.34567 ") converts digit by digit, as Windows
// does, so the full Currency range and its half-to-even rounding at the
// fourth decimal survive; a Double would lose both. Other forms (exponent,
// grouping, hex, "$") are left to the general conversion.
bool exactCurrency(u16v s, int64_t& out) {
  size_t i = 0, n = s.size();
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  while (i < n && blank(s[i])) ++i;
  while (n > i && blank(s[n - 1])) --n;
  bool neg = false;
  if (i < n && (s[i] == u'-' || s[i] == u'+')) neg = s[i++] == u'-';
  __int128 v = 0;
  int frac = 0, digits = 0;
  bool dot = false, half = false, tail = false;  // first dropped digit is 5 / any later non-zero
  int dropped = -1;
  for (; i < n; ++i) {
    char16_t c = s[i];
    if (c == u'.' && !dot) {
      dot = true;
      continue;
    }
    if (c < u'0' || c > u'9') return false;
    ++digits;
    if (dot && frac == 4) {
      if (dropped < 0) dropped = c - u'0';
      else if (c != u'0') tail = true;
      continue;
    }
    v = v * 10 + (c - u'0');
    if (dot) ++frac;
    if (v > (__int128(1) << 70)) return false;
  }
  if (digits == 0) return false;
  for (; frac < 4; ++frac) v *= 10;
  half = dropped == 5 && !tail;
  if (dropped > 5 || (dropped == 5 && tail) || (half && (v & 1))) ++v;
  if (neg) v = -v;
  if (v > INT64_MAX || v < INT64_MIN) raise(6);
  out = int64_t(v);
  return true;
}

Variant fnCCur(Engine&, Args a) {
  Variant t;
  const Variant& v = notNull(a[0], t);
  int64_t cy;
  if (v.isString() && exactCurrency(v.strView(), cy)) return Variant::currency(cy);
  return Variant::currency(toCurrency(v));
}
Variant fnCDate(Engine&, Args a) {
  Variant t;
  return Variant::date(toDate(notNull(a[0], t)));
}
Variant fnCDbl(Engine&, Args a) {
  Variant t;
  return Variant::dbl(toDouble(notNull(a[0], t)));
}
Variant fnCInt(Engine&, Args a) {
  Variant t;
  return Variant::integer(toInteger(notNull(a[0], t)));
}
Variant fnCLng(Engine&, Args a) {
  Variant t;
  return Variant::lng(toLong(notNull(a[0], t)));
}
Variant fnCSng(Engine&, Args a) {
  Variant t;
  return Variant::sng(toSingle(notNull(a[0], t)));
}
Variant fnCStr(Engine&, Args a) {
  Variant t;
  const Variant& v = notNull(a[0], t);
  if (v.isString()) return v;
  return Variant::str(toString(v));
}

// Hex and Oct: 16-bit two's complement for the 16-bit subtypes, 32-bit
// otherwise (Hex(-1) = "FFFF", Hex(CLng(-1)) = "FFFFFFFF").
Variant radixText(Args a, int bitsPerDigit) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  uint32_t u;
  if (v.isEmpty())
    u = 0;
  else if (v.vt == vtInteger)
    u = uint16_t(v.i);
  else if (v.vt == vtBoolean)
    u = uint16_t(v.b);
  else if (v.vt == vtByte)
    u = v.byte;
  else
    u = uint32_t(toLong(v));
  char16_t buf[16];
  int n = 0;
  uint32_t mask = (1u << bitsPerDigit) - 1;
  do {
    buf[n++] = u"0123456789ABCDEF"[u & mask];
    u >>= bitsPerDigit;
  } while (u);
  char16_t out[16];
  for (int k = 0; k < n; ++k) out[k] = buf[n - 1 - k];
  return Variant::str(u16v(out, size_t(n)));
}

Variant fnHex(Engine&, Args a) { return radixText(a, 4); }
Variant fnOct(Engine&, Args a) { return radixText(a, 3); }

constexpr int64_t kCyScale = 10000;

int64_t floorDiv(int64_t x, int64_t d) {
  int64_t q = x / d;
  if ((x % d != 0) && ((x < 0) != (d < 0))) --q;
  return q;
}

// Int rounds down, Fix toward zero; both keep the argument's subtype (strings
// give Double) and pass Null through.
Variant intFix(Args a, bool floorIt) {
  Variant t;
  const Variant& v = val(a[0], t);
  switch (v.vt) {
    case vtNull:
      return Variant::null();
    case vtEmpty:
      return Variant::integer(0);
    case vtInteger:
    case vtLong:
    case vtByte:
      return v;
    case vtBoolean:
      return Variant::integer(v.b);
    case vtSingle:
      return Variant::sng((floorIt ? std::floor(v.f) : std::trunc(v.f)) + 0.0f);
    case vtDate:
      return Variant::date((floorIt ? std::floor(v.d) : std::trunc(v.d)) + 0.0);
    case vtCurrency: {
      int64_t whole = floorIt ? floorDiv(v.cy, kCyScale) : v.cy / kCyScale;
      return Variant::currency(whole * kCyScale);
    }
    default: {
      double d = toDouble(v);
      return Variant::dbl((floorIt ? std::floor(d) : std::trunc(d)) + 0.0);  // no "-0"
    }
  }
}

Variant fnInt(Engine&, Args a) { return intFix(a, true); }
Variant fnFix(Engine&, Args a) { return intFix(a, false); }

double roundTo(double x, int32_t digits) {
  if (!std::isfinite(x)) return x;
  if (digits == 0) return roundBankers(x) + 0.0;
  if (digits > 22) return x;
  double p = std::pow(10.0, digits);
  double y = x * p;
  if (std::fabs(y) >= 4503599627370496.0) return x;  // 2^52: no fraction left to round
  return roundBankers(y) / p + 0.0;
}

// Round(expression[, numdecimalplaces]), half to even.
Variant fnRound(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  int32_t digits = 0;
  if (!a.missing(1)) {
    if (a[1].isNull()) raise(94);
    digits = toLong(a[1]);
    if (digits < 0) raise(5);
  }
  switch (v.vt) {
    case vtNull:
      return Variant::null();
    case vtEmpty:
      return Variant::integer(0);
    case vtInteger:
    case vtLong:
    case vtByte:
    case vtBoolean:  // Round(True) stays Boolean, unlike Int, Fix and Abs
      return v;
    case vtSingle:
      return Variant::sng(float(roundTo(v.f, digits)));
    case vtDate:
      return Variant::date(roundTo(v.d, digits));
    case vtCurrency: {
      if (digits >= 4) return v;
      int64_t unit = 1;
      for (int k = 0; k < 4 - digits; ++k) unit *= 10;
      int64_t q = floorDiv(v.cy, unit), r = v.cy - q * unit;
      if (r * 2 > unit || (r * 2 == unit && (q & 1))) ++q;
      return Variant::currency(q * unit);
    }
    default:
      return Variant::dbl(roundTo(toDouble(v), digits));
  }
}

// Abs keeps the subtype, widening where the negative limit has no positive twin.
Variant fnAbs(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  switch (v.vt) {
    case vtNull:
      return Variant::null();
    case vtEmpty:
      return Variant::integer(0);
    case vtByte:
      return v;
    case vtBoolean:
      return Variant::integer(int16_t(v.b < 0 ? -v.b : v.b));
    case vtInteger:
      if (v.i == INT16_MIN) return Variant::lng(32768);
      return Variant::integer(int16_t(v.i < 0 ? -v.i : v.i));
    case vtLong:
      if (v.l == INT32_MIN) return Variant::dbl(2147483648.0);
      return Variant::lng(v.l < 0 ? -v.l : v.l);
    case vtSingle:
      return Variant::sng(std::fabs(v.f));
    case vtCurrency:
      if (v.cy == INT64_MIN) raise(6);
      return Variant::currency(v.cy < 0 ? -v.cy : v.cy);
    default:
      return Variant::dbl(std::fabs(toDouble(v)));
  }
}

// Sgn has no Null result: Sgn(Null) raises 94.
Variant fnSgn(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) raise(94);
  int s;
  switch (v.vt) {
    case vtEmpty: s = 0; break;
    case vtInteger: s = (v.i > 0) - (v.i < 0); break;
    case vtLong: s = (v.l > 0) - (v.l < 0); break;
    case vtBoolean: s = v.b ? -1 : 0; break;
    case vtByte: s = v.byte ? 1 : 0; break;
    case vtCurrency: s = (v.cy > 0) - (v.cy < 0); break;
    default: {
      double d = toDouble(v);
      s = (d > 0) - (d < 0);
    }
  }
  return Variant::integer(int16_t(s));
}

constexpr BuiltinDef kConvertBuiltins[] = {
    {u"CBool", fnCBool, 1, 1},
    {u"CByte", fnCByte, 1, 1, kNotStatement},
    {u"CCur", fnCCur, 1, 1, kNotStatement},
    {u"CDate", fnCDate, 1, 1},
    {u"CDbl", fnCDbl, 1, 1, kNotStatement},
    {u"CInt", fnCInt, 1, 1, kNotStatement},
    {u"CLng", fnCLng, 1, 1, kNotStatement},
    {u"CSng", fnCSng, 1, 1, kNotStatement},
    {u"CStr", fnCStr, 1, 1},
    {u"Hex", fnHex, 1, 1},
    {u"Oct", fnOct, 1, 1},
    {u"Int", fnInt, 1, 1},
    {u"Fix", fnFix, 1, 1},
    {u"Round", fnRound, 1, 2},
    {u"Abs", fnAbs, 1, 1},
    {u"Sgn", fnSgn, 1, 1},
};

}  // namespace

std::span<const BuiltinDef> convertBuiltins() { return kConvertBuiltins; }

}  // namespace pw
