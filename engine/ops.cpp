#include "ops.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace pw {

namespace {

__extension__ typedef __int128 i128;

constexpr double kDateLow = -657435.0;   // exclusive; -657434.x is still 1/1/100
constexpr double kDateHigh = 2958466.0;  // exclusive; 1/1/10000
constexpr int64_t kCyUnit = 10000;
constexpr int64_t kUnixEpochSerial = 25569;  // 1/1/1970 as an OLE date

// Objects stand for their default property; other values are used in place.
inline const Variant& valueOf(const Variant& v, Variant& tmp) {
  const Variant& x = v.deref();
  if (x.vt != vtObject) return x;
  tmp = defaultValue(x);
  return tmp;
}

inline bool isBlank(char16_t c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
inline bool isDigit(char16_t c) { return c >= '0' && c <= '9'; }

u16v trimBlanks(u16v t) {
  size_t b = 0, e = t.size();
  while (b < e && isBlank(t[b])) ++b;
  while (e > b && isBlank(t[e - 1])) --e;
  return t.substr(b, e - b);
}

// 1 for "True", 0 for "False" (any case, blanks around), also in the
// "#TRUE#" / "#FALSE#" form that files written by Write # hold; -1 otherwise.
int boolText(u16v t) {
  t = trimBlanks(t);
  if (equalsNoCase(t, u"true") || equalsNoCase(t, u"#true#")) return 1;
  if (equalsNoCase(t, u"false") || equalsNoCase(t, u"#false#")) return 0;
  return -1;
}

void appendAscii(u16& out, const char* p, const char* e) {
  while (p < e) out.push_back(static_cast<unsigned char>(*p++));
}
void appendAscii(u16& out, const char* s) { appendAscii(out, s, s + std::strlen(s)); }
void appendInt(u16& out, int64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  appendAscii(out, buf, r.ptr);
}
void appendPadded(u16& out, int v) {
  if (v < 10) out.push_back('0');
  appendInt(out, v);
}

// Rounding of scaled currency to a whole number, half to even.
int64_t cyToInt(int64_t cy) {
  int64_t q = cy / kCyUnit, r = cy % kCyUnit;
  if (r > 5000 || (r == 5000 && (q & 1))) ++q;
  else if (r < -5000 || (r == -5000 && (q & 1))) --q;
  return q;
}

// The scaling is done in extended precision, as the x87 conversion does, so
// whole amounts up to the top of the range stay whole: CCur(922337203685477).
int64_t cyFromDouble(double d) {
  long double y = static_cast<long double>(d) * 10000.0L;
  if (!std::isfinite(y)) raise(6);
  long double f = std::floor(y), diff = y - f;
  long double v = diff > 0.5L ? f + 1 : diff < 0.5L ? f : std::fmod(f, 2.0L) == 0 ? f : f + 1;
  if (!(v >= -9223372036854775808.0L && v < 9223372036854775808.0L)) raise(6);
  return static_cast<int64_t>(v);
}

int64_t roundedInRange(double d, int64_t lo, int64_t hi) {
  double r = roundBankers(d);
  if (!(r >= static_cast<double>(lo) && r <= static_cast<double>(hi))) raise(6);
  return static_cast<int64_t>(r);
}

int32_t longOf(double d) {
  return static_cast<int32_t>(roundedInRange(d, INT32_MIN, INT32_MAX));
}
int32_t longOfCy(int64_t cy) {
  int64_t v = cyToInt(cy);
  if (v < INT32_MIN || v > INT32_MAX) raise(6);
  return static_cast<int32_t>(v);
}

// The number VBScript shows for an error value: SCODEs of the VBScript
// facility carry it in the low word; the dispatch codes map to their errors.
int32_t errorValueNumber(int32_t scode) {
  uint32_t u = static_cast<uint32_t>(scode);
  if ((u & 0xFFFF0000u) == 0x800A0000u) return static_cast<int32_t>(u & 0xFFFF);
  switch (u) {
    case 0x80020004u: return 448;
    case 0x80020005u: return 13;
    case 0x8002000Au: return 6;
    case 0x80020003u: return 438;
    case 0x8002000Eu: return 450;
    case 0x8002000Fu: return 449;
    default: return scode;
  }
}

// --- Calendar ---

void civilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

int64_t daysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysInMonth(int m, int y) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}
bool validYmd(int y, int m, int d) {
  return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= daysInMonth(m, y);
}

int currentYear() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm.tm_year + 1900;
}

// An OLE date from a calendar day and a time of day; before the epoch the
// time counts away from zero.
double oleDate(int y, int m, int d, double frac) {
  double serial = static_cast<double>(daysFromCivil(y, m, d) + kUnixEpochSerial);
  return serial >= 0 ? serial + frac : serial - frac;
}

// --- Numbers for arithmetic ---

enum Kind : uint8_t { kByte, kInt, kLong, kSingle, kDouble, kCur, kDate };

struct Num {
  Kind k;
  int64_t i;  // Byte, Integer, Long; Currency scaled by 10000
  double d;   // Single, Double, Date
};

inline bool isIntKind(Kind k) { return k <= kLong; }

double asDouble(const Num& n) {
  if (isIntKind(n.k)) return static_cast<double>(n.i);
  if (n.k == kCur) return static_cast<double>(n.i) / 10000.0;
  return n.d;
}

// A value (not an object, not Null) as a number; Empty and Boolean act as
// Integers, strings are read as Doubles.
Num numOfValue(const Variant& x) {
  Num n{kInt, 0, 0.0};
  switch (x.vt) {
    case vtEmpty: break;
    case vtBoolean: n.i = x.b; break;
    case vtByte: n.k = kByte; n.i = x.byte; break;
    case vtInteger: n.i = x.i; break;
    case vtLong: n.k = kLong; n.i = x.l; break;
    case vtSingle: n.k = kSingle; n.d = x.f; break;
    case vtDouble: n.k = kDouble; n.d = x.d; break;
    case vtCurrency: n.k = kCur; n.i = x.cy; break;
    case vtDate: n.k = kDate; n.d = x.d; break;
    case vtString:
      n.k = kDouble;
      n.d = numberOfText(x.strView());
      break;
    case vtNull: raise(94);
    default: raise(13);
  }
  return n;
}

int64_t cyOf(const Num& n) {
  if (isIntKind(n.k)) return n.i * kCyUnit;
  if (n.k == kCur) return n.i;
  return cyFromDouble(n.d);
}

// Integer results widen Byte -> Integer -> Long -> Double as they overflow.
Variant fitInteger(int64_t r, Kind k) {
  if (k == kByte && r >= 0 && r <= 255) return Variant::byteVal(static_cast<uint8_t>(r));
  if (k <= kInt && r >= INT16_MIN && r <= INT16_MAX) return Variant::integer(static_cast<int16_t>(r));
  if (r >= INT32_MIN && r <= INT32_MAX) return Variant::lng(static_cast<int32_t>(r));
  return Variant::dbl(static_cast<double>(r));
}

inline Variant checkedDouble(double r) {
  if (!std::isfinite(r)) raise(6);
  return Variant::dbl(r);
}
inline Variant checkedSingleOrDouble(double r) {
  if (std::fabs(r) <= FLT_MAX) return Variant::sng(static_cast<float>(r));
  return checkedDouble(r);
}
inline Variant checkedDate(double r) {
  if (!(r > kDateLow && r < kDateHigh)) raise(6);
  return Variant::date(r);
}
inline Variant checkedCurrency(i128 r) {
  if (r < INT64_MIN || r > INT64_MAX) raise(6);
  return Variant::currency(static_cast<int64_t>(r));
}
inline Variant fitShort(int32_t r) {
  if (r >= INT16_MIN && r <= INT16_MAX) return Variant::integer(static_cast<int16_t>(r));
  return Variant::lng(r);
}
inline Variant fitLong(int64_t r) {
  if (r >= INT32_MIN && r <= INT32_MAX) return Variant::lng(static_cast<int32_t>(r));
  return Variant::dbl(static_cast<double>(r));
}

i128 divRoundEven(i128 n, int64_t d) {
  i128 q = n / d, r = n % d;
  i128 twice = 2 * (r < 0 ? -r : r);
  if (twice > d || (twice == d && (q & 1))) q += n < 0 ? -1 : 1;
  return q;
}

long double roundEvenL(long double v) {
  long double f = std::floor(v);
  long double diff = v - f;
  if (diff > 0.5L) return f + 1;
  if (diff < 0.5L) return f;
  return std::fmod(f, 2.0L) == 0 ? f : f + 1;
}

enum class Ar : uint8_t { Add, Sub, Mul };

inline double applyAr(Ar op, double x, double y) {
  return op == Ar::Add ? x + y : op == Ar::Sub ? x - y : x * y;
}

Variant currencyArith(Ar op, const Num& p, const Num& q) {
  if (op != Ar::Mul) {
    int64_t x = cyOf(p), y = cyOf(q), r;
    bool over = op == Ar::Add ? __builtin_add_overflow(x, y, &r) : __builtin_sub_overflow(x, y, &r);
    if (over) raise(6);
    return Variant::currency(r);
  }
  if (p.k == kCur && q.k == kCur) return checkedCurrency(divRoundEven(static_cast<i128>(p.i) * q.i, kCyUnit));
  const Num& c = p.k == kCur ? p : q;
  const Num& o = p.k == kCur ? q : p;
  if (isIntKind(o.k)) return checkedCurrency(static_cast<i128>(c.i) * o.i);
  // A fractional factor multiplies the exact scaled value; rounding once at the end.
  long double v = roundEvenL(static_cast<long double>(c.i) * static_cast<long double>(o.d));
  if (!(v >= -9223372036854775808.0L && v < 9223372036854775808.0L)) raise(6);
  return Variant::currency(static_cast<int64_t>(v));
}

constexpr size_t kMaxStrLen = 0x3fffffff;

// a & b. ra and rb are the buffers that hold a and b, or nullptr where the
// text is not shareable (a converted number, an odd-byte string). A value
// whose text ends where its buffer's written text ends extends that buffer
// in place; a copy of a string that was itself built this way gets half
// again its length as room, in the direction it is growing.
Variant joinText(StrRep* ra, u16v a, StrRep* rb, u16v b) {
  auto la = static_cast<uint32_t>(a.size()), lb = static_cast<uint32_t>(b.size());
  if (ra && !ra->atEnd) {
    if (ra->refs == 1) ra->len = la;  // a longer value that shared it is gone
    if (ra->len == la && ra->cap - la >= lb) {
      std::memcpy(ra->data + la, b.data(), lb * sizeof(char16_t));
      ra->len = la + lb;
      ra->data[la + lb] = 0;
      return Variant::share(ra, la + lb);
    }
  }
  if (rb && rb->atEnd) {
    if (rb->refs == 1) rb->len = lb;
    if (rb->len == lb && rb->cap - lb >= la) {
      std::memcpy(rb->data + (rb->cap - lb - la), a.data(), la * sizeof(char16_t));
      rb->len = la + lb;
      return Variant::share(rb, la + lb);
    }
  }
  size_t n = size_t(la) + lb;
  if (n == 0) return Variant::adopt(nullptr);
  if (n > kMaxStrLen) raise(14);
  bool front = rb && rb->built && lb > la;
  size_t cap = front || (ra && ra->built) ? std::min(n + n / 2, kMaxStrLen) : n;
  StrRep* r = StrRep::alloc(cap, front);
  char16_t* p = front ? r->data + (cap - n) : r->data;
  if (la) std::memcpy(p, a.data(), la * sizeof(char16_t));
  if (lb) std::memcpy(p + la, b.data(), lb * sizeof(char16_t));
  if (!front) p[n] = 0;
  r->len = static_cast<uint32_t>(n);
  r->built = 1;
  return Variant::adopt(r);
}

// Buffer of a string value that may be shared by a join.
inline StrRep* joinable(const Variant& v) { return (v.aux & 1) ? nullptr : v.s; }

inline bool oddBytes(const Variant& v) { return v.vt == vtString && (v.aux & 1) && v.strLen(); }

// Strings join by their byte counts, as Windows' do: ChrB(65) & ChrB(66) is
// the one character U+4241, which binary-string code built with ChrB needs.
Variant joinBytes(u16v a, bool aOdd, u16v b, bool bOdd) {
  size_t n = a.size() * 2 - aOdd + b.size() * 2 - bOdd;
  if ((n + 1) / 2 > kMaxStrLen) raise(14);
  u16 r((n + 1) / 2, u'\0');
  std::copy(a.begin(), a.end(), r.begin());
  if (!aOdd) {
    std::copy(b.begin(), b.end(), r.begin() + a.size());
  } else {
    // b's bytes start in the high half of a's last unit.
    size_t k = a.size() - 1;
    r[k] &= 0xFF;
    for (char16_t c : b) {
      r[k] |= char16_t(c << 8);
      if (++k < r.size()) r[k] = c >> 8;
    }
  }
  if (n % 2) r.back() &= 0xFF;
  Variant out = Variant::str(r);
  if (n % 2) out.aux |= 1;
  return out;
}

// Two string values; an empty side gives the other unchanged (odd mark and all).
Variant concatStrings(const Variant& a, const Variant& b) {
  if (b.strLen() == 0) return a;
  if (a.strLen() == 0) return b;
  if ((a.aux | b.aux) & 1) return joinBytes(a.strView(), oddBytes(a), b.strView(), oddBytes(b));
  return joinText(a.s, a.strView(), b.s, b.strView());
}

Variant arithSlow(Ar op, const Variant& a, const Variant& b) {
  Variant ta, tb;
  const Variant& x = valueOf(a, ta);
  const Variant& y = valueOf(b, tb);
  if (x.vt == vtNull || y.vt == vtNull) return Variant::null();
  if (op == Ar::Add) {
    if (x.vt == vtString) {
      if (y.vt == vtString) return concatStrings(x, y);
      if (y.vt == vtEmpty) return x;
    } else if (y.vt == vtString && x.vt == vtEmpty) {
      return y;
    }
  }
  Num p = numOfValue(x), q = numOfValue(y);
  Kind ka = p.k, kb = q.k;
  if (op == Ar::Mul) {  // only + and - keep dates
    if (ka == kDate) ka = kDouble;
    if (kb == kDate) kb = kDouble;
  }
  Kind k;
  if (ka == kDate || kb == kDate)
    k = (op == Ar::Sub && ka == kDate && kb == kDate) ? kDouble : kDate;
  else if (ka == kCur || kb == kCur)
    k = kCur;
  else if (ka == kDouble || kb == kDouble)
    k = kDouble;
  else if (ka == kSingle || kb == kSingle)
    k = (ka == kLong || kb == kLong) ? kDouble : kSingle;
  else
    k = std::max(ka, kb);

  switch (k) {
    case kByte:
    case kInt:
    case kLong: {
      int64_t r = op == Ar::Add ? p.i + q.i : op == Ar::Sub ? p.i - q.i : p.i * q.i;
      return fitInteger(r, k);
    }
    case kCur: return currencyArith(op, p, q);
    case kSingle: return checkedSingleOrDouble(applyAr(op, asDouble(p), asDouble(q)));
    case kDouble: return checkedDouble(applyAr(op, asDouble(p), asDouble(q)));
    case kDate: return checkedDate(applyAr(op, asDouble(p), asDouble(q)));
  }
  raise(51);
}

constexpr unsigned pairOf(unsigned a, unsigned b) { return a << 5 | b; }
inline bool smallTypes(const Variant& a, const Variant& b) { return (a.vt | b.vt) < 32; }

inline double quotient(double x, double y) {
  if (y == 0) raise(x == 0 ? 6 : 11);
  double r = x / y;
  if (!std::isfinite(r)) raise(6);
  return r;
}

// Operands of \ and Mod: whole numbers, fractional ones rounded to Long.
struct IntOperand {
  int64_t v;
  Kind k;
};
IntOperand intOperand(const Num& n) {
  if (isIntKind(n.k)) return {n.i, n.k};
  if (n.k == kCur) return {longOfCy(n.i), kLong};
  return {longOf(n.d), kLong};
}

Variant intDivMod(bool mod, const Variant& a, const Variant& b) {
  Variant ta, tb;
  const Variant& x = valueOf(a, ta);
  const Variant& y = valueOf(b, tb);
  if (x.vt == vtNull || y.vt == vtNull) return Variant::null();
  IntOperand p = intOperand(numOfValue(x)), q = intOperand(numOfValue(y));
  if (q.v == 0) raise(11);
  int64_t r = mod ? p.v % q.v : p.v / q.v;
  Kind k = std::max(p.k, q.k);
  if (k == kByte) return Variant::byteVal(static_cast<uint8_t>(r));
  if (k == kInt) return fitShort(static_cast<int32_t>(r));
  if (r > INT32_MAX) raise(6);  // -2147483648 \ -1
  return Variant::lng(static_cast<int32_t>(r));
}

// --- Logical operators ---

enum LKind : uint8_t { lBool, lByte, lInt, lLong, lNull };
struct LogVal {
  LKind k;
  int32_t v;
};

LogVal logOperand(const Variant& x) {
  switch (x.vt) {
    case vtNull: return {lNull, 0};
    case vtEmpty: return {lInt, 0};
    case vtBoolean: return {lBool, x.b};
    case vtByte: return {lByte, x.byte};
    case vtInteger: return {lInt, x.i};
    case vtLong: return {lLong, x.l};
    case vtSingle: return {lLong, longOf(x.f)};
    case vtDouble:
    case vtDate: return {lLong, longOf(x.d)};
    case vtCurrency: return {lLong, longOfCy(x.cy)};
    case vtString: {
      int t = boolText(x.strView());
      if (t >= 0) return {lBool, t ? -1 : 0};
      return {lLong, longOf(numberOfText(x.strView()))};
    }
    default: raise(13);
  }
}

inline int32_t allOnes(LKind k) { return k == lByte ? 0xFF : -1; }

Variant makeLogical(LKind k, int32_t v) {
  switch (k) {
    case lBool: return Variant::boolean(v != 0);
    case lByte: return Variant::byteVal(static_cast<uint8_t>(v & 0xFF));
    case lInt: return Variant::integer(static_cast<int16_t>(v));
    default: return Variant::lng(v);
  }
}

enum class Lg : uint8_t { And, Or, Xor, Eqv, Imp };

inline int32_t applyLg(Lg op, int32_t x, int32_t y) {
  switch (op) {
    case Lg::And: return x & y;
    case Lg::Or: return x | y;
    case Lg::Xor: return x ^ y;
    case Lg::Eqv: return ~(x ^ y);
    default: return ~x | y;
  }
}

// Null is an unknown value: the result is known only where every bit of the
// other operand decides it (False And Null, True Or Null, ...).
Variant nullLogic(Lg op, const LogVal& p, const LogVal& q) {
  if (p.k == lNull && q.k == lNull) return Variant::null();
  const LogVal& known = p.k == lNull ? q : p;
  switch (op) {
    case Lg::And:
      return known.v == 0 ? makeLogical(known.k, 0) : Variant::null();
    case Lg::Or:
      return known.v == allOnes(known.k) ? makeLogical(known.k, known.v) : Variant::null();
    case Lg::Imp:
      if (p.k == lNull)  // Null Imp q = Null Or q
        return q.v == allOnes(q.k) ? makeLogical(q.k, q.v) : Variant::null();
      return p.v == 0 ? makeLogical(p.k, allOnes(p.k)) : Variant::null();
    default:
      return Variant::null();
  }
}

Variant logical(Lg op, const Variant& a, const Variant& b) {
  if (a.vt == vtBoolean && b.vt == vtBoolean) return Variant::boolean(applyLg(op, a.b, b.b) != 0);
  Variant ta, tb;
  const Variant& x = valueOf(a, ta);
  const Variant& y = valueOf(b, tb);
  LogVal p = logOperand(x), q = logOperand(y);
  if (p.k == lNull || q.k == lNull) return nullLogic(op, p, q);
  LKind k = p.k == q.k ? p.k : (p.k == lLong || q.k == lLong) ? lLong : lInt;
  return makeLogical(k, applyLg(op, p.v, q.v));
}

// --- Comparison ---

inline int sign3(int64_t d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }
inline int cmpDouble(double x, double y) { return x < y ? -1 : x > y ? 1 : 0; }

// A Double within a Single's range, rounded to Single precision.
inline bool asSingle(double d, float& f) {
  if (!(std::fabs(d) <= FLT_MAX)) return false;
  f = static_cast<float>(d);
  return true;
}

int cmpNums(const Num& p, const Num& q) {
  // Single against Double compares at Single precision: CSng(0.1) = 0.1.
  float pf, qf;
  if (p.k == kSingle && q.k == kDouble && asSingle(q.d, qf)) return cmpDouble(p.d, qf);
  if (p.k == kDouble && q.k == kSingle && asSingle(p.d, pf)) return cmpDouble(pf, q.d);
  bool pi = isIntKind(p.k), qi = isIntKind(q.k);
  if (pi && qi) return sign3(p.i - q.i);
  if ((pi || p.k == kCur) && (qi || q.k == kCur)) {
    i128 x = pi ? static_cast<i128>(p.i) * kCyUnit : p.i;
    i128 y = qi ? static_cast<i128>(q.i) * kCyUnit : q.i;
    return x < y ? -1 : x > y ? 1 : 0;
  }
  return cmpDouble(asDouble(p), asDouble(q));
}

int cmpStrings(u16v a, u16v b, bool text) {
  if (!text) {
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    if (a[i] == b[i]) continue;
    char16_t x = foldCase(a[i]), y = foldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// A string compared with a number next to a literal is read as that number's
// kind: a date text against a Date, True/False against a Boolean.
Num stringAsNumber(u16v s, const Variant& other) {
  Num n{kDouble, 0, 0.0};
  if (other.vt == vtDate && parseDate(s, n.d)) {
    n.k = kDate;
    return n;
  }
  if (other.vt == vtBoolean) {
    int t = boolText(s);
    if (t >= 0) return Num{kInt, t ? -1 : 0, 0.0};
  }
  n.d = numberOfText(s);
  return n;
}

// 0 Empty, 1 String, 2 number (Boolean and Date included).
int compareClass(const Variant& x) {
  switch (x.vt) {
    case vtEmpty: return 0;
    case vtString: return 1;
    case vtBoolean:
    case vtByte:
    case vtInteger:
    case vtLong:
    case vtSingle:
    case vtDouble:
    case vtCurrency:
    case vtDate: return 2;
    default: raise(13);
  }
}

// --- Case mapping ---

char16_t lowerOf(char16_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (c < 0x100) return (c >= 0xC0 && c <= 0xDE && c != 0xD7) ? c + 32 : c;
  if (c < 0x180) {
    if (c == 0x130) return 'i';
    if (c == 0x178) return 0xFF;
    if ((c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
      return (c & 1) ? c : c + 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c + 1 : c;
    return c;
  }
  if (c < 0x250) {
    if (c == 0x1C4 || c == 0x1C7 || c == 0x1CA || c == 0x1F1) return c + 2;
    if (c == 0x1C5 || c == 0x1C8 || c == 0x1CB || c == 0x1F2) return c + 1;
    if (c >= 0x1CD && c <= 0x1DC) return (c & 1) ? c + 1 : c;
    if ((c >= 0x1DE && c <= 0x1EF) || c == 0x1F4 || (c >= 0x1F8 && c <= 0x21F) ||
        (c >= 0x222 && c <= 0x233) || (c >= 0x246 && c <= 0x24F))
      return (c & 1) ? c : c + 1;
    return c;
  }
  if (c >= 0x370 && c < 0x400) {
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 37;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 63;
    if ((c >= 0x391 && c <= 0x3A1) || (c >= 0x3A3 && c <= 0x3AB)) return c + 32;
    if (c >= 0x3D8 && c <= 0x3EF) return (c & 1) ? c : c + 1;
    return c;
  }
  if (c >= 0x400 && c < 0x530) {
    if (c < 0x410) return c + 80;
    if (c < 0x430) return c + 32;
    if (c == 0x4C0) return 0x4CF;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
      return (c & 1) ? c : c + 1;
    if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c + 1 : c;
    return c;
  }
  if (c >= 0x531 && c <= 0x556) return c + 48;
  if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) return (c & 1) ? c : c + 1;
  if (c >= 0x2160 && c <= 0x216F) return c + 16;
  if (c >= 0x24B6 && c <= 0x24CF) return c + 26;
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;
  return c;
}

char16_t upperOf(char16_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 32 : c;
  if (c < 0x100) {
    if (c == 0xFF) return 0x178;
    return (c >= 0xE0 && c <= 0xFE && c != 0xF7) ? c - 32 : c;
  }
  if (c < 0x180) {
    if (c == 0x131) return 'I';
    if (c == 0x17F) return 'S';
    if ((c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
      return (c & 1) ? c - 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
    return c;
  }
  if (c < 0x250) {
    if (c == 0x1C6 || c == 0x1C9 || c == 0x1CC || c == 0x1F3) return c - 2;
    if (c == 0x1C5 || c == 0x1C8 || c == 0x1CB || c == 0x1F2) return c - 1;
    if (c >= 0x1CD && c <= 0x1DC) return (c & 1) ? c : c - 1;
    if ((c >= 0x1DE && c <= 0x1EF) || c == 0x1F5 || (c >= 0x1F8 && c <= 0x21F) ||
        (c >= 0x222 && c <= 0x233) || (c >= 0x246 && c <= 0x24F))
      return (c & 1) ? c - 1 : c;
    return c;
  }
  if (c >= 0x370 && c < 0x400) {
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 37;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 63;
    if (c == 0x3C2) return 0x3A3;
    if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return c - 32;
    if (c >= 0x3D8 && c <= 0x3EF) return (c & 1) ? c - 1 : c;
    return c;
  }
  if (c >= 0x400 && c < 0x530) {
    if (c >= 0x430 && c < 0x450) return c - 32;
    if (c >= 0x450 && c < 0x460) return c - 80;
    if (c == 0x4CF) return 0x4C0;
    if ((c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F))
      return (c & 1) ? c - 1 : c;
    if (c >= 0x4C1 && c <= 0x4CE) return (c & 1) ? c : c - 1;
    return c;
  }
  if (c >= 0x561 && c <= 0x586) return c - 48;
  if ((c >= 0x1E00 && c <= 0x1E95) || (c >= 0x1EA0 && c <= 0x1EFF)) return (c & 1) ? c - 1 : c;
  if (c >= 0x2170 && c <= 0x217F) return c - 16;
  if (c >= 0x24D0 && c <= 0x24E9) return c - 26;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 32;
  return c;
}

// --- Number text ---

// Text with at most prec significant digits and VBScript's "E+XX" exponent.
// to_chars keeps it independent of the process locale.
u16 formatSignificant(double d, int prec) {
  if (d == 0) return u"0";
  if (std::isnan(d)) return u"-1.#IND";
  if (std::isinf(d)) return d < 0 ? u"-1.#INF" : u"1.#INF";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific, prec - 1);
  const char* p = buf;
  const char* end = res.ptr;
  bool neg = *p == '-';
  if (neg) ++p;
  char digits[32];
  int nd = 0;
  while (p < end && *p != 'e') {
    if (*p != '.') digits[nd++] = *p;
    ++p;
  }
  int exp = 0;
  if (p < end) {
    const char* e = p + 1;
    if (e < end && *e == '+') ++e;  // from_chars takes no plus sign
    std::from_chars(e, end, exp);
  }
  while (nd > 1 && digits[nd - 1] == '0') --nd;

  u16 out;
  if (neg) out.push_back('-');
  // Plain notation from 1E-4 up to prec integer digits, and below 1 only while
  // the digits with their leading zeros fit in prec places: 0.000244140625
  // stays, 1/36 is 2.77777777777778E-02, 0.00001 is 1E-05.
  if (exp >= 0 ? exp < prec : exp >= -4 && nd - exp - 1 <= prec) {
    if (exp < 0) {
      out += u"0.";
      for (int k = -1; k > exp; --k) out.push_back('0');
      appendAscii(out, digits, digits + nd);
    } else {
      for (int k = 0; k <= exp; ++k) out.push_back(k < nd ? digits[k] : '0');
      if (nd > exp + 1) {
        out.push_back('.');
        appendAscii(out, digits + exp + 1, digits + nd);
      }
    }
    return out;
  }
  out.push_back(digits[0]);
  if (nd > 1) {
    out.push_back('.');
    appendAscii(out, digits + 1, digits + nd);
  }
  out.push_back('E');
  out.push_back(exp < 0 ? '-' : '+');
  appendPadded(out, exp < 0 ? -exp : exp);
  return out;
}

int digitIn(char16_t c, int base) {
  int v;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  else return -1;
  return v < base ? v : -1;
}

// &H / &O text: up to 16 bits reads as a signed Integer (&HFFFF = -1), up to
// 32 bits as a signed Long.
bool parseRadix(u16v t, double& out) {
  if (t.size() < 3) return false;
  char16_t m = t[1];
  int base = (m == 'h' || m == 'H') ? 16 : (m == 'o' || m == 'O') ? 8 : 0;
  if (!base) return false;
  uint64_t v = 0;
  for (size_t i = 2; i < t.size(); ++i) {
    int dv = digitIn(t[i], base);
    if (dv < 0) return false;
    v = v * base + dv;
    if (v > 0xFFFFFFFFull) return false;
  }
  if (v <= 0xFFFF) out = static_cast<int16_t>(static_cast<uint16_t>(v));
  else out = static_cast<int32_t>(static_cast<uint32_t>(v));
  return true;
}

// --- Date text ---

struct DTok {
  enum Type : uint8_t { Num, Month, AmPm, Sep, Colon } type;
  char16_t sep;
  uint8_t digits;
  int32_t value;
};

int monthOfWord(const char* w) {
  static const char* kMonths[12] = {"january", "february", "march",     "april",   "may",      "june",
                                    "july",    "august",   "september", "october", "november", "december"};
  size_t n = std::strlen(w);
  for (int m = 0; m < 12; ++m) {
    if (std::strcmp(w, kMonths[m]) == 0) return m + 1;
    if (n == 3 && std::strncmp(w, kMonths[m], 3) == 0) return m + 1;
  }
  if (std::strcmp(w, "sept") == 0) return 9;
  return 0;
}

bool isWeekdayWord(const char* w) {
  static const char* kDays[7] = {"sunday", "monday", "tuesday", "wednesday", "thursday", "friday", "saturday"};
  size_t n = std::strlen(w);
  for (const char* d : kDays) {
    if (std::strcmp(w, d) == 0) return true;
    if (n == 3 && std::strncmp(w, d, 3) == 0) return true;
  }
  return std::strcmp(w, "tues") == 0 || std::strcmp(w, "thur") == 0 || std::strcmp(w, "thurs") == 0;
}

struct DateEl {
  bool month;
  int value;
  int digits;
};

inline bool looksLikeYear(const DateEl& e) { return e.digits >= 3 || e.value > 31; }
inline int yearOf(const DateEl& e) {
  if (e.digits > 2) return e.value;
  return e.value < 30 ? 2000 + e.value : 1900 + e.value;
}

}  // namespace

// ===================================================================

Variant defaultValue(const Variant& v0) {
  const Variant& v = v0.deref();
  if (v.vt != vtObject) return v;
  if (!v.o) raise(91);
  Variant r = v.o->invoke(DISPID_VALUE, InvokeKind::Get, Args{});
  // A default property may itself hold an object with a default property.
  for (int depth = 0; r.deref().vt == vtObject; ++depth) {
    Object* o = r.deref().o;
    if (!o) raise(91);
    if (depth == 8) raise(13);
    Variant next = o->invoke(DISPID_VALUE, InvokeKind::Get, Args{});
    r = std::move(next);
  }
  if (r.vt == vtRef) {
    Variant t = r.deref();
    r = std::move(t);
  }
  return r;
}

double roundBankers(double d) {
  if (!std::isfinite(d)) return d;
  double f = std::floor(d);
  double diff = d - f;
  if (diff > 0.5) return f + 1;
  if (diff < 0.5) return f;
  return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

// --- Conversions ---

namespace {
// Any value to a whole number in [lo, hi] with VBScript's rounding.
int64_t wholeOf(const Variant& v, int64_t lo, int64_t hi) {
  Variant tmp;
  const Variant& x = valueOf(v, tmp);
  int64_t r;
  switch (x.vt) {
    case vtEmpty: return 0;
    case vtNull: raise(94);
    case vtBoolean: r = x.b; break;
    case vtByte: r = x.byte; break;
    case vtInteger: r = x.i; break;
    case vtLong: r = x.l; break;
    case vtSingle: return roundedInRange(x.f, lo, hi);
    case vtDouble:
    case vtDate: return roundedInRange(x.d, lo, hi);
    case vtCurrency: r = cyToInt(x.cy); break;
    case vtString: {
      return roundedInRange(numberOfText(x.strView()), lo, hi);
    }
    default: raise(13);
  }
  if (r < lo || r > hi) raise(6);
  return r;
}
}  // namespace

bool toBool(const Variant& v) {
  Variant tmp;
  const Variant& x = valueOf(v, tmp);
  switch (x.vt) {
    case vtEmpty: return false;
    case vtNull: raise(94);
    case vtBoolean: return x.b != 0;
    case vtByte: return x.byte != 0;
    case vtInteger: return x.i != 0;
    case vtLong: return x.l != 0;
    case vtSingle: return x.f != 0;
    case vtDouble:
    case vtDate: return x.d != 0;
    case vtCurrency: return x.cy != 0;
    case vtString: {
      int t = boolText(x.strView());
      if (t >= 0) return t == 1;
      return numberOfText(x.strView()) != 0;
    }
    default: raise(13);
  }
}

// A Boolean keeps its bits: CByte(True) is 255.
uint8_t toByte(const Variant& v) {
  Variant tmp;
  const Variant& x = valueOf(v, tmp);
  if (x.vt == vtBoolean) return x.b ? 255 : 0;
  return static_cast<uint8_t>(wholeOf(x, 0, 255));
}
int16_t toInteger(const Variant& v) { return static_cast<int16_t>(wholeOf(v, INT16_MIN, INT16_MAX)); }
int32_t toLong(const Variant& v) { return static_cast<int32_t>(wholeOf(v, INT32_MIN, INT32_MAX)); }

double toDouble(const Variant& v) {
  const Variant& d = v.deref();
  if (d.vt == vtDouble) return d.d;
  Variant tmp;
  const Variant& x = valueOf(d, tmp);
  if (x.vt == vtEmpty) return 0;
  return asDouble(numOfValue(x));
}

float toSingle(const Variant& v) {
  double d = toDouble(v);
  if (std::fabs(d) > FLT_MAX) raise(6);
  return static_cast<float>(d);
}

int64_t toCurrency(const Variant& v) {
  Variant tmp;
  const Variant& x = valueOf(v, tmp);
  if (x.vt == vtEmpty) return 0;
  return cyOf(numOfValue(x));
}

double toDate(const Variant& v) {
  Variant tmp;
  const Variant& x = valueOf(v, tmp);
  double d;
  switch (x.vt) {
    case vtEmpty: return 0;
    case vtNull: raise(94);
    case vtString:
      if (parseDate(x.strView(), d)) return d;
      // A number in text is a serial date: CDate("1") is 12/31/1899.
      d = numberOfText(x.strView());
      if (!(d > kDateLow && d < kDateHigh)) raise(6);
      return d;
    default:
      d = asDouble(numOfValue(x));
      if (!(d > kDateLow && d < kDateHigh)) raise(6);
      return d;
  }
}

u16 toString(const Variant& v) {
  Variant tmp;
  const Variant& x = valueOf(v, tmp);
  u16 out;
  switch (x.vt) {
    case vtEmpty: return out;
    case vtNull: raise(94);
    case vtBoolean: return x.b ? u"True" : u"False";
    case vtByte: appendInt(out, x.byte); return out;
    case vtInteger: appendInt(out, x.i); return out;
    case vtLong: appendInt(out, x.l); return out;
    case vtSingle: return formatSingle(x.f);
    case vtDouble: return formatDouble(x.d);
    case vtCurrency: return formatCurrency(x.cy);
    case vtDate: return formatDate(x.d);
    case vtString: return u16(x.strView());
    case vtError:
      out = u"Error ";
      appendInt(out, errorValueNumber(x.err));
      return out;
    default: raise(13);
  }
}

u16 toText(const Variant& v) {
  const Variant& x = v.deref();
  if (x.vt == vtNull) return u16();
  if (x.vt == vtString) return u16(x.strView());
  Variant tmp;
  const Variant& y = valueOf(x, tmp);
  if (y.vt == vtNull) return u16();
  return toString(y);
}

u16 toAutomationText(const Variant& v) {
  Variant tmp;
  const Variant& x = valueOf(v, tmp);
  if (x.vt == vtBoolean) return x.b ? u"-1" : u"0";
  return toString(x);
}

Variant toNumeric(const Variant& v) {
  Variant tmp;
  const Variant& x = valueOf(v, tmp);
  switch (x.vt) {
    case vtEmpty: return Variant::integer(0);
    case vtString: return Variant::dbl(numberOfText(x.strView()));
    case vtNull:
    case vtBoolean:
    case vtByte:
    case vtInteger:
    case vtLong:
    case vtSingle:
    case vtDouble:
    case vtCurrency:
    case vtDate: return x;
    default: raise(13);
  }
}

// --- Parsing ---

bool parseNumber(u16v text, double& out, bool* overflow) {
  if (overflow) *overflow = false;
  u16v t = trimBlanks(text);
  if (t.empty()) return false;
  if (t[0] == '&') return parseRadix(t, out);
  // The automation conversion also takes the US currency sign, a negative
  // amount in parentheses and a trailing sign: "$5", "(5)", "5-".
  bool neg = false, signed_ = false;
  if (t.size() >= 2 && t.front() == '(' && t.back() == ')') {
    neg = signed_ = true;
    t = trimBlanks(t.substr(1, t.size() - 2));
  }
  auto takeLeadingSign = [&] {
    if (!signed_ && !t.empty() && (t[0] == '+' || t[0] == '-')) {
      neg = t[0] == '-';
      signed_ = true;
      t = trimBlanks(t.substr(1));
    }
  };
  takeLeadingSign();
  if (!t.empty() && t[0] == '$') t = trimBlanks(t.substr(1));
  takeLeadingSign();
  if (!signed_ && t.size() > 1 && (t.back() == '+' || t.back() == '-')) {
    neg = t.back() == '-';
    t = trimBlanks(t.substr(0, t.size() - 1));
  }
  if (t.empty()) return false;
  size_t i = 0, n = t.size();
  std::string buf;
  if (neg) buf.push_back('-');
  size_t mantStart = buf.size();
  bool any = false;
  int64_t exp = 0;
  // Thousands separators may stand between digits of the whole part.
  while (i < n) {
    char16_t c = t[i];
    if (isDigit(c)) {
      if (c != '0' || buf.size() > mantStart) buf.push_back(static_cast<char>(c));
      any = true;
      ++i;
    } else if (c == ',' && any && i + 1 < n && isDigit(t[i + 1])) {
      ++i;
    } else {
      break;
    }
  }
  if (i < n && t[i] == '.') {
    ++i;
    while (i < n && isDigit(t[i])) {
      if (t[i] != '0' || buf.size() > mantStart) {
        buf.push_back(static_cast<char>(t[i]));
        --exp;
      } else if (buf.size() == mantStart) {
        --exp;  // a leading zero after the point only shifts the scale
      }
      any = true;
      ++i;
    }
  }
  if (!any) return false;
  if (i < n && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
    ++i;
    bool eneg = false;
    if (i < n && (t[i] == '+' || t[i] == '-')) eneg = t[i++] == '-';
    if (i >= n || !isDigit(t[i])) return false;
    int64_t e = 0;
    while (i < n && isDigit(t[i])) {
      if (e < 1000000) e = e * 10 + (t[i] - '0');
      ++i;
    }
    exp += eneg ? -e : e;
  }
  if (i != n) return false;
  if (buf.size() == mantStart) {
    out = buf.empty() ? 0.0 : -0.0;
    return true;
  }
  // No radix character goes to strtod, so the C locale setting cannot matter.
  buf.push_back('e');
  buf += std::to_string(exp);
  double v = std::strtod(buf.c_str(), nullptr);
  if (std::isinf(v)) {
    if (overflow) *overflow = true;
    return false;
  }
  out = v;
  return true;
}

double numberOfText(u16v text) {
  double d;
  bool overflow;
  if (!parseNumber(text, d, &overflow)) raise(overflow ? 6 : 13);
  return d;
}

bool parseDate(u16v text, double& out) {
  constexpr int kMaxTok = 48;
  DTok tk[kMaxTok];
  int n = 0;
  size_t i = 0, len = text.size();
  while (i < len) {
    char16_t c = text[i];
    if (n >= kMaxTok) return false;
    if (isBlank(c)) {
      while (i < len && isBlank(text[i])) ++i;
      tk[n++] = {DTok::Sep, ' ', 0, 0};
    } else if (isDigit(c)) {
      int32_t v = 0;
      int d = 0;
      while (i < len && isDigit(text[i])) {
        if (d < 9) v = v * 10 + (text[i] - '0');
        ++d;
        ++i;
      }
      if (d > 9) return false;
      tk[n++] = {DTok::Num, 0, static_cast<uint8_t>(d), v};
    } else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') {
      char w[12];
      int wl = 0;
      while (i < len && (text[i] | 0x20) >= 'a' && (text[i] | 0x20) <= 'z') {
        if (wl >= 11) return false;
        w[wl++] = static_cast<char>(text[i] | 0x20);
        ++i;
      }
      w[wl] = 0;
      if (int m = monthOfWord(w)) tk[n++] = {DTok::Month, 0, 0, m};
      else if (std::strcmp(w, "am") == 0) tk[n++] = {DTok::AmPm, 0, 0, 0};
      else if (std::strcmp(w, "pm") == 0) tk[n++] = {DTok::AmPm, 0, 0, 1};
      else if (!isWeekdayWord(w)) return false;
    } else if (c == '/' || c == '-' || c == ',' || c == '.') {
      tk[n++] = {DTok::Sep, c, 0, 0};
      ++i;
    } else if (c == ':') {
      tk[n++] = {DTok::Colon, 0, 0, 0};
      ++i;
    } else {
      return false;
    }
  }

  // The time: h:mm[:ss] with an optional AM/PM, or h AM/PM.
  int tStart = -1, tEnd = -1;
  double frac = 0;
  for (int k = 0; k < n; ++k) {
    if (tk[k].type != DTok::Num) continue;
    int j = k + 1;
    bool colon = j < n && tk[j].type == DTok::Colon;
    int h = tk[k].value, m = 0, s = 0;
    if (colon) {
      if (j + 1 >= n || tk[j + 1].type != DTok::Num) return false;
      m = tk[j + 1].value;
      j += 2;
      if (j < n && tk[j].type == DTok::Colon) {
        if (j + 1 >= n || tk[j + 1].type != DTok::Num) return false;
        s = tk[j + 1].value;
        j += 2;
      }
    }
    int ap = -1;
    int q = j;
    if (q < n && tk[q].type == DTok::Sep && tk[q].sep == ' ') ++q;
    if (q < n && tk[q].type == DTok::AmPm) {
      ap = tk[q].value;
      j = q + 1;
    }
    if (!colon && ap < 0) continue;
    if (tStart >= 0) return false;
    if (m > 59 || s > 59) return false;
    if (ap >= 0) {
      if (h > 12) return false;
      h = h % 12 + (ap ? 12 : 0);
    } else if (h > 23) {
      return false;
    }
    bool spacedBefore = k == 0 || (tk[k - 1].type == DTok::Sep && tk[k - 1].sep == ' ');
    bool spacedAfter = j == n || (tk[j].type == DTok::Sep && tk[j].sep == ' ');
    if (!spacedBefore || !spacedAfter) return false;
    tStart = k;
    tEnd = j;
    frac = (h * 3600 + m * 60 + s) / 86400.0;
    k = j - 1;
  }

  // The date: numbers and at most one month name, one separator between each.
  DateEl el[4];
  int ne = 0, months = 0, seps = 0;
  bool dot = false, sepSince = true, edgeSep = false;
  for (int k = 0; k < n; ++k) {
    if (k >= tStart && k < tEnd) continue;
    const DTok& t = tk[k];
    switch (t.type) {
      case DTok::Sep:
        if (t.sep != ' ') {
          if (++seps > 1) return false;
          if (t.sep == '.') dot = true;
          edgeSep = t.sep != ',';
          if (ne == 0 && edgeSep) return false;
        }
        sepSince = true;
        break;
      case DTok::Num:
      case DTok::Month:
        if (!sepSince && !(t.type == DTok::Month || el[ne - 1].month)) return false;
        if (ne == 4) return false;
        el[ne++] = {t.type == DTok::Month, t.value, t.digits};
        if (t.type == DTok::Month) ++months;
        sepSince = false;
        seps = 0;
        edgeSep = false;
        break;
      default:
        return false;  // a colon or AM/PM outside the time
    }
  }
  if (edgeSep) return false;
  if (ne == 0) {
    if (tStart < 0) return false;
    out = frac;
    return true;
  }
  if (months > 1) return false;

  DateEl nums[3];
  int nn = 0, month = 0;
  for (int k = 0; k < ne; ++k) {
    if (el[k].month) month = el[k].value;
    else if (nn < 3) nums[nn++] = el[k];
    else return false;
  }
  int y = 0, mo = 0, d = 0;
  if (month) {
    if (dot) return false;
    mo = month;
    if (nn == 1) {
      if (looksLikeYear(nums[0])) {
        y = yearOf(nums[0]);
        d = 1;
      } else {
        d = nums[0].value;
        y = currentYear();
      }
    } else if (nn == 2) {
      const DateEl& yr = looksLikeYear(nums[0]) ? nums[0] : nums[1];
      d = (&yr == &nums[0] ? nums[1] : nums[0]).value;
      y = yearOf(yr);
    } else {
      return false;
    }
  } else if (nn == 2) {
    if (dot) return false;
    const DateEl &a = nums[0], &b = nums[1];
    int cy = currentYear();
    if (validYmd(cy, a.value, b.value)) {
      y = cy, mo = a.value, d = b.value;
    } else if (a.value >= 1 && a.value <= 12 && looksLikeYear(b)) {
      y = yearOf(b), mo = a.value, d = 1;
    } else if (looksLikeYear(a) && b.value >= 1 && b.value <= 12) {
      y = yearOf(a), mo = b.value, d = 1;
    } else {
      y = cy, mo = b.value, d = a.value;  // day first
    }
  } else if (nn == 3) {
    const DateEl &a = nums[0], &b = nums[1], &c = nums[2];
    if (looksLikeYear(a)) {
      y = yearOf(a), mo = b.value, d = c.value;
    } else {
      y = yearOf(c), mo = a.value, d = b.value;
      // What cannot be month/day is read as day/month.
      if (!validYmd(y, mo, d) && validYmd(y, b.value, a.value)) std::swap(mo, d);
    }
  } else {
    return false;
  }
  if (!validYmd(y, mo, d)) return false;
  out = oleDate(y, mo, d, frac);
  return true;
}

// --- Text forms ---

u16 formatDouble(double d) { return formatSignificant(d, 15); }
u16 formatSingle(float f) { return formatSignificant(f, 7); }

u16 formatCurrency(int64_t cy) {
  u16 out;
  uint64_t mag = cy < 0 ? 0 - static_cast<uint64_t>(cy) : static_cast<uint64_t>(cy);
  if (cy < 0) out.push_back('-');
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, mag / 10000);
  appendAscii(out, buf, r.ptr);
  unsigned frac = static_cast<unsigned>(mag % 10000);
  if (frac) {
    char f[5] = {static_cast<char>('0' + frac / 1000), static_cast<char>('0' + frac / 100 % 10),
                 static_cast<char>('0' + frac / 10 % 10), static_cast<char>('0' + frac % 10), 0};
    int nd = 4;
    while (f[nd - 1] == '0') --nd;
    out.push_back('.');
    appendAscii(out, f, f + nd);
  }
  return out;
}

u16 formatDate(double d) {
  if (!(d > -3e7 && d < 3e7)) return formatDouble(d);  // far outside any calendar we show
  double days = std::trunc(d);
  double frac = std::fabs(d - days);
  // Time fraction counts away from zero before the epoch: one linear second count.
  int64_t lin = static_cast<int64_t>(days) * 86400 + std::llround(frac * 86400.0);
  int64_t day = lin >= 0 ? lin / 86400 : -((-lin + 86399) / 86400);
  int64_t sod = lin - day * 86400;
  u16 out;
  if (day != 0) {
    int64_t y;
    int m, dd;
    civilFromDays(day - kUnixEpochSerial, y, m, dd);
    appendInt(out, m);
    out.push_back('/');
    appendInt(out, dd);
    out.push_back('/');
    appendInt(out, y);
  }
  if (sod != 0 || day == 0) {
    if (!out.empty()) out.push_back(' ');
    int h = static_cast<int>(sod / 3600);
    int mi = static_cast<int>(sod / 60 % 60);
    int s = static_cast<int>(sod % 60);
    appendInt(out, h % 12 == 0 ? 12 : h % 12);
    out.push_back(':');
    appendPadded(out, mi);
    out.push_back(':');
    appendPadded(out, s);
    appendAscii(out, h < 12 ? " AM" : " PM");
  }
  return out;
}

// --- Operators ---

Variant opAdd(const Variant& a, const Variant& b) {
  if (smallTypes(a, b)) {
    switch (pairOf(a.vt, b.vt)) {
      case pairOf(vtInteger, vtInteger): return fitShort(int32_t(a.i) + b.i);
      case pairOf(vtInteger, vtLong): return fitLong(int64_t(a.i) + b.l);
      case pairOf(vtLong, vtInteger): return fitLong(int64_t(a.l) + b.i);
      case pairOf(vtLong, vtLong): return fitLong(int64_t(a.l) + b.l);
      case pairOf(vtDouble, vtDouble): return checkedDouble(a.d + b.d);
      case pairOf(vtDouble, vtInteger): return checkedDouble(a.d + b.i);
      case pairOf(vtInteger, vtDouble): return checkedDouble(a.i + b.d);
      case pairOf(vtDouble, vtLong): return checkedDouble(a.d + b.l);
      case pairOf(vtLong, vtDouble): return checkedDouble(a.l + b.d);
      default: break;
    }
  }
  return arithSlow(Ar::Add, a, b);
}

Variant opSub(const Variant& a, const Variant& b) {
  if (smallTypes(a, b)) {
    switch (pairOf(a.vt, b.vt)) {
      case pairOf(vtInteger, vtInteger): return fitShort(int32_t(a.i) - b.i);
      case pairOf(vtInteger, vtLong): return fitLong(int64_t(a.i) - b.l);
      case pairOf(vtLong, vtInteger): return fitLong(int64_t(a.l) - b.i);
      case pairOf(vtLong, vtLong): return fitLong(int64_t(a.l) - b.l);
      case pairOf(vtDouble, vtDouble): return checkedDouble(a.d - b.d);
      case pairOf(vtDouble, vtInteger): return checkedDouble(a.d - b.i);
      case pairOf(vtInteger, vtDouble): return checkedDouble(a.i - b.d);
      case pairOf(vtDouble, vtLong): return checkedDouble(a.d - b.l);
      case pairOf(vtLong, vtDouble): return checkedDouble(a.l - b.d);
      default: break;
    }
  }
  return arithSlow(Ar::Sub, a, b);
}

Variant opMul(const Variant& a, const Variant& b) {
  if (smallTypes(a, b)) {
    switch (pairOf(a.vt, b.vt)) {
      case pairOf(vtInteger, vtInteger): return fitShort(int32_t(a.i) * b.i);
      case pairOf(vtInteger, vtLong): return fitLong(int64_t(a.i) * b.l);
      case pairOf(vtLong, vtInteger): return fitLong(int64_t(a.l) * b.i);
      case pairOf(vtLong, vtLong): return fitLong(int64_t(a.l) * b.l);
      case pairOf(vtDouble, vtDouble): return checkedDouble(a.d * b.d);
      case pairOf(vtDouble, vtInteger): return checkedDouble(a.d * b.i);
      case pairOf(vtInteger, vtDouble): return checkedDouble(a.i * b.d);
      case pairOf(vtDouble, vtLong): return checkedDouble(a.d * b.l);
      case pairOf(vtLong, vtDouble): return checkedDouble(a.l * b.d);
      default: break;
    }
  }
  return arithSlow(Ar::Mul, a, b);
}

Variant opDiv(const Variant& a, const Variant& b) {
  auto fast = [](const Variant& v, double& d) {
    switch (v.vt) {
      case vtInteger: d = v.i; return true;
      case vtLong: d = v.l; return true;
      case vtDouble: d = v.d; return true;
      default: return false;
    }
  };
  double x, y;
  if (fast(a, x) && fast(b, y)) return Variant::dbl(quotient(x, y));
  Variant ta, tb;
  const Variant& va = valueOf(a, ta);
  const Variant& vb = valueOf(b, tb);
  if (va.vt == vtNull || vb.vt == vtNull) return Variant::null();
  Num p = numOfValue(va), q = numOfValue(vb);
  double r = quotient(asDouble(p), asDouble(q));
  if (p.k == kSingle && q.k == kSingle) return checkedSingleOrDouble(r);
  return Variant::dbl(r);
}

Variant opIntDiv(const Variant& a, const Variant& b) {
  if (a.vt == vtInteger && b.vt == vtInteger && b.i != 0) return fitShort(int32_t(a.i) / b.i);
  if (a.vt == vtLong && b.vt == vtLong && b.l != 0 && b.l != -1) return Variant::lng(a.l / b.l);
  return intDivMod(false, a, b);
}

Variant opMod(const Variant& a, const Variant& b) {
  if (a.vt == vtInteger && b.vt == vtInteger && b.i != 0) return Variant::integer(int16_t(int32_t(a.i) % b.i));
  if (a.vt == vtLong && b.vt == vtLong && b.l != 0 && b.l != -1) return Variant::lng(a.l % b.l);
  return intDivMod(true, a, b);
}

Variant opPow(const Variant& a, const Variant& b) {
  Variant ta, tb;
  const Variant& x = valueOf(a, ta);
  const Variant& y = valueOf(b, tb);
  if (x.vt == vtNull || y.vt == vtNull) return Variant::null();
  double base = asDouble(numOfValue(x)), e = asDouble(numOfValue(y));
  if (base < 0 && e != std::floor(e)) raise(5);
  if (base == 0 && e < 0) raise(5);
  return checkedDouble(std::pow(base, e));
}

Variant opConcat(const Variant& a0, const Variant& b0) {
  const Variant& a = a0.deref();
  const Variant& b = b0.deref();
  if (a.vt == vtString && b.vt == vtString) return concatStrings(a, b);
  Variant ta, tb;
  const Variant& x = valueOf(a, ta);
  const Variant& y = valueOf(b, tb);
  bool xNone = x.vt == vtNull || x.vt == vtEmpty;
  bool yNone = y.vt == vtNull || y.vt == vtEmpty;
  if (xNone && yNone) return (x.vt == vtNull && y.vt == vtNull) ? Variant::null() : Variant::adopt(nullptr);
  if (yNone && x.vt == vtString) return x;
  if (xNone && y.vt == vtString) return y;
  if (x.vt == vtString && y.vt == vtString) return concatStrings(x, y);
  u16 bx, by;
  u16v sx = x.vt == vtString ? x.strView() : u16v(bx = toText(x));
  u16v sy = y.vt == vtString ? y.strView() : u16v(by = toText(y));
  if (oddBytes(x) || oddBytes(y)) return joinBytes(sx, oddBytes(x), sy, oddBytes(y));
  return joinText(x.vt == vtString ? joinable(x) : nullptr, sx, y.vt == vtString ? joinable(y) : nullptr, sy);
}

Variant opNeg(const Variant& a) {
  Variant tmp;
  const Variant& x = valueOf(a, tmp);
  switch (x.vt) {
    case vtInteger: return fitShort(-int32_t(x.i));
    case vtLong: return fitLong(-int64_t(x.l));
    case vtDouble: return Variant::dbl(-x.d);
    case vtSingle: return Variant::sng(-x.f);
    case vtNull: return Variant::null();
    case vtEmpty: return Variant::integer(0);
    case vtBoolean: return Variant::integer(static_cast<int16_t>(-x.b));
    case vtByte: return Variant::integer(static_cast<int16_t>(-x.byte));
    case vtCurrency:
      if (x.cy == INT64_MIN) raise(6);
      return Variant::currency(-x.cy);
    case vtDate: return checkedDate(-x.d);
    case vtString: return Variant::dbl(-numberOfText(x.strView()));
    default: raise(13);
  }
}

Variant opNot(const Variant& a) {
  if (a.vt == vtBoolean) return Variant::boolean(a.b == 0);
  Variant tmp;
  LogVal p = logOperand(valueOf(a, tmp));
  switch (p.k) {
    case lNull: return Variant::null();
    case lBool: return Variant::boolean(p.v == 0);
    default: return makeLogical(p.k, ~p.v);
  }
}

Variant opAnd(const Variant& a, const Variant& b) { return logical(Lg::And, a, b); }
Variant opOr(const Variant& a, const Variant& b) { return logical(Lg::Or, a, b); }
Variant opXor(const Variant& a, const Variant& b) { return logical(Lg::Xor, a, b); }
Variant opEqv(const Variant& a, const Variant& b) { return logical(Lg::Eqv, a, b); }
Variant opImp(const Variant& a, const Variant& b) { return logical(Lg::Imp, a, b); }

// Numbers sort before strings when both are variables. Against a literal the
// variable is converted to the literal's type: x = "10": x > 9 is True (13
// when x is not a number), while x = 2: x = "" compares "2" with "".
int compare(const Variant& a0, const Variant& b0, bool aLit, bool bLit, bool textCompare) {
  const Variant& a = a0.deref();
  const Variant& b = b0.deref();
  if (smallTypes(a, b)) {
    switch (pairOf(a.vt, b.vt)) {
      case pairOf(vtInteger, vtInteger): return sign3(int32_t(a.i) - b.i);
      case pairOf(vtInteger, vtLong): return sign3(int64_t(a.i) - b.l);
      case pairOf(vtLong, vtInteger): return sign3(int64_t(a.l) - b.i);
      case pairOf(vtLong, vtLong): return sign3(int64_t(a.l) - b.l);
      case pairOf(vtDouble, vtDouble): return cmpDouble(a.d, b.d);
      case pairOf(vtDouble, vtInteger): return cmpDouble(a.d, b.i);
      case pairOf(vtInteger, vtDouble): return cmpDouble(a.i, b.d);
      case pairOf(vtDouble, vtLong): return cmpDouble(a.d, b.l);
      case pairOf(vtLong, vtDouble): return cmpDouble(a.l, b.d);
      case pairOf(vtString, vtString): return cmpStrings(a.strView(), b.strView(), textCompare);
      default: break;
    }
  }
  Variant ta, tb;
  const Variant& x = valueOf(a, ta);
  const Variant& y = valueOf(b, tb);
  if (x.vt == vtNull || y.vt == vtNull) return 2;
  int cx = compareClass(x), cy = compareClass(y);
  if (cx == 1 || cy == 1) {
    if (cx != 2 && cy != 2) return cmpStrings(cx ? x.strView() : u16v(), cy ? y.strView() : u16v(), textCompare);
    // One string, one number: the variable takes the literal's type. A
    // literal string wins, so a number never fails against it (2 = "" is False).
    bool strLit = cx == 1 ? aLit : bLit;
    bool numLit = cx == 2 ? aLit : bLit;
    if (strLit) {
      if (cx == 1) return cmpStrings(x.strView(), toString(y), textCompare);
      return cmpStrings(toString(x), y.strView(), textCompare);
    }
    if (!numLit) return cx == 2 ? -1 : 1;
    if (cx == 1) return cmpNums(stringAsNumber(x.strView(), y), numOfValue(y));
    return cmpNums(numOfValue(x), stringAsNumber(y.strView(), x));
  }
  return cmpNums(numOfValue(x), numOfValue(y));
}

Variant opCompare(CmpOp op, const Variant& a, const Variant& b, bool aLit, bool bLit) {
  int c = compare(a, b, aLit, bLit, false);
  if (c == 2) return Variant::null();
  bool r = false;
  switch (op) {
    case CmpOp::Eq: r = c == 0; break;
    case CmpOp::Ne: r = c != 0; break;
    case CmpOp::Lt: r = c < 0; break;
    case CmpOp::Le: r = c <= 0; break;
    case CmpOp::Gt: r = c > 0; break;
    case CmpOp::Ge: r = c >= 0; break;
  }
  return Variant::boolean(r);
}

bool opIs(const Variant& a0, const Variant& b0) {
  const Variant& a = a0.deref();
  const Variant& b = b0.deref();
  if (a.vt != vtObject || b.vt != vtObject) raise(424);
  return a.o == b.o;
}

// --- Case ---

char16_t foldCase(char16_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  // Through upper case first so that forms like final sigma and dotless i
  // meet their partners.
  return lowerOf(upperOf(c));
}

namespace {

// Base letters of U+00C0..U+017F once case is folded: '.' stands for a
// symbol, '=' for a letter sorted as itself, '2' for a two-letter form.
constexpr char kLatinBase[] =
    "aaaaaa2ceeeeiiiidnooooo.ouuuuy=2aaaaaa2ceeeeiiiidnooooo.ouuuuy=y"  // C0..FF
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiii22jjkk=lllllll"  // 100..13F
    "lllnnnnnnn==oooooo22rrrrrrssssssssttttttuuuuuuuuuuuuwwyyyzzzzzzs";  // 140..17F

// The primary sort key: what decides before accents do.
u16 primaryKey(u16v s) {
  u16 k;
  k.reserve(s.size());
  auto letter = [&](char16_t c) { k.push_back(char16_t(0x8000 | c)); };
  for (char16_t c : s) {
    c = foldCase(c);
    if (c >= u'0' && c <= u'9') {
      k.push_back(char16_t(0x4000 | c));
    } else if (c >= u'a' && c <= u'z') {
      letter(c);
    } else if (c >= 0xC0 && c <= 0x17F) {
      char b = kLatinBase[c - 0xC0];
      if (b == '.') {
        k.push_back(c);
      } else if (b == '=') {
        letter(c);
      } else if (b == '2') {
        const char* two = c == 0xDF ? "ss" : c == 0xE6 ? "ae" : c == 0x153 ? "oe" : "ij";
        letter(char16_t(two[0]));
        letter(char16_t(two[1]));
      } else {
        letter(char16_t(b));
      }
    } else if (c < 0xC0 || (c >= 0x2000 && c < 0x2C00) || (c >= 0x3000 && c < 0x3040)) {
      k.push_back(c & 0x3FFF);  // punctuation, symbols, controls
    } else {
      letter(c & 0x7FFF);  // letters of other scripts, after Latin
    }
  }
  return k;
}

int compareUnits(u16v x, u16v y) {
  size_t n = std::min(x.size(), y.size());
  for (size_t i = 0; i < n; ++i)
    if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
  return x.size() == y.size() ? 0 : x.size() < y.size() ? -1 : 1;
}

}  // namespace

int compareTextOrder(u16v a, u16v b) {
  if (int r = compareUnits(primaryKey(a), primaryKey(b))) return r;
  u16 fa(a), fb(b);
  for (char16_t& c : fa) c = foldCase(c);
  for (char16_t& c : fb) c = foldCase(c);
  return compareUnits(fa, fb);
}

bool equalsNoCase(u16v a, u16v b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x == y) continue;
    if ((x | y) < 0x80) {
      if ((x | 0x20) != (y | 0x20) || (x | 0x20) < 'a' || (x | 0x20) > 'z') return false;
      continue;
    }
    if (foldCase(x) != foldCase(y)) return false;
  }
  return true;
}

u16 toLowerCopy(u16v s) {
  u16 out(s);
  for (char16_t& c : out) c = lowerOf(c);
  return out;
}

u16 toUpperCopy(u16v s) {
  u16 out(s);
  for (char16_t& c : out) c = upperOf(c);
  return out;
}

}  // namespace pw
