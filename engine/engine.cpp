#include "engine.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "compiler.h"
#include "objects.h"
#include "ops.h"
#include "stack_guard.h"

namespace pw {

namespace {
constexpr size_t kStackSlots = 1 << 20;  // 16 MB of Variants
}

u16 foldName(u16v name) { return toLowerCopy(name); }

namespace {
std::vector<const BuiltinDef*>& slotTable() {
  static std::vector<const BuiltinDef*> t;
  return t;
}
}  // namespace

int32_t builtinSlot(const BuiltinDef* def) {
  auto& t = slotTable();
  for (size_t i = 0; i < t.size(); ++i)
    if (t[i] == def) return static_cast<int32_t>(i);
  t.push_back(def);
  return static_cast<int32_t>(t.size() - 1);
}

const BuiltinDef* builtinBySlot(int32_t slot) { return slotTable()[static_cast<size_t>(slot)]; }

LibState& libState(Engine& e) { return e.lib; }

// --- Engine ---

Engine::Engine() : err_(new ErrObject) {
  // All-zero bytes are an Empty Variant, so untouched stack pages cost nothing.
  void* mem = std::calloc(kStackSlots, sizeof(Variant));
  if (!mem) throw std::bad_alloc();
  stack_.reset(static_cast<Variant*>(mem));
  sp_ = stack_.get();
  stackEnd_ = stack_.get() + kStackSlots;
  reset();
}

// Frames empty their slots when they end, so the stack holds no references here.
void Engine::StackFree::operator()(Variant* p) const { std::free(p); }

Engine::~Engine() {
  // Drop script values while the VM can still run Class_Terminate.
  for (auto& g : globals_) g->value.clear();
  globals_.clear();
  freeCycles();
  // Whatever the host still holds outlives the engine.
  for (ValueHolder* o = holders_; o; o = o->nextHolder_) o->holderEngine_ = nullptr;
  holders_ = nullptr;
}

// Holders still alive once the script's variables are gone hold each other
// (or are held by the host): emptying them lets the cycles go.
void Engine::freeCycles() {
  sweeping_ = true;
  while (holders_) {
    size_t before = holderCount_;
    std::vector<Variant> hold;
    hold.reserve(before);
    for (ValueHolder* o = holders_; o; o = o->nextHolder_) hold.push_back(Variant::object(o));
    for (Variant& h : hold) static_cast<ValueHolder*>(h.o)->dropValues();
    hold.clear();
    if (holderCount_ == before) break;
  }
  sweeping_ = false;
}

ValueHolder::ValueHolder(Engine* engine) : holderEngine_(engine) {
  if (!engine) return;
  nextHolder_ = engine->holders_;
  if (nextHolder_) nextHolder_->prevHolder_ = this;
  engine->holders_ = this;
  ++engine->holderCount_;
}

ValueHolder::~ValueHolder() {
  if (!holderEngine_) return;
  (prevHolder_ ? prevHolder_->nextHolder_ : holderEngine_->holders_) = nextHolder_;
  if (nextHolder_) nextHolder_->prevHolder_ = prevHolder_;
  --holderEngine_->holderCount_;
}

void Engine::reset() {
  for (auto& g : globals_) g->value.clear();
  globals_.clear();
  freeCycles();
  globalIndex_.clear();
  builtinGlobals_.clear();
  hostObjects_.clear();
  classes_.clear();
  deadClasses_.clear();
  procs_.clear();
  units_.clear();
  clearErr();
  error_.Clear();
  errPlaced_ = false;
  int32_t g = addGlobal(u"Err");
  globals_[g]->value = Variant::object(err_.get());
  globals_[g]->declared = true;
  globals_[g]->isConst = true;
}

int32_t Engine::findGlobal(u16v name) const {
  auto it = globalIndex_.find(foldName(name));
  return it == globalIndex_.end() ? -1 : it->second;
}

int32_t Engine::addGlobal(u16v name) {
  auto g = std::make_unique<Global>();
  g->name = u16(name);
  globals_.push_back(std::move(g));
  int32_t idx = static_cast<int32_t>(globals_.size() - 1);
  globalIndex_[foldName(name)] = idx;
  if (const BuiltinDef* b = findBuiltin(name)) {
    // From now on the name is the script's: code compiled before binds to it.
    size_t slot = static_cast<size_t>(builtinSlot(b));
    if (builtinGlobals_.size() <= slot) builtinGlobals_.resize(slot + 1, -1);
    builtinGlobals_[slot] = idx;
  }
  return idx;
}

ClassDef* Engine::findClass(u16v name) const {
  auto it = classes_.find(foldName(name));
  return it == classes_.end() ? nullptr : it->second.get();
}

void Engine::addObject(u16v name, Object* obj, bool addMembers) {
  (void)addMembers;  // members as globals: not needed by this program's hosts
  int32_t g = findGlobal(name);
  if (g < 0) g = addGlobal(name);
  Global& gl = *globals_[g];
  gl.value = Variant::object(obj);
  gl.declared = true;
  gl.isConst = true;
  hostObjects_.emplace_back(u16(name), Ref<Object>(obj));
}

void Engine::setErr(const ScriptError& e) {
  err_->e = e;
  if (err_->e.description.empty()) err_->e.description = errorText(e.number);
}

size_t Engine::staleStackSlots() const {
  size_t n = 0;
  for (const Variant* q = stack_.get(); q < stackHigh_ && q < stackEnd_; ++q)
    if (q->vt != vtEmpty || q->raw != 0) ++n;
  return n;
}

ScriptError errorFromException(const std::exception& x) {
  ScriptError e;
  e.number = dynamic_cast<const std::bad_alloc*>(&x) || dynamic_cast<const std::length_error*>(&x) ? 7 : 51;
  return e;
}

void Engine::clearErr() { err_->e = ScriptError(); }

void Engine::checkTimeout() {
  budget_ = 4096;
  if (host) host->poll();
  if (timeoutMs < 0) return;
  auto now = std::chrono::steady_clock::now();
  bool expired;
  if (timeoutMs == 0) expired = now - lastHostCall_ > std::chrono::milliseconds(kHangMs);
  else expired = now >= deadline_;
  if (!expired) return;
  if (allowUI && host && !host->askStopOnTimeout()) {
    deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    lastHostCall_ = std::chrono::steady_clock::now();
    return;
  }
  ScriptAbort a;
  a.err.number = kTimeoutError;
  a.err.description = u"Script timed out";
  a.err.source = kRuntimeSource;
  throw a;
}

void Engine::reportSyntax(const SyntaxError& e, u16v text) {
  error_.Clear();
  error_.Number = e.number;
  error_.Description = errorText(e.number);
  error_.Source = kCompileSource;
  error_.Line = e.line;
  error_.Column = e.col;
  // The faulty line's text.
  int32_t line = 1;
  size_t i = 0;
  while (i < text.size() && line < e.line) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++line;
    } else if (text[i] == '\n') {
      ++line;
    }
    ++i;
  }
  size_t j = i;
  while (j < text.size() && text[j] != '\r' && text[j] != '\n') ++j;
  error_.Text = u16(text.substr(i, j - i));
  if (onError) onError();
}

void Engine::reportRuntime(const ScriptError& e) {
  error_.Clear();
  error_.Number = e.number;
  error_.Description = e.description.empty() ? errorText(e.number) : e.description;
  error_.Source = e.source.empty() ? u16(kRuntimeSource) : e.source;
  error_.Line = errPlaced_ ? errLine_ : 0;
  error_.Column = errPlaced_ ? errCol_ : 0;
  errPlaced_ = false;
  if (onError) onError();
}

// Deep recursion must end in error 28, whatever stack the host thread has.
void Engine::setStackLimit() { cStackLimit_ = stackFloor(); }

void Engine::runTop(Proc* p) { runFrame(p, nullptr, sp_, 0); }

Proc* Engine::compileTop(u16v text) {
  error_.Clear();
  try {
    Program prog = parseProgram(text);
    units_.push_back(std::make_unique<Unit>());
    Compiler c(*this, units_.back().get());
    return c.compileProgram(prog, nullptr, nullptr);
  } catch (const SyntaxError& e) {
    reportSyntax(e, text);
  } catch (const ScriptError& e) {
    reportSyntax(SyntaxError{1045, 0, 0}, text);
    (void)e;
  } catch (const std::exception&) {  // bad_alloc, length_error: the text is too much to compile
    reportSyntax(SyntaxError{1001, 0, 0}, text);
  }
  return nullptr;
}

bool Engine::addCode(u16v text) {
  Proc* top = compileTop(text);
  if (!top) return false;
  bool outer = depth_ == 0;
  if (outer) {
    setStackLimit();
    auto now = std::chrono::steady_clock::now();
    deadline_ = now + std::chrono::milliseconds(timeoutMs > 0 ? timeoutMs : 0);
    lastHostCall_ = now;
    budget_ = 4096;
    errPlaced_ = false;
  }
  ++depth_;
  try {
    runTop(top);
  } catch (const ScriptError& e) {
    --depth_;
    reportRuntime(e);
    return false;
  } catch (const ScriptAbort& a) {
    --depth_;
    reportRuntime(a.err);
    return false;
  } catch (const std::exception& x) {
    --depth_;
    reportRuntime(errorFromException(x));
    return false;
  }
  --depth_;
  return true;
}

// The locals of a running procedure that Execute or Eval code sees. With the
// Execute text, the names it declares or first assigns become the
// procedure's locals too (FrameExtra), visible to the rest of the procedure.
std::vector<ScopeVar> Engine::bindScope(Frame& owner, const Program* prog) {
  std::vector<ScopeVar> out;
  std::unordered_map<u16, size_t> seen;
  auto push = [&](const u16& name, Variant* target, bool implicit) {
    if (seen.emplace(name, out.size()).second) out.push_back({name, target, implicit});
  };
  for (const LocalName& ln : owner.proc->localNames) push(ln.name, &owner.base[ln.slot].deref(), ln.implicit);
  if (owner.extras)
    for (FrameExtra& x : *owner.extras) push(x.name, &x.value, x.implicit);
  if (!prog) return out;
  std::vector<u16> declared, assigned;
  programNames(*prog, declared, assigned);
  auto add = [&](const u16& name, bool implicit) {
    if (!owner.extras) owner.extras = std::make_unique<std::deque<FrameExtra>>();
    owner.extras->push_back({name, implicit, Variant()});
    push(name, &owner.extras->back().value, implicit);
  };
  for (const u16& name : declared)
    if (!seen.count(name)) add(name, false);
  ClassDef* cls = owner.proc->cls;
  for (const u16& name : assigned) {
    if (seen.count(name) || (cls && cls->byName.count(name))) continue;
    if (findGlobal(name) >= 0 || findConstant(name)) continue;
    add(name, true);
  }
  return out;
}

void Engine::execute(u16v code, bool global) {
  Frame* ctx = frames.empty() ? nullptr : frames.back();
  // Global code (the top level, ExecuteGlobal's) has no locals: Execute there
  // works on globals just like ExecuteGlobal.
  Frame* owner = ctx ? ctx->owner : nullptr;
  if (!owner) global = true;
  Proc* top;
  std::vector<ScopeVar> scope;
  try {
    Program prog = parseProgram(code);
    units_.push_back(std::make_unique<Unit>());
    Compiler c(*this, units_.back().get());
    if (!global) scope = bindScope(*owner, &prog);
    top = c.compileProgram(prog, global ? nullptr : &scope, global ? nullptr : owner->proc->cls);
    top->isDynamic = true;
  } catch (const SyntaxError& e) {
    ScriptError se;
    se.number = e.number;
    se.description = errorText(e.number);
    se.source = kCompileSource;
    throw se;
  }
  Variant* base = sp_;
  int n = 0;
  for (const ScopeVar& v : scope) base[n++] = Variant::reference(v.target);
  runFrame(top, ctx ? ctx->me : nullptr, base, n, global ? nullptr : owner);
}

Variant Engine::eval(u16v code) {
  Frame* ctx = frames.empty() ? nullptr : frames.back();
  Frame* owner = ctx ? ctx->owner : nullptr;
  Proc* p;
  std::vector<ScopeVar> scope;
  try {
    ExprP e = parseExpression(code);
    units_.push_back(std::make_unique<Unit>());
    Compiler c(*this, units_.back().get());
    if (owner) scope = bindScope(*owner, nullptr);
    p = c.compileEval(*e, owner ? &scope : nullptr, owner ? owner->proc->cls : nullptr);
  } catch (const SyntaxError& e) {
    ScriptError se;
    se.number = e.number;
    se.description = errorText(e.number);
    se.source = kCompileSource;
    throw se;
  }
  Variant* base = sp_;
  int n = 0;
  for (const ScopeVar& v : scope) base[n++] = Variant::reference(v.target);
  return runFrame(p, ctx ? ctx->me : nullptr, base, n, owner);
}

namespace {
// What GetRef returns: calling it calls the procedure.
class ProcRef final : public Object {
 public:
  ProcRef(Engine& e, Proc* p) : eng(e), proc(p) {}
  int32_t getIdOfName(u16v) override { return DISPID_UNKNOWN; }
  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    if (id != DISPID_VALUE || kind == InvokeKind::Let || kind == InvokeKind::Set) raise(438);
    return eng.callProc(proc, nullptr, args);
  }
  u16 typeName() const override { return u"Object"; }
  Engine& eng;
  Proc* proc;
};
}  // namespace

Variant Engine::getRef(u16v name) {
  int32_t g = findGlobal(name);
  if (g < 0 || !globals_[g]->proc) raise(5);
  return Variant::object(new ProcRef(*this, globals_[g]->proc));
}

Variant Engine::createObject(u16v progId) {
  if (useSafeSubset && !isProgIdSafe(progId)) raise(429);
  Object* o = createBuiltinObject(progId, this);
  if (!o) raise(429);
  return Variant::object(o);
}

Variant Engine::newObject(u16v className) {
  // The built-in class comes first: a script class of its name does not replace it.
  if (foldName(className) == u"regexp") return Variant::object(newRegExp());
  ClassDef* c = findClass(className);
  if (!c) raise(506);
  auto* o = new ScriptObject(*this, c);
  Variant v = Variant::object(o);
  if (c->init) callProc(c->init, o, Args{});
  return v;
}

// --- ScriptObject ---

ScriptObject::ScriptObject(Engine& e, ClassDef* c) : ValueHolder(&e), eng(e), cls(c) {
  fields.resize(c->nfields);
  for (int i = 0; i < c->nfields; ++i) {
    const std::vector<Bound>& dims = c->fieldArrays[i];
    if (dims.empty()) continue;
    if (dims.size() == 1 && dims[0].count < 0) {
      fields[i] = Variant::array(ArrayRep::make({}));
    } else {
      fields[i] = Variant::array(ArrayRep::make(dims));
      fields[i].flags |= kFlagFixed;
    }
  }
}

int32_t ScriptObject::getIdOfName(u16v name) {
  auto it = cls->byName.find(foldName(name));
  if (it == cls->byName.end() || !cls->members[it->second].isPublic) return DISPID_UNKNOWN;
  return it->second + 1;
}

int32_t ScriptObject::idOfNameInternal(u16v name) const {
  auto it = cls->byName.find(foldName(name));
  return it == cls->byName.end() ? DISPID_UNKNOWN : it->second + 1;
}

Variant ScriptObject::invoke(int32_t id, InvokeKind kind, Args args) {
  return invokeMember(id, kind, args, false);
}

Variant ScriptObject::invokeMember(int32_t id, InvokeKind kind, Args args, bool inside) {
  (void)inside;
  if (id == DISPID_VALUE) {
    if (cls->defaultMember < 0) raise(438);
    id = cls->defaultMember + 1;
  }
  if (id < 1 || id > static_cast<int32_t>(cls->members.size())) raise(438);
  const ClassMember& m = cls->members[id - 1];
  Ref<Object> keep(this);
  if (m.field >= 0) {
    Variant& fv = fields[m.field];
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
      Variant& value = args.ref(args.n - 1);
      if (args.n > 1) {
        // o.d(k) = v: the field's object takes the assignment through its default member.
        if (fv.vt == vtObject) {
          if (!fv.o) raise(91);
          Ref<Object> inner(fv.o);
          return fv.o->invoke(DISPID_VALUE, kind, args);
        }
        if (fv.vt != vtArray) raise(13);
        if (kind == InvokeKind::Set && value.vt != vtObject) raise(424);
        ArrayRep* a = fv.a;
        if (sharedArray(a)) {
          fv = Variant::array(a->clone());
          a = fv.a;
        }
        std::vector<int32_t> subs;
        for (int i = 0; i < args.n - 1; ++i) subs.push_back(toLong(args[i]));
        long long k = a->flatIndex(subs.data(), subs.size());
        if (k < 0) raise(9);
        a->data[static_cast<size_t>(k)] = kind == InvokeKind::Let && value.vt == vtObject ? defaultValue(value) : value;
        return Variant();
      }
      if (kind == InvokeKind::Set && value.vt != vtObject) raise(424);
      if (fv.flags & kFlagFixed) raise(10);
      fv = value;
      return Variant();
    }
    if (args.n > 0) {
      if (fv.vt == vtArray) {
        std::vector<int32_t> subs;
        for (int i = 0; i < args.n; ++i) subs.push_back(toLong(args[i]));
        long long k = fv.a->flatIndex(subs.data(), subs.size());
        if (k < 0) raise(9);
        return fv.a->data[static_cast<size_t>(k)];
      }
      if (fv.vt == vtObject) {
        if (!fv.o) raise(91);
        return fv.o->invoke(DISPID_VALUE, InvokeKind::Get, args);
      }
      raise(13);
    }
    return fv;
  }
  Proc* p = nullptr;
  switch (kind) {
    case InvokeKind::Method: p = m.sub ? m.sub : m.get; break;
    case InvokeKind::Get: p = m.get ? m.get : m.sub; break;
    case InvokeKind::Let: p = m.let; break;
    case InvokeKind::Set: p = m.set ? m.set : nullptr; break;
  }
  if (!p && (kind == InvokeKind::Let || kind == InvokeKind::Set) && args.n > 1 && m.get && m.get->nparams == 0) {
    // o.Dict(k) = v with only a Property Get Dict: the assignment goes to
    // the default member of the object it returns.
    Variant v = eng.callProc(m.get, this, Args{});
    if (v.vt == vtObject && v.o) {
      Ref<Object> inner(v.o);
      return v.o->invoke(DISPID_VALUE, kind, args);
    }
    raise(450);
  }
  if (!p) {
    if (kind == InvokeKind::Let && m.set) raise(450);
    raise(kind == InvokeKind::Let || kind == InvokeKind::Set ? 450 : 438);
  }
  if (p == m.get && m.get && (kind == InvokeKind::Get || kind == InvokeKind::Method) && args.n > p->nparams &&
      p->nparams == 0) {
    // obj.Prop(1): index the property's value.
    Variant v = eng.callProc(p, this, Args{});
    Variant* a = args.v;
    if (v.vt == vtArray) {
      std::vector<int32_t> subs;
      for (int i = 0; i < args.n; ++i) subs.push_back(toLong(a[i].deref()));
      long long k = v.a->flatIndex(subs.data(), subs.size());
      if (k < 0) raise(9);
      return v.a->data[static_cast<size_t>(k)];
    }
    if (v.vt == vtObject && v.o) return v.o->invoke(DISPID_VALUE, InvokeKind::Get, args);
    raise(450);
  }
  return eng.callProc(p, this, args);
}

void ScriptObject::dropValues() {
  for (Variant& f : fields) Variant dropped = std::move(f);
}

void ScriptObject::destroy() {
  if (cls->term && !terminated && !eng.sweeping_) {
    terminated = true;
    addRef();
    try {
      eng.callProc(cls->term, this, Args{});
    } catch (...) {
      // An error in Class_Terminate cannot reach the script that dropped the object.
    }
    release();
    return;
  }
  delete this;
}

// --- Err ---

namespace {
enum ErrMember { kNumber = 0, kDescription, kSource, kHelpFile, kHelpContext, kRaise, kClear };
}

int32_t ErrObject::getIdOfName(u16v name) {
  u16 f = foldName(name);
  if (f == u"number") return kNumber;
  if (f == u"description") return kDescription;
  if (f == u"source") return kSource;
  if (f == u"helpfile") return kHelpFile;
  if (f == u"helpcontext") return kHelpContext;
  if (f == u"raise") return kRaise;
  if (f == u"clear") return kClear;
  return DISPID_UNKNOWN;
}

Variant ErrObject::invoke(int32_t id, InvokeKind kind, Args args) {
  bool put = kind == InvokeKind::Let || kind == InvokeKind::Set;
  switch (id) {
    case kNumber:
      if (put) {
        e.number = toLong(args[args.n - 1]);
        return Variant();
      }
      return Variant::lng(e.number);
    case kDescription:
      if (put) {
        e.description = toString(args[args.n - 1]);
        return Variant();
      }
      return Variant::str(e.description);
    case kSource:
      if (put) {
        e.source = toString(args[args.n - 1]);
        return Variant();
      }
      return Variant::str(e.source);
    case kHelpFile:
      if (put) {
        e.helpFile = toString(args[args.n - 1]);
        return Variant();
      }
      return Variant::str(e.helpFile);
    case kHelpContext:
      if (put) {
        e.helpContext = toLong(args[args.n - 1]);
        return Variant();
      }
      return Variant::lng(e.helpContext);
    case kRaise: {
      if (args.n < 1) raise(450);
      if (args.n > 5) raise(450);
      ScriptError r;
      r.number = raisedNumber(toLong(args[0]));
      // An omitted field keeps the value Err still holds (not yet cleared).
      if (!args.missing(1)) r.source = toString(args[1]);
      else r.source = !e.source.empty() ? e.source : u16(kRuntimeSource);
      if (!args.missing(2)) r.description = toString(args[2]);
      else if (!e.description.empty()) r.description = e.description;
      else {
        r.description = errorText(r.number);
        if (r.description.empty()) r.description = u"Unknown runtime error";
      }
      r.helpFile = args.missing(3) ? e.helpFile : toString(args[3]);
      r.helpContext = args.missing(4) ? e.helpContext : toLong(args[4]);
      throw r;
    }
    case kClear:
      e = ScriptError();
      return Variant();
  }
  raise(438);
}

// --- ScriptControl ---

ScriptControl::ScriptControl() : engine_(new Engine) {}
ScriptControl::~ScriptControl() = default;
void ScriptControl::AddObject(u16v name, Object* obj, bool addMembers) { engine_->addObject(name, obj, addMembers); }
bool ScriptControl::AddCode(u16v text) {
  engine_->onError = OnError;
  return engine_->addCode(text);
}
bool ScriptControl::Check(u16v text) {
  engine_->onError = OnError;
  return engine_->compileTop(text) != nullptr;
}
ScriptErrorInfo& ScriptControl::Error() { return engine_->error(); }
void ScriptControl::Reset() { engine_->reset(); }
void ScriptControl::Timeout(int32_t ms) { engine_->timeoutMs = ms; }
int32_t ScriptControl::Timeout() const { return engine_->timeoutMs; }
void ScriptControl::AllowUI(bool on) { engine_->allowUI = on; }
bool ScriptControl::AllowUI() const { return engine_->allowUI; }
void ScriptControl::UseSafeSubset(bool on) { engine_->useSafeSubset = on; }
bool ScriptControl::UseSafeSubset() const { return engine_->useSafeSubset; }
void ScriptControl::SetHost(ScriptHost* host) { engine_->host = host; }
Engine& ScriptControl::engine() { return *engine_; }
Variant ScriptControl::CreateObject(u16v progId) { return engine_->createObject(progId); }
Object* ScriptControl::NewCollection() { return newCollection(); }

u16 ScriptControl::AboutText() {
  return fromUtf8("Pallweave VBScript engine " PALLWEAVE_VERSION
                  "\nA VBScript 5.8 language engine with its own compiler and bytecode interpreter.");
}

}  // namespace pw
