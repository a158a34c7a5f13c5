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

using objimpl::expectCall;

// WScript.StdOut and StdErr.
class StdOutSim final : public Object {
 public:
  StdOutSim(WScriptConsole& c, bool err) : con_(c), err_(err), window_(c.kind() == ConsoleKind::Window) {}
  int32_t getIdOfName(u16v name) override {
    if (window_) return findMember({{u"WriteBlankLines", 3}, {u"WriteLine", 2}, {u"WriteChars", 1}}, name);
    return findMember({{u"Write", 1}, {u"WriteLine", 2}, {u"WriteBlankLines", 3}, {u"Close", 4}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    switch (id) {
      case 1:
        expectCall(kind, a, 1, 1);
        con_.write(window_ ? toString(a[0]) : toText(a[0]), err_);
        return Variant();
      case 2: {
        expectCall(kind, a, 0, 1);
        u16 t = a.missing(0) ? u16() : window_ ? toString(a[0]) : toText(a[0]);
        t += con_.lineEnd();
        con_.write(t, err_);
        return Variant();
      }
      case 3:
        expectCall(kind, a, 1, 1);
        if (window_) {
          // The count is tested after the write: 1, 0 and negatives write one line.
          int16_t n = toInteger(a[0]);
          do con_.write(con_.lineEnd(), err_);
          while (--n > 0);
        } else {
          int32_t n = toLong(a[0]);
          if (n < 0) raise(5);
          u16 t;
          for (int32_t i = 0; i < n; ++i) t += con_.lineEnd();
          con_.write(t, err_);
        }
        return Variant();
      case 4:
        expectCall(kind, a, 0, 0);
        return Variant();
    }
    raise(438);
  }
  u16 typeName() const override { return window_ ? u"StdOutSim" : u"TextStream"; }

 private:
  WScriptConsole& con_;
  bool err_;
  bool window_;
};

// WScript.StdIn.
class StdInSim final : public Object {
 public:
  explicit StdInSim(WScriptConsole& c) : con_(c), window_(c.kind() == ConsoleKind::Window) {}
  int32_t getIdOfName(u16v name) override {
    if (window_) return findMember({{u"Column", 5}, {u"Line", 6}, {u"ReadLine", 1}}, name);
    return findMember({{u"ReadLine", 1}, {u"ReadAll", 2}, {u"AtEndOfStream", 3}, {u"Close", 4}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    expectCall(kind, a, 0, 0);
    switch (id) {
      case 1: {
        std::optional<u16> line = con_.readLine();
        if (!line) raise(62);
        if (window_) con_.write(*line + con_.lineEnd(), false);  // the echo stream is StdOut
        return Variant::str(*line);
      }
      case 2:
        return Variant::str(con_.readAll());
      case 3:
        return Variant::boolean(con_.atEndOfInput());
      case 4:
        return Variant();
      case 5:
      case 6:
        return Variant::lng(1);  // the window's input counts nothing
    }
    raise(438);
  }
  u16 typeName() const override { return window_ ? u"StdInSim" : u"TextStream"; }

 private:
  WScriptConsole& con_;
  bool window_;
};

enum WsMember {
  kArguments = 1, kBuildVersion, kFullName, kName, kPath, kScriptFullName, kScriptName, kStdIn,
  kStdErr, kStdOut, kVersion, kCreateObject, kEcho, kQuit, kSleep,
};

class WScriptSim final : public Object {
 public:
  WScriptSim(WScriptConsole& c, ScriptControl& sc)
      : con_(c), control_(sc), out_(new StdOutSim(c, false)), in_(new StdInSim(c)),
        err_(c.kind() == ConsoleKind::Stream ? Ref<Object>(new StdOutSim(c, true)) : out_) {}

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
  u16 typeName() const override { return con_.kind() == ConsoleKind::Window ? u"WScriptSim" : u"Object"; }

 private:
  WScriptConsole& con_;
  ScriptControl& control_;
  Ref<Object> out_, in_, err_;
};

}  // namespace

Object* newWScriptSim(WScriptConsole& console, ScriptControl& control) {
  return new WScriptSim(console, control);
}

}  // namespace pw
