#include "wscript_core.h"

#include "objects.h"
#include "ops.h"
#include "script_control.h"

namespace pw {

using objimpl::Member;
using objimpl::findMember;

u16 echoText(const Variant& in) {
  const Variant& v = in.deref();
  if (v.vt == vtObject) {
    if (!v.o) raise(91);
    return toText(defaultValue(v));
  }
  if (v.vt == vtArray) raise(13);
  return toText(v);
}

namespace {

class StdOutObject final : public Object {
 public:
  StdOutObject(WScriptConsole& c, bool err) : con_(c), err_(err) {}
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Write", 1}, {u"WriteLine", 2}, {u"WriteBlankLines", 3}, {u"Close", 4}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    if (objimpl::isPut(kind)) raise(438);
    switch (id) {
      case 1:
        if (a.size() != 1) raise(450);
        con_.write(toText(a[0]), err_);
        return Variant();
      case 2: {
        if (a.size() > 1) raise(450);
        u16 t = a.size() ? toText(a[0]) : u16();
        t += con_.lineEnd();
        con_.write(t, err_);
        return Variant();
      }
      case 3: {
        if (a.size() != 1) raise(450);
        int32_t n = toLong(a[0]);
        if (n < 0) raise(5);
        u16 t;
        for (int32_t i = 0; i < n; ++i) t += con_.lineEnd();
        con_.write(t, err_);
        return Variant();
      }
      case 4:
        return Variant();
    }
    raise(438);
  }
  u16 typeName() const override { return u"TextStream"; }

 private:
  WScriptConsole& con_;
  bool err_;
};

class StdInObject final : public Object {
 public:
  explicit StdInObject(WScriptConsole& c) : con_(c) {}
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"ReadLine", 1}, {u"ReadAll", 2}, {u"AtEndOfStream", 3}, {u"Close", 4}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    if (objimpl::isPut(kind)) raise(438);
    if (a.size() != 0) raise(450);
    switch (id) {
      case 1: {
        std::optional<u16> line = con_.readLine();
        if (!line) raise(62);
        return Variant::str(*line);
      }
      case 2:
        return Variant::str(con_.readAll());
      case 3:
        return Variant::boolean(con_.atEndOfInput());
      case 4:
        return Variant();
    }
    raise(438);
  }
  u16 typeName() const override { return u"TextStream"; }

 private:
  WScriptConsole& con_;
};

enum WsMember {
  kArguments = 1, kBuildVersion, kFullName, kName, kPath, kScriptFullName, kScriptName, kStdIn,
  kStdErr, kStdOut, kVersion, kCreateObject, kEcho, kQuit, kSleep,
};

class WScriptObject final : public Object {
 public:
  WScriptObject(WScriptConsole& c, ScriptControl& sc)
      : con_(c), control_(sc), out_(new StdOutObject(c, false)), in_(new StdInObject(c)),
        err_(c.separateStdErr() ? Ref<Object>(new StdOutObject(c, true)) : out_) {}

  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Arguments", kArguments}, {u"BuildVersion", kBuildVersion}, {u"FullName", kFullName},
                       {u"Name", kName}, {u"Path", kPath}, {u"ScriptFullName", kScriptFullName},
                       {u"ScriptName", kScriptName}, {u"StdIn", kStdIn}, {u"StdErr", kStdErr},
                       {u"StdOut", kStdOut}, {u"Version", kVersion}, {u"CreateObject", kCreateObject},
                       {u"Echo", kEcho}, {u"Quit", kQuit}, {u"Sleep", kSleep}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    if (objimpl::isPut(kind)) raise(438);
    if (id >= kArguments && id <= kVersion && a.size() != 0) raise(450);
    switch (id) {
      case kArguments: return Variant::object(ScriptControl::NewCollection());
      case kBuildVersion: return Variant::str(u"166");
      case kFullName: return Variant::str(con_.programPath() + u"/" + con_.programName());
      case kName: return Variant::str(con_.programName());
      case kPath: return Variant::str(con_.programPath());
      case kScriptFullName: return Variant::str(con_.scriptFullName());
      case kScriptName: return Variant::str(con_.scriptName());
      case kStdIn: return Variant::object(in_.get());
      case kStdErr: return Variant::object(err_.get());
      case kStdOut: return Variant::object(out_.get());
      case kVersion: return Variant::str(con_.version());
      case kCreateObject:
        if (a.size() < 1 || a.size() > 2) raise(450);
        return control_.CreateObject(toString(a[0]));
      case kEcho: {
        u16 text;
        for (int i = 0; i < a.size(); ++i) {
          if (i) text += con_.lineEnd();
          text += echoText(a[i]);
        }
        text += con_.lineEnd();
        con_.write(text, false);
        return Variant();
      }
      case kQuit:
        if (a.size() > 1) raise(450);
        con_.quit(a.missing(0) ? 0 : toLong(a[0]));
        return Variant();
      case kSleep:
        if (a.size() != 1) raise(450);
        con_.sleep(toLong(a[0]));
        return Variant();
    }
    raise(438);
  }
  u16 typeName() const override { return u"Object"; }

 private:
  WScriptConsole& con_;
  ScriptControl& control_;
  Ref<Object> out_, in_, err_;
};

}  // namespace

Object* newWScriptObject(WScriptConsole& console, ScriptControl& control) {
  return new WScriptObject(console, control);
}

}  // namespace pw
