// The engine's value type: a 16-byte tagged Variant with VBScript's subtypes,
// reference-counted UTF-16 strings, arrays and objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pw {

using u16 = std::u16string;
using u16v = std::u16string_view;

// The subtype numbers are VarType()'s results.
enum VarType : uint16_t {
  vtEmpty = 0,
  vtNull = 1,
  vtInteger = 2,
  vtLong = 3,
  vtSingle = 4,
  vtDouble = 5,
  vtCurrency = 6,
  vtDate = 7,
  vtString = 8,
  vtObject = 9,
  vtError = 10,
  vtBoolean = 11,
  vtVariant = 12,
  vtByte = 17,
  vtArray = 0x2000,  // always an array of Variants: VarType() reports 8204
  vtRef = 0x4000,    // internal: a ByRef reference to another Variant
};

// A reference-counted UTF-16 buffer that several string values may share.
// Text grows in one direction: at the back (the text starts at data[0]) or,
// for strings built by prepending, at the front (the text ends at
// data[cap]). A Variant holds the buffer plus its own length, so the units
// `len` counts, once written, never change; a value whose text reaches that
// mark may write past it, into room nobody sees yet, and share the buffer
// with the shorter values. That makes every form of s = s & x (and
// s = x & s) linear however many copies of s are alive.
struct StrRep {
  int32_t refs;
  uint32_t len;      // units written from the anchored end (>= every view's length)
  uint32_t cap;      // units of storage
  uint8_t atEnd;     // 1: text is anchored at data[cap] and grows toward data[0]
  uint8_t built;     // made by concatenation: a copy of it gets room to grow
  char16_t data[1];

  static StrRep* make(const char16_t* p, size_t n, size_t cap = 0);
  // Empty storage for cap units, anchored at the front or at the end.
  static StrRep* alloc(size_t cap, bool atEnd);
  static StrRep* make(u16v s) { return make(s.data(), s.size()); }
  // Where a value of n units (n <= len) starts.
  const char16_t* text(uint32_t n) const { return atEnd ? data + (cap - n) : data; }
  u16v view() const { return u16v(text(len), len); }
};

// A string Variant keeps its length in aux above this shift; the low bit
// marks an odd byte count (ChrB, LeftB ...).
constexpr int kStrLenShift = 1;

class Object;
struct ArrayRep;

struct Variant {
  uint16_t vt = vtEmpty;
  uint16_t flags = 0;  // kFlagLiteral etc.; never compared
  uint32_t aux = 0;
  union {
    int16_t i;
    int32_t l;
    float f;
    double d;
    int64_t cy;  // Currency: value * 10000
    uint8_t byte;
    int16_t b;   // Boolean: -1 True, 0 False
    int32_t err;  // vtError: an SCODE (e.g. missing optional argument)
    StrRep* s;    // nullptr is the empty string
    Object* o;    // nullptr is Nothing
    ArrayRep* a;  // never nullptr for vtArray
    Variant* ref;
    int64_t raw;
  };

  Variant() : raw(0) {}
  static bool counted(uint16_t t) { return t == vtString || t == vtObject || t == vtArray; }
  Variant(const Variant& v) : vt(v.vt), flags(0), aux(v.aux), raw(v.raw) {
    if (counted(vt)) addRef();
  }
  Variant(Variant&& v) noexcept : vt(v.vt), flags(0), aux(v.aux), raw(v.raw) {
    v.vt = vtEmpty;
    v.raw = 0;
  }
  ~Variant() {
    if (counted(vt)) release();
  }
  Variant& operator=(const Variant& v) {
    if (!counted(vt) && !counted(v.vt)) {
      vt = v.vt;
      aux = v.aux;
      raw = v.raw;
      return *this;
    }
    if (this != &v) {
      Variant t(v);
      swap(t);
    }
    return *this;
  }
  Variant& operator=(Variant&& v) noexcept {
    if (!counted(vt)) {
      vt = v.vt;
      aux = v.aux;
      raw = v.raw;
      v.vt = vtEmpty;
      v.raw = 0;
      return *this;
    }
    if (this != &v) {
      Variant t(std::move(v));
      swap(t);
    }
    return *this;
  }
  void swap(Variant& v) noexcept {
    std::swap(vt, v.vt);
    std::swap(aux, v.aux);
    std::swap(raw, v.raw);
  }
  void clear() {
    if (counted(vt)) release();
    vt = vtEmpty;
    raw = 0;
  }

  // Constructors by subtype.
  static Variant null() { Variant v; v.vt = vtNull; return v; }
  static Variant integer(int16_t x) { Variant v; v.vt = vtInteger; v.i = x; return v; }
  static Variant lng(int32_t x) { Variant v; v.vt = vtLong; v.l = x; return v; }
  static Variant sng(float x) { Variant v; v.vt = vtSingle; v.f = x; return v; }
  static Variant dbl(double x) { Variant v; v.vt = vtDouble; v.d = x; return v; }
  static Variant currency(int64_t scaled) { Variant v; v.vt = vtCurrency; v.cy = scaled; return v; }
  static Variant date(double x) { Variant v; v.vt = vtDate; v.d = x; return v; }
  static Variant boolean(bool x) { Variant v; v.vt = vtBoolean; v.b = x ? -1 : 0; return v; }
  static Variant byteVal(uint8_t x) { Variant v; v.vt = vtByte; v.byte = x; return v; }
  static Variant error(int32_t scode) { Variant v; v.vt = vtError; v.err = scode; return v; }
  static Variant str(u16v s);
  static Variant str(const char* ascii);
  // Takes over a new buffer's reference; the value is its whole text.
  static Variant adopt(StrRep* r) {
    Variant v;
    v.vt = vtString;
    v.s = r;
    v.aux = r ? r->len << kStrLenShift : 0;
    return v;
  }
  // Shares r (adding a reference) with n units of its text.
  static Variant share(StrRep* r, uint32_t n) {
    ++r->refs;
    Variant v;
    v.vt = vtString;
    v.s = r;
    v.aux = n << kStrLenShift;
    return v;
  }
  static Variant object(Object* o);  // adds a reference; nullptr is Nothing
  static Variant array(ArrayRep* a);  // adds a reference
  static Variant reference(Variant* target) { Variant v; v.vt = vtRef; v.ref = target; return v; }
  // The "missing optional argument" marker hosts see for omitted arguments.
  static Variant missing() { return error(static_cast<int32_t>(0x80020004u)); }

  bool isEmpty() const { return vt == vtEmpty; }
  bool isNull() const { return vt == vtNull; }
  bool isString() const { return vt == vtString; }
  bool isObject() const { return vt == vtObject; }
  bool isArray() const { return vt == vtArray; }
  bool isRef() const { return vt == vtRef; }
  bool isMissing() const { return vt == vtError && err == static_cast<int32_t>(0x80020004u); }
  bool isNumeric() const {  // a number subtype (Empty and Boolean excluded)
    return vt == vtInteger || vt == vtLong || vt == vtSingle || vt == vtDouble || vt == vtCurrency ||
           vt == vtByte || vt == vtDate;
  }
  const Variant& deref() const { return vt == vtRef ? *ref : *this; }
  Variant& deref() { return vt == vtRef ? *ref : *this; }
  uint32_t strLen() const { return aux >> kStrLenShift; }
  u16v strView() const { return s ? u16v(s->text(strLen()), strLen()) : u16v(); }

 private:
  void addRef() const;
  void release();
};

static_assert(sizeof(Variant) == 16, "Variant must stay 16 bytes");

// Dispatch ids.
constexpr int32_t DISPID_VALUE = 0;
constexpr int32_t DISPID_UNKNOWN = -1;
constexpr int32_t DISPID_NEWENUM = -4;

enum class InvokeKind : uint8_t { Method = 1, Get = 2, Let = 4, Set = 8 };

// The arguments of a late-bound call, in source order. For Let and Set the
// assigned value is the last one. Elements may be ByRef references; use
// operator[] to read the value and ref() to write back through ByRef.
struct Args {
  Variant* v = nullptr;
  int n = 0;
  int size() const { return n; }
  const Variant& operator[](int i) const { return v[i].deref(); }
  Variant& ref(int i) const { return v[i].deref(); }
  // True when argument i was omitted or not passed at all.
  bool missing(int i) const { return i >= n || v[i].deref().isMissing(); }
};

class Enumerator {
 public:
  virtual ~Enumerator() = default;
  virtual bool next(Variant& out) = 0;
};

// The one dispatch interface of script classes, host objects and the built-in
// automation objects. Errors are reported by throwing ScriptError.
class Object {
 public:
  Object() = default;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  virtual ~Object() = default;

  // Member id for a name (case-insensitive), or DISPID_UNKNOWN.
  virtual int32_t getIdOfName(u16v name) = 0;
  virtual Variant invoke(int32_t id, InvokeKind kind, Args args) = 0;
  virtual u16 typeName() const = 0;
  // For Each support; the default raises 451 "Object not a collection".
  virtual Enumerator* newEnum();
  // Whether CreateObject may make it under UseSafeSubset (built-in objects only).
  virtual bool safeForScripting() const { return true; }
  // Objects whose member ids depend only on this key (e.g. their class) let
  // call sites cache getIdOfName; nullptr disables caching.
  virtual const void* memberCacheKey() const { return nullptr; }

  void addRef() { ++refs_; }
  void release() {
    if (--refs_ == 0) reclaim(this);
  }
  int32_t refCount() const { return refs_; }

 protected:
  // Script classes run Class_Terminate here before deleting themselves.
  virtual void destroy() { delete this; }

 private:
  friend struct DeadList;
  static void reclaim(Object* o);
  int32_t refs_ = 0;
  Object* nextDead_ = nullptr;  // while its destruction waits (see reclaim)
};

// Holds a reference to an Object for C++ code.
template <class T>
class Ref {
 public:
  Ref() = default;
  explicit Ref(T* p) : p_(p) { if (p_) p_->addRef(); }
  Ref(const Ref& r) : p_(r.p_) { if (p_) p_->addRef(); }
  Ref(Ref&& r) noexcept : p_(r.p_) { r.p_ = nullptr; }
  ~Ref() { if (p_) p_->release(); }
  Ref& operator=(Ref r) { std::swap(p_, r.p_); return *this; }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

struct Bound {
  int32_t lower;
  int32_t count;  // number of elements in this dimension
};

// A VBScript array: rectangular, Variant elements, last index varies slowest
// in storage like the platform's SAFEARRAY (first index fastest).
struct ArrayRep {
  int32_t refs = 0;
  int32_t locks = 0;   // > 0 while an element is passed ByRef: ReDim/Erase raise 10
  // vtByte for the Byte() arrays automation objects hand out (VarType 8209);
  // their elements are still Variants holding Bytes.
  uint16_t elemVt = vtVariant;
  std::vector<Bound> dims;
  std::vector<Variant> data;

  size_t rank() const { return dims.size(); }
  // Flat index of a subscript list, or -1 when out of range.
  long long flatIndex(const int32_t* subs, size_t n) const;
  static ArrayRep* make(const std::vector<Bound>& dims);
  ArrayRep* clone() const;
  void addRef() { ++refs; }
  void release() {
    if (--refs == 0) reclaim(this);
  }

 private:
  friend struct DeadList;
  static void reclaim(ArrayRep* a);
  ArrayRep* nextDead_ = nullptr;
};

// A run-time error as scripts and the host see it.
struct ScriptError {
  int32_t number = 0;
  u16 description;
  u16 source;
  u16 helpFile;
  int32_t helpContext = 0;
};

// Throws a run-time error with VBScript's own text and source for the number.
[[noreturn]] void raise(int32_t number);
// Throws with a given description and source (used by Err.Raise and hosts).
[[noreturn]] void raise(int32_t number, u16v source, u16v description);
// VBScript's text for an error number ("" when it has none).
u16 errorText(int32_t number);
// The number Err.Raise n reports: VBScript's own number for the HRESULTs it
// knows (&H8007000E is 7), other failure codes as they are; 5 is raised for
// 0 and for positive numbers past 16 bits.
int32_t raisedNumber(int32_t n);

inline const char16_t* kRuntimeSource = u"Microsoft VBScript runtime error";
inline const char16_t* kCompileSource = u"Microsoft VBScript compilation error";

// UTF-8 <-> UTF-16 for the engine's C++ callers.
u16 fromUtf8(std::string_view s);
std::string toUtf8(u16v s);

}  // namespace pw
