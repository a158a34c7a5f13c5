// Type inspection, arrays, engine identity, RGB and the locale.
#include "builtins.h"
#include "ops.h"

namespace pw {

u16 typeNameOf(const Variant& value) {
  const Variant& v = value.deref();
  switch (v.vt) {
    case vtEmpty: return u"Empty";
    case vtNull: return u"Null";
    case vtInteger: return u"Integer";
    case vtLong: return u"Long";
    case vtSingle: return u"Single";
    case vtDouble: return u"Double";
    case vtCurrency: return u"Currency";
    case vtDate: return u"Date";
    case vtString: return u"String";
    case vtObject: return v.o ? v.o->typeName() : u16(u"Nothing");
    case vtError: return u"Error";
    case vtBoolean: return u"Boolean";
    case vtByte: return u"Byte";
    case vtArray: return v.a->elemVt == vtByte ? u"Byte()" : u"Variant()";
    default: return u"Unknown";
  }
}

int32_t varTypeOf(const Variant& value) {
  const Variant& v = value.deref();
  if (v.vt == vtArray) return vtArray | v.a->elemVt;
  return v.vt;
}

namespace {

Variant fnIsArray(Engine&, Args a) { return Variant::boolean(a[0].isArray()); }
Variant fnIsEmpty(Engine&, Args a) { return Variant::boolean(a[0].isEmpty()); }
// An object stands for its default value, so IsNull(rs("Field")) sees the
// field's Null; objects without one are not Null.
Variant fnIsNull(Engine&, Args a) {
  if (a[0].isObject() && a[0].o) {
    try {
      return Variant::boolean(defaultValue(a[0]).isNull());
    } catch (const ScriptError&) {
      return Variant::boolean(false);
    }
  }
  return Variant::boolean(a[0].isNull());
}
Variant fnIsObject(Engine&, Args a) { return Variant::boolean(a[0].isObject()); }

Variant fnIsDate(Engine&, Args a) {
  const Variant& v = a[0];
  if (v.vt == vtDate) return Variant::boolean(true);
  if (!v.isString()) return Variant::boolean(false);
  double d;
  return Variant::boolean(parseDate(v.strView(), d));
}

// Numbers, Booleans, Empty and numeric text count; Dates do not.
bool numericValue(const Variant& v) {
  switch (v.vt) {
    case vtEmpty:
    case vtInteger:
    case vtLong:
    case vtSingle:
    case vtDouble:
    case vtCurrency:
    case vtBoolean:
    case vtByte:
      return true;
    case vtString: {
      double d;
      return parseNumber(v.strView(), d);
    }
    default:
      return false;
  }
}

Variant fnIsNumeric(Engine&, Args a) {
  const Variant& v = a[0];
  if (v.isObject()) {
    if (!v.o) return Variant::boolean(false);
    try {
      return Variant::boolean(numericValue(defaultValue(v)));
    } catch (const ScriptError&) {
      return Variant::boolean(false);
    }
  }
  return Variant::boolean(numericValue(v));
}

Variant fnTypeName(Engine&, Args a) { return Variant::str(typeNameOf(a[0])); }

// An object with a default property reports that property's type.
Variant fnVarType(Engine&, Args a) {
  const Variant& v = a[0];
  if (v.isObject() && v.o) {
    try {
      Variant d = defaultValue(v);
      if (!d.isObject()) return Variant::integer(int16_t(varTypeOf(d)));
    } catch (const ScriptError&) {
    }
    return Variant::integer(vtObject);
  }
  return Variant::integer(int16_t(varTypeOf(v)));
}

const Bound& boundArg(Args a) {
  const Variant& v = a[0];
  if (!v.isArray()) raise(13);
  int32_t dim = 1;
  if (!a.missing(1)) {
    if (a[1].isNull()) raise(94);
    dim = toLong(a[1]);
  }
  if (dim < 1 || size_t(dim) > v.a->rank()) raise(9);
  return v.a->dims[size_t(dim) - 1];
}

Variant fnLBound(Engine&, Args a) { return Variant::lng(boundArg(a).lower); }
Variant fnUBound(Engine&, Args a) {
  const Bound& b = boundArg(a);
  return Variant::lng(b.lower + b.count - 1);
}

// Arrays are values: an array argument is copied, not shared.
Variant fnArray(Engine&, Args a) {
  ArrayRep* r = ArrayRep::make({{0, a.size()}});
  Variant arr = Variant::array(r);
  for (int i = 0; i < a.size(); ++i) {
    const Variant& v = a[i];
    r->data[size_t(i)] = v.isArray() ? Variant::array(v.a->clone()) : v;
  }
  return arr;
}

Variant fnScriptEngine(Engine&, Args) { return Variant::str(u"VBScript"); }
Variant fnScriptEngineMajorVersion(Engine&, Args) { return Variant::lng(5); }
Variant fnScriptEngineMinorVersion(Engine&, Args) { return Variant::lng(8); }
Variant fnScriptEngineBuildVersion(Engine&, Args) { return Variant::lng(16384); }

// RGB(red, green, blue): parts above 255 count as 255.
Variant fnRGB(Engine&, Args a) {
  int32_t c[3];
  for (int i = 0; i < 3; ++i) {
    if (a[i].isNull()) raise(94);
    int32_t x = toInteger(a[i]);
    if (x < 0) raise(5);
    c[i] = x > 255 ? 255 : x;
  }
  return Variant::lng(c[0] | (c[1] << 8) | (c[2] << 16));
}

struct Locale {
  int32_t id;
  const char16_t* tag;
};

// Locales SetLocale accepts. Formatting keeps the US-English conventions
// whichever is set; the value is kept for GetLocale.
constexpr Locale kLocales[] = {
    {1025, u"ar-sa"}, {1028, u"zh-tw"}, {1029, u"cs-cz"}, {1030, u"da-dk"}, {1031, u"de-de"},
    {1032, u"el-gr"}, {1033, u"en-us"}, {1034, u"es-es"}, {1035, u"fi-fi"}, {1036, u"fr-fr"},
    {1037, u"he-il"}, {1038, u"hu-hu"}, {1040, u"it-it"}, {1041, u"ja-jp"}, {1042, u"ko-kr"},
    {1043, u"nl-nl"}, {1044, u"nb-no"}, {1045, u"pl-pl"}, {1046, u"pt-br"}, {1049, u"ru-ru"},
    {1053, u"sv-se"}, {1055, u"tr-tr"}, {2052, u"zh-cn"}, {2055, u"de-ch"}, {2057, u"en-gb"},
    {2058, u"es-mx"}, {2070, u"pt-pt"}, {3079, u"de-at"}, {3081, u"en-au"}, {3084, u"fr-ca"},
    {4105, u"en-ca"}, {5129, u"en-nz"}, {6153, u"en-ie"}, {1081, u"hi-in"}, {16393, u"en-in"},
    {7177, u"en-za"}, {2060, u"fr-be"}, {2067, u"nl-be"}, {4108, u"fr-ch"}, {1058, u"uk-ua"},
};

constexpr int32_t kSystemLocale = 1033;

Variant fnGetLocale(Engine& e, Args) { return Variant::lng(libState(e).locale); }

// SetLocale(lcid): a number or a tag such as "en-gb"; 0 or "" is the system
// locale. Returns the previous locale.
Variant fnSetLocale(Engine& e, Args a) {
  LibState& st = libState(e);
  const Variant& v = a.missing(0) ? Variant() : a[0];
  int32_t id = -1;
  if (v.isEmpty()) {
    id = kSystemLocale;
  } else if (v.isString()) {
    u16v s = v.strView();
    if (s.empty()) id = kSystemLocale;
    for (const Locale& l : kLocales)
      if (equalsNoCase(s, l.tag)) id = l.id;
    double num;
    if (id < 0 && parseNumber(s, num)) id = toLong(v);
  } else {
    if (v.isNull()) raise(94);
    id = toLong(v);
  }
  if (id == 0) id = kSystemLocale;
  bool known = false;
  for (const Locale& l : kLocales) known = known || l.id == id;
  if (!known) raise(5);
  int32_t prev = st.locale;
  st.locale = id;
  return Variant::lng(prev);
}

constexpr BuiltinDef kInspectBuiltins[] = {
    {u"IsArray", fnIsArray, 1, 1},
    {u"IsDate", fnIsDate, 1, 1},
    {u"IsEmpty", fnIsEmpty, 1, 1},
    {u"IsNull", fnIsNull, 1, 1},
    {u"IsNumeric", fnIsNumeric, 1, 1},
    {u"IsObject", fnIsObject, 1, 1},
    {u"TypeName", fnTypeName, 1, 1},
    {u"VarType", fnVarType, 1, 1},
    {u"LBound", fnLBound, 1, 2},
    {u"UBound", fnUBound, 1, 2},
    {u"Array", fnArray, 0, -1},
    {u"ScriptEngine", fnScriptEngine, 0, 0},
    {u"ScriptEngineMajorVersion", fnScriptEngineMajorVersion, 0, 0},
    {u"ScriptEngineMinorVersion", fnScriptEngineMinorVersion, 0, 0},
    {u"ScriptEngineBuildVersion", fnScriptEngineBuildVersion, 0, 0},
    {u"RGB", fnRGB, 3, 3},
    {u"GetLocale", fnGetLocale, 0, 0},
    {u"SetLocale", fnSetLocale, 1, 1},
};

}  // namespace

std::span<const BuiltinDef> inspectBuiltins() { return kInspectBuiltins; }

}  // namespace pw
