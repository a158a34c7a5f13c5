// Math functions and VBScript's own random number generator.
#include <cmath>
#include <cstring>
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

// One-argument functions with a Double result. Like Sgn they need a number:
// Null raises 94 (only Abs, Int, Fix, Round, Hex and Oct pass Null through).
template <double (*F)(double)>
Variant unary(Engine&, Args a) {
  Variant t;
  const Variant& v = val(a[0], t);
  if (v.isNull()) raise(94);
  return Variant::dbl(F(toDouble(v)));
}

double atnF(double x) { return std::atan(x); }
double cosF(double x) { return std::cos(x); }
double sinF(double x) { return std::sin(x); }
double tanF(double x) { return std::tan(x); }

double expF(double x) {
  double r = std::exp(x);
  if (std::isinf(r)) raise(6);
  return r;
}

double logF(double x) {
  if (!(x > 0)) raise(5);
  return std::log(x);
}

double sqrF(double x) {
  if (x < 0) raise(5);
  return std::sqrt(x);
}

constexpr uint32_t kMask = 0xFFFFFF;

uint32_t nextSeed(uint32_t x) { return (x * 0x43FD43FDu + 0xC39EC3u) & kMask; }

float fromSeed(uint32_t x) { return float(x) / 16777216.0f; }

// Rnd([number]): < 0 reseeds from the number's Single bit pattern (the same
// number always gives the same sequence), 0 repeats the last result, > 0 or
// none gives the next number.
Variant fnRnd(Engine& e, Args a) {
  LibState& st = libState(e);
  if (!a.missing(0)) {
    Variant t;
    const Variant& v = val(a[0], t);
    if (v.isNull()) raise(94);
    float n = toSingle(v);
    if (n == 0) return Variant::sng(fromSeed(st.rndSeed));  // the state is the last number
    if (n < 0) {
      uint32_t bits;
      std::memcpy(&bits, &n, sizeof bits);
      st.rndSeed = ((bits & kMask) + (bits >> 24)) & kMask;
    }
  }
  st.rndSeed = nextSeed(st.rndSeed);
  st.lastRnd = fromSeed(st.rndSeed);
  return Variant::sng(st.lastRnd);
}

double timerNow() {
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  tm lt;
  localtime_r(&ts.tv_sec, &lt);
  return lt.tm_hour * 3600.0 + lt.tm_min * 60.0 + lt.tm_sec + double(ts.tv_nsec / 10000000) / 100.0;
}

// Randomize [number]: the high 32 bits of the number as a Double, folded to
// 16 bits, replace the middle two bytes of the state; the low byte stays,
// so Randomize n alone does not repeat a sequence (Rnd(-1) first does).
Variant fnRandomize(Engine& e, Args a) {
  LibState& st = libState(e);
  double n;
  if (a.missing(0)) {
    n = double(float(timerNow()));
  } else {
    Variant t;
    const Variant& v = val(a[0], t);
    if (v.isNull()) raise(94);
    n = toDouble(v);
  }
  uint64_t bits;
  std::memcpy(&bits, &n, sizeof bits);
  uint32_t hi = uint32_t(bits >> 32);
  uint32_t mixed = ((hi & 0xFFFF) ^ (hi >> 16)) << 8;
  st.rndSeed = ((st.rndSeed & 0xFF) | mixed) & kMask;
  return Variant();
}

constexpr BuiltinDef kMathBuiltins[] = {
    {u"Atn", unary<atnF>, 1, 1},
    {u"Cos", unary<cosF>, 1, 1},
    {u"Sin", unary<sinF>, 1, 1},
    {u"Tan", unary<tanF>, 1, 1},
    {u"Exp", unary<expF>, 1, 1},
    {u"Log", unary<logF>, 1, 1},
    {u"Sqr", unary<sqrF>, 1, 1},
    {u"Rnd", fnRnd, 0, 1},
    {u"Randomize", fnRandomize, 0, 1, kNotValue},
};

}  // namespace

std::span<const BuiltinDef> mathBuiltins() { return kMathBuiltins; }

}  // namespace pw
