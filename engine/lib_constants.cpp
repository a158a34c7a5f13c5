// The vb* constants: numeric ones are Longs, text ones Strings.
#include "builtins.h"

namespace pw {

namespace {

template <int32_t N>
Variant lng() {
  return Variant::lng(N);
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
    {u"vbEmpty", lng<0>},
    {u"vbNull", lng<1>},
    {u"vbInteger", lng<2>},
    {u"vbLong", lng<3>},
    {u"vbSingle", lng<4>},
    {u"vbDouble", lng<5>},
    {u"vbCurrency", lng<6>},
    {u"vbDate", lng<7>},
    {u"vbString", lng<8>},
    {u"vbObject", lng<9>},
    {u"vbError", lng<10>},
    {u"vbBoolean", lng<11>},
    {u"vbVariant", lng<12>},
    {u"vbDataObject", lng<13>},
    {u"vbDecimal", lng<14>},
    {u"vbByte", lng<17>},
    {u"vbArray", lng<8192>},

    // MsgBox buttons, icons and options
    {u"vbOKOnly", lng<0>},
    {u"vbOKCancel", lng<1>},
    {u"vbAbortRetryIgnore", lng<2>},
    {u"vbYesNoCancel", lng<3>},
    {u"vbYesNo", lng<4>},
    {u"vbRetryCancel", lng<5>},
    {u"vbCritical", lng<16>},
    {u"vbQuestion", lng<32>},
    {u"vbExclamation", lng<48>},
    {u"vbInformation", lng<64>},
    {u"vbDefaultButton1", lng<0>},
    {u"vbDefaultButton2", lng<256>},
    {u"vbDefaultButton3", lng<512>},
    {u"vbDefaultButton4", lng<768>},
    {u"vbApplicationModal", lng<0>},
    {u"vbSystemModal", lng<4096>},
    {u"vbMsgBoxHelpButton", lng<16384>},
    {u"vbMsgBoxSetForeground", lng<65536>},
    {u"vbMsgBoxRight", lng<524288>},
    {u"vbMsgBoxRtlReading", lng<1048576>},

    // MsgBox results
    {u"vbOK", lng<1>},
    {u"vbCancel", lng<2>},
    {u"vbAbort", lng<3>},
    {u"vbRetry", lng<4>},
    {u"vbIgnore", lng<5>},
    {u"vbYes", lng<6>},
    {u"vbNo", lng<7>},

    // Comparison modes
    {u"vbBinaryCompare", lng<0>},
    {u"vbTextCompare", lng<1>},
    {u"vbDatabaseCompare", lng<2>},

    // FormatDateTime formats
    {u"vbGeneralDate", lng<0>},
    {u"vbLongDate", lng<1>},
    {u"vbShortDate", lng<2>},
    {u"vbLongTime", lng<3>},
    {u"vbShortTime", lng<4>},

    // Days of the week
    {u"vbUseSystemDayOfWeek", lng<0>},
    {u"vbSunday", lng<1>},
    {u"vbMonday", lng<2>},
    {u"vbTuesday", lng<3>},
    {u"vbWednesday", lng<4>},
    {u"vbThursday", lng<5>},
    {u"vbFriday", lng<6>},
    {u"vbSaturday", lng<7>},

    // First week of the year
    {u"vbUseSystem", lng<0>},
    {u"vbFirstJan1", lng<1>},
    {u"vbFirstFourDays", lng<2>},
    {u"vbFirstFullWeek", lng<3>},

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
    {u"vbUseDefault", lng<-2>},
    {u"vbTrue", lng<-1>},
    {u"vbFalse", lng<0>},
};

}  // namespace

std::span<const ConstDef> builtinConstants() { return kConstants; }

}  // namespace pw
