// Turns a parsed program into procedures of bytecode for the VM.
#pragma once

#include <unordered_set>

#include "engine.h"

namespace pw {

struct CompileScope;

class Compiler {
 public:
  Compiler(Engine& e, Unit* unit) : eng_(e), unit_(unit) {}

  // Registers the program's classes, procedures and globals and returns the
  // procedure of its top-level statements. With a scope (Execute inside a
  // procedure), its names refer to the caller's variables: the returned
  // procedure expects references to them, in that order, as its first locals.
  Proc* compileProgram(Program& prog, const std::vector<ScopeVar>* scope, ClassDef* cls);
  // An Eval expression, with the same scoping as Execute.
  Proc* compileEval(Expr& e, const std::vector<ScopeVar>* scope, ClassDef* cls);

 private:
  friend struct CompileScope;
  Engine& eng_;
  Unit* unit_;
  std::unordered_set<u16> topDyn_;  // builtin names the top level assigns: variables once assigned
};

// Names a program's top level declares with Dim, and those it assigns
// (For, For Each, ReDim and plain assignment), folded.
void programNames(const Program& prog, std::vector<u16>& declared, std::vector<u16>& assigned);

}  // namespace pw
