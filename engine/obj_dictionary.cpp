// Scripting.Dictionary, the hosts' Collection, and the ProgID registry.
#include <cstring>

#include "obj_net.h"
#include "objects.h"
#include "xmldom.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::expectProp;
using objimpl::findMember;
using objimpl::isPut;

uint64_t mix(uint64_t h, uint64_t v) {
  h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
  return h;
}

// Keys fall into classes that never equal each other: all numeric subtypes
// compare by value with one another, strings by the compare mode, objects by
// identity, and Empty, Null, Boolean, Date and Error values only with their own.
enum class KeyClass : uint8_t { Empty, Null, Number, Boolean, Date, String, Object, Error };

KeyClass keyClass(const Variant& v) {
  switch (v.vt) {
    case vtEmpty: return KeyClass::Empty;
    case vtNull: return KeyClass::Null;
    case vtBoolean: return KeyClass::Boolean;
    case vtDate: return KeyClass::Date;
    case vtString: return KeyClass::String;
    case vtObject: return KeyClass::Object;
    case vtError: return KeyClass::Error;
    case vtInteger:
    case vtLong:
    case vtSingle:
    case vtDouble:
    case vtCurrency:
    case vtByte:
      return KeyClass::Number;
    default:
      raise(13);  // arrays cannot be keys
  }
}

double numberOf(const Variant& v) {
  switch (v.vt) {
    case vtInteger: return v.i;
    case vtLong: return v.l;
    case vtSingle: return v.f;
    case vtCurrency: return static_cast<double>(v.cy) / 10000.0;
    case vtByte: return v.byte;
    default: return v.d;
  }
}

uint64_t doubleBits(double d) {
  if (d == 0) d = 0;  // -0 and 0 are one key
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  return bits;
}

uint64_t keyHash(const Variant& v, bool text) {
  KeyClass c = keyClass(v);
  uint64_t h = mix(0x84222325cbf29ce4ull, static_cast<uint64_t>(c));
  switch (c) {
    case KeyClass::Number: return mix(h, doubleBits(numberOf(v)));
    case KeyClass::Date: return mix(h, doubleBits(v.d));
    case KeyClass::Boolean: return mix(h, v.b != 0);
    case KeyClass::Error: return mix(h, static_cast<uint32_t>(v.err));
    case KeyClass::Object: return mix(h, reinterpret_cast<uintptr_t>(v.o));
    case KeyClass::String: {
      uint64_t s = 0xcbf29ce484222325ull;
      for (char16_t ch : v.strView()) s = (s ^ (text ? foldCase(ch) : ch)) * 0x100000001b3ull;
      return mix(h, s);
    }
    default: return h;
  }
}

bool keyEquals(const Variant& a, const Variant& b, bool text) {
  KeyClass c = keyClass(a);
  if (c != keyClass(b)) return false;
  switch (c) {
    case KeyClass::Number: return numberOf(a) == numberOf(b);
    case KeyClass::Date: return a.d == b.d;
    case KeyClass::Boolean: return (a.b != 0) == (b.b != 0);
    case KeyClass::Error: return a.err == b.err;
    case KeyClass::Object: return a.o == b.o;
    case KeyClass::String: {
      u16v x = a.strView(), y = b.strView();
      if (x.size() != y.size()) return false;
      if (!text) return x == y;
      for (size_t i = 0; i < x.size(); ++i)
        if (x[i] != y[i] && foldCase(x[i]) != foldCase(y[i])) return false;
      return true;
    }
    default: return true;
  }
}

class DictionaryObj : public ValueHolder {
 public:
  explicit DictionaryObj(Engine* engine) : ValueHolder(engine) {}
  void dropValues() override {
    auto held = std::move(entries_);
    entries_.clear();
    slots_.clear();
    live_ = used_ = 0;
  }
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", 0}, {u"Add", 1}, {u"Count", 2}, {u"Exists", 3}, {u"Items", 4},
                       {u"Key", 5}, {u"Keys", 6}, {u"Remove", 7}, {u"RemoveAll", 8},
                       {u"CompareMode", 9}, {u"HashVal", 10}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0: return item(kind, args);
      case 1: {
        expectCall(kind, args, 2, 2);
        uint64_t h = hashOf(args[0]);
        if (slotOf(args[0], h) != kNone) raise(457);
        insert(args[0], h, args[1]);
        return Variant();
      }
      case 2:
        expectCall(kind, args, 0, 0);
        return Variant::lng(static_cast<int32_t>(live_));
      case 3:
        expectCall(kind, args, 1, 1);
        return Variant::boolean(find(args[0]) != nullptr);
      case 4:
      case 6: {
        expectCall(kind, args, 0, 0);
        std::vector<Variant> out;
        out.reserve(live_);
        for (Entry& e : entries_)
          if (e.live) out.push_back(id == 4 ? e.item : e.key);
        return objimpl::makeArray(std::move(out));
      }
      case 5: return renameKey(kind, args);
      case 7: {
        expectCall(kind, args, 1, 1);
        size_t slot = slotOf(args[0], hashOf(args[0]));
        if (slot == kNone) raise(32811);
        entries_[slots_[slot] - 1] = Entry();
        slots_[slot] = kTomb;
        --live_;
        compactIfSparse();
        return Variant();
      }
      case 8:
        expectCall(kind, args, 0, 0);
        entries_.clear();
        slots_.clear();
        live_ = used_ = 0;
        return Variant();
      case 9:
        expectProp(kind, args);
        if (!isPut(kind)) return Variant::lng(mode_);
        {
          int32_t m = toLong(args[0]);
          if (m < 0 || live_ > 0) raise(5);
          mode_ = m;
        }
        return Variant();
      case 10:
        expectCall(kind, args, 1, 1);
        return Variant::lng(static_cast<int32_t>(keyHash(args[0], textMode()) % 1201));
    }
    raise(438);
  }

  u16 typeName() const override { return u"Dictionary"; }

  Enumerator* newEnum() override {
    std::vector<Variant> keys;
    keys.reserve(live_);
    for (Entry& e : entries_)
      if (e.live) keys.push_back(e.key);
    return new objimpl::ListEnum(std::move(keys));
  }

 private:
  struct Entry {
    Variant key, item;
    uint64_t hash = 0;
    bool live = false;
  };
  static constexpr uint32_t kEmpty = 0, kTomb = 0xFFFFFFFFu;  // other slots: entry index + 1
  static constexpr size_t kNone = SIZE_MAX;

  // Insertion order lives in entries_; removal leaves a hole until compaction.
  // slots_ is an open-addressing index (linear probing, power-of-two size)
  // into entries_, which keeps look-ups to one probe array and one entry.
  std::vector<Entry> entries_;
  std::vector<uint32_t> slots_;
  size_t live_ = 0;
  size_t used_ = 0;  // slots not empty: live ones and tombstones
  int32_t mode_ = 0;

  bool textMode() const { return mode_ != 0; }

  uint64_t hashOf(const Variant& key) const {
    uint64_t h = keyHash(key, textMode());  // raises 13 for arrays
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
  }

  size_t slotOf(const Variant& key, uint64_t h) const {
    if (slots_.empty()) return kNone;
    size_t mask = slots_.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
      uint32_t s = slots_[i];
      if (s == kEmpty) return kNone;
      if (s != kTomb) {
        const Entry& e = entries_[s - 1];
        if (e.hash == h && keyEquals(e.key, key, textMode())) return i;
      }
    }
  }

  Entry* find(const Variant& key) {
    size_t slot = slotOf(key, hashOf(key));
    return slot == kNone ? nullptr : &entries_[slots_[slot] - 1];
  }

  void place(size_t at) {
    size_t mask = slots_.size() - 1;
    size_t i = entries_[at].hash & mask;
    while (slots_[i] != kEmpty) i = (i + 1) & mask;
    slots_[i] = static_cast<uint32_t>(at + 1);
    ++used_;
  }

  void rebuild() {
    size_t n = 16;
    while (n < live_ * 2 + 2) n *= 2;
    slots_.assign(n, kEmpty);
    used_ = 0;
    for (size_t i = 0; i < entries_.size(); ++i)
      if (entries_[i].live) place(i);
  }

  Entry& insert(const Variant& key, uint64_t h, const Variant& value) {
    if (entries_.size() >= kTomb - 1) raise(7);
    entries_.push_back(Entry{key, value, h, true});
    ++live_;
    if ((used_ + 1) * 4 > slots_.size() * 3) rebuild();  // places the new entry too
    else place(entries_.size() - 1);
    return entries_.back();
  }

  void compactIfSparse() {
    size_t dead = entries_.size() - live_;
    if (dead < 32 || dead < live_) return;
    std::vector<Entry> kept;
    kept.reserve(live_);
    for (Entry& e : entries_)
      if (e.live) kept.push_back(std::move(e));
    entries_ = std::move(kept);
    rebuild();
  }

  Variant item(InvokeKind kind, Args args) {
    if (isPut(kind)) {
      if (args.size() != 2) raise(450);
      uint64_t h = hashOf(args[0]);
      size_t slot = slotOf(args[0], h);
      if (slot != kNone) entries_[slots_[slot] - 1].item = args[1];
      else insert(args[0], h, args[1]);
      return Variant();
    }
    if (args.size() != 1) raise(450);
    // Reading a missing key adds it with an Empty item.
    uint64_t h = hashOf(args[0]);
    size_t slot = slotOf(args[0], h);
    if (slot != kNone) return entries_[slots_[slot] - 1].item;
    insert(args[0], h, Variant());
    return Variant();
  }

  Variant renameKey(InvokeKind kind, Args args) {
    if (!isPut(kind)) raise(438);  // Key can only be assigned
    if (args.size() != 2) raise(450);
    size_t slot = slotOf(args[0], hashOf(args[0]));
    if (slot == kNone) raise(32811);
    uint64_t h = hashOf(args[1]);
    if (slotOf(args[1], h) != kNone) raise(457);
    size_t at = slots_[slot] - 1;
    slots_[slot] = kTomb;
    entries_[at].key = args[1];
    entries_[at].hash = h;
    place(at);
    if (used_ * 4 > slots_.size() * 3) rebuild();
    return Variant();
  }
};

// VB's Collection: keys are text compared without case, indexes start at 1.
class CollectionObj : public Object {
 public:
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", 0}, {u"Add", 1}, {u"Count", 2}, {u"Remove", 3}}, name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0:
        expectCall(kind, args, 1, 1);
        return items_[position(args[0])].value;
      case 1: {
        expectCall(kind, args, 1, 2);
        Slot s{args[0], u16(), false};
        if (!args.missing(1)) {
          s.key = folded(toString(args[1]));
          s.hasKey = true;
          for (const Slot& o : items_)
            if (o.hasKey && o.key == s.key) raise(457);
        }
        items_.push_back(std::move(s));
        return Variant();
      }
      case 2:
        expectCall(kind, args, 0, 0);
        return Variant::lng(static_cast<int32_t>(items_.size()));
      case 3:
        expectCall(kind, args, 1, 1);
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position(args[0])));
        return Variant();
    }
    raise(438);
  }

  u16 typeName() const override { return u"Collection"; }

  Enumerator* newEnum() override {
    std::vector<Variant> values;
    for (const Slot& s : items_) values.push_back(s.value);
    return new objimpl::ListEnum(std::move(values));
  }

 private:
  struct Slot {
    Variant value;
    u16 key;
    bool hasKey;
  };
  std::vector<Slot> items_;

  static u16 folded(u16v s) {
    u16 r(s);
    for (char16_t& c : r) c = foldCase(c);
    return r;
  }

  // Index of the element an Item/Remove argument names: 9 for a bad index,
  // 5 for an unknown key, as VB's Collection reports them.
  size_t position(const Variant& which) {
    if (which.isString()) {
      u16 k = folded(which.strView());
      for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].hasKey && items_[i].key == k) return i;
      raise(5);
    }
    int32_t i = toLong(which);
    if (i < 1 || static_cast<size_t>(i) > items_.size()) raise(9);
    return static_cast<size_t>(i - 1);
  }
};

struct ProgId {
  const char16_t* name;
  Object* (*make)(Engine*);
  bool safe;
};

constexpr ProgId kProgIds[] = {
    {u"VBScript.RegExp", [](Engine*) { return newRegExp(); }, true},
    {u"Scripting.Dictionary", [](Engine* e) { return newDictionary(e); }, true},
    {u"Scripting.FileSystemObject", [](Engine* e) { return newFileSystemObject(e); }, false},
    {u"WScript.Shell", newShell, false},
    {u"WScript.Network", [](Engine*) { return newNetwork(); }, false},
    // MSXML 3 answers to all but the .6.0 name; load and save refuse under the safe subset.
    {u"MSXML2.DOMDocument", [](Engine* e) { return newDomDocument(e); }, true},
    {u"MSXML2.DOMDocument.3.0", [](Engine* e) { return newDomDocument(e); }, true},
    {u"MSXML2.DOMDocument.6.0", [](Engine* e) { return newDomDocument(e, true); }, true},
    {u"Microsoft.XMLDOM", [](Engine* e) { return newDomDocument(e); }, true},
    {u"MSXML.DOMDocument", [](Engine* e) { return newDomDocument(e); }, true},
    {u"MSXML2.XMLHTTP", [](Engine* e) { return newHttpRequest(HttpFlavor::XmlHttp, e); }, false},
    {u"MSXML2.XMLHTTP.3.0", [](Engine* e) { return newHttpRequest(HttpFlavor::XmlHttp, e); }, false},
    {u"MSXML2.XMLHTTP.6.0", [](Engine* e) { return newHttpRequest(HttpFlavor::XmlHttp6, e); }, false},
    {u"Microsoft.XMLHTTP", [](Engine* e) { return newHttpRequest(HttpFlavor::XmlHttp, e); }, false},
    {u"MSXML2.ServerXMLHTTP", [](Engine* e) { return newHttpRequest(HttpFlavor::ServerXmlHttp, e); }, false},
    {u"MSXML2.ServerXMLHTTP.3.0", [](Engine* e) { return newHttpRequest(HttpFlavor::ServerXmlHttp, e); }, false},
    {u"MSXML2.ServerXMLHTTP.6.0", [](Engine* e) { return newHttpRequest(HttpFlavor::ServerXmlHttp6, e); }, false},
    {u"WinHttp.WinHttpRequest.5.1", [](Engine* e) { return newHttpRequest(HttpFlavor::WinHttp, e); }, false},
    {u"ADODB.Stream", [](Engine*) { return newAdoStream(); }, false},
    {u"ADODB.Recordset", [](Engine*) { return newRecordset(); }, false},
    {u"System.Collections.ArrayList", [](Engine* e) { return newArrayList(e); }, false},
    {u"System.Text.StringBuilder", [](Engine*) { return newStringBuilder(); }, false},
};

const ProgId* findProgId(u16v name) {
  for (const ProgId& p : kProgIds)
    if (equalsNoCase(p.name, name)) return &p;
  return nullptr;
}

}  // namespace

Object* newDictionary(Engine* engine) { return new DictionaryObj(engine); }
Object* newCollection() { return new CollectionObj; }

Object* createBuiltinObject(u16v progId, Engine* engine) {
  const ProgId* p = findProgId(progId);
  return p ? p->make(engine) : nullptr;
}

bool isProgIdSafe(u16v progId) {
  const ProgId* p = findProgId(progId);
  return p && p->safe;
}

}  // namespace pw
