// Name lookup over all the built-in tables.
#include "builtins.h"

#include <string>
#include <unordered_map>

namespace pw {

namespace {

// Built-in names are ASCII, so folding ASCII letters suffices; a name with
// other characters cannot match and gives an empty key.
bool asciiKey(u16v name, u16& key) {
  key.clear();
  key.reserve(name.size());
  for (char16_t c : name) {
    if (c >= 0x80) return false;
    key.push_back(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
  }
  return true;
}

struct Index {
  std::unordered_map<u16, const BuiltinDef*> fns;
  std::unordered_map<u16, const ConstDef*> consts;

  Index() {
    // The engine's own functions come first so they win over a library row
    // of the same name.
    for (auto table : {coreBuiltins(), convertBuiltins(), stringBuiltins(), mathBuiltins(),
                       dateBuiltins(), formatBuiltins(), inspectBuiltins()})
      for (const BuiltinDef& d : table) {
        u16 k;
        asciiKey(d.name, k);
        fns.emplace(std::move(k), &d);
      }
    for (const ConstDef& c : builtinConstants()) {
      u16 k;
      asciiKey(c.name, k);
      consts.emplace(std::move(k), &c);
    }
  }
};

const Index& index() {
  static const Index ix;
  return ix;
}

}  // namespace

const BuiltinDef* findBuiltin(u16v name) {
  u16 k;
  if (!asciiKey(name, k)) return nullptr;
  const Index& ix = index();
  auto it = ix.fns.find(k);
  return it == ix.fns.end() ? nullptr : it->second;
}

void checkBuiltinUse(const BuiltinDef& def, bool statement) {
  if (statement && (def.use & kNotStatement)) raise(458);
  if (!statement && (def.use & kNotValue)) raise(13);
}

const ConstDef* findConstant(u16v name) {
  u16 k;
  if (!asciiKey(name, k)) return nullptr;
  const Index& ix = index();
  auto it = ix.consts.find(k);
  return it == ix.consts.end() ? nullptr : it->second;
}

}  // namespace pw
