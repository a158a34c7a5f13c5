#include "compiler.h"

#include <unordered_set>

#include "ops.h"
#include "stack_guard.h"

namespace pw {

namespace {

enum class LK { Local, Global, Field, Dyn, Const, GlobalProc, MeProc, Builtin, Illegal };

struct Loc {
  LK k;
  int32_t idx = 0;
  Variant cval;
};

struct LoopCtx {
  bool isFor;
  std::vector<size_t> exits;
};

// Folds a constant expression made of literals and unary minus.
bool constValue(const Expr* e, Variant& out) {
  if (e->kind == EK::Literal) {
    out = e->value;
    return true;
  }
  if (e->kind == EK::Nothing) {
    out = Variant::object(nullptr);
    return true;
  }
  if (e->kind == EK::Paren) return constValue(e->a.get(), out);
  if (e->kind == EK::Unary && e->op == Op::Neg) {
    Variant v;
    if (!constValue(e->a.get(), v)) return false;
    out = opNeg(v);
    return true;
  }
  return false;
}

}  // namespace

// Compilation state of one procedure.
struct CompileScope {
  Engine& eng;
  Unit* unit;
  Proc* p;
  ClassDef* cls;
  bool isTop;  // top-level code of a script: undeclared names are globals
  std::unordered_map<u16, int> locals;
  std::unordered_map<u16, Variant> consts;
  std::vector<int> withSlots;
  std::vector<LoopCtx> loops;
  std::vector<size_t> procExits;
  int depth = 0;

  // Execute/Eval code inside a procedure: names it does not know get no
  // local of their own (the caller's were bound before compiling).
  bool bound = false;
  std::unordered_map<u16, int32_t> boundDyn;  // the caller's implicit locals: name -> name index
  // Builtin names this scope or the unit's top level assigns: looked up at
  // run time, so that they are variables once assigned and functions before.
  std::unordered_set<u16> dynNames;
  std::unordered_set<u16> dimmed;  // parameters and Dims of this scope: declaring one twice is an error
  const std::unordered_set<u16>* unitDyn = nullptr;
  // A procedure that runs Execute: its Dims may shadow globals, so global
  // variables are looked up when used.
  bool runsExecute = false;

  CompileScope(Engine& e, Unit* u, Proc* proc, ClassDef* c, bool top)
      : eng(e), unit(u), p(proc), cls(c), isTop(top) {}

  // --- emission ---
  size_t emit(OpCode op, int delta, uint8_t a = 0, int32_t b = 0, uint16_t c = 0) {
    Ins in;
    in.op = op;
    in.a = a;
    in.b = b;
    in.c = c;
    p->code.push_back(in);
    depth += delta;
    if (depth > p->maxStack) p->maxStack = depth;
    return p->code.size() - 1;
  }
  uint32_t here() const { return static_cast<uint32_t>(p->code.size()); }
  void patch(size_t at) { p->code[at].b = static_cast<int32_t>(here()); }
  int32_t constIndex(const Variant& v) {
    p->consts.push_back(v);
    return static_cast<int32_t>(p->consts.size() - 1);
  }
  int32_t nameIndex(u16v name) {
    u16 f = foldName(name);
    for (size_t i = 0; i < p->names.size(); ++i)
      if (foldName(p->names[i]) == f) return static_cast<int32_t>(i);
    p->names.emplace_back(name);
    p->dynLocals.push_back(-1);
    p->dynCache.push_back(-1);
    p->dynBuiltin.push_back(-1);
    return static_cast<int32_t>(p->names.size() - 1);
  }
  uint16_t newCache() {
    p->caches.emplace_back();
    if (p->caches.size() > 0xFFFF) throw SyntaxError{1001, 0, 0};
    return static_cast<uint16_t>(p->caches.size() - 1);
  }
  int newLocal(u16v name = u16v()) {
    int slot = p->nlocals++;
    if (!name.empty()) {
      locals[foldName(name)] = slot;
      p->localNames.push_back({foldName(name), slot, false});
    }
    return slot;
  }
  void markStatement(const Stmt& s) {
    p->stmts.push_back({here(), s.line, s.col});
    p->boundaries.push_back(here());
  }
  void boundary() { p->boundaries.push_back(here()); }

  // --- names ---
  // Locals (parameters and every Dim of the procedure), the class's members,
  // globals known now, builtins; anything else is looked up when it runs.
  Loc resolve(u16v name, bool forWrite = false) {
    u16 f = foldName(name);
    if (auto it = locals.find(f); it != locals.end()) return {LK::Local, it->second, {}};
    if (auto it = consts.find(f); it != consts.end()) return {LK::Const, 0, it->second};
    if (auto it = boundDyn.find(f); it != boundDyn.end()) return {LK::Dyn, it->second, {}};
    if (cls) {
      if (auto it = cls->byName.find(f); it != cls->byName.end()) {
        const ClassMember& m = cls->members[it->second];
        if (m.field >= 0) return {LK::Field, m.field, {}};
        return {LK::MeProc, it->second, {}};
      }
    }
    int32_t g = eng.findGlobal(name);
    if (g >= 0) {
      Global& gl = eng.global(g);
      if (gl.isConst) return {LK::Const, g, gl.value};
      if (gl.proc) return {LK::GlobalProc, g, {}};
      // A variable shadows a builtin function of its name.
      if (gl.declared || !findConstant(name)) return runsExecute ? dyn(name) : Loc{LK::Global, g, {}};
    }
    if (const ConstDef* c = findConstant(name)) return {LK::Const, 0, c->make()};
    if (const BuiltinDef* b = findBuiltin(name)) {
      if (!dynNames.count(f) && !(unitDyn && unitDyn->count(f))) return {LK::Builtin, builtinSlot(b), {}};
      return dyn(name);
    }
    if (g >= 0) return runsExecute ? dyn(name) : Loc{LK::Global, g, {}};
    if (isTop && !unit->optionExplicit && forWrite) return {LK::Global, eng.addGlobal(name), {}};
    return dyn(name);
  }
  // A name bound at run time. In a procedure it has a slot for the implicit
  // local it becomes when first assigned (kFlagLive marks it from then on).
  Loc dyn(u16v name) {
    int32_t ni = nameIndex(name);
    const BuiltinDef* b = findBuiltin(name);
    p->dynBuiltin[ni] = b ? builtinSlot(b) : -1;
    if (!isTop && !bound && p->dynLocals[ni] < 0) {
      int slot = newLocal();
      p->dynLocals[ni] = slot;
      p->localNames.push_back({foldName(name), slot, true});
    }
    return {LK::Dyn, ni, {}};
  }

  // The implicit local's slot + 1 for the VM's direct path (0: none, or out of reach).
  uint16_t dynSlot(int32_t ni) const {
    int32_t slot = p->dynLocals[ni];
    return slot >= 0 && slot < 0xFFFF ? static_cast<uint16_t>(slot + 1) : 0;
  }

  // Declares a variable in this scope (Dim, ReDim of a new name, implicit).
  Loc declare(u16v name, int32_t line, int32_t col) {
    u16 f = foldName(name);
    if (isTop) {
      int32_t g = eng.findGlobal(name);
      if (g < 0) g = eng.addGlobal(name);
      Global& gl = eng.global(g);
      if (gl.isConst || gl.proc) throw SyntaxError{1041, line, col};
      gl.declared = true;
      return {LK::Global, g, {}};
    }
    if (auto it = locals.find(f); it != locals.end()) return {LK::Local, it->second, {}};
    if (auto it = boundDyn.find(f); it != boundDyn.end()) return {LK::Dyn, it->second, {}};
    if (consts.count(f)) throw SyntaxError{1041, line, col};
    return {LK::Local, newLocal(name), {}};
  }

  // Dim declares for the whole procedure (or script), wherever it stands:
  // its names and fixed arrays exist before the first statement runs.
  void hoistDims(const std::vector<const Stmt*>& decls) {
    for (const Stmt* s : decls) {
      if (s->kind != SK::Dim) continue;
      for (const DimDecl& d : s->decls) {
        if (!dimmed.insert(foldName(d.name)).second) throw SyntaxError{1041, d.line, d.col};
        Loc l = declare(d.name, d.line, d.col);
        if (l.k != LK::Dyn && !d.isArray) continue;
        p->stmts.push_back({here(), d.line, d.col});
        boundary();
        if (l.k == LK::Dyn) {
          emit(OpCode::RefDyn, 1, 2, l.idx);  // Execute code: the caller's name becomes its local
          if (!d.isArray) {
            emit(OpCode::Pop, -1);
            continue;
          }
        } else {
          ref(l);
        }
        for (const ExprP& b : d.bounds) expr(*b);
        emit(OpCode::ReDim, -1 - static_cast<int>(d.bounds.size()), static_cast<uint8_t>(d.bounds.size()), 0,
             d.bounds.empty() ? 0 : 2);
      }
    }
    boundary();
  }

  void load(const Loc& l) {
    switch (l.k) {
      case LK::Local: emit(OpCode::LdLocal, 1, 0, l.idx); break;
      case LK::Global: emit(OpCode::LdGlobal, 1, 0, l.idx); break;
      case LK::Field: emit(OpCode::LdField, 1, 0, l.idx); break;
      case LK::Dyn: emit(OpCode::LdDyn, 1, 0, l.idx, dynSlot(l.idx)); break;
      case LK::Const: emit(OpCode::PushConst, 1, 1, constIndex(l.cval)); break;
      case LK::GlobalProc: emit(OpCode::Call, 1, 0, l.idx); break;
      case LK::MeProc: emit(OpCode::CallMe, 1, 0, l.idx); break;
      case LK::Builtin: emit(OpCode::CallBuiltin, 1, 0, l.idx); break;
      case LK::Illegal: emit(OpCode::Illegal, 1); break;
    }
  }
  void store(const Loc& l, StoreMode mode) {
    switch (l.k) {
      case LK::Local: emit(OpCode::StLocal, -1, mode, l.idx); break;
      case LK::Global: emit(OpCode::StGlobal, -1, mode, l.idx); break;
      case LK::Field: emit(OpCode::StField, -1, mode, l.idx); break;
      case LK::Dyn: emit(OpCode::StDyn, -1, mode, l.idx, dynSlot(l.idx)); break;
      default: emit(OpCode::Illegal, -1); break;
    }
  }
  bool isVariable(const Loc& l) const {
    return l.k == LK::Local || l.k == LK::Global || l.k == LK::Field || l.k == LK::Dyn;
  }
  void ref(const Loc& l) {
    switch (l.k) {
      case LK::Local: emit(OpCode::RefLocal, 1, 0, l.idx); break;
      case LK::Global: emit(OpCode::RefGlobal, 1, 0, l.idx); break;
      case LK::Field: emit(OpCode::RefField, 1, 0, l.idx); break;
      case LK::Dyn: emit(OpCode::RefDyn, 1, 0, l.idx, dynSlot(l.idx)); break;
      default: emit(OpCode::Illegal, 1); break;
    }
  }

  // --- expressions ---
  // Member chains (a.b.c...) and calls nest without bound in the tree.
  static void checkDepth(const Expr& e) {
    if (stackNearlyFull()) throw SyntaxError{1001, e.line, e.col};
  }

  void expr(const Expr& e) {
    checkDepth(e);
    switch (e.kind) {
      case EK::Literal:
        emit(OpCode::PushConst, 1, 1, constIndex(e.value));
        return;
      case EK::Nothing:
        emit(OpCode::PushNothing, 1);
        return;
      case EK::Missing:
        emit(OpCode::PushMissing, 1);
        return;
      case EK::Me:
        emit(OpCode::PushMe, 1);
        return;
      case EK::Paren:
        expr(*e.a);
        return;
      case EK::New:
        emit(OpCode::New, 1, 0, nameIndex(e.name));
        return;
      case EK::Name:
        load(resolve(e.name));
        return;
      case EK::Member:
      case EK::Call:
        call(e, false);
        return;
      case EK::Unary:
        expr(*e.a);
        emit(e.op == Op::Neg ? OpCode::Neg : OpCode::Not, 0);
        return;
      case EK::Binary: {
        // a & b & c & ... leans left as deep as it is long: walk its left
        // spine in a loop so that long chains compile without deep recursion.
        std::vector<const Expr*> spine;
        const Expr* x = &e;
        while (x->kind == EK::Binary) {
          spine.push_back(x);
          x = x->a.get();
        }
        expr(*x);
        for (auto it = spine.rbegin(); it != spine.rend(); ++it) {
          const Expr& rhs = *(*it)->b;
          Op o = (*it)->op;
          if ((o == Op::Add || o == Op::Sub || o == Op::Mul) && rhs.kind == EK::Literal &&
              (rhs.value.vt == vtInteger || rhs.value.vt == vtLong || rhs.value.vt == vtDouble)) {
            // n - 1, i * 2: the number is read from the constants where it is.
            OpCode k = o == Op::Add ? OpCode::AddK : o == Op::Sub ? OpCode::SubK : OpCode::MulK;
            emit(k, 0, 0, constIndex(rhs.value));
            continue;
          }
          expr(rhs);
          binaryOp(**it);
        }
        return;
      }
    }
  }
  void binaryOp(const Expr& e) {
    OpCode op;
    switch (e.op) {
      case Op::Add: op = OpCode::Add; break;
      case Op::Sub: op = OpCode::Sub; break;
      case Op::Mul: op = OpCode::Mul; break;
      case Op::Div: op = OpCode::Div; break;
      case Op::IntDiv: op = OpCode::IntDiv; break;
      case Op::Mod: op = OpCode::Mod; break;
      case Op::Pow: op = OpCode::Pow; break;
      case Op::Concat: op = OpCode::Concat; break;
      case Op::And: op = OpCode::And; break;
      case Op::Or: op = OpCode::Or; break;
      case Op::Xor: op = OpCode::Xor; break;
      case Op::Eqv: op = OpCode::Eqv; break;
      case Op::Imp: op = OpCode::Imp; break;
      case Op::Is: op = OpCode::Is; break;
      default: {
        CmpOp c = e.op == Op::Eq ? CmpOp::Eq : e.op == Op::Ne ? CmpOp::Ne : e.op == Op::Lt ? CmpOp::Lt
                : e.op == Op::Le ? CmpOp::Le : e.op == Op::Gt ? CmpOp::Gt : CmpOp::Ge;
        uint16_t lit = (isLiteral(*e.a) ? 1 : 0) | (isLiteral(*e.b) ? 2 : 0);
        emit(OpCode::Cmp, -1, static_cast<uint8_t>(c), 0, lit);
        return;
      }
    }
    emit(op, -1);
  }
  static bool isLiteral(const Expr& e) {
    if (e.kind == EK::Literal) return true;
    if (e.kind == EK::Unary && e.op == Op::Neg) return isLiteral(*e.a);
    return false;
  }

  // True when evaluating e cannot run script code (so it cannot change variables).
  bool calls(const Expr& e) {
    checkDepth(e);
    switch (e.kind) {
      case EK::Literal: case EK::Nothing: case EK::Missing: return false;
      case EK::Paren: case EK::Unary: return calls(*e.a);
      case EK::Binary: {
        const Expr* x = &e;
        for (; x->kind == EK::Binary; x = x->a.get())
          if (calls(*x->b)) return true;
        return calls(*x);
      }
      case EK::Name: {
        LK k = resolve(e.name).k;
        return !(isVariable({k, 0, {}}) || k == LK::Const);
      }
      case EK::Call: {
        if (e.a->kind != EK::Name) return true;
        Loc l = resolve(e.a->name);
        u16 f = foldName(e.a->name);
        bool libraryCall = l.k == LK::Builtin && f != u"eval" && f != u"execute" && f != u"executeglobal";
        if (!isVariable(l) && !libraryCall) return true;
        for (const ExprP& a : e.args)
          if (calls(*a)) return true;
        return false;
      }
      default: return true;
    }
  }

  // True when e, a name with parentheses, is the function itself inside
  // Function e: a recursive call, not its return value.
  bool isSelfCall(const Expr& e, const Loc& l) const {
    return e.kind == EK::Call && l.k == LK::Local && l.idx == p->retSlot && p->retSlot >= 0 && !e.args.empty();
  }

  // a(i), a(i)(j)... whose root is a variable: an element that a ByRef
  // parameter binds to (locking its array while the call runs).
  bool isElement(const Expr& e) {
    if (e.kind != EK::Call || e.args.empty()) return false;
    const Expr& b = *e.a;
    if (b.kind == EK::Call) return isElement(b);
    if (b.kind != EK::Name) return false;
    Loc l = resolve(b.name);
    return isVariable(l) && !isSelfCall(e, l);
  }
  // o.m(i), o.m(i)(j)...: a chain of indexes rooted at a member.
  static bool isMemberElement(const Expr& e) {
    if (e.kind != EK::Call || e.args.empty()) return false;
    return e.a->kind == EK::Member || isMemberElement(*e.a);
  }
  void memberElementRef(const Expr& e) {
    checkDepth(e);
    const Expr& b = *e.a;
    if (b.kind == EK::Call) {
      memberElementRef(b);
      int n = args(e.args, false);
      emit(OpCode::ElemRef, -n, static_cast<uint8_t>(n));
      return;
    }
    if (b.a) expr(*b.a);
    else withObject();
    int n = args(e.args, false);
    emit(OpCode::MemberRef, -n, static_cast<uint8_t>(n), nameIndex(b.name), newCache());
  }
  bool needsLock(const std::vector<ExprP>& list) {
    for (const ExprP& a : list)
      if (isElement(*a)) return true;
    return false;
  }
  // Pushes a reference to the element e (see isElement), or its value when
  // at run time it is not an array element.
  void elementRef(const Expr& e) {
    checkDepth(e);
    const Expr& b = *e.a;
    int n;
    if (b.kind == EK::Call) {
      elementRef(b);
      n = args(e.args, false);
      emit(OpCode::ElemRef, -n, static_cast<uint8_t>(n));
      return;
    }
    Loc l = resolve(b.name);
    if (l.k == LK::Dyn) {
      n = wideArgs(e.args, true);
      emit(OpCode::CallDyn, 1 - n, 2, l.idx, wide(n, e));
      return;
    }
    ref(l);
    n = args(e.args, false);
    emit(OpCode::ElemRef, -n, static_cast<uint8_t>(n));
  }

  // Pushes one argument: a reference when it names a variable or an array
  // element (ByRef).
  void arg(const Expr& a) {
    if (a.kind == EK::Name) {
      Loc l = resolve(a.name, true);
      if (isVariable(l)) {
        ref(l);
        return;
      }
      load(l);
      return;
    }
    if (isElement(a)) {
      elementRef(a);
      return;
    }
    expr(a);
  }
  // Calls of procedures and builtins carry their argument count in 16 bits
  // (Array(...) of a thousand elements); indexing and members in 8.
  int wideArgs(const std::vector<ExprP>& list, bool byRef) {
    for (const ExprP& a : list) {
      if (byRef) arg(*a);
      else expr(*a);
    }
    return static_cast<int>(list.size());
  }
  int args(const std::vector<ExprP>& list, bool byRef) {
    if (list.size() > 255) throw SyntaxError{1002, list[0]->line, list[0]->col};
    return wideArgs(list, byRef);
  }
  static uint16_t wide(int n, const Expr& at) {
    if (n > 0xFFFF) throw SyntaxError{1002, at.line, at.col};
    return static_cast<uint16_t>(n);
  }
  // Index keeps its argument count in a (low byte) and c.
  void emitIndex(int n, const Expr& at) {
    uint16_t w = wide(n, at);
    emit(OpCode::Index, -n, static_cast<uint8_t>(w & 0xFF), 0, static_cast<uint16_t>(w >> 8));
  }
  // A call whose arguments may bind array elements: the locks they take end
  // with the call. `before` pushes what the call op expects under the arguments.
  template <class Emit, class Before>
  void lockedCall(const std::vector<ExprP>& list, Emit emitCall, Before before, bool wideCount = false) {
    bool lock = needsLock(list);
    if (lock) emit(OpCode::LockMark, 1);
    before();
    int n = wideCount ? wideArgs(list, true) : args(list, true);
    emitCall(n);
    if (lock) emit(OpCode::Unlock, -1, 1);
  }

  void withObject() {
    if (withSlots.empty()) {
      emit(OpCode::Illegal, 1, 0, 505);  // a leading dot outside With
      return;
    }
    emit(OpCode::LdLocal, 1, 0, withSlots.back());
  }

  // A call, index or member access; a statement call discards nothing here
  // (the caller pops) but uses the Method kind for members.
  void call(const Expr& e, bool statement) {
    checkDepth(e);
    const Expr* base = &e;
    const std::vector<ExprP>* argList = nullptr;
    static const std::vector<ExprP> kNone;
    if (e.kind == EK::Call) {
      base = e.a.get();
      argList = &e.args;
    } else {
      argList = &kNone;
    }
    if (base->kind == EK::Name) {
      // Execute / ExecuteGlobal statements.
      u16 f = foldName(base->name);
      if (statement && (f == u"execute" || f == u"executeglobal") && resolve(base->name).k == LK::Builtin) {
        if (argList->size() != 1) throw SyntaxError{1002, e.line, e.col};
        expr(*(*argList)[0]);
        emit(OpCode::Execute, -1, f == u"executeglobal" ? 1 : 0);
        emit(OpCode::PushEmpty, 1);  // the caller pops a statement's result
        return;
      }
      Loc l = resolve(base->name);
      if (isSelfCall(e, l)) {
        if (cls) {
          auto it = cls->byName.find(foldName(base->name));
          if (it != cls->byName.end()) l = {LK::MeProc, it->second, {}};
        } else if (int32_t g = eng.findGlobal(base->name); g >= 0 && eng.global(g).proc) {
          l = {LK::GlobalProc, g, {}};
        }
      }
      int n;
      switch (l.k) {
        case LK::GlobalProc:
          lockedCall(*argList, [&](int k) { emit(OpCode::Call, 1 - k, 0, l.idx, wide(k, e)); });
          return;
        case LK::MeProc:
          lockedCall(*argList, [&](int k) { emit(OpCode::CallMe, 1 - k, 0, l.idx, wide(k, e)); });
          return;
        case LK::Builtin:
          n = wideArgs(*argList, false);
          emit(OpCode::CallBuiltin, 1 - n, statement ? 1 : 0, l.idx, wide(n, e));  // a: called as a statement
          return;
        case LK::Dyn:
          if (e.kind == EK::Call || statement) {
            lockedCall(*argList, [&](int k) {
              emit(OpCode::CallDyn, 1 - k, statement ? 1 : 0, l.idx, wide(k, e));
            });
            return;
          }
          load(l);
          return;
        default:
          load(l);
          if (e.kind == EK::Call) {
            n = wideArgs(*argList, false);
            emitIndex(n, e);
          } else if (statement && isVariable(l)) {
            // "fn" alone calls what the variable holds (a GetRef, an object's default).
            emit(OpCode::Index, 0, 0, 1);
          }
          return;
      }
    }
    if (base->kind == EK::Member) {
      int32_t name = nameIndex(base->name);
      lockedCall(
          *argList,
          [&](int k) {
            emit(statement ? OpCode::MemberCall : OpCode::Member, -k, static_cast<uint8_t>(k), name, newCache());
          },
          [&] {
            if (base->a) expr(*base->a);
            else withObject();
          });
      return;
    }
    expr(*base);
    if (e.kind == EK::Call) {
      int n = wideArgs(*argList, false);
      emitIndex(n, e);
    }
  }

  template <class Emit>
  void lockedCall(const std::vector<ExprP>& list, Emit emitCall) {
    lockedCall(list, emitCall, [] {}, true);
  }

  // --- statements ---
  void block(const Block& b) {
    for (const StmtP& s : b) statement(*s);
  }

  void statement(const Stmt& s) {
    if (stackNearlyFull()) throw SyntaxError{1001, s.line, s.col};
    markStatement(s);
    switch (s.kind) {
      case SK::Nop: break;
      case SK::Assign: assign(s); break;
      case SK::Call: {
        const Expr& t = *s.target;
        call(t, true);
        emit(OpCode::Pop, -1);
        break;
      }
      case SK::Dim:
        break;  // hoisted (hoistDims)
      case SK::ReDim:
        // ReDim declares a name nothing holds yet, even under Option Explicit:
        // a global at the top level, else a local unless a global exists then.
        for (const DimDecl& d : s.decls) {
          Loc l = resolve(d.name);
          if (l.k == LK::Dyn && isTop) l = declare(d.name, d.line, d.col);
          if (!isVariable(l)) throw SyntaxError{1041, d.line, d.col};
          if (l.k == LK::Dyn) emit(OpCode::RefDyn, 1, 1, l.idx);
          else ref(l);
          for (const ExprP& b : d.bounds) expr(*b);
          emit(OpCode::ReDim, -1 - static_cast<int>(d.bounds.size()), static_cast<uint8_t>(d.bounds.size()), 0,
               s.preserve ? 1 : 0);
        }
        break;
      case SK::Erase:
        for (const DimDecl& d : s.decls) {
          ref(resolve(d.name));
          emit(OpCode::Erase, -1);
        }
        break;
      case SK::Const:
        for (const ConstDecl& c : s.consts) {
          Variant v;
          if (!constValue(c.value.get(), v)) throw SyntaxError{1045, c.line, c.col};
          if (isTop) {
            // Registered before the code ran; nothing to do at run time.
            int32_t g = eng.findGlobal(c.name);
            if (g < 0) g = eng.addGlobal(c.name);
            Global& gl = eng.global(g);
            gl.isConst = true;
            gl.declared = true;
            gl.value = v;
          } else {
            u16 f = foldName(c.name);
            if (locals.count(f) || consts.count(f)) throw SyntaxError{1041, c.line, c.col};
            consts[f] = v;
          }
        }
        break;
      case SK::If: {
        std::vector<size_t> ends;
        for (size_t i = 0; i < s.conds.size(); ++i) {
          expr(*s.conds[i]);
          size_t jf = emit(OpCode::JmpFalse, -1);
          block(s.blocks[i]);
          boundary();
          if (i + 1 < s.conds.size() || s.hasElse) ends.push_back(emit(OpCode::Jmp, 0));
          patch(jf);
        }
        if (s.hasElse) block(s.elseBlock);
        for (size_t j : ends) patch(j);
        break;
      }
      case SK::Select: {
        int t = newLocal();
        uint32_t from = here();
        expr(*s.value);
        emit(OpCode::StLocal, -1, kRaw, t);
        uint32_t to = here();
        std::vector<size_t> ends;
        for (const CaseClause& cc : s.cases) {
          if (cc.values.empty()) {
            block(cc.body);
            boundary();
            ends.push_back(emit(OpCode::Jmp, 0));
            continue;
          }
          std::vector<size_t> hits;
          for (const ExprP& v : cc.values) {
            emit(OpCode::LdLocal, 1, 0, t);
            expr(*v);
            emit(OpCode::Cmp, -1, static_cast<uint8_t>(CmpOp::Eq), 0, isLiteral(*v) ? 2 : 0);
            hits.push_back(emit(OpCode::JmpTrue, -1));
          }
          size_t skip = emit(OpCode::Jmp, 0);
          for (size_t h : hits) patch(h);
          block(cc.body);
          boundary();
          ends.push_back(emit(OpCode::Jmp, 0));
          patch(skip);
        }
        for (size_t j : ends) patch(j);
        // Under On Error Resume Next a failing selector skips the whole Select.
        p->resumeRanges.push_back({from, to, here()});
        break;
      }
      case SK::For: forLoop(s); break;
      case SK::ForEach: forEach(s); break;
      case SK::Do: doLoop(s); break;
      case SK::While: {
        uint32_t top = here();
        expr(*s.value);
        size_t jf = emit(OpCode::JmpFalse, -1);
        loops.push_back({false, {}});
        block(s.body);
        boundary();
        emit(OpCode::Jmp, 0, 0, static_cast<int32_t>(top));
        patch(jf);
        for (size_t x : loops.back().exits) patch(x);
        loops.pop_back();
        break;
      }
      case SK::Exit:
        if (s.exitKind == ExitKind::Do || s.exitKind == ExitKind::For) {
          bool wantFor = s.exitKind == ExitKind::For;
          for (auto it = loops.rbegin(); it != loops.rend(); ++it) {
            if (it->isFor == wantFor) {
              it->exits.push_back(emit(OpCode::Jmp, 0));
              break;
            }
          }
        } else {
          procExits.push_back(emit(OpCode::Jmp, 0));
        }
        break;
      case SK::With: {
        int t = newLocal();
        expr(*s.value);
        emit(OpCode::StLocal, -1, kRaw, t);
        withSlots.push_back(t);
        block(s.body);
        withSlots.pop_back();
        boundary();
        emit(OpCode::PushEmpty, 1);
        emit(OpCode::StLocal, -1, kRaw, t);
        break;
      }
      case SK::OnError:
        emit(OpCode::OnError, 0, s.resumeNext ? 1 : 0);
        break;
      case SK::Execute:
        expr(*s.value);
        emit(OpCode::Execute, -1, s.global ? 1 : 0);
        break;
    }
    boundary();
  }

  void assign(const Stmt& s) {
    const Expr& t = *s.target;
    StoreMode mode = s.isSet ? kSet : kLet;
    if (t.kind == EK::Name) {
      Loc l = resolve(t.name, true);
      if (!isVariable(l)) {
        if (l.k == LK::MeProc) {
          // Assigning to a property of the class from inside it.
          emit(OpCode::PushMe, 1);
          expr(*s.value);
          emit(s.isSet ? OpCode::MemberSet : OpCode::MemberLet, -2, 0, nameIndex(t.name), newCache());
          return;
        }
        expr(*s.value);
        emit(OpCode::Illegal, -1);
        return;
      }
      const Expr& v = *s.value;
      if (!s.isSet && v.kind == EK::Binary && v.op == Op::Concat && v.a->kind == EK::Name &&
          foldName(v.a->name) == foldName(t.name) && !calls(*v.b)) {
        // s = s & x: append in place instead of copying s each time.
        ref(l);
        expr(*v.b);
        emit(OpCode::AppendTo, -2);
        return;
      }
      if (!s.isSet && v.kind == EK::Binary && v.op == Op::Add && v.a->kind == EK::Name &&
          foldName(v.a->name) == foldName(t.name) && !calls(*v.b)) {
        // total = total + x: update the variable where it is.
        if (l.k == LK::Global) {
          expr(*v.b);
          emit(OpCode::AddToGlobal, -1, 0, l.idx);
          return;
        }
        ref(l);
        expr(*v.b);
        emit(OpCode::AddTo, -2);
        return;
      }
      expr(v);
      store(l, mode);
      return;
    }
    if (t.kind == EK::Member) {
      if (t.a) expr(*t.a);
      else withObject();
      expr(*s.value);
      emit(s.isSet ? OpCode::MemberSet : OpCode::MemberLet, -2, 0, nameIndex(t.name), newCache());
      return;
    }
    // t.kind == Call
    const Expr& base = *t.a;
    if (base.kind == EK::Member) {
      if (base.a) expr(*base.a);
      else withObject();
      int n = args(t.args, false);
      expr(*s.value);
      emit(s.isSet ? OpCode::MemberSet : OpCode::MemberLet, -2 - n, static_cast<uint8_t>(n),
           nameIndex(base.name), newCache());
      return;
    }
    if (base.kind == EK::Name) {
      Loc l = resolve(base.name, true);
      if (l.k == LK::MeProc) {
        emit(OpCode::PushMe, 1);
        int n = args(t.args, false);
        expr(*s.value);
        emit(s.isSet ? OpCode::MemberSet : OpCode::MemberLet, -2 - n, static_cast<uint8_t>(n),
             nameIndex(base.name), newCache());
        return;
      }
      if (isVariable(l)) {
        ref(l);
        int n = args(t.args, false);
        expr(*s.value);
        emit(s.isSet ? OpCode::IndexSet : OpCode::IndexLet, -2 - n, static_cast<uint8_t>(n));
        return;
      }
      expr(*s.value);
      emit(OpCode::Illegal, -1);
      return;
    }
    if (isElement(base)) {
      // a(0)(1) = x: into the array held in a(0), itself in place.
      emit(OpCode::LockMark, 1);
      elementRef(base);
      int n = args(t.args, false);
      expr(*s.value);
      emit(s.isSet ? OpCode::IndexSet : OpCode::IndexLet, -2 - n, static_cast<uint8_t>(n));
      emit(OpCode::Unlock, -1, 0);
      return;
    }
    if (base.kind == EK::Call && isMemberElement(base)) {
      // o.arr(0)(1) = x: into the array held in the field's element.
      emit(OpCode::LockMark, 1);
      memberElementRef(base);
      int n = args(t.args, false);
      expr(*s.value);
      emit(s.isSet ? OpCode::IndexSet : OpCode::IndexLet, -2 - n, static_cast<uint8_t>(n));
      emit(OpCode::Unlock, -1, 0);
      return;
    }
    // Something like f(1)(2) = x: assign through the default member of the value.
    expr(base);
    int n = args(t.args, false);
    expr(*s.value);
    emit(s.isSet ? OpCode::MemberSet : OpCode::MemberLet, -2 - n, static_cast<uint8_t>(n), -1, newCache());
  }

  void forLoop(const Stmt& s) {
    Loc v = resolve(s.var, true);
    if (!isVariable(v)) throw SyntaxError{1040, s.line, s.col};
    int temps = newLocal();
    newLocal();
    // The counter is reached through a reference kept in a third temp: once the
    // start value is stored, even a name bound at run time stays where it is.
    newLocal();
    expr(*s.from);
    expr(*s.to);
    if (s.step) expr(*s.step);
    else emit(OpCode::PushConst, 1, 1, constIndex(Variant::integer(1)));
    emit(OpCode::ForPrep, -2, 0, temps);  // pops limit and step into temps, leaves start
    store(v, kLet);
    if (temps > 0xFFFF) throw SyntaxError{1001, s.line, s.col};
    ref(v);
    emit(OpCode::ForKeep, -1, 0, temps + 2);
    load(v);
    size_t test = emit(OpCode::ForTest, -1, 0, 0, static_cast<uint16_t>(temps));
    uint32_t top = here();
    loops.push_back({true, {}});
    block(s.body);
    boundary();
    emit(OpCode::ForNext, 0, 1, static_cast<int32_t>(top), static_cast<uint16_t>(temps));
    patch(test);
    for (size_t x : loops.back().exits) patch(x);
    loops.pop_back();
  }

  void forEach(const Stmt& s) {
    Loc v = resolve(s.var, true);
    if (!isVariable(v)) throw SyntaxError{1040, s.line, s.col};
    int temps = newLocal();
    newLocal();
    if (temps > 0xFFFF) throw SyntaxError{1001, s.line, s.col};
    expr(*s.value);
    emit(OpCode::EachInit, -1, 0, temps);
    uint32_t top = here();
    size_t nx = emit(OpCode::EachNext, 1, 0, 0, static_cast<uint16_t>(temps));
    store(v, kRaw);
    loops.push_back({true, {}});
    block(s.body);
    boundary();
    emit(OpCode::Jmp, 0, 0, static_cast<int32_t>(top));
    patch(nx);
    for (size_t x : loops.back().exits) patch(x);
    loops.pop_back();
    // Release the collection.
    emit(OpCode::PushEmpty, 1);
    emit(OpCode::StLocal, -1, kRaw, temps);
  }

  void doLoop(const Stmt& s) {
    loops.push_back({false, {}});
    uint32_t top = here();
    size_t pre = SIZE_MAX;
    if (s.preTest && s.value) {
      expr(*s.value);
      pre = emit(s.isUntil ? OpCode::JmpTrue : OpCode::JmpFalse, -1);
    }
    block(s.body);
    boundary();
    if (!s.preTest && s.value) {
      expr(*s.value);
      emit(s.isUntil ? OpCode::JmpFalse : OpCode::JmpTrue, -1, 0, static_cast<int32_t>(top));
    } else {
      emit(OpCode::Jmp, 0, 0, static_cast<int32_t>(top));
    }
    if (pre != SIZE_MAX) patch(pre);
    for (size_t x : loops.back().exits) patch(x);
    loops.pop_back();
  }

  void finish() {
    for (size_t x : procExits) patch(x);
    boundary();
    emit(OpCode::Ret, 0);
  }
};

namespace {

// Collects names assigned at the top level so that procedures compiled first
// see them as globals (a script may assign a global without Dim after its Subs).
void collectTop(const Block& b, std::vector<const Expr*>& names, std::vector<const Stmt*>& decls) {
  for (const StmtP& s : b) {
    if (s->kind == SK::Dim || s->kind == SK::Const || s->kind == SK::ReDim || s->kind == SK::For ||
        s->kind == SK::ForEach)
      decls.push_back(s.get());
    // Only assignments make globals ahead of time: a name that is merely read
    // at the top level stays unbound until something assigns it.
    if (s->kind == SK::Assign && s->target) {
      const Expr* t = s->target.get();
      if (t->kind == EK::Call && t->a && t->a->kind == EK::Name) t = t->a.get();
      if (t->kind == EK::Name) names.push_back(t);
    }
    for (const Block& bl : s->blocks) collectTop(bl, names, decls);
    collectTop(s->body, names, decls);
    collectTop(s->elseBlock, names, decls);
    for (const CaseClause& cc : s->cases) collectTop(cc.body, names, decls);
  }
}

Proc* newProc(Engine& eng, std::vector<std::unique_ptr<Proc>>& store, const ProcDecl& d, ClassDef* cls, Unit* u) {
  (void)eng;
  auto p = std::make_unique<Proc>();
  p->name = d.name;
  p->kind = d.kind;
  p->isPublic = d.isPublic;
  p->cls = cls;
  p->unit = u;
  p->nparams = static_cast<int>(d.params.size());
  for (const ParamDecl& prm : d.params) p->byVal.push_back(prm.byVal ? 1 : 0);
  Proc* raw = p.get();
  store.push_back(std::move(p));
  return raw;
}

// Builtin function names among those a block assigns: in its scope they
// are variables once assigned.
void assignedBuiltins(const std::vector<const Expr*>& names, const std::vector<const Stmt*>& decls,
                      std::unordered_set<u16>& out) {
  auto add = [&](u16v n) {
    if (findBuiltin(n)) out.insert(foldName(n));
  };
  for (const Expr* n : names) add(n->name);
  for (const Stmt* s : decls) {
    if (s->kind == SK::For || s->kind == SK::ForEach) add(s->var);
    else if (s->kind == SK::ReDim)
      for (const DimDecl& d : s->decls) add(d.name);
  }
}

bool isExecuteCall(const Expr* e) {
  if (e && e->kind == EK::Call) e = e->a.get();
  return e && e->kind == EK::Name && foldName(e->name) == u"execute";
}

bool runsExecute(const Block& b) {
  for (const StmtP& s : b) {
    if (s->kind == SK::Execute && !s->global) return true;
    if (s->kind == SK::Call && isExecuteCall(s->target.get())) return true;
    if (s->kind == SK::Assign && s->value && isExecuteCall(s->value.get())) return true;
    for (const Block& bl : s->blocks)
      if (runsExecute(bl)) return true;
    if (runsExecute(s->body) || runsExecute(s->elseBlock)) return true;
    for (const CaseClause& cc : s->cases)
      if (runsExecute(cc.body)) return true;
  }
  return false;
}

void compileBody(Engine& eng, Unit* u, Proc* p, const ProcDecl& d, ClassDef* cls,
                 const std::unordered_set<u16>* unitDyn) {
  CompileScope sc(eng, u, p, cls, false);
  sc.unitDyn = unitDyn;
  sc.runsExecute = runsExecute(d.body);
  for (const ParamDecl& prm : d.params) {
    u16 f = foldName(prm.name);
    if (sc.locals.count(f)) throw SyntaxError{1041, d.line, d.col};
    sc.newLocal(prm.name);
    sc.dimmed.insert(f);
  }
  if (d.kind == ProcKind::Function || d.kind == ProcKind::PropGet) {
    p->retSlot = sc.newLocal(d.name);
  }
  std::vector<const Expr*> names;
  std::vector<const Stmt*> decls;
  collectTop(d.body, names, decls);
  assignedBuiltins(names, decls, sc.dynNames);
  sc.hoistDims(decls);
  sc.block(d.body);
  sc.finish();
}

// Execute and Eval code inside a procedure: the caller's locals arrive as
// references, in the scope's order, as the code's first locals.
void bindParams(CompileScope& sc, const std::vector<ScopeVar>& scope) {
  for (const ScopeVar& v : scope) {
    int s = sc.newLocal();
    if (!v.implicit) {
      sc.locals[v.name] = s;
    } else {
      int32_t ni = sc.nameIndex(v.name);
      sc.p->dynLocals[ni] = s;
      const BuiltinDef* b = findBuiltin(v.name);
      sc.p->dynBuiltin[ni] = b ? builtinSlot(b) : -1;
      sc.boundDyn[v.name] = ni;
    }
  }
  sc.p->nparams = static_cast<int>(scope.size());
  sc.p->byVal.assign(scope.size(), 0);
}

}  // namespace

void programNames(const Program& prog, std::vector<u16>& declared, std::vector<u16>& assigned) {
  std::vector<const Expr*> names;
  std::vector<const Stmt*> decls;
  collectTop(prog.body, names, decls);
  for (const Expr* n : names) assigned.push_back(foldName(n->name));
  for (const Stmt* s : decls) {
    if (s->kind == SK::Dim) {
      for (const DimDecl& d : s->decls) declared.push_back(foldName(d.name));
    } else if (s->kind == SK::ReDim) {
      for (const DimDecl& d : s->decls) assigned.push_back(foldName(d.name));
    } else if (s->kind == SK::For || s->kind == SK::ForEach) {
      assigned.push_back(foldName(s->var));
    }
  }
}

Proc* Compiler::compileProgram(Program& prog, const std::vector<ScopeVar>* scope, ClassDef* ctxCls) {
  unit_->optionExplicit = unit_->optionExplicit || prog.optionExplicit;
  std::vector<std::pair<Proc*, const ProcDecl*>> bodies;
  std::vector<std::pair<ClassDef*, const ClassDecl*>> classes;

  // Classes first: their names must be known to New anywhere.
  for (const ClassDecl& cd : prog.classes) {
    auto c = std::make_unique<ClassDef>();
    c->name = cd.name;
    for (const FieldDecl& fd : cd.fields) {
      u16 f = foldName(fd.decl.name);
      if (c->byName.count(f)) throw SyntaxError{1041, fd.decl.line, fd.decl.col};
      ClassMember m;
      m.name = fd.decl.name;
      m.isPublic = fd.isPublic;
      m.field = c->nfields++;
      std::vector<Bound> dims;
      for (const ExprP& b : fd.decl.bounds) {
        int32_t ub = b->value.vt == vtInteger ? b->value.i : b->value.l;
        dims.push_back({0, ub + 1});
      }
      if (fd.decl.isArray && fd.decl.bounds.empty()) dims.push_back({0, -1});
      c->fieldArrays.push_back(dims);
      c->byName[f] = static_cast<int>(c->members.size());
      c->members.push_back(m);
    }
    for (const ProcDecl& pd : cd.procs) {
      u16 f = foldName(pd.name);
      Proc* p = newProc(eng_, c->procs, pd, c.get(), unit_);
      int mi;
      if (auto it = c->byName.find(f); it != c->byName.end()) {
        mi = it->second;
        if (c->members[mi].field >= 0) throw SyntaxError{1041, pd.line, pd.col};
      } else {
        mi = static_cast<int>(c->members.size());
        c->byName[f] = mi;
        ClassMember m;
        m.name = pd.name;
        c->members.push_back(m);
      }
      ClassMember& m = c->members[mi];
      m.isPublic = pd.isPublic;
      Proc** slot = pd.kind == ProcKind::PropLet ? &m.let : pd.kind == ProcKind::PropSet ? &m.set
                  : pd.kind == ProcKind::Sub ? &m.sub : &m.get;
      if (*slot || (pd.kind == ProcKind::Sub && m.get) || (pd.kind == ProcKind::Function && m.sub) ||
          (pd.kind == ProcKind::Function && m.get))
        throw SyntaxError{1041, pd.line, pd.col};
      *slot = p;
      if (pd.isDefault) c->defaultMember = mi;
      if (f == u"class_initialize" && pd.kind == ProcKind::Sub) {
        if (!pd.params.empty()) throw SyntaxError{1053, pd.line, pd.col};
        c->init = p;
      }
      if (f == u"class_terminate" && pd.kind == ProcKind::Sub) {
        if (!pd.params.empty()) throw SyntaxError{1053, pd.line, pd.col};
        c->term = p;
      }
      bodies.emplace_back(p, &pd);
    }
    ClassDef* raw = c.get();
    u16 key = foldName(cd.name);
    auto old = eng_.classes_.find(key);
    if (old != eng_.classes_.end()) {
      // Keep the old definition alive: instances of it may still exist.
      eng_.deadClasses_.push_back(std::move(old->second));
      old->second = std::move(c);
    } else {
      eng_.classes_[key] = std::move(c);
    }
    classes.emplace_back(raw, &cd);
  }

  // Global procedures.
  for (const ProcDecl& pd : prog.procs) {
    Proc* p = newProc(eng_, eng_.procs_, pd, nullptr, unit_);
    int32_t g = eng_.findGlobal(pd.name);
    if (g < 0) g = eng_.addGlobal(pd.name);
    Global& gl = eng_.global(g);
    if (gl.isConst) throw SyntaxError{1041, pd.line, pd.col};
    gl.proc = p;
    gl.declared = true;
    gl.value.clear();
    bodies.emplace_back(p, &pd);
  }

  // Top-level declarations and names.
  bool topIsGlobal = scope == nullptr;
  std::vector<const Expr*> names;
  std::vector<const Stmt*> decls;
  collectTop(prog.body, names, decls);
  if (topIsGlobal) {
    // Builtin names assigned here become globals only when assigned: until
    // then they still call the builtin.
    assignedBuiltins(names, decls, topDyn_);
    std::unordered_set<u16> unitConsts;
    for (const Stmt* s : decls) {
      if (s->kind == SK::Const) {
        for (const ConstDecl& c : s->consts) {
          if (!unitConsts.insert(foldName(c.name)).second) throw SyntaxError{1041, c.line, c.col};
          Variant v;
          if (!constValue(c.value.get(), v)) throw SyntaxError{1045, c.line, c.col};
          int32_t g = eng_.findGlobal(c.name);
          if (g >= 0 && (eng_.global(g).proc || (eng_.global(g).declared && !eng_.global(g).isConst)))
            throw SyntaxError{1041, c.line, c.col};
          if (g < 0) g = eng_.addGlobal(c.name);
          Global& gl = eng_.global(g);
          gl.isConst = true;
          gl.declared = true;
          gl.value = v;
        }
      } else if (s->kind == SK::Dim) {
        for (const DimDecl& d : s->decls) {
          int32_t g = eng_.findGlobal(d.name);
          if (g >= 0 && (eng_.global(g).proc || eng_.global(g).isConst)) throw SyntaxError{1041, d.line, d.col};
          if (g < 0) g = eng_.addGlobal(d.name);
          eng_.global(g).declared = true;
        }
      } else if (s->kind == SK::ReDim) {
        // ReDim declares, Option Explicit or not.
        for (const DimDecl& d : s->decls) {
          if (findBuiltin(d.name)) continue;
          int32_t g = eng_.findGlobal(d.name);
          if (g < 0) {
            g = eng_.addGlobal(d.name);
            eng_.global(g).declared = true;
          }
        }
      } else if (!unit_->optionExplicit && !findBuiltin(s->var) && eng_.findGlobal(s->var) < 0) {
        eng_.addGlobal(s->var);
      }
    }
    if (!unit_->optionExplicit) {
      for (const Expr* n : names) {
        if (eng_.findGlobal(n->name) >= 0) continue;
        if (findBuiltin(n->name) || findConstant(n->name)) continue;
        eng_.addGlobal(n->name);
      }
    }
  }

  for (auto& [p, d] : bodies) compileBody(eng_, unit_, p, *d, p->cls, &topDyn_);

  // Top-level code.
  auto top = std::make_unique<Proc>();
  top->name = u"<global>";
  top->unit = unit_;
  top->isDynamic = !topIsGlobal;
  top->isGlobalCode = topIsGlobal;
  Proc* raw = top.get();
  eng_.procs_.push_back(std::move(top));
  CompileScope sc(eng_, unit_, raw, topIsGlobal ? nullptr : ctxCls, topIsGlobal);
  sc.unitDyn = &topDyn_;
  if (scope) {
    sc.bound = true;
    bindParams(sc, *scope);
  }
  sc.hoistDims(decls);
  sc.block(prog.body);
  sc.finish();
  return raw;
}

Proc* Compiler::compileEval(Expr& e, const std::vector<ScopeVar>* scope, ClassDef* cls) {
  auto top = std::make_unique<Proc>();
  top->name = u"<eval>";
  top->unit = unit_;
  top->isDynamic = true;
  top->isGlobalCode = scope == nullptr;
  top->kind = ProcKind::Function;
  Proc* raw = top.get();
  eng_.procs_.push_back(std::move(top));
  CompileScope sc(eng_, unit_, raw, cls, false);
  sc.bound = true;
  if (scope) bindParams(sc, *scope);
  raw->retSlot = sc.newLocal();
  sc.p->stmts.push_back({0, e.line, e.col});
  sc.expr(e);
  sc.emit(OpCode::StLocal, -1, kRaw, raw->retSlot);
  sc.finish();
  return raw;
}

}  // namespace pw
