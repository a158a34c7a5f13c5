// The bytecode interpreter.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "engine.h"
#include "ops.h"

namespace pw {

namespace {

// Holds a collection's enumerator in a For Each temp slot.
class EnumHolder final : public Object {
 public:
  explicit EnumHolder(Enumerator* e) : en(e) {}
  ~EnumHolder() override { delete en; }
  int32_t getIdOfName(u16v) override { return DISPID_UNKNOWN; }
  Variant invoke(int32_t, InvokeKind, Args) override { raise(438); }
  u16 typeName() const override { return u"Enumerator"; }
  Enumerator* en;
};

int32_t subscript(const Variant& v) {
  const Variant& d = v.deref();
  if (d.vt == vtInteger) return d.i;
  if (d.vt == vtLong) return d.l;
  return toLong(d);
}

// Makes the array in v unshared before an element is written.
ArrayRep* ownArray(Variant& v) {
  ArrayRep* a = v.a;
  if (sharedArray(a)) {
    ArrayRep* c = a->clone();
    v = Variant::array(c);
    return c;
  }
  return a;
}

// Fast paths of + - * for Integer, Long and Double; false when another
// subtype needs the general rules.
enum class Arith { Add, Sub, Mul };
template <Arith K>
inline bool fastArith(Variant& a, const Variant& b) {
  uint16_t ta = a.vt, tb = b.vt;
  if (ta == vtInteger && tb == vtInteger) {
    int32_t x = a.i, y = b.i;
    int32_t r = K == Arith::Add ? x + y : K == Arith::Sub ? x - y : x * y;
    if (r >= -32768 && r <= 32767) a.i = static_cast<int16_t>(r);
    else { a.vt = vtLong; a.raw = 0; a.l = r; }
    return true;
  }
  if ((ta == vtInteger || ta == vtLong) && (tb == vtInteger || tb == vtLong)) {
    int64_t x = ta == vtInteger ? a.i : a.l, y = tb == vtInteger ? b.i : b.l;
    int64_t r = K == Arith::Add ? x + y : K == Arith::Sub ? x - y : x * y;
    a.raw = 0;
    if (r >= INT32_MIN && r <= INT32_MAX) { a.vt = vtLong; a.l = static_cast<int32_t>(r); }
    else { a.vt = vtDouble; a.d = static_cast<double>(r); }
    return true;
  }
  if ((ta == vtDouble || ta == vtInteger || ta == vtLong) && (tb == vtDouble || tb == vtInteger || tb == vtLong)) {
    double x = ta == vtDouble ? a.d : ta == vtInteger ? a.i : a.l;
    double y = tb == vtDouble ? b.d : tb == vtInteger ? b.i : b.l;
    double r = K == Arith::Add ? x + y : K == Arith::Sub ? x - y : x * y;
    if (!std::isfinite(r)) return false;
    a.vt = vtDouble;
    a.d = r;
    return true;
  }
  return false;
}

// total = total + x: a running sum soon becomes a Double and stays one, so
// that case goes first; the rest as fastArith.
inline bool addTo(Variant& a, const Variant& b) {
  if (a.vt == vtDouble) {
    double y;
    if (b.vt == vtLong) y = b.l;
    else if (b.vt == vtDouble) y = b.d;
    else if (b.vt == vtInteger) y = b.i;
    else return false;
    double r = a.d + y;
    if (!std::isfinite(r)) return false;
    a.d = r;
    return true;
  }
  return fastArith<Arith::Add>(a, b);
}

// target & tail written straight into target's buffer when target alone
// holds it and it has room (s = s & x, a & b & c); opConcat does the rest.
inline bool appendInPlace(Variant& target, const Variant& tail) {
  if (target.vt != vtString || tail.vt != vtString || ((target.aux | tail.aux) & 1)) return false;
  StrRep* r = target.s;
  if (!r || r->refs != 1 || r->atEnd) return false;
  uint32_t n = target.strLen(), m = tail.strLen();
  if (r->cap - n < m) return false;
  if (m) std::memcpy(r->data + n, tail.strView().data(), m * sizeof(char16_t));
  r->len = n + m;
  r->data[n + m] = 0;
  target.aux = (n + m) << kStrLenShift;
  return true;
}

Variant letValue(Variant v) {
  if (v.vt == vtObject) return defaultValue(v);
  return v;
}

}  // namespace

Variant Engine::indexValue(Variant& baseIn, Variant* args, int argc) {
  Variant& base = baseIn.deref();
  if (base.vt == vtArray) {
    ArrayRep* a = base.a;
    if (static_cast<size_t>(argc) != a->rank()) raise(9);
    int32_t subs[64];
    if (argc > 64) raise(9);
    for (int i = 0; i < argc; ++i) subs[i] = subscript(args[i]);
    long long k = a->flatIndex(subs, argc);
    if (k < 0) raise(9);
    return a->data[static_cast<size_t>(k)];
  }
  if (base.vt == vtObject) {
    if (!base.o) raise(91);
    Ref<Object> keep(base.o);
    return base.o->invoke(DISPID_VALUE, InvokeKind::Get, Args{args, argc});
  }
  if (argc == 0) return base;
  raise(13);
}

void Engine::indexStore(Variant& targetIn, Variant* args, int argc, Variant& value, bool isSet) {
  Variant& target = targetIn.deref();
  if (target.vt == vtArray) {
    if (isSet) {
      if (value.vt != vtObject) raise(424);
    }
    Variant v = isSet ? value : letValue(value);
    ArrayRep* a = ownArray(target);
    if (static_cast<size_t>(argc) != a->rank()) raise(9);
    int32_t subs[64];
    if (argc > 64) raise(9);
    for (int i = 0; i < argc; ++i) subs[i] = subscript(args[i]);
    long long k = a->flatIndex(subs, argc);
    if (k < 0) raise(9);
    a->data[static_cast<size_t>(k)] = std::move(v);
    return;
  }
  if (target.vt == vtObject) {
    if (!target.o) raise(91);
    Ref<Object> keep(target.o);
    // args are followed by the value on the stack.
    target.o->invoke(DISPID_VALUE, isSet ? InvokeKind::Set : InvokeKind::Let, Args{args, argc + 1});
    return;
  }
  raise(13);
}

Variant Engine::member(Frame& f, const Ins& in, Variant& objIn, Variant* args, int argc, InvokeKind kind) {
  const Variant& ov = objIn.deref();
  if (ov.vt != vtObject) raise(424);
  Object* o = ov.o;
  if (!o) raise(91);
  Ref<Object> keep(o);
  Proc* p = f.proc;
  int32_t id;
  if (in.b < 0) {
    id = DISPID_VALUE;
  } else {
    MemberCache& mc = p->caches[in.c];
    const void* key = o->memberCacheKey();
    if (key && mc.key == key) {
      id = mc.id;
    } else {
      auto* so = asScriptObject(o);
      if (so && f.me && f.me->cls == so->cls) id = so->idOfNameInternal(p->names[in.b]);
      else id = o->getIdOfName(p->names[in.b]);
      if (id == DISPID_UNKNOWN) raise(438);
      if (key && !(so && f.me && f.me->cls == so->cls)) {
        mc.key = key;
        mc.id = id;
      }
    }
  }
  if (timeoutMs == 0 && !o->memberCacheKey()) hostCalled();
  if (auto* so = asScriptObject(o)) {
    return so->invokeMember(id, kind, Args{args, argc}, f.me && f.me->cls == so->cls);
  }
  return o->invoke(id, kind, Args{args, argc});
}

// o.arr(i) as the root of o.arr(i)(j) = x: the element of the field's own
// array, so that the assignment lands in it.
Variant Engine::memberElementRef(Frame& f, const Ins& in, Variant& objIn, Variant* args, int argc) {
  const Variant& ov = objIn.deref();
  if (ov.vt == vtObject && ov.o && argc > 0) {
    if (auto* so = asScriptObject(ov.o)) {
      bool inside = f.me && f.me->cls == so->cls;
      const u16& name = f.proc->names[in.b];
      int32_t id = inside ? so->idOfNameInternal(name) : so->getIdOfName(name);
      if (id != DISPID_UNKNOWN) {
        int field = so->cls->members[id - 1].field;
        if (field >= 0 && so->fields[field].vt == vtArray) return elementRef(so->fields[field], args, argc);
      }
    }
  }
  // Anything else is assigned through its default member: it must be an object.
  Variant r = member(f, in, objIn, args, argc, InvokeKind::Get);
  if (r.vt != vtObject) raise(424);
  return r;
}

void Engine::redim(Variant& targetIn, Variant* bounds, int n, bool preserve, bool fixed) {
  Variant& target = targetIn.deref();
  // A fixed or locked array refuses before its new bounds are even read.
  if ((target.flags & kFlagFixed) || (target.vt == vtArray && target.a->locks > 0)) raise(10);
  std::vector<Bound> dims;
  for (int i = 0; i < n; ++i) {
    int32_t ub = subscript(bounds[i]);
    if (ub < -1) raise(9);
    dims.push_back({0, ub + 1});
  }
  if (target.vt == vtArray) {
    ArrayRep* old = target.a;
    if (preserve && !old->dims.empty()) {
      if (old->rank() != dims.size()) raise(9);
      for (size_t k = 0; k + 1 < dims.size(); ++k)
        if (dims[k].count != old->dims[k].count) raise(9);
      ArrayRep* a = ArrayRep::make(dims);
      size_t keep = std::min(a->data.size(), old->data.size());
      for (size_t k = 0; k < keep; ++k) a->data[k] = old->data[k];
      target = Variant::array(a);
      return;
    }
  }
  target = Variant::array(ArrayRep::make(dims));
  if (fixed) target.flags |= kFlagFixed;
}

void Engine::eachInit(Variant* slots, Variant& collIn) {
  const Variant& coll = collIn.deref();
  if (coll.vt == vtArray) {
    slots[0] = coll;
    slots[1] = Variant::lng(0);
    return;
  }
  if (coll.vt == vtObject) {
    if (!coll.o) raise(91);
    Ref<Object> keep(coll.o);
    Enumerator* en = coll.o->newEnum();
    if (!en) raise(451);
    slots[0] = Variant::object(new EnumHolder(en));
    slots[1].clear();
    return;
  }
  raise(451);
}

bool Engine::eachNext(Variant* slots, Variant& out) {
  if (slots[0].vt == vtArray) {
    ArrayRep* a = slots[0].a;
    int32_t k = slots[1].l;
    // An unallocated dynamic array (Dim a()) has no dimensions and no elements.
    if (a->dims.empty() || static_cast<size_t>(k) >= a->data.size()) return false;
    out = a->data[static_cast<size_t>(k)];
    slots[1].l = k + 1;
    return true;
  }
  if (slots[0].vt == vtObject && slots[0].o) {
    auto* h = static_cast<EnumHolder*>(slots[0].o);
    return h->en->next(out);
  }
  return false;
}

// A name the compiler left to run time: the procedure's own local once it
// exists, else a global, else a builtin function of that name.
// What a name found at run time reads as: a variable's value, or the result of
// its procedure or builtin called with no arguments. False when it names nothing.
bool Engine::readDyn(const DynTarget& t, Variant* sp, Variant& out) {
  if (t.var) {
    out = *t.var;
  } else if (t.g) {
    out = runFrame(t.g->proc, nullptr, sp, 0);
  } else if (t.fn) {
    if (t.fn->minArgs > 0) raise(450);
    sp_ = std::max(sp_, sp + 1);
    out = t.fn->fn(*this, Args{sp, 0});
  } else {
    return false;
  }
  return true;
}

Engine::DynTarget Engine::findDyn(Frame& f, int32_t ni) {
  Proc* p = f.proc;
  if (int32_t slot = p->dynLocals[ni]; slot >= 0) {
    Variant& v = f.base[slot].deref();
    if (v.flags & kFlagLive) return {&v, nullptr, nullptr};
  }
  int32_t g = p->dynCache[ni];
  if (g < 0) {
    g = findGlobal(p->names[ni]);
    if (g >= 0) p->dynCache[ni] = g;
  }
  if (g >= 0) {
    Global& gl = *globals_[g];
    if (gl.proc) return {nullptr, &gl, nullptr};
    return {&gl.value, gl.isConst ? &gl : nullptr, nullptr};
  }
  if (p->dynBuiltin[ni] >= 0) return {nullptr, nullptr, builtinBySlot(p->dynBuiltin[ni])};
  return {};
}

// The first assignment to a name that nothing holds: in a procedure it
// becomes the procedure's local, at the top level a global.
Variant* Engine::createDyn(Frame& f, int32_t ni) {
  Proc* p = f.proc;
  if (int32_t slot = p->dynLocals[ni]; slot >= 0) {
    Variant& v = f.base[slot].deref();
    v.flags |= kFlagLive;
    return &v;
  }
  int32_t g = addGlobal(p->names[ni]);
  p->dynCache[ni] = g;
  return &globals_[g]->value;
}

// name(args) for a name bound at run time: index a variable, call a
// procedure or builtin. flags: 1 a statement, 2 an argument that binds ByRef
// (an array element is then passed by reference).
Variant Engine::callDyn(Frame& f, int32_t nameIdx, Variant* args, int argc, uint16_t flags) {
  DynTarget t = findDyn(f, nameIdx);
  if (t.var) {
    if ((flags & 2) && argc > 0 && t.var->vt == vtArray) return elementRef(*t.var, args, argc);
    return indexValue(*t.var, args, argc);
  }
  if (t.g) {
    Variant* base = sp_;
    for (int i = 0; i < argc; ++i) base[i] = args[i];
    sp_ += argc;
    return runFrame(t.g->proc, nullptr, base, argc);
  }
  if (t.fn) {
    if (argc < t.fn->minArgs || (t.fn->maxArgs >= 0 && argc > t.fn->maxArgs)) raise(450);
    return t.fn->fn(*this, Args{args, argc});
  }
  // A call statement: "Sub or Function not defined". Inside an expression
  // the name is read as a variable first: undefined under Option Explicit,
  // else Empty, which cannot take arguments.
  if (flags & 1) raise(35);
  raise(f.proc->unit->optionExplicit ? 500 : 13);
}

// A reference to an element of the array in target, which stays locked
// (ReDim and Erase raise 10) until releaseLocks; the value when target holds
// no array.
Variant Engine::elementRef(Variant& targetIn, Variant* args, int argc) {
  Variant& target = targetIn.deref();
  if (target.vt != vtArray || argc == 0) return indexValue(target, args, argc);
  ArrayRep* a = ownArray(target);
  if (static_cast<size_t>(argc) != a->rank() || argc > 64) raise(9);
  int32_t subs[64];
  for (int i = 0; i < argc; ++i) subs[i] = subscript(args[i]);
  long long k = a->flatIndex(subs, argc);
  if (k < 0) raise(9);
  elemLocks_.push_back(a);
  a->addRef();
  ++a->locks;
  return Variant::reference(&a->data[static_cast<size_t>(k)]);
}

void Engine::releaseLocks(size_t depth) {
  while (elemLocks_.size() > depth) {
    ArrayRep* a = elemLocks_.back();
    elemLocks_.pop_back();
    if (!a) continue;  // released early (unlockElement)
    --a->locks;
    a->release();
  }
}

// Ends the lock that binding elem took, if elem is a locked array's element.
void Engine::unlockElement(const Variant* elem) {
  for (auto it = elemLocks_.rbegin(); it != elemLocks_.rend(); ++it) {
    ArrayRep* a = *it;
    if (a && !a->data.empty() && elem >= a->data.data() && elem < a->data.data() + a->data.size()) {
      *it = nullptr;
      --a->locks;
      a->release();
      return;
    }
  }
}

[[noreturn]] void Engine::stackOverflow() { raise(28); }

// The innermost frame of a failing statement gives the error its position.
void Engine::placeError(const Proc& p, uint32_t fault) {
  if (errPlaced_ || p.isDynamic) return;
  auto it = std::upper_bound(p.stmts.begin(), p.stmts.end(), fault,
                             [](uint32_t x, const StmtPos& s) { return x < s.pc; });
  if (it != p.stmts.begin()) {
    --it;
    errLine_ = it->line;
    errCol_ = it->col;
  } else {
    errLine_ = errCol_ = 0;
  }
  errPlaced_ = true;
}

Variant Engine::runFrame(Proc* p, ScriptObject* me, Variant* base, int argc, Frame* owner) {
  char probe;
  if (argc != p->nparams || base + p->nlocals + p->maxStack + 8 > stackEnd_ ||
      reinterpret_cast<uintptr_t>(&probe) < cStackLimit_) {
    for (int i = 0; i < argc; ++i) base[i].clear();
    if (argc != p->nparams) raise(450);
    stackOverflow();
  }
  try {
    for (int i = 0; i < argc; ++i) {
      if (base[i].vt == vtRef && p->byVal[i]) {
        Variant* target = base[i].ref;
        base[i] = Variant(*target);
        if (!elemLocks_.empty()) unlockElement(target);  // a ByVal copy leaves the array free
      }
    }
    if (--budget_ < 0) checkTimeout();
  } catch (...) {
    // A time-out here would otherwise leave the arguments on the stack,
    // where the next run's locals start.
    for (int i = 0; i < argc; ++i) base[i].clear();
    throw;
  }
  Variant* savedSp = sp_;
  Variant* end = base + p->nlocals + p->maxStack;
  sp_ = end + 1;
  if (sp_ > stackHigh_) stackHigh_ = sp_;
  Frame f{p, me, base};
  f.owner = p->isGlobalCode ? nullptr : owner ? owner : &f;
  f.lockBase = elemLocks_.size();
  frames.push_back(&f);
  Ref<Object> keepMe(me);
  auto cleanup = [&] {
    frames.pop_back();
    releaseLocks(f.lockBase);
    for (Variant* q = base; q < base + p->nlocals; ++q) {
      q->clear();
      q->flags = 0;
    }
    f.extras.reset();
    sp_ = savedSp;
  };
  try {
    execLoop(f);
  } catch (...) {
    cleanup();
    throw;
  }
  Variant result;
  if (p->retSlot >= 0) result = std::move(base[p->retSlot]);
  cleanup();
  return result;
}

Variant Engine::callProc(Proc* p, ScriptObject* me, Args args) {
  Variant* base = sp_;
  if (base + args.n + 8 > stackEnd_) raise(28);
  for (int i = 0; i < args.n; ++i) base[i] = args.v[i];
  return runFrame(p, me, base, args.n);
}

void Engine::execLoop(Frame& f) {
  Proc* const p = f.proc;
  const Ins* const code = p->code.data();
  Variant* const L = f.base;
  Variant* const opBase = L + p->nlocals;
  Variant* sp = opBase;
  const Ins* ip = code;  // the next instruction
  // After an error: empties the operand stack, then either continues at the
  // next statement (On Error Resume Next, true) or places the error (false).
  // It works on copies of sp and the pc: were the loop's own taken by
  // address, the compiler would keep them in memory for every instruction.
  auto recover = [&](const ScriptError& e, Variant*& sp, uint32_t& pc) {
    for (Variant* q = opBase; q < sp; ++q) q->clear();
    sp = opBase;
    uint32_t fault = pc - 1;
    releaseLocks(f.lockBase);
    if (f.resumeNext) {
      setErr(e);
      errPlaced_ = false;
      for (const ResumeRange& r : p->resumeRanges) {
        if (fault >= r.from && fault < r.to) {
          pc = r.at;
          return true;
        }
      }
      auto it = std::upper_bound(p->boundaries.begin(), p->boundaries.end(), fault);
      pc = it == p->boundaries.end() ? static_cast<uint32_t>(p->code.size() - 1) : *it;
      return true;
    }
    placeError(*p, fault);
    return false;
  };
  for (;;) {
    try {
      for (;;) {
        const Ins& in = *ip++;
        switch (in.op) {
          // Slots above sp are Empty, so the plain loads and references
          // construct into them, sparing assignment's release check.
          case OpCode::PushConst:
            new (sp++) Variant(p->consts[in.b]);
            break;
          case OpCode::PushEmpty:
            ++sp;
            break;
          case OpCode::PushNothing:
            *sp++ = Variant::object(nullptr);
            break;
          case OpCode::PushMissing:
            *sp++ = Variant::missing();
            break;
          case OpCode::PushMe:
            *sp++ = f.me ? Variant::object(f.me) : globalObject();
            break;
          case OpCode::Pop:
            (--sp)->clear();
            break;
          case OpCode::LdLocal:
            new (sp++) Variant(L[in.b].deref());
            break;
          case OpCode::LdGlobal:
            new (sp++) Variant(globals_[in.b]->value);
            break;
          case OpCode::LdField:
            new (sp++) Variant(f.me->fields[in.b]);
            break;
          case OpCode::LdDyn: {
            // The procedure's own implicit local, once assigned, reads like a declared one.
            if (in.c) {
              const Variant& v = L[in.c - 1].deref();
              if (v.flags & kFlagLive) {
                new (sp++) Variant(v);
                break;
              }
            }
            Variant r;
            if (readDyn(findDyn(f, in.b), sp, r)) {
              *sp++ = std::move(r);
            } else if (p->unit->optionExplicit) {
              raise(500);
            } else {
              ++sp;  // an unassigned name reads as Empty
            }
            break;
          }
          case OpCode::StLocal:
          case OpCode::StGlobal:
          case OpCode::StField:
          case OpCode::StDyn: {
            Variant* target;
            if (in.op == OpCode::StLocal) target = &L[in.b].deref();
            else if (in.op == OpCode::StGlobal) target = &globals_[in.b]->value;
            else if (in.op == OpCode::StField) target = &f.me->fields[in.b];
            else if (in.c && (L[in.c - 1].deref().flags & kFlagLive)) {
              target = &L[in.c - 1].deref();
            } else {
              DynTarget t = findDyn(f, in.b);
              if (t.g) raise(501);
              if (t.var) target = t.var;
              else if (p->unit->optionExplicit) raise(500);
              else target = createDyn(f, in.b);
            }
            if (target->flags & kFlagFixed) raise(10);
            Variant& v = sp[-1];
            if (in.a == kLet) {
              if (v.vt == vtObject) {
                Variant d = defaultValue(v);
                *target = std::move(d);
              } else {
                *target = std::move(v);
              }
            } else if (in.a == kSet) {
              if (v.vt != vtObject) raise(424);
              *target = std::move(v);
            } else {
              *target = std::move(v);
            }
            (--sp)->clear();
            break;
          }
          case OpCode::RefLocal:
            new (sp++) Variant(Variant::reference(&L[in.b].deref()));
            break;
          case OpCode::RefGlobal:
            new (sp++) Variant(Variant::reference(&globals_[in.b]->value));
            break;
          case OpCode::RefField:
            new (sp++) Variant(Variant::reference(&f.me->fields[in.b]));
            break;
          case OpCode::RefDyn: {
            // a: 0 a ByRef use, 1 ReDim (declares), 2 Dim in Execute code (the caller's local).
            if (in.a == 2) {
              Variant* v = createDyn(f, in.b);
              *sp++ = Variant::reference(v);
              break;
            }
            if (in.c && (L[in.c - 1].deref().flags & kFlagLive)) {
              new (sp++) Variant(Variant::reference(&L[in.c - 1].deref()));
              break;
            }
            DynTarget t = findDyn(f, in.b);
            if (t.var && !t.g) {
              *sp++ = Variant::reference(t.var);
            } else if (in.a == 1) {
              if (t.g) raise(501);
              *sp++ = Variant::reference(createDyn(f, in.b));
            } else if (Variant r; readDyn(t, sp, r)) {
              *sp++ = std::move(r);
            } else if (p->unit->optionExplicit) {
              raise(500);
            } else {
              *sp++ = Variant::reference(createDyn(f, in.b));
            }
            break;
          }
          case OpCode::Illegal:
            raise(in.b ? in.b : 501);
#define PW_ARITH(OPC, KIND, FN)                        \
  case OpCode::OPC: {                                  \
    if (fastArith<Arith::KIND>(sp[-2], sp[-1])) {       \
      (--sp)->clear();                                 \
      break;                                           \
    }                                                  \
    Variant r = FN(sp[-2], sp[-1]);                    \
    (--sp)->clear();                                   \
    sp[-1] = std::move(r);                             \
    break;                                             \
  }
          PW_ARITH(Add, Add, opAdd)
          PW_ARITH(Sub, Sub, opSub)
          PW_ARITH(Mul, Mul, opMul)
#undef PW_ARITH
#define PW_ARITH_K(OPC, KIND, FN)                          \
  case OpCode::OPC: {                                      \
    const Variant& k = p->consts[in.b];                    \
    if (fastArith<Arith::KIND>(sp[-1], k)) break;          \
    Variant r = FN(sp[-1], k);                             \
    sp[-1] = std::move(r);                                 \
    break;                                                 \
  }
          PW_ARITH_K(AddK, Add, opAdd)
          PW_ARITH_K(SubK, Sub, opSub)
          PW_ARITH_K(MulK, Mul, opMul)
#undef PW_ARITH_K
#define PW_BINOP(OPC, FN)          \
  case OpCode::OPC: {              \
    Variant r = FN(sp[-2], sp[-1]); \
    (--sp)->clear();               \
    sp[-1] = std::move(r);         \
    break;                         \
  }
          PW_BINOP(Div, opDiv)
          PW_BINOP(IntDiv, opIntDiv)
          PW_BINOP(Mod, opMod)
          PW_BINOP(Pow, opPow)
          PW_BINOP(And, opAnd)
          PW_BINOP(Or, opOr)
          PW_BINOP(Xor, opXor)
          PW_BINOP(Eqv, opEqv)
          PW_BINOP(Imp, opImp)
#undef PW_BINOP
          case OpCode::Concat: {
            // Strings share a buffer that the join extends in place when it can.
            if (!appendInPlace(sp[-2], sp[-1])) {
              Variant r = opConcat(sp[-2], sp[-1]);
              sp[-2] = std::move(r);
            }
            (--sp)->clear();
            break;
          }
          case OpCode::Neg:
            sp[-1] = opNeg(sp[-1]);
            break;
          case OpCode::Not:
            sp[-1] = opNot(sp[-1]);
            break;
          case OpCode::Cmp: {
            Variant& a = sp[-2];
            Variant& b = sp[-1];
            CmpOp op = static_cast<CmpOp>(in.a);
            if ((a.vt == vtInteger || a.vt == vtLong) && (b.vt == vtInteger || b.vt == vtLong)) {
              int32_t x = a.vt == vtInteger ? a.i : a.l, y = b.vt == vtInteger ? b.i : b.l;
              bool r;
              switch (op) {
                case CmpOp::Eq: r = x == y; break;
                case CmpOp::Ne: r = x != y; break;
                case CmpOp::Lt: r = x < y; break;
                case CmpOp::Le: r = x <= y; break;
                case CmpOp::Gt: r = x > y; break;
                default: r = x >= y; break;
              }
              (--sp)->clear();  // slots above sp are Empty: a new frame's locals start there
              sp[-1] = Variant::boolean(r);
              break;
            }
            Variant r = opCompare(op, a, b, in.c & 1, in.c & 2);
            (--sp)->clear();
            sp[-1] = std::move(r);
            break;
          }
          case OpCode::Is: {
            bool r = opIs(sp[-2], sp[-1]);
            (--sp)->clear();
            sp[-1] = Variant::boolean(r);
            break;
          }
          case OpCode::Jmp:
            if (code + in.b < ip && --budget_ < 0) checkTimeout();
            ip = code + in.b;
            break;
          case OpCode::JmpFalse:
          case OpCode::JmpTrue: {
            Variant& v = sp[-1];
            bool t;
            if (v.vt == vtBoolean) t = v.b != 0;
            else if (v.vt == vtNull) t = false;
            else t = toBool(v);
            (--sp)->clear();
            if (t == (in.op == OpCode::JmpTrue)) {
              if (code + in.b < ip && --budget_ < 0) checkTimeout();
              ip = code + in.b;
            }
            break;
          }
          case OpCode::ForPrep: {
            // [start, limit, step] -> temps; start stays for the store.
            Variant* t = &L[in.b];
            t[2].vt = vtEmpty;  // no counter kept until the header has run
            Variant step = toNumeric(sp[-1]);
            Variant limit = toNumeric(sp[-2]);
            if (step.vt == vtNull || limit.vt == vtNull) raise(94);
            Variant start = toNumeric(sp[-3]);
            if (start.vt == vtNull) raise(94);
            t[0] = std::move(limit);
            t[1] = std::move(step);
            sp[-3] = std::move(start);
            (--sp)->clear();
            (--sp)->clear();
            break;
          }
          case OpCode::ForTest: {
            Variant* t = &L[in.c];
            Variant& v = sp[-1];
            bool done;
            if (v.vt == vtInteger || v.vt == vtLong) {
              int32_t x = v.vt == vtInteger ? v.i : v.l;
              if ((t[0].vt == vtInteger || t[0].vt == vtLong) && (t[1].vt == vtInteger || t[1].vt == vtLong)) {
                int32_t lim = t[0].vt == vtInteger ? t[0].i : t[0].l;
                int32_t st = t[1].vt == vtInteger ? t[1].i : t[1].l;
                done = st >= 0 ? x > lim : x < lim;
              } else {
                double st = toDouble(t[1]);
                done = st >= 0 ? compare(v, t[0]) > 0 : compare(v, t[0]) < 0;
              }
            } else {
              double st = toDouble(t[1]);
              int c = compare(v, t[0]);
              if (c == 2) raise(94);
              done = st >= 0 ? c > 0 : c < 0;
            }
            (--sp)->clear();
            if (done) ip = code + in.b;
            break;
          }
          case OpCode::ForKeep:
            // A temp, never a ByRef slot: the reference replaces whatever it held.
            L[in.b].vt = vtRef;
            L[in.b].ref = (--sp)->ref;
            sp->vt = vtEmpty;
            sp->raw = 0;
            break;
          case OpCode::ForNext: {
            Variant* t = &L[in.c];
            // A header that failed under On Error Resume Next ran the body once.
            if (t[2].vt != vtRef) break;
            Variant& var = *t[2].ref;
            bool done;
            if (var.vt == vtInteger && t[1].vt == vtInteger && t[0].vt == vtInteger) {
              int32_t r = int32_t(var.i) + t[1].i;
              // var holds a number: nothing to release, so write it directly.
              if (r >= -32768 && r <= 32767) var.i = static_cast<int16_t>(r);
              else { var.vt = vtLong; var.raw = 0; var.l = r; }
              done = t[1].i >= 0 ? r > t[0].i : r < t[0].i;
            } else if ((var.vt == vtLong || var.vt == vtInteger) && (t[1].vt == vtInteger || t[1].vt == vtLong) &&
                       (t[0].vt == vtInteger || t[0].vt == vtLong)) {
              int64_t st = t[1].vt == vtInteger ? t[1].i : t[1].l;
              int64_t r = int64_t(var.vt == vtInteger ? var.i : var.l) + st;
              if (r > INT32_MAX || r < INT32_MIN) raise(6);
              // As with +, Integer plus Integer stays Integer while it fits,
              // whatever the limit's subtype.
              var.raw = 0;
              if (var.vt == vtInteger && t[1].vt == vtInteger && r >= INT16_MIN && r <= INT16_MAX) {
                var.i = static_cast<int16_t>(r);
              } else {
                var.vt = vtLong;
                var.l = static_cast<int32_t>(r);
              }
              int64_t lim = t[0].vt == vtInteger ? t[0].i : t[0].l;
              done = st >= 0 ? r > lim : r < lim;
            } else {
              var = opAdd(var, t[1]);
              int c = compare(var, t[0]);
              if (c == 2) raise(94);
              done = toDouble(t[1]) >= 0 ? c > 0 : c < 0;
            }
            if (!done) {
              if (--budget_ < 0) checkTimeout();
              ip = code + in.b;
            }
            break;
          }
          case OpCode::AddTo: {
            Variant& target = sp[-2].deref();
            if (!addTo(target, sp[-1])) {
              Variant r = opAdd(target, sp[-1]);
              target = std::move(r);
            }
            (--sp)->clear();
            (--sp)->clear();
            break;
          }
          case OpCode::AddToGlobal: {
            Variant& target = globals_[in.b]->value;
            if (!addTo(target, sp[-1])) {
              Variant r = opAdd(target, sp[-1]);
              target = std::move(r);
            }
            (--sp)->clear();
            break;
          }
          case OpCode::AppendTo: {
            Variant& target = sp[-2].deref();
            if (!appendInPlace(target, sp[-1])) {
              Variant r = opConcat(target, sp[-1]);
              target = std::move(r);
            }
            (--sp)->clear();
            (--sp)->clear();
            break;
          }
          case OpCode::EachInit:
            eachInit(&L[in.b], sp[-1]);
            (--sp)->clear();
            break;
          case OpCode::EachNext: {
            Variant v;
            if (!eachNext(&L[in.c], v)) {
              ip = code + in.b;
              break;
            }
            if (--budget_ < 0) checkTimeout();
            *sp++ = std::move(v);
            break;
          }
          case OpCode::Call: {
            int argc = in.c;
            Variant* base = sp - argc;
            Global& gl = *globals_[in.b];
            Variant r;
            if (gl.proc) {
              r = runFrame(gl.proc, nullptr, base, argc);
            } else {
              r = indexValue(gl.value, base, argc);
              for (int i = 0; i < argc; ++i) base[i].clear();
            }
            sp = base;
            *sp++ = std::move(r);
            break;
          }
          case OpCode::CallMe: {
            int argc = in.c;
            Variant* base = sp - argc;
            const ClassMember& m = f.me->cls->members[in.b];
            Proc* t = m.get ? m.get : m.sub;
            if (!t) {
              for (int i = 0; i < argc; ++i) base[i].clear();
              raise(450);
            }
            Variant r = runFrame(t, f.me, base, argc);
            sp = base;
            *sp++ = std::move(r);
            break;
          }
          case OpCode::CallBuiltin: {
            int argc = in.c;
            Variant* base = sp - argc;
            if (static_cast<size_t>(in.b) < builtinGlobals_.size() && builtinGlobals_[in.b] >= 0) {
              // A script procedure or variable of the builtin's name, made
              // after this code was compiled (ExecuteGlobal, a later AddCode).
              Global& gl = *globals_[builtinGlobals_[in.b]];
              Variant r;
              if (gl.proc) {
                r = runFrame(gl.proc, nullptr, base, argc);
              } else {
                r = indexValue(gl.value, base, argc);
                for (Variant* q = base; q < sp; ++q) q->clear();
              }
              sp = base;
              *sp++ = std::move(r);
              break;
            }
            const BuiltinDef* def = builtinBySlot(in.b);
            if (argc < def->minArgs || (def->maxArgs >= 0 && argc > def->maxArgs)) raise(450);
            sp_ = std::max(sp_, sp + 1);
            Variant r = def->fn(*this, Args{base, argc});
            if (def->use) checkBuiltinUse(*def, in.a != 0);  // a: called as a statement
            for (Variant* q = base; q < sp; ++q) q->clear();
            sp = base;
            *sp++ = std::move(r);
            break;
          }
          case OpCode::CallDyn: {
            int argc = in.c;
            Variant* base = sp - argc;
            Variant* saved = sp_;
            sp_ = std::max(sp_, sp + 1);
            Variant r = callDyn(f, in.b, base, argc, in.a);
            sp_ = saved;
            for (Variant* q = base; q < sp; ++q) q->clear();
            sp = base;
            *sp++ = std::move(r);
            break;
          }
          case OpCode::Index: {
            int argc = in.a | in.c << 8;
            Variant* base = sp - argc;
            if (argc == 1) {
              const Variant& arr = base[-1].deref();
              const Variant& ix = base[0].deref();
              if (arr.vt == vtArray && arr.a->dims.size() == 1 && (ix.vt == vtInteger || ix.vt == vtLong)) {
                long long k = (ix.vt == vtInteger ? ix.i : ix.l) - static_cast<long long>(arr.a->dims[0].lower);
                if (k < 0 || k >= arr.a->dims[0].count) raise(9);
                Variant r = arr.a->data[static_cast<size_t>(k)];
                (--sp)->clear();
                sp[-1] = std::move(r);
                break;
              }
            }
            if (in.b && base[-1].deref().vt != vtObject) break;  // a plain value named as a statement
            Variant r = indexValue(base[-1], base, argc);
            for (Variant* q = base - 1; q < sp; ++q) q->clear();
            sp = base - 1;
            *sp++ = std::move(r);
            break;
          }
          case OpCode::Member:
          case OpCode::MemberCall: {
            int argc = in.a;
            Variant* base = sp - argc;
            Variant r = member(f, in, base[-1], base, argc,
                               in.op == OpCode::Member ? InvokeKind::Get : InvokeKind::Method);
            for (Variant* q = base - 1; q < sp; ++q) q->clear();
            sp = base - 1;
            *sp++ = std::move(r);
            break;
          }
          case OpCode::MemberLet:
          case OpCode::MemberSet: {
            int argc = in.a;
            Variant* base = sp - argc - 1;
            Variant& value = sp[-1];
            if (in.op == OpCode::MemberSet) {
              if (value.vt != vtObject) raise(424);
            } else if (value.vt == vtObject) {
              value = defaultValue(value);
            }
            member(f, in, base[-1], base, argc + 1,
                   in.op == OpCode::MemberLet ? InvokeKind::Let : InvokeKind::Set);
            for (Variant* q = base - 1; q < sp; ++q) q->clear();
            sp = base - 1;
            break;
          }
          case OpCode::ElemRef: {
            int argc = in.a;
            Variant* base = sp - argc;
            Variant r = base[-1].vt == vtRef ? elementRef(*base[-1].ref, base, argc) : indexValue(base[-1], base, argc);
            for (Variant* q = base - 1; q < sp; ++q) q->clear();
            sp = base - 1;
            *sp++ = std::move(r);
            break;
          }
          case OpCode::MemberRef: {
            int argc = in.a;
            Variant* base = sp - argc;
            Variant r = memberElementRef(f, in, base[-1], base, argc);
            for (Variant* q = base - 1; q < sp; ++q) q->clear();
            sp = base - 1;
            *sp++ = std::move(r);
            break;
          }
          case OpCode::LockMark:
            *sp++ = Variant::lng(static_cast<int32_t>(elemLocks_.size()));
            break;
          case OpCode::Unlock:
            if (in.a) {
              releaseLocks(static_cast<size_t>(sp[-2].l));
              sp[-2] = std::move(sp[-1]);
            } else {
              releaseLocks(static_cast<size_t>(sp[-1].l));
            }
            (--sp)->clear();
            break;
          case OpCode::IndexLet:
          case OpCode::IndexSet: {
            int argc = in.a;
            Variant* base = sp - argc - 1;
            if (argc == 1 && in.op == OpCode::IndexLet) {
              Variant& arr = base[-1].deref();
              const Variant& ix = base[0].deref();
              Variant& val = sp[-1];
              if (arr.vt == vtArray && arr.a->dims.size() == 1 && !sharedArray(arr.a) &&
                  (ix.vt == vtInteger || ix.vt == vtLong) && val.vt != vtObject) {
                long long k = (ix.vt == vtInteger ? ix.i : ix.l) - static_cast<long long>(arr.a->dims[0].lower);
                if (k < 0 || k >= arr.a->dims[0].count) raise(9);
                arr.a->data[static_cast<size_t>(k)] = std::move(val);
                for (Variant* q = base - 1; q < sp; ++q) q->clear();
                sp = base - 1;
                break;
              }
            }
            indexStore(base[-1], base, argc, sp[-1], in.op == OpCode::IndexSet);
            for (Variant* q = base - 1; q < sp; ++q) q->clear();
            sp = base - 1;
            break;
          }
          case OpCode::New: {
            Variant r = newObject(p->names[in.b]);
            *sp++ = std::move(r);
            break;
          }
          case OpCode::ReDim: {
            int n = in.a;
            Variant* bounds = sp - n;
            redim(bounds[-1], bounds, n, in.c == 1, in.c == 2);
            for (Variant* q = bounds - 1; q < sp; ++q) q->clear();
            sp = bounds - 1;
            break;
          }
          case OpCode::Erase: {
            Variant& t = sp[-1].deref();
            if (t.vt != vtArray) raise(13);
            if (t.a->locks > 0) raise(10);
            if (t.flags & kFlagFixed) {
              ArrayRep* a = ownArray(t);
              for (Variant& e : a->data) e.clear();
            } else {
              t = Variant::array(ArrayRep::make({}));
            }
            (--sp)->clear();
            break;
          }
          case OpCode::OnError:
            f.resumeNext = in.a != 0;
            clearErr();
            break;
          case OpCode::Execute: {
            Variant code = sp[-1];
            (--sp)->clear();
            sp_ = std::max(sp_, sp + 1);
            u16 text = toString(code);
            execute(text, in.a != 0);
            break;
          }
          case OpCode::Ret:
            return;
          default:
            // Every opcode is handled above: this spares the dispatch its range check.
            __builtin_unreachable();
        }
      }
    } catch (ScriptError& e) {
      Variant* s = sp;
      uint32_t c = static_cast<uint32_t>(ip - code);
      bool again = recover(e, s, c);
      sp = s;
      ip = code + c;
      if (again) continue;
      throw;
    } catch (const std::exception& x) {
      // Out of memory, or a fault of the engine or a host object: the script
      // sees an error it can trap, and the stack is left clean for the next run.
      ScriptError e = errorFromException(x);
      Variant* s = sp;
      uint32_t c = static_cast<uint32_t>(ip - code);
      bool again = recover(e, s, c);
      sp = s;
      ip = code + c;
      if (again) continue;
      throw e;
    } catch (ScriptAbort&) {
      for (Variant* q = opBase; q < sp; ++q) q->clear();
      placeError(*p, static_cast<uint32_t>(ip - code) - 1);
      throw;
    }
  }
}

}  // namespace pw
