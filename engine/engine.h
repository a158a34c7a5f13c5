// Engine internals: compiled procedures, classes, globals and the VM.
// Only the engine's own files and its tests include this.
#pragma once

#include <chrono>
#include <deque>
#include <exception>
#include <memory>
#include <typeinfo>
#include <unordered_map>
#include <vector>

#include "ast.h"
#include "builtins.h"
#include "objects.h"
#include "script_control.h"

namespace pw {

enum class OpCode : uint8_t {
  PushConst, PushEmpty, PushNothing, PushMissing, PushMe, Pop,
  LdLocal, StLocal, RefLocal,
  LdGlobal, StGlobal, RefGlobal,
  LdField, StField, RefField,
  LdDyn, StDyn, RefDyn,  // RefDyn a: 1 ReDim (creates the name even under Option Explicit), 2 Dim
  Illegal,     // assignment to a constant: 501
  AddK, SubK, MulK,  // [x] -> x op constant b (a numeric literal)
  Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat, Neg, Not, And, Or, Xor, Eqv, Imp, Cmp, Is,
  Jmp, JmpFalse, JmpTrue,
  ForPrep,     // b: first of two temp slots (limit, step); converts them to numbers
  ForTest,     // [value] -> continue or jump to b; temps at slot c
  ForNext,     // var += step, var through the reference ForKeep left in temp c + 2;
               // back to b while the loop goes on (temps at c)
  ForKeep,     // [ref var] -> temp b
  AppendTo,    // [ref, value] -> var = var & value, in place when the string is unshared
  AddTo,       // [ref, value] -> var = var + value
  AddToGlobal, // [value] -> global b = global b + value
  EachInit,    // [collection] -> iterator into temps at b
  EachNext,    // pushes the next element or jumps to b; temps at c
  Call,        // script procedure b with c args
  CallMe,      // class procedure b (index in the class's proc list) on Me, c args
  CallBuiltin, // builtin table index b, c args
  CallDyn,     // name b, resolved at run time, c args; a: 1 statement, 2 an array element by reference
  Index,       // [base, args...] -> element or default member
  Member,      // [obj, args...] -> obj.name(args)   (b: name, c: cache)
  MemberCall,  // same, as a statement (Method kind)
  MemberLet,   // [obj, args..., value]
  MemberSet,
  ElemRef,     // [ref, args...] -> reference to the array element (array locked), else its value
  MemberRef,   // [obj, args...] -> like ElemRef for an array field of a script object, else obj.name(args)
  LockMark,    // pushes the depth of the element-lock stack
  Unlock,      // releases element locks down to the mark; a: 1 the mark is under a result
  IndexLet,    // [ref, args..., value]
  IndexSet,
  New,         // class name b
  ReDim,       // [ref, bounds...] a: dims, c: 1 preserve, 2 fixed (Dim)
  Erase,       // [ref]
  OnError,     // a: 1 resume next
  Execute,     // [code] a: 1 global
  Ret,
};

// Store modes of St* ops (in Ins::a).
enum StoreMode : uint8_t { kLet = 0, kSet = 1, kRaw = 2 };

struct Ins {
  OpCode op;
  uint8_t a = 0;
  uint16_t c = 0;
  int32_t b = 0;
};
static_assert(sizeof(Ins) == 8);

struct StmtPos {
  uint32_t pc;
  int32_t line, col;
};

struct ClassDef;
struct Unit;

// Set in Variant::flags of a slot that holds a procedure's implicit local
// once it exists: until then the name reads through to globals and builtins.
constexpr uint16_t kFlagLive = 0x4000;
// Set in Variant::flags of a variable declared with bounds (Dim a(3)): like
// Windows' locked arrays it can be neither resized nor assigned (error 10).
// A copy of its array is an ordinary one.
constexpr uint16_t kFlagFixed = 0x2000;

// A named local of a procedure; implicit ones are the names it uses without
// declaring them (see kFlagLive).
struct LocalName {
  u16 name;  // folded
  int slot;
  bool implicit;
};

// A local of a running procedure, as Execute and Eval code binds to it.
struct ScopeVar {
  u16 name;  // folded
  Variant* target;
  bool implicit;
};

// pc range whose errors, under On Error Resume Next, continue at `at`.
struct ResumeRange {
  uint32_t from, to, at;
};

// An array whose refs include element locks is shared only beyond them.
inline bool sharedArray(const ArrayRep* a) { return a->refs - a->locks > 1; }

struct MemberCache {
  const void* key = nullptr;
  int32_t id = 0;
};

struct Proc {
  u16 name;
  ProcKind kind = ProcKind::Sub;
  bool isPublic = true;
  bool isDynamic = false;  // code of Execute/Eval: errors are placed at the caller
  bool isGlobalCode = false;  // runs in the global scope (a script's or ExecuteGlobal's top level)
  int nparams = 0;
  std::vector<uint8_t> byVal;
  int nlocals = 0;  // params, return slot, locals and temps
  int retSlot = -1;
  int maxStack = 0;
  std::vector<Ins> code;
  std::vector<Variant> consts;
  std::vector<u16> names;
  std::vector<StmtPos> stmts;       // statement starts, by pc
  std::vector<uint32_t> boundaries; // where On Error Resume Next continues
  std::vector<MemberCache> caches;
  std::vector<int32_t> dynLocals;   // for LdDyn: slot of the implicit local per name index (-1: none)
  std::vector<int32_t> dynCache;    // for LdDyn: resolved global index per name index (-1: not yet)
  std::vector<int32_t> dynBuiltin;  // for LdDyn: builtin slot the name falls back to (-1: none)
  std::vector<LocalName> localNames;  // for Execute/Eval
  std::vector<ResumeRange> resumeRanges;
  ClassDef* cls = nullptr;
  Unit* unit = nullptr;
};

struct ClassMember {
  u16 name;
  bool isPublic = true;
  int field = -1;
  Proc* get = nullptr;  // Function or Property Get
  Proc* let = nullptr;
  Proc* set = nullptr;
  Proc* sub = nullptr;
};

struct ClassDef {
  u16 name;
  std::vector<ClassMember> members;  // dispid = index + 1
  std::unordered_map<u16, int> byName;  // folded name -> member index
  std::vector<std::vector<Bound>> fieldArrays;  // per field: dims ({} when scalar)
  int nfields = 0;
  int defaultMember = -1;
  Proc* init = nullptr;
  Proc* term = nullptr;
  std::vector<std::unique_ptr<Proc>> procs;
};

struct Unit {
  bool optionExplicit = false;
};

struct Global {
  u16 name;
  Variant value;
  Proc* proc = nullptr;
  bool isConst = false;
  bool declared = false;  // Dim'd, a procedure, a constant or a host object
};

class ErrObject;
class Engine;

// A script class instance.
class ScriptObject final : public ValueHolder {
 public:
  ScriptObject(Engine& e, ClassDef* c);
  int32_t getIdOfName(u16v name) override;
  Variant invoke(int32_t id, InvokeKind kind, Args args) override;
  u16 typeName() const override { return cls->name; }
  const void* memberCacheKey() const override { return cls; }
  // Member lookup that also sees private members (calls from inside the class).
  int32_t idOfNameInternal(u16v name) const;
  Variant invokeMember(int32_t id, InvokeKind kind, Args args, bool inside);
  void dropValues() override;

  Engine& eng;
  ClassDef* cls;
  std::vector<Variant> fields;
  bool terminated = false;

 protected:
  void destroy() override;

};

// The object as a script class instance, or nullptr. On the path of every
// member call: an exact type test, cheaper than a cast through the hierarchy.
inline ScriptObject* asScriptObject(Object* o) {
  return o && typeid(*o) == typeid(ScriptObject) ? static_cast<ScriptObject*>(o) : nullptr;
}

// A local that Execute code added to a running procedure.
struct FrameExtra {
  u16 name;  // folded
  bool implicit;
  Variant value;
};

struct Frame {
  Proc* proc;
  ScriptObject* me;
  Variant* base;
  bool resumeNext = false;
  Frame* owner = nullptr;  // whose locals the code sees (itself, or Execute's caller); null: global scope
  size_t lockBase = 0;     // element locks held when the frame began
  std::unique_ptr<std::deque<FrameExtra>> extras{};
};

// Thrown past every error handler: time-outs and host-requested aborts.
struct ScriptAbort {
  ScriptError err;
};

// What a script sees of a C++ exception from inside the engine or a host
// object: 7 "Out of memory" for allocation failures, 51 for anything else.
ScriptError errorFromException(const std::exception& x);

class Engine {
 public:
  Engine();
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  // --- script control operations ---
  void addObject(u16v name, Object* obj, bool addMembers);
  bool addCode(u16v text);
  // Parses and compiles text; nullptr after a syntax error, which is reported.
  Proc* compileTop(u16v text);
  void reset();
  ScriptErrorInfo& error() { return error_; }

  int32_t timeoutMs = 10000;
  bool allowUI = true;
  bool useSafeSubset = false;
  ScriptHost* host = nullptr;
  std::function<void()> onError;
  LibState lib;

  // --- used by the VM, builtins and objects ---
  Variant callProc(Proc* p, ScriptObject* me, Args args);
  Variant runFrame(Proc* p, ScriptObject* me, Variant* base, int argc, Frame* owner = nullptr);
  Variant eval(u16v code);                    // Eval in the current scope
  void execute(u16v code, bool global);       // Execute / ExecuteGlobal
  Variant getRef(u16v name);
  Variant globalObject();  // Me outside a class
  Variant createObject(u16v progId);
  Variant newObject(u16v className);
  ErrObject& errObject() { return *err_.get(); }
  void setErr(const ScriptError& e);
  void clearErr();
  void hostCalled() { lastHostCall_ = std::chrono::steady_clock::now(); }
  void checkTimeout();

  // Globals.
  int32_t findGlobal(u16v name) const;  // -1 when unknown
  int32_t addGlobal(u16v name);
  Global& global(int32_t i) { return *globals_[i]; }
  size_t globalCount() const { return globals_.size(); }
  ClassDef* findClass(u16v name) const;

  std::vector<Frame*> frames;  // active frames, innermost last
  // Slots of the VM stack that are not Empty although no frame runs: 0 when
  // every run so far left the stack as it found it.
  size_t staleStackSlots() const;
  // Array elements bound to ByRef parameters right now (0 between runs).
  size_t elementLocks() const { return elemLocks_.size(); }

 private:
  friend class Compiler;
  void runTop(Proc* p);
  void setStackLimit();
  void execLoop(Frame& f);
  [[noreturn]] void stackOverflow();
  void placeError(const Proc& p, uint32_t fault);
  void reportSyntax(const SyntaxError& e, u16v text);
  void reportRuntime(const ScriptError& e);
  struct DynTarget {
    Variant* var = nullptr;  // a live local or a global variable
    Global* g = nullptr;     // a global procedure or constant (var is set for constants)
    const BuiltinDef* fn = nullptr;
  };
  DynTarget findDyn(Frame& f, int32_t nameIdx);
  bool readDyn(const DynTarget& t, Variant* sp, Variant& out);
  Variant* createDyn(Frame& f, int32_t nameIdx);
  Variant callDyn(Frame& f, int32_t nameIdx, Variant* args, int argc, uint16_t flags);
  Variant elementRef(Variant& target, Variant* args, int argc);
  Variant memberElementRef(Frame& f, const Ins& in, Variant& obj, Variant* args, int argc);
  void releaseLocks(size_t depth);
  void unlockElement(const Variant* elem);
  std::vector<ScopeVar> bindScope(Frame& owner, const Program* prog);
  Variant indexValue(Variant& base, Variant* args, int argc);
  void indexStore(Variant& target, Variant* args, int argc, Variant& value, bool isSet);
  Variant member(Frame& f, const Ins& in, Variant& obj, Variant* args, int argc, InvokeKind kind);
  void redim(Variant& target, Variant* bounds, int n, bool preserve, bool fixed);
  void eachInit(Variant* slots, Variant& coll);
  bool eachNext(Variant* slots, Variant& out);
  void compileAndRunUnit(u16v text, bool topLevel);

  std::vector<std::unique_ptr<Global>> globals_;
  std::unordered_map<u16, int32_t> globalIndex_;
  std::vector<int32_t> builtinGlobals_;  // by builtin slot: the global of that name (-1: none)
  std::unordered_map<u16, std::unique_ptr<ClassDef>> classes_;
  std::vector<std::unique_ptr<Proc>> procs_;   // every compiled procedure (kept until reset)
  std::vector<std::unique_ptr<ClassDef>> deadClasses_;
  std::vector<std::unique_ptr<Unit>> units_;
  std::vector<std::pair<u16, Ref<Object>>> hostObjects_;
  std::vector<ArrayRep*> elemLocks_;  // arrays whose elements are bound ByRef, innermost last
  // Every object alive that holds script values, so that those left holding
  // each other when the script ends are freed (without Class_Terminate, as
  // on Windows).
  ValueHolder* holders_ = nullptr;
  size_t holderCount_ = 0;
  bool sweeping_ = false;
  void freeCycles();
  friend class ScriptObject;
  friend class ValueHolder;
  Ref<ErrObject> err_;
  Ref<Object> globalObject_;
  ScriptErrorInfo error_;

  struct StackFree {
    void operator()(Variant* p) const;
  };
  std::unique_ptr<Variant, StackFree> stack_;
  Variant* stackEnd_ = nullptr;
  Variant* sp_ = nullptr;
  Variant* stackHigh_ = nullptr;  // the highest sp_ so far (what staleStackSlots scans)
  uintptr_t cStackLimit_ = 0;  // below this address a call raises 28

  // Position of the error being propagated (set by the innermost frame).
  bool errPlaced_ = false;
  int32_t errLine_ = 0, errCol_ = 0;

  // Time-out.
  std::chrono::steady_clock::time_point deadline_;
  std::chrono::steady_clock::time_point lastHostCall_;
  int32_t budget_ = 0;
  int depth_ = 0;  // nesting of AddCode/Execute/Eval runs
};

// The Err object.
class ErrObject final : public Object {
 public:
  int32_t getIdOfName(u16v name) override;
  Variant invoke(int32_t id, InvokeKind kind, Args args) override;
  u16 typeName() const override { return u"ErrObject"; }
  ScriptError e;
};

u16 foldName(u16v name);  // the case-folded key of a name

// Call sites refer to built-in functions by a small index into this list.
int32_t builtinSlot(const BuiltinDef* def);
const BuiltinDef* builtinBySlot(int32_t slot);

}  // namespace pw
