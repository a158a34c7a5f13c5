// Turns a parsed program into procedures of bytecode for the VM.
#pragma once

#include "engine.h"

namespace pw {

struct CompileScope;

class Compiler {
 public:
  Compiler(Engine& e, Unit* unit) : eng_(e), unit_(unit) {}

  // Registers the program's classes, procedures and globals and returns the
  // procedure of its top-level statements. With ctx (Execute inside a
  // procedure), names of ctx's locals refer to the caller's variables: the
  // returned procedure expects references to them as its first locals.
  Proc* compileProgram(Program& prog, const Frame* ctx);
  // An Eval expression, with the same scoping as Execute.
  Proc* compileEval(Expr& e, const Frame* ctx);

 private:
  friend struct CompileScope;
  Engine& eng_;
  Unit* unit_;
};

}  // namespace pw
