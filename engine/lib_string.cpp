// String functions: Len, Mid, InStr, Replace, Split, Join, ...
#include <algorithm>
#include <array>
#include <cstring>

#include "builtins.h"
#include "ops.h"

namespace pw {

namespace {

// The value an argument stands for: an object's default property, else itself.
const Variant& val(const Variant& v, Variant& tmp) {
  if (v.vt != vtObject) return v;
  tmp = defaultValue(v);
  return tmp;
}

// A String argument viewed in place; anything else converted into buf.
u16v text(const Variant& v, u16& buf) {
  if (v.vt == vtString) return v.strView();
  buf = toString(v);  // 94 for Null
  return buf;
}

int32_t longArg(const Variant& v) {
  if (v.isNull()) raise(94);
  return toLong(v);
}

int32_t optLong(Args a, int i, int32_t def) { return a.missing(i) ? def : longArg(a[i]); }

// Compare mode: 0 binary, 1 text. VBScript has no database mode, so 2 is
// refused like any other number.
bool textMode(Args a, int i) {
  if (a.missing(i)) return false;
  int32_t c = longArg(a[i]);
  if (c == 0) return false;
  if (c == 1) return true;
  raise(5);
}

Variant mk(u16v s) { return Variant::str(s); }

u16 folded(u16v s) {
  u16 r(s);
  for (char16_t& c : r) c = foldCase(c);
  return r;
}

// 0-based position of needle in hay at or after from, or npos.
size_t findIn(u16v hay, u16v needle, size_t from, bool textCmp) {
  if (!textCmp) return hay.find(needle, from);
  u16 h = folded(hay), n = folded(needle);
  return u16v(h).find(n, from);
}

// Windows-1252, the ANSI code page Chr and Asc use.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ansiToUnicode(int c) { return c >= 0x80 && c < 0xA0 ? kCp1252High[c - 0x80] : char16_t(c); }

int unicodeToAnsi(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] == c) return 0x80 + i;
  return '?';  // no ANSI form
}

// --- Byte view of the UTF-16 storage for the B functions ---
uint8_t byteAt(u16v s, size_t i) {
  char16_t c = s[i / 2];
  return i % 2 ? uint8_t(c >> 8) : uint8_t(c & 0xFF);
}

// A string with an odd number of bytes (from ChrB, LeftB, MidB ...) keeps its
// last byte in the low half of its last unit and is marked in the Variant's
// otherwise unused aux word. Len, the B functions and concatenation (which
// joins bytes) read the mark.
constexpr uint32_t kOddBytes = 1;

size_t byteCount(const Variant& v, u16v s) {
  bool odd = v.isString() && (v.aux & kOddBytes) && !s.empty();
  return s.size() * 2 - (odd ? 1 : 0);
}

// Bytes [from, from + n) as a string.
Variant fromBytes(u16v s, size_t from, size_t n) {
  u16 r;
  r.reserve((n + 1) / 2);
  for (size_t k = 0; k < n; k += 2) {
    char16_t lo = byteAt(s, from + k);
    char16_t hi = k + 1 < n ? byteAt(s, from + k + 1) : 0;
    r.push_back(char16_t(lo | (hi << 8)));
  }
  Variant out = mk(r);
  if (n % 2) out.aux |= kOddBytes;
  return out;
}

// --- Character codes ---

Variant fnAsc(Engine&, Args a) {
  u16 buf;
  u16v s = text(a[0], buf);
  if (s.empty()) raise(5);
  return Variant::integer(int16_t(unicodeToAnsi(s[0])));
}

Variant fnAscB(Engine&, Args a) {
  u16 buf;
  u16v s = text(a[0], buf);
  if (s.empty()) raise(5);
  return Variant::integer(int16_t(s[0] & 0xFF));
}

Variant fnAscW(Engine&, Args a) {
  u16 buf;
  u16v s = text(a[0], buf);
  if (s.empty()) raise(5);
  return Variant::integer(int16_t(s[0]));
}

Variant fnChr(Engine&, Args a) {
  int32_t c = longArg(a[0]);
  if (c < 0 || c > 255) raise(5);
  char16_t ch = ansiToUnicode(c);
  return mk(u16v(&ch, 1));
}

Variant fnChrB(Engine&, Args a) {
  int32_t c = longArg(a[0]);
  if (c < 0 || c > 255) raise(5);
  char16_t ch = char16_t(c);
  return fromBytes(u16v(&ch, 1), 0, 1);
}

Variant fnChrW(Engine&, Args a) {
  int32_t c = longArg(a[0]);
  if (c < -32768 || c > 65535) raise(5);
  char16_t ch = char16_t(c & 0xFFFF);
  return mk(u16v(&ch, 1));
}

// --- Length and substrings ---

Variant fnLen(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  if (v.isString()) return Variant::lng(int32_t(byteCount(v, v.strView()) / 2));
  return Variant::lng(int32_t(toString(v).size()));
}

Variant fnLenB(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  return Variant::lng(int32_t(byteCount(v, text(v, buf))));
}

Variant fnLeft(Engine&, Args a) {
  int32_t n = longArg(a[1]);
  if (n < 0) raise(5);
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  if (v.isString() && size_t(n) >= v.strView().size()) return v;
  u16 buf;
  u16v s = text(v, buf);
  return mk(s.substr(0, size_t(n)));
}

Variant fnRight(Engine&, Args a) {
  int32_t n = longArg(a[1]);
  if (n < 0) raise(5);
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  if (v.isString() && size_t(n) >= v.strView().size()) return v;
  u16 buf;
  u16v s = text(v, buf);
  size_t k = std::min(s.size(), size_t(n));
  return mk(s.substr(s.size() - k));
}

// The numeric arguments' Null check comes before their conversion and range
// checks: Mid("test", "a", Null) and Mid("test", 0, Null) raise 94.
void refuseNullCounts(Args a) {
  for (int i = 1; i < a.size(); ++i)
    if (a[i].isNull()) raise(94);
}

Variant fnMid(Engine&, Args a) {
  refuseNullCounts(a);
  int32_t start = longArg(a[1]);
  if (start < 1) raise(5);
  int32_t len = -1;
  if (!a.missing(2)) {
    len = longArg(a[2]);
    if (len < 0) raise(5);
  }
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  u16v s = text(v, buf);
  size_t from = size_t(start) - 1;
  if (from >= s.size()) return mk(u16v());
  size_t n = len < 0 ? s.size() - from : std::min(size_t(len), s.size() - from);
  if (from == 0 && n == s.size() && v.isString()) return v;
  return mk(s.substr(from, n));
}

Variant fnLeftB(Engine&, Args a) {
  int32_t n = longArg(a[1]);
  if (n < 0) raise(5);
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  u16v s = text(v, buf);
  return fromBytes(s, 0, std::min(byteCount(v, s), size_t(n)));
}

Variant fnRightB(Engine&, Args a) {
  int32_t n = longArg(a[1]);
  if (n < 0) raise(5);
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  u16v s = text(v, buf);
  size_t total = byteCount(v, s), k = std::min(total, size_t(n));
  return fromBytes(s, total - k, k);
}

Variant fnMidB(Engine&, Args a) {
  refuseNullCounts(a);
  int32_t start = longArg(a[1]);
  if (start < 1) raise(5);
  int32_t len = -1;
  if (!a.missing(2)) {
    len = longArg(a[2]);
    if (len < 0) raise(5);
  }
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  u16v s = text(v, buf);
  size_t total = byteCount(v, s), from = size_t(start) - 1;
  if (from >= total) return mk(u16v());
  size_t n = len < 0 ? total - from : std::min(size_t(len), total - from);
  return fromBytes(s, from, n);
}

// --- Searching ---

// InStr([start,] string1, string2[, compare]): with three or more arguments
// the first one is always the start.
Variant fnInStr(Engine&, Args a) {
  int32_t start = 1;
  int si = 0;
  if (a.size() >= 3) {
    start = longArg(a[0]);
    if (start < 1) raise(5);
    si = 1;
  }
  bool textCmp = a.size() == 4 && textMode(a, 3);
  Variant t1, t2;
  const Variant& v1 = val(a[si], t1);
  const Variant& v2 = val(a[si + 1], t2);
  if (v1.isNull() || v2.isNull()) return Variant::null();
  u16 b1, b2;
  u16v s1 = text(v1, b1), s2 = text(v2, b2);
  if (s1.empty() || size_t(start) > s1.size()) return Variant::lng(0);
  if (s2.empty()) return Variant::lng(start);
  size_t p = findIn(s1, s2, size_t(start) - 1, textCmp);
  return Variant::lng(p == u16v::npos ? 0 : int32_t(p) + 1);
}

// Byte positions in the UTF-16 storage; the compare mode is accepted and
// ignored since a byte has no case.
Variant fnInStrB(Engine&, Args a) {
  int32_t start = 1;
  int si = 0;
  if (a.size() >= 3) {
    start = longArg(a[0]);
    if (start < 1) raise(5);
    si = 1;
  }
  if (a.size() == 4) textMode(a, 3);
  Variant t1, t2;
  const Variant& v1 = val(a[si], t1);
  const Variant& v2 = val(a[si + 1], t2);
  if (v1.isNull() || v2.isNull()) return Variant::null();
  u16 b1, b2;
  u16v s1 = text(v1, b1), s2 = text(v2, b2);
  size_t n1 = byteCount(v1, s1), n2 = byteCount(v2, s2);
  if (n1 == 0 || size_t(start) > n1) return Variant::lng(0);
  if (n2 == 0) return Variant::lng(start);
  for (size_t p = size_t(start) - 1; p + n2 <= n1; ++p) {
    size_t k = 0;
    while (k < n2 && byteAt(s1, p + k) == byteAt(s2, k)) ++k;
    if (k == n2) return Variant::lng(int32_t(p) + 1);
  }
  return Variant::lng(0);
}

// InStrRev(string1, string2[, start[, compare]]): the last match that ends
// at or before start (-1: the end). Unlike InStr it has no Null result: a
// Null string raises 94.
Variant fnInStrRev(Engine&, Args a) {
  int32_t start = optLong(a, 2, -1);
  if (start == 0 || start < -1) raise(5);
  bool textCmp = textMode(a, 3);
  Variant t1, t2;
  const Variant& v1 = val(a[0], t1);
  const Variant& v2 = val(a[1], t2);
  if (v1.isNull() || v2.isNull()) raise(94);
  u16 b1, b2;
  u16v s1 = text(v1, b1), s2 = text(v2, b2);
  if (s1.empty()) return Variant::lng(0);
  if (start == -1) start = int32_t(s1.size());
  if (size_t(start) > s1.size()) return Variant::lng(0);
  if (s2.empty()) return Variant::lng(start);
  if (s2.size() > size_t(start)) return Variant::lng(0);
  size_t last = size_t(start) - s2.size();
  size_t p;
  if (textCmp) {
    u16 h = folded(s1), n = folded(s2);
    p = u16v(h).rfind(n, last);
  } else {
    p = s1.rfind(s2, last);
  }
  return Variant::lng(p == u16v::npos ? 0 : int32_t(p) + 1);
}

// --- Case and blanks ---

Variant fnLCase(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  return mk(toLowerCopy(text(v, buf)));
}

Variant fnUCase(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  return mk(toUpperCopy(text(v, buf)));
}

// Only spaces are trimmed, not tabs or line ends.
Variant trimImpl(Args a, bool left, bool right) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  u16v s = text(v, buf);
  size_t b = 0, e = s.size();
  if (left)
    while (b < e && s[b] == u' ') ++b;
  if (right)
    while (e > b && s[e - 1] == u' ') --e;
  if (b == 0 && e == s.size() && v.isString()) return v;
  return mk(s.substr(b, e - b));
}

Variant fnLTrim(Engine&, Args a) { return trimImpl(a, true, false); }
Variant fnRTrim(Engine&, Args a) { return trimImpl(a, false, true); }
Variant fnTrim(Engine&, Args a) { return trimImpl(a, true, true); }

Variant repeated(int32_t n, char16_t c) {
  if (n == 0) return mk(u16v());
  StrRep* r = StrRep::make(nullptr, 0, size_t(n));
  std::fill(r->data, r->data + n, c);
  r->data[n] = 0;
  r->len = uint32_t(n);
  return Variant::adopt(r);
}

Variant fnSpace(Engine&, Args a) {
  int32_t n = longArg(a[0]);
  if (n < 0) raise(5);
  return repeated(n, u' ');
}

// String(number, character): character is a code (taken Mod 256) or a string
// whose first character is repeated.
Variant fnString(Engine&, Args a) {
  Variant t1, t2;
  const Variant& vn = val(a[0], t1);
  const Variant& vc = val(a[1], t2);
  if (vn.isNull() || vc.isNull()) return Variant::null();
  int32_t n = toLong(vn);
  if (n < 0) raise(5);
  char16_t c;
  if (vc.isString()) {
    u16v s = vc.strView();
    if (s.empty()) raise(5);
    c = s[0];
  } else {
    int32_t code = toLong(vc);
    if (code < 0) raise(5);
    c = ansiToUnicode(code % 256);
  }
  return repeated(n, c);
}

Variant fnStrReverse(Engine&, Args a) {
  u16 buf;
  u16 s(text(a[0], buf));
  std::reverse(s.begin(), s.end());
  return mk(s);
}

int cmpUnits(u16v x, u16v y) {
  size_t n = std::min(x.size(), y.size());
  for (size_t i = 0; i < n; ++i)
    if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
  return x.size() == y.size() ? 0 : x.size() < y.size() ? -1 : 1;
}

Variant fnStrComp(Engine&, Args a) {
  bool textCmp = textMode(a, 2);
  Variant t1, t2;
  const Variant& v1 = val(a[0], t1);
  const Variant& v2 = val(a[1], t2);
  if (v1.isNull() || v2.isNull()) return Variant::null();
  u16 b1, b2;
  u16v s1 = text(v1, b1), s2 = text(v2, b2);
  return Variant::integer(int16_t(textCmp ? compareTextOrder(s1, s2) : cmpUnits(s1, s2)));
}

// Replace(expression, find, replacewith[, start[, count[, compare]]]): the
// result begins at start; the part before it is dropped.
Variant fnReplace(Engine&, Args a) {
  u16 be, bf, br;
  u16v expr = text(a[0], be), find = text(a[1], bf), repl = text(a[2], br);
  int32_t start = optLong(a, 3, 1);
  if (start < 1) raise(5);
  int32_t count = optLong(a, 4, -1);
  if (count < -1) raise(5);
  bool textCmp = textMode(a, 5);
  if (size_t(start) > expr.size()) return mk(u16v());
  u16v src = expr.substr(size_t(start) - 1);
  if (find.empty() || count == 0) return mk(src);
  u16 fs, ff;
  u16v hay = src, needle = find;
  if (textCmp) {
    fs = folded(src);
    ff = folded(find);
    hay = fs;
    needle = ff;
  }
  // A growing result is measured first, so that one too long for a string
  // fails at once instead of after gigabytes of copying.
  size_t outLen = src.size();
  if (repl.size() > needle.size()) {
    int32_t hits = 0;
    for (size_t p = hay.find(needle); p != u16v::npos && (count < 0 || hits < count);
         p = hay.find(needle, p + needle.size())) {
      ++hits;
      outLen += repl.size() - needle.size();
      if (outLen > 0x3fffffff) raise(14);
    }
  }
  u16 out;
  out.reserve(outLen);
  size_t pos = 0;
  int32_t done = 0;
  while (count < 0 || done < count) {
    size_t p = hay.find(needle, pos);
    if (p == u16v::npos) break;
    out.append(src.substr(pos, p - pos));
    out.append(repl);
    pos = p + needle.size();
    ++done;
  }
  out.append(src.substr(pos));
  return mk(out);
}

Variant stringArray(const std::vector<u16>& parts) {
  ArrayRep* r = ArrayRep::make({{0, int32_t(parts.size())}});
  Variant arr = Variant::array(r);
  for (size_t i = 0; i < parts.size(); ++i) r->data[i] = mk(parts[i]);
  return arr;
}

// Split(expression[, delimiter[, count[, compare]]]): count -1 is no limit;
// the last piece holds the rest of the text.
Variant fnSplit(Engine&, Args a) {
  u16 be, bd;
  u16v expr = text(a[0], be);
  u16v delim = u" ";
  if (!a.missing(1)) delim = text(a[1], bd);
  int32_t count = optLong(a, 2, -1);
  if (count < -1) raise(5);
  bool textCmp = textMode(a, 3);
  std::vector<u16> parts;
  if (expr.empty() || count == 0) return stringArray(parts);
  if (delim.empty()) {
    parts.emplace_back(expr);
    return stringArray(parts);
  }
  u16 fe, fd;
  u16v hay = expr, needle = delim;
  if (textCmp) {
    fe = folded(expr);
    fd = folded(delim);
    hay = fe;
    needle = fd;
  }
  // Piece boundaries first, so that the strings are made straight into the array.
  std::vector<std::pair<size_t, size_t>> cuts;
  size_t pos = 0;
  while (count < 0 || int32_t(cuts.size()) < count - 1) {
    size_t p = hay.find(needle, pos);
    if (p == u16v::npos) break;
    cuts.emplace_back(pos, p - pos);
    pos = p + needle.size();
  }
  cuts.emplace_back(pos, expr.size() - pos);
  ArrayRep* r = ArrayRep::make({{0, int32_t(cuts.size())}});
  Variant arr = Variant::array(r);
  for (size_t i = 0; i < cuts.size(); ++i) r->data[i] = mk(expr.substr(cuts[i].first, cuts[i].second));
  return arr;
}

const ArrayRep& vectorArg(const Variant& v) {
  if (v.isNull()) raise(94);
  if (!v.isArray()) raise(13);
  if (v.a->rank() != 1) raise(5);
  return *v.a;
}

// Join takes only a one-dimensional array (an object stands for its default
// value, 438 when it has none); other shapes and Null elements are 13.
Variant fnJoin(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) raise(94);
  if (!v.isArray() || v.a->rank() != 1) raise(13);
  const ArrayRep& arr = *v.a;
  u16 bd;
  u16v delim = u" ";
  if (!a.missing(1)) delim = text(a[1], bd);
  u16 out;
  for (size_t i = 0; i < arr.data.size(); ++i) {
    if (i) out.append(delim);
    const Variant& e = arr.data[i].deref();
    if (e.isString())
      out.append(e.strView());
    else if (e.isNull())
      raise(13);
    else
      out.append(toText(e));
  }
  return mk(out);
}

// Filter(InputStrings, Value[, Include[, Compare]]): the elements that
// contain (or, Include False, do not contain) Value.
Variant fnFilter(Engine&, Args a) {
  const ArrayRep& arr = vectorArg(a[0]);
  u16 bv;
  u16v value = text(a[1], bv);
  bool include = true;
  if (!a.missing(2)) {
    if (a[2].isNull()) raise(94);
    include = toBool(a[2]);
  }
  bool textCmp = textMode(a, 3);
  std::vector<u16> parts;
  for (const Variant& el : arr.data) {
    const Variant& e = el.deref();
    u16 s = e.isString() ? u16(e.strView()) : toText(e);
    bool has = findIn(s, value, 0, textCmp) != u16v::npos;
    if (has == include) parts.push_back(std::move(s));
  }
  return stringArray(parts);
}

// Escape keeps letters, digits and @*_+-./; others become %XX or %uXXXX.
Variant fnEscape(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  u16v s = text(v, buf);
  static const char hex[] = "0123456789ABCDEF";
  u16 out;
  out.reserve(s.size());
  for (char16_t c : s) {
    bool keep = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') ||
                (c < 0x80 && std::strchr("@*_+-./", char(c)) && c != 0);
    if (keep) {
      out.push_back(c);
    } else if (c < 0x100) {
      out.push_back(u'%');
      out.push_back(char16_t(hex[c >> 4]));
      out.push_back(char16_t(hex[c & 15]));
    } else {
      out.append(u"%u");
      for (int sh = 12; sh >= 0; sh -= 4) out.push_back(char16_t(hex[(c >> sh) & 15]));
    }
  }
  return mk(out);
}

int hexVal(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Malformed escapes are kept as they are.
Variant fnUnescape(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) return Variant::null();
  u16 buf;
  u16v s = text(v, buf);
  u16 out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'%') {
      if (i + 5 < s.size() && (s[i + 1] == u'u' || s[i + 1] == u'U')) {
        int h[4] = {hexVal(s[i + 2]), hexVal(s[i + 3]), hexVal(s[i + 4]), hexVal(s[i + 5])};
        if (h[0] >= 0 && h[1] >= 0 && h[2] >= 0 && h[3] >= 0) {
          out.push_back(char16_t((h[0] << 12) | (h[1] << 8) | (h[2] << 4) | h[3]));
          i += 5;
          continue;
        }
      }
      if (i + 2 < s.size() && hexVal(s[i + 1]) >= 0 && hexVal(s[i + 2]) >= 0) {
        out.push_back(char16_t((hexVal(s[i + 1]) << 4) | hexVal(s[i + 2])));
        i += 2;
        continue;
      }
    }
    out.push_back(s[i]);
  }
  return mk(out);
}

constexpr BuiltinDef kStringBuiltins[] = {
    {u"Asc", fnAsc, 1, 1},
    {u"AscB", fnAscB, 1, 1},
    {u"AscW", fnAscW, 1, 1},
    {u"Chr", fnChr, 1, 1},
    {u"ChrB", fnChrB, 1, 1},
    {u"ChrW", fnChrW, 1, 1},
    {u"Len", fnLen, 1, 1},
    {u"LenB", fnLenB, 1, 1},
    {u"Left", fnLeft, 2, 2},
    {u"LeftB", fnLeftB, 2, 2},
    {u"Right", fnRight, 2, 2},
    {u"RightB", fnRightB, 2, 2},
    {u"Mid", fnMid, 2, 3},
    {u"MidB", fnMidB, 2, 3},
    {u"InStr", fnInStr, 2, 4},
    {u"InStrB", fnInStrB, 2, 4},
    {u"InStrRev", fnInStrRev, 2, 4},
    {u"LCase", fnLCase, 1, 1},
    {u"UCase", fnUCase, 1, 1},
    {u"LTrim", fnLTrim, 1, 1},
    {u"RTrim", fnRTrim, 1, 1},
    {u"Trim", fnTrim, 1, 1},
    {u"Space", fnSpace, 1, 1},
    {u"String", fnString, 2, 2},
    {u"StrReverse", fnStrReverse, 1, 1},
    {u"StrComp", fnStrComp, 2, 3},
    {u"Replace", fnReplace, 3, 6},
    {u"Split", fnSplit, 1, 4},
    {u"Join", fnJoin, 1, 2},
    {u"Filter", fnFilter, 2, 4},
    {u"Escape", fnEscape, 1, 1},
    {u"Unescape", fnUnescape, 1, 1},
};

}  // namespace

std::span<const BuiltinDef> stringBuiltins() { return kStringBuiltins; }

}  // namespace pw
