// Syntax tree produced by the parser and consumed by the compiler.
#pragma once

#include <memory>
#include <vector>

#include "lexer.h"

namespace pw {

struct Expr;
struct Stmt;
using ExprP = std::unique_ptr<Expr>;
using StmtP = std::unique_ptr<Stmt>;
using Block = std::vector<StmtP>;

enum class EK : uint8_t {
  Literal,   // value
  Name,      // name
  Member,    // base.name (base null inside With: .name)
  Call,      // base(args): call, index or default member
  Unary,     // op, a
  Binary,    // op, a, b
  Paren,     // (a): passes by value
  New,       // New name
  Me,
  Nothing,
  Missing,   // an omitted argument: f(a, , c)
};

enum class Op : uint8_t {
  Neg, Not,
  Add, Sub, Mul, Div, IntDiv, Mod, Pow, Concat,
  Eq, Ne, Lt, Le, Gt, Ge, Is,
  And, Or, Xor, Eqv, Imp,
};

struct Expr {
  EK kind;
  Op op = Op::Add;
  int32_t line = 0, col = 0;
  Variant value;          // Literal
  u16 name;               // Name, Member, New
  ExprP a, b;             // Unary/Binary operands; Member/Call base in a
  std::vector<ExprP> args;  // Call
  Expr() = default;
  Expr(const Expr&) = delete;
  Expr& operator=(const Expr&) = delete;
  ~Expr();
  bool literalOperand() const { return kind == EK::Literal; }
};

enum class SK : uint8_t {
  Assign,    // target = value (isSet for Set)
  Call,      // expression statement: a call (target holds the call expression)
  Dim,       // decls
  ReDim,     // redims, preserve
  Erase,     // names in decls
  Const,     // consts
  If,        // conds/blocks, elseBlock
  Select,    // value, cases
  For,       // var, from, to, step, body
  ForEach,   // var, value (collection), body
  Do,        // cond (may be null), preTest, isUntil, body
  While,     // cond, body
  Exit,      // exitKind
  With,      // value, body
  OnError,   // resumeNext
  Execute,   // value: code; global for ExecuteGlobal
  Nop,
};

enum class ExitKind : uint8_t { Do, For, Sub, Function, Property };

struct DimDecl {
  u16 name;
  int32_t line = 0, col = 0;
  bool isArray = false;        // declared with parentheses
  std::vector<ExprP> bounds;   // upper bounds (empty for dynamic arrays)
};

struct ConstDecl {
  u16 name;
  int32_t line = 0, col = 0;
  ExprP value;
};

struct CaseClause {
  std::vector<ExprP> values;  // empty: Case Else
  Block body;
};

struct Stmt {
  SK kind;
  int32_t line = 0, col = 0;
  ExprP target, value, from, to, step;
  bool isSet = false, preserve = false, preTest = false, isUntil = false, resumeNext = false,
       global = false;
  u16 var;  // loop variable
  ExitKind exitKind = ExitKind::Do;
  std::vector<DimDecl> decls;
  std::vector<ConstDecl> consts;
  std::vector<ExprP> conds;
  std::vector<Block> blocks;
  Block body, elseBlock;
  bool hasElse = false;
  std::vector<CaseClause> cases;
};

enum class ProcKind : uint8_t { Sub, Function, PropGet, PropLet, PropSet };

struct ParamDecl {
  u16 name;
  bool byVal = false;
  bool isArray = false;
};

struct ProcDecl {
  ProcKind kind = ProcKind::Sub;
  u16 name;
  int32_t line = 0, col = 0;
  bool isPublic = true, isDefault = false;
  std::vector<ParamDecl> params;
  Block body;
};

struct FieldDecl {
  DimDecl decl;
  bool isPublic = true;
};

struct ClassDecl {
  u16 name;
  int32_t line = 0, col = 0;
  std::vector<FieldDecl> fields;
  std::vector<ProcDecl> procs;
};

struct GlobalVarDecl {
  DimDecl decl;
  bool isPublic = true;
};

struct Program {
  bool optionExplicit = false;
  std::vector<ProcDecl> procs;
  std::vector<ClassDecl> classes;
  Block body;  // top-level statements (global Dims included, in order)
};

// Parses a whole script or an ExecuteGlobal/Execute text. Throws SyntaxError.
Program parseProgram(u16v src);
// Parses an Eval text: one expression. Throws SyntaxError.
ExprP parseExpression(u16v src);

}  // namespace pw
