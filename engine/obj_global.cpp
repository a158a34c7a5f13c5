// What Me means outside a class: the script's own global object, whose
// members are the script's global variables and procedures.
#include "engine.h"
#include "ops.h"

namespace pw {

namespace {

class GlobalObject final : public Object {
 public:
  explicit GlobalObject(Engine& e) : eng_(e) {}
  int32_t getIdOfName(u16v name) override {
    int32_t g = eng_.findGlobal(name);
    return g >= 0 ? g + 1 : DISPID_UNKNOWN;
  }
  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    // A number kept from before a Reset may no longer name anything.
    if (id < 1 || static_cast<size_t>(id) > eng_.globalCount()) raise(438);
    Global& g = eng_.global(id - 1);
    bool put = kind == InvokeKind::Let || kind == InvokeKind::Set;
    if (g.proc) {
      if (put) raise(438);
      return eng_.callProc(g.proc, nullptr, args);
    }
    Variant& v = g.value;
    if (put) {
      if (g.isConst) raise(501);
      Variant& value = args.ref(args.n - 1);
      if (kind == InvokeKind::Set && value.vt != vtObject) raise(424);
      if (args.n > 1) {
        if (v.vt == vtObject && v.o) return v.o->invoke(DISPID_VALUE, kind, args);
        if (v.vt != vtArray) raise(13);
        if (v.a->refs > 1) v = Variant::array(v.a->clone());
        v.a->data[element(v, args, args.n - 1)] = value;
        return Variant();
      }
      v = value;
      return Variant();
    }
    if (args.n == 0) return v;
    if (v.vt == vtArray) return v.a->data[element(v, args, args.n)];
    if (v.vt == vtObject && v.o) return v.o->invoke(DISPID_VALUE, InvokeKind::Get, args);
    raise(13);
  }
  u16 typeName() const override { return u"Object"; }

 private:
  static size_t element(const Variant& arr, Args args, int n) {
    std::vector<int32_t> subs;
    for (int i = 0; i < n; ++i) subs.push_back(toLong(args[i]));
    long long k = arr.a->flatIndex(subs.data(), subs.size());
    if (k < 0) raise(9);
    return static_cast<size_t>(k);
  }
  Engine& eng_;
};

}  // namespace

Variant Engine::globalObject() {
  if (!globalObject_) globalObject_ = Ref<Object>(new GlobalObject(*this));
  return Variant::object(globalObject_.get());
}

}  // namespace pw
