// The built-in automation objects: VBScript.RegExp, Scripting.Dictionary,
// Scripting.FileSystemObject and a general collection for hosts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ops.h"
#include "variant.h"

namespace pw {

class Engine;

// A new object (reference count 0) for a registered ProgID, matched
// case-insensitively, or nullptr when the ProgID is unknown. Objects that
// reach the host (WScript.Shell's Popup) use the engine; nullptr is allowed.
Object* createBuiltinObject(u16v progId, Engine* engine = nullptr);
// Whether CreateObject may make the ProgID under UseSafeSubset.
bool isProgIdSafe(u16v progId);

// An object that holds script values, and so may end up in a reference cycle
// (a Dictionary holding itself, instances holding each other). The engine that
// made it empties it once the script's variables are gone, so cycles are freed.
class ValueHolder : public Object {
 public:
  explicit ValueHolder(Engine* engine);  // nullptr: not the engine's to empty
  ~ValueHolder() override;
  virtual void dropValues() = 0;

 protected:
  Engine* holderEngine() const { return holderEngine_; }

 private:
  friend class Engine;
  Engine* holderEngine_;
  ValueHolder* prevHolder_ = nullptr;
  ValueHolder* nextHolder_ = nullptr;
};

Object* newRegExp();            // New RegExp
Object* newDictionary(Engine* engine = nullptr);  // Scripting.Dictionary
Object* newFileSystemObject(Engine* engine = nullptr);  // Scripting.FileSystemObject
Object* newShell(Engine* engine);  // WScript.Shell
// A collection in the manner of VB's Collection: Add item[, key], Count,
// Item(1-based index or key, keys case-insensitive), Remove, For Each.
Object* newCollection();
Object* newNetwork();  // WScript.Network
Object* newArrayList(Engine* engine = nullptr);  // System.Collections.ArrayList

// Plumbing shared by the obj_*.cpp files.
namespace objimpl {

struct Member {
  const char16_t* name;
  int32_t id;
};

inline int32_t findMember(std::initializer_list<Member> table, u16v name) {
  for (const Member& m : table)
    if (equalsNoCase(m.name, name)) return m.id;
  return DISPID_UNKNOWN;
}

inline bool isPut(InvokeKind k) { return k == InvokeKind::Let || k == InvokeKind::Set; }

// A read-only property or a method: assignment is not supported (438), and the
// argument count must be within [lo, hi] (450).
inline void expectCall(InvokeKind k, Args a, int lo, int hi) {
  if (isPut(k)) raise(438);
  if (a.size() < lo || a.size() > hi) raise(450);
}

// A property with Get and Let: on Let the new value is the last argument.
inline void expectProp(InvokeKind k, Args a) {
  if (a.size() != (isPut(k) ? 1 : 0)) raise(450);
}

// A parameterless property whose value is an object: arguments given to it go
// to that object's default member, as automation does for m.SubMatches(0).
inline Variant objectProp(InvokeKind k, Args a, Object* made) {
  Variant v = Variant::object(made);  // owns it before anything can throw
  if (isPut(k)) raise(438);
  if (a.size() == 0) return v;
  return made->invoke(DISPID_VALUE, InvokeKind::Get, a);
}

inline bool optBool(Args a, int i, bool def) { return a.missing(i) ? def : toBool(a[i]); }
inline int32_t optLong(Args a, int i, int32_t def) { return a.missing(i) ? def : toLong(a[i]); }

// For Each over a snapshot of values.
class ListEnum : public Enumerator {
 public:
  explicit ListEnum(std::vector<Variant> items) : items_(std::move(items)) {}
  bool next(Variant& out) override {
    if (pos_ >= items_.size()) return false;
    out = std::move(items_[pos_++]);
    return true;
  }

 private:
  std::vector<Variant> items_;
  size_t pos_ = 0;
};

// A zero-based one-dimensional array holding the values.
inline Variant makeArray(std::vector<Variant> items) {
  ArrayRep* a = ArrayRep::make({Bound{0, static_cast<int32_t>(items.size())}});
  for (size_t i = 0; i < items.size(); ++i) a->data[i] = std::move(items[i]);
  return Variant::array(a);
}

// A zero-based Byte() array (VarType 8209) holding the bytes.
inline Variant makeByteArray(std::string_view bytes) {
  ArrayRep* a = ArrayRep::make({Bound{0, static_cast<int32_t>(bytes.size())}});
  a->elemVt = vtByte;
  for (size_t i = 0; i < bytes.size(); ++i) a->data[i] = Variant::byteVal(static_cast<uint8_t>(bytes[i]));
  return Variant::array(a);
}

// The bytes of a one-dimensional Byte() array; false for anything else.
inline bool byteArrayBytes(const Variant& v, std::string& out) {
  if (!v.isArray() || v.a->elemVt != vtByte || v.a->rank() != 1) return false;
  out.clear();
  out.reserve(v.a->data.size());
  for (const Variant& e : v.a->data) out.push_back(static_cast<char>(toByte(e)));
  return true;
}

}  // namespace objimpl
}  // namespace pw
