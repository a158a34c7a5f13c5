// The vb* constants. Numeric ones are Integers where the value fits 16 bits,
// as Windows' engine declares them (TypeName(vbSunday) is "Integer"); the
// colours, vbObjectError and the wide MsgBox options are Longs.
#include "builtins.h"

namespace pw {

namespace {

template <int32_t N>
Variant lng() {
  return Variant::lng(N);
}

template <int16_t N>
Variant integer() {
  return Variant::integer(N);
}

Variant crLf() { return Variant::str(u"\r\n"); }
Variant cr() { return Variant::str(u"\r"); }
Variant lf() { return Variant::str(u"\n"); }
Variant tab() { return Variant::str(u"\t"); }
Variant nullString() { return Variant::str(u""); }
Variant nullChar() { return Variant::str(u16v(u"\0", 1)); }
Variant formFeed() { return Variant::str(u"\f"); }
Variant verticalTab() { return Variant::str(u"\v"); }

constexpr ConstDef kConstants[] = {
    // Text
    {u"vbCrLf", crLf},
    {u"vbCr", cr},
    {u"vbLf", lf},
    {u"vbNewLine", crLf},
    {u"vbTab", tab},
    {u"vbNullString", nullString},
    {u"vbNullChar", nullChar},
    {u"vbFormFeed", formFeed},
    {u"vbVerticalTab", verticalTab},
    {u"vbObjectError", lng<int32_t(0x80040000u)>},

    // VarType results
    {u"vbEmpty", integer<0>},
    {u"vbNull", integer<1>},
    {u"vbInteger", integer<2>},
    {u"vbLong", integer<3>},
    {u"vbSingle", integer<4>},
    {u"vbDouble", integer<5>},
    {u"vbCurrency", integer<6>},
    {u"vbDate", integer<7>},
    {u"vbString", integer<8>},
    {u"vbObject", integer<9>},
    {u"vbError", integer<10>},
    {u"vbBoolean", integer<11>},
    {u"vbVariant", integer<12>},
    {u"vbDataObject", integer<13>},
    {u"vbDecimal", integer<14>},
    {u"vbByte", integer<17>},
    {u"vbArray", integer<8192>},

    // MsgBox buttons, icons and options
    {u"vbOKOnly", integer<0>},
    {u"vbOKCancel", integer<1>},
    {u"vbAbortRetryIgnore", integer<2>},
    {u"vbYesNoCancel", integer<3>},
    {u"vbYesNo", integer<4>},
    {u"vbRetryCancel", integer<5>},
    {u"vbCritical", integer<16>},
    {u"vbQuestion", integer<32>},
    {u"vbExclamation", integer<48>},
    {u"vbInformation", integer<64>},
    {u"vbDefaultButton1", integer<0>},
    {u"vbDefaultButton2", integer<256>},
    {u"vbDefaultButton3", integer<512>},
    {u"vbDefaultButton4", integer<768>},
    {u"vbApplicationModal", integer<0>},
    {u"vbSystemModal", integer<4096>},
    {u"vbMsgBoxHelpButton", integer<16384>},
    {u"vbMsgBoxSetForeground", lng<65536>},
    {u"vbMsgBoxRight", lng<524288>},
    {u"vbMsgBoxRtlReading", lng<1048576>},

    // MsgBox results
    {u"vbOK", integer<1>},
    {u"vbCancel", integer<2>},
    {u"vbAbort", integer<3>},
    {u"vbRetry", integer<4>},
    {u"vbIgnore", integer<5>},
    {u"vbYes", integer<6>},
    {u"vbNo", integer<7>},

    // Comparison modes
    {u"vbBinaryCompare", integer<0>},
    {u"vbTextCompare", integer<1>},

    // FormatDateTime formats
    {u"vbGeneralDate", integer<0>},
    {u"vbLongDate", integer<1>},
    {u"vbShortDate", integer<2>},
    {u"vbLongTime", integer<3>},
    {u"vbShortTime", integer<4>},

    // Days of the week
    {u"vbUseSystemDayOfWeek", integer<0>},
    {u"vbSunday", integer<1>},
    {u"vbMonday", integer<2>},
    {u"vbTuesday", integer<3>},
    {u"vbWednesday", integer<4>},
    {u"vbThursday", integer<5>},
    {u"vbFriday", integer<6>},
    {u"vbSaturday", integer<7>},

    // First week of the year
    {u"vbUseSystem", integer<0>},
    {u"vbFirstJan1", integer<1>},
    {u"vbFirstFourDays", integer<2>},
    {u"vbFirstFullWeek", integer<3>},

    // Colours
    {u"vbBlack", lng<0x000000>},
    {u"vbRed", lng<0x0000FF>},
    {u"vbGreen", lng<0x00FF00>},
    {u"vbYellow", lng<0x00FFFF>},
    {u"vbBlue", lng<0xFF0000>},
    {u"vbMagenta", lng<0xFF00FF>},
    {u"vbCyan", lng<0xFFFF00>},
    {u"vbWhite", lng<0xFFFFFF>},

    // Tristate
    {u"vbUseDefault", integer<-2>},
    {u"vbTrue", integer<-1>},
    {u"vbFalse", integer<0>},
};

}  // namespace

std::span<const ConstDef> builtinConstants() { return kConstants; }

}  // namespace pw
