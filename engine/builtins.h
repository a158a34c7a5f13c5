// The table of built-in functions and constants. Adding a function is one row
// in one of the tables that builtins.cpp gathers.
#pragma once

#include <cstdint>
#include <span>

#include "variant.h"

namespace pw {

class Engine;

// Per-engine state that library functions keep between calls.
struct LibState {
  int32_t locale = 1033;
  uint32_t rndSeed = 0x50000;  // VBScript's 24-bit generator state
  float lastRnd = 0;
};
LibState& libState(Engine& e);

// Arguments arrive as the script passed them (ByRef references possible;
// Args::operator[] reads through them). Omitted optional arguments in the
// middle of a list (f(a, , c)) arrive as Variant::missing(); trailing ones
// are simply absent (args.size() is smaller).
using BuiltinFn = Variant (*)(Engine& e, Args args);

// How a function may be called. Windows refuses the numeric conversions as
// statements (Call CInt(1) raises 458) and Randomize as a value (13).
enum BuiltinUse : uint8_t { kAnyUse = 0, kNotStatement = 1, kNotValue = 2 };

struct BuiltinDef {
  const char16_t* name;
  BuiltinFn fn;
  int8_t minArgs;
  int8_t maxArgs;  // -1: any number
  uint8_t use = kAnyUse;
};

// Raises the error for a call whose result is discarded (statement) or used
// against the function's BuiltinUse.
void checkBuiltinUse(const BuiltinDef& def, bool statement);

struct ConstDef {
  const char16_t* name;
  Variant (*make)();
};

// Tables contributed by each library file.
std::span<const BuiltinDef> coreBuiltins();     // engine-facing (Eval, GetRef, CreateObject, MsgBox, ...)
std::span<const BuiltinDef> convertBuiltins();  // CStr, CInt, ..., Hex, Oct, Int, Fix, Round, ...
std::span<const BuiltinDef> stringBuiltins();   // Len, Mid, InStr, Replace, Split, Join, ...
std::span<const BuiltinDef> mathBuiltins();     // Atn, Cos, ..., Rnd, Randomize
std::span<const BuiltinDef> dateBuiltins();     // Date, Now, DateAdd, DateDiff, ...
std::span<const BuiltinDef> formatBuiltins();   // FormatNumber, FormatCurrency, ...
std::span<const BuiltinDef> inspectBuiltins();  // IsArray, TypeName, VarType, LBound, UBound, Array, ...
std::span<const ConstDef> builtinConstants();   // vbCrLf, vbTextCompare, ...

// Lookup by name (case-insensitive); nullptr when there is no such function.
const BuiltinDef* findBuiltin(u16v name);
const ConstDef* findConstant(u16v name);

// Helpers for library functions.
// TypeName's text for a value ("Integer", "String", "Nothing", class name...).
u16 typeNameOf(const Variant& v);
// VarType's number for a value.
int32_t varTypeOf(const Variant& v);

}  // namespace pw
