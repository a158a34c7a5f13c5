// VBScript's operators and coercions on Variants. Every function raises the
// language's run-time errors (13 Type mismatch, 6 Overflow, 11 Division by
// zero, 94 Invalid use of Null, ...) by throwing ScriptError. Objects in value
// contexts are replaced by their default property (dispatch id 0) first.
#pragma once

#include "variant.h"

namespace pw {

// An object's default value (its DISPID_VALUE property); non-objects are
// returned as they are. Nothing raises 91, an object without a default 438.
Variant defaultValue(const Variant& v);

// --- Conversions (the C* functions build on these) ---
bool toBool(const Variant& v);        // CBool
uint8_t toByte(const Variant& v);     // CByte
int16_t toInteger(const Variant& v);  // CInt: banker's rounding, 6 on overflow
int32_t toLong(const Variant& v);     // CLng
float toSingle(const Variant& v);     // CSng
double toDouble(const Variant& v);    // CDbl
int64_t toCurrency(const Variant& v); // CCur, scaled by 10000
double toDate(const Variant& v);      // CDate, as an OLE Automation date
u16 toString(const Variant& v);       // CStr: Null raises 94, Empty is ""
// Text form where Null and Empty give "" (string concatenation, Echo).
u16 toText(const Variant& v);
// The text a string parameter of an automation object receives (RegExp's
// arguments): the platform's plain conversion, where True is "-1" and False
// "0"; otherwise as CStr.
u16 toAutomationText(const Variant& v);

// A numeric Variant for arithmetic: strings are parsed (13 when not numeric),
// Empty becomes Integer 0, Boolean stays Boolean, Null stays Null.
Variant toNumeric(const Variant& v);

// Parses a number the way VBScript reads numeric strings: surrounding blanks,
// sign, decimals, exponent, &H and &O forms. False when it is not a number;
// *overflow then tells a well-formed number past the Double range ("1E400").
bool parseNumber(u16v text, double& out, bool* overflow = nullptr);
// parseNumber for conversions: 6 for a number past the Double range, 13 for
// text that is no number.
double numberOfText(u16v text);
// Parses a date/time text in the US-English forms ("1/2/2003", "2003-01-02",
// "Jan 2, 2003", "3:04:05 PM", combinations). False when it is not a date.
bool parseDate(u16v text, double& out);

// Text forms with US-English conventions, as CStr produces them.
u16 formatDouble(double d);   // up to 15 significant digits, "1E+20" past 15 places
u16 formatSingle(float f);    // up to 7 significant digits
u16 formatCurrency(int64_t cy);
u16 formatDate(double d);     // "1/2/2003 3:04:05 PM"; date or time alone when the other part is 0

// Rounds half to even, as VBScript does when converting to integer subtypes.
double roundBankers(double d);

// --- Operators ---
Variant opAdd(const Variant& a, const Variant& b);  // + (strings concatenate)
Variant opSub(const Variant& a, const Variant& b);
Variant opMul(const Variant& a, const Variant& b);
Variant opDiv(const Variant& a, const Variant& b);     // /
Variant opIntDiv(const Variant& a, const Variant& b);  // backslash
Variant opMod(const Variant& a, const Variant& b);
Variant opPow(const Variant& a, const Variant& b);
Variant opConcat(const Variant& a, const Variant& b);  // &
Variant opNeg(const Variant& a);
Variant opNot(const Variant& a);
Variant opAnd(const Variant& a, const Variant& b);
Variant opOr(const Variant& a, const Variant& b);
Variant opXor(const Variant& a, const Variant& b);
Variant opEqv(const Variant& a, const Variant& b);
Variant opImp(const Variant& a, const Variant& b);

// Comparison. Result: -1, 0, 1, or 2 when either side is Null.
// aLit / bLit tell that an operand is a literal constant in the source; a
// literal is converted to the other operand's kind (string vs number) instead
// of the "numbers sort before strings" rule for two variables.
// textCompare: case-insensitive string comparison (vbTextCompare).
int compare(const Variant& a, const Variant& b, bool aLit = false, bool bLit = false,
            bool textCompare = false);

enum class CmpOp : uint8_t { Eq, Ne, Lt, Le, Gt, Ge };
// The = <> < <= > >= operators: Boolean, or Null when either side is Null.
Variant opCompare(CmpOp op, const Variant& a, const Variant& b, bool aLit = false,
                  bool bLit = false);

// Is: both Objects (or Nothing) and the same one; 424 otherwise.
bool opIs(const Variant& a, const Variant& b);

// Case-insensitive comparison of names and text (ASCII and Latin-1 letters
// and the rest of the BMP via simple case folding).
bool equalsNoCase(u16v a, u16v b);
char16_t foldCase(char16_t c);
// Text in the order of the user's locale (Windows' word sort): symbols before
// digits before letters, case ignored, accented Latin letters beside their base
// letter and ae, oe, ss, ij spelt out; accents decide only between otherwise
// equal texts. -1, 0 or 1. Text-mode StrComp, ArrayList and Recordset sorts.
int compareTextOrder(u16v a, u16v b);
u16 toLowerCopy(u16v s);
u16 toUpperCopy(u16v s);

}  // namespace pw
