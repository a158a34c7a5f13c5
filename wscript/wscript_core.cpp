#include "wscript_core.h"

#include "builtins.h"
#include "objects.h"
#include "ops.h"
#include "script_control.h"

namespace pw {

using objimpl::expectCall;
using objimpl::findMember;
using objimpl::ListEnum;

u16 echoText(const Variant& in) {
  const Variant& v = in.deref();
  if (v.vt == vtObject) {
    if (!v.o) raise(91);
    return toText(defaultValue(v));
  }
  if (v.vt == vtArray) raise(13);
  return toText(v);
}

// The console host converts each argument as OLE does without its option for
// words: Booleans become numbers. Null has its own word.
u16 consoleEchoText(const Variant& in) {
  const Variant& v = in.deref();
  Variant held;
  if (v.vt == vtObject) {
    if (!v.o) raise(91);
    held = defaultValue(v);
  }
  const Variant& x = v.vt == vtObject ? held.deref() : v;
  if (x.vt == vtBoolean) return x.b ? u"-1" : u"0";
  if (x.vt == vtNull) return u"null";
  if (x.vt == vtArray) raise(13);
  return toText(x);
}

namespace {

// A list of argument words, read-only: WScript.Arguments and its Unnamed part
// (Item is the default member; Count is a method, Length a property).
class ArgList : public Object {
 public:
  explicit ArgList(std::vector<u16> items) : items_(std::move(items)) {}
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", DISPID_VALUE}, {u"Count", 1}, {u"Length", 2}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    switch (id) {
      case DISPID_VALUE: {
        expectCall(kind, a, 1, 1);
        int32_t i = toLong(a[0]);
        if (i < 0 || static_cast<size_t>(i) >= items_.size()) raise(9);
        return Variant::str(items_[static_cast<size_t>(i)]);
      }
      case 1:
      case 2:
        expectCall(kind, a, 0, 0);
        return Variant::lng(static_cast<int32_t>(items_.size()));
    }
    raise(438);
  }
  Enumerator* newEnum() override {
    std::vector<Variant> v;
    for (const u16& s : items_) v.push_back(Variant::str(s));
    return new ListEnum(std::move(v));
  }
  u16 typeName() const override { return u"Object"; }

 protected:
  std::vector<u16> items_;
};

// Arguments.Named: the /name and /name:value words, looked up by name in any
// case; For Each gives the names.
class NamedArgs final : public Object {
 public:
  struct Entry {
    u16 name;
    std::optional<u16> value;
  };
  explicit NamedArgs(std::vector<Entry> e) : entries_(std::move(e)) {}
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", DISPID_VALUE}, {u"Count", 1}, {u"Length", 2}, {u"Exists", 3}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    switch (id) {
      case DISPID_VALUE: {
        expectCall(kind, a, 1, 1);
        const Entry* e = find(toString(a[0]));
        return e && e->value ? Variant::str(*e->value) : Variant();
      }
      case 1:
      case 2:
        expectCall(kind, a, 0, 0);
        return Variant::lng(static_cast<int32_t>(entries_.size()));
      case 3:
        expectCall(kind, a, 1, 1);
        return Variant::boolean(find(toString(a[0])) != nullptr);
    }
    raise(438);
  }
  Enumerator* newEnum() override {
    std::vector<Variant> v;
    for (const Entry& e : entries_) v.push_back(Variant::str(e.name));
    return new ListEnum(std::move(v));
  }
  u16 typeName() const override { return u"Object"; }

 private:
  const Entry* find(u16v name) const {
    for (const Entry& e : entries_)
      if (equalsNoCase(e.name, name)) return &e;
    return nullptr;
  }
  std::vector<Entry> entries_;
};

// WScript.Arguments: every word in order, split as the console host splits
// them into named (/name, /name:value) and unnamed ones.
class WshArguments final : public ArgList {
 public:
  explicit WshArguments(std::vector<u16> words) : ArgList(std::move(words)) {
    std::vector<NamedArgs::Entry> named;
    std::vector<u16> unnamed;
    for (const u16& w : items_) {
      if (w.size() > 1 && w[0] == u'/') {
        size_t colon = w.find(u':');
        if (colon == u16::npos) named.push_back({w.substr(1), std::nullopt});
        else named.push_back({w.substr(1, colon - 1), w.substr(colon + 1)});
      } else {
        unnamed.push_back(w);
      }
    }
    named_ = Ref<Object>(new NamedArgs(std::move(named)));
    unnamed_ = Ref<Object>(new ArgList(std::move(unnamed)));
  }
  int32_t getIdOfName(u16v name) override {
    int32_t id = ArgList::getIdOfName(name);
    if (id != DISPID_UNKNOWN) return id;
    return findMember({{u"Named", 10}, {u"Unnamed", 11}, {u"ShowUsage", 12}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    switch (id) {
      case 10: return objimpl::objectProp(kind, a, named_.get());
      case 11: return objimpl::objectProp(kind, a, unnamed_.get());
      case 12:
        expectCall(kind, a, 0, 0);  // a plain .vbs file has no usage text to show
        return Variant();
    }
    return ArgList::invoke(id, kind, a);
  }

 private:
  Ref<Object> named_, unnamed_;
};

enum WsMember {
  kArguments = 1, kBuildVersion, kFullName, kName, kPath, kScriptFullName, kScriptName, kStdIn,
  kStdErr, kStdOut, kVersion, kInteractive, kTimeout, kCreateObject, kEcho, kQuit, kSleep, kGetObject,
  kConnectObject, kDisconnectObject,
};

class WScriptSim final : public Object {
 public:
  WScriptSim(WScriptConsole& c, ScriptControl& sc)
      : con_(c), control_(sc), window_(c.kind() == ConsoleKind::Window), out_(newStdOut(c, false)),
        in_(newStdIn(c)), err_(window_ ? out_ : Ref<Object>(newStdOut(c, true))) {
    if (!window_) args_ = Ref<Object>(new WshArguments(c.arguments()));
  }

  int32_t getIdOfName(u16v name) override {
    int32_t id = findMember({{u"Name", kName}, {u"Arguments", kArguments}, {u"BuildVersion", kBuildVersion}, {u"FullName", kFullName},
                             {u"Path", kPath}, {u"ScriptFullName", kScriptFullName},
                             {u"ScriptName", kScriptName}, {u"StdIn", kStdIn}, {u"StdErr", kStdErr},
                             {u"StdOut", kStdOut}, {u"Version", kVersion}, {u"Interactive", kInteractive},
                             {u"CreateObject", kCreateObject}, {u"Echo", kEcho}, {u"Quit", kQuit},
                             {u"Sleep", kSleep}, {u"Timeout", kTimeout}, {u"GetObject", kGetObject},
                             {u"ConnectObject", kConnectObject}, {u"DisconnectObject", kDisconnectObject}},
                            name);
    // The window's object keeps to its own members; the rest are the console host's.
    bool consoleOnly = id == kInteractive || id == kTimeout || id >= kGetObject;
    return window_ && consoleOnly ? DISPID_UNKNOWN : id;
  }

  Variant invoke(int32_t id, InvokeKind kind, Args a) override {
    if (id == DISPID_VALUE) {
      // The console host's object reads as its Name, as cscript's does.
      if (window_) raise(438);
      id = kName;
    }
    if (id == kInteractive) {
      if (objimpl::isPut(kind)) {
        if (a.size() != 1) raise(450);
        con_.setInteractive(toBool(a[0]));
        return Variant();
      }
      expectCall(kind, a, 0, 0);
      return Variant::boolean(con_.interactive());
    }
    if (id == kTimeout) {
      // Seconds; 0 is no limit.
      if (objimpl::isPut(kind)) {
        if (a.size() != 1) raise(450);
        int32_t s = toLong(a[0]);
        if (s < 0) raise(5);
        con_.setTimeoutSeconds(s);
        return Variant();
      }
      expectCall(kind, a, 0, 0);
      return Variant::lng(con_.timeoutSeconds());
    }
    if (objimpl::isPut(kind)) raise(438);
    if (id == kArguments) {
      // The window's script has no command line: an empty collection.
      return objimpl::objectProp(kind, a, window_ ? ScriptControl::NewCollection() : args_.get());
    }
    if (id >= kArguments && id <= kVersion && a.size() != 0) raise(450);
    switch (id) {
      case kName: return Variant::str(window_ ? con_.programName() : u16(u"Windows Script Host"));
      case kBuildVersion: return Variant::str(u"166");
      case kFullName: return Variant::str(con_.programPath() + u"/" + con_.programName());
      case kPath: return Variant::str(con_.programPath());
      case kScriptFullName: return Variant::str(con_.scriptFullName());
      case kScriptName: return Variant::str(con_.scriptName());
      case kStdIn: return Variant::object(in_.get());
      case kStdErr: return Variant::object(err_.get());
      case kStdOut: return Variant::object(out_.get());
      case kVersion: return Variant::str(con_.version());
      case kCreateObject:
      {
        // The second argument names event handlers; no object here raises events.
        if (a.size() < 1 || a.size() > 2) raise(450);
        u16 progId = toString(a[0]);
        try {
          return control_.CreateObject(progId);
        } catch (const ScriptError& e) {
          // The safe subset's refusal keeps its own error.
          // The window passes the creation failure on unchanged.
          if (e.number != 429 || control_.UseSafeSubset() || window_) throw;
          // The host's own error: the class string names nothing it can create.
          raise(static_cast<int32_t>(0x800401F3u), u"WScript.CreateObject",
                u"Could not create object named \"" + progId + u"\".");
        }
      }
      case kGetObject: {
        if (a.size() < 1 || a.size() > 3) raise(450);
        Args first{a.v, a.size() > 2 ? 2 : a.size()};
        return findBuiltin(u"GetObject")->fn(control_.engine(), first);
      }
      case kConnectObject:
        // No object here raises events, so there is nothing to connect.
        if (a.size() != 2) raise(450);
        if (a[0].vt != vtObject || !a[0].o) raise(424);
        toString(a[1]);
        return Variant();
      case kDisconnectObject:
        if (a.size() != 1) raise(450);
        if (a[0].vt != vtObject || !a[0].o) raise(424);
        return Variant();
      case kEcho: {
        // The window puts each argument on a line of its own; the console
        // host joins them with a blank.
        u16 text;
        for (int i = 0; i < a.size(); ++i) {
          if (i) text += window_ ? con_.lineEnd() : u16(u" ");
          text += window_ ? echoText(a[i]) : consoleEchoText(a[i]);
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
  u16 typeName() const override { return window_ ? u"WScriptSim" : u"Object"; }

 private:
  WScriptConsole& con_;
  ScriptControl& control_;
  bool window_;
  Ref<Object> out_, in_, err_, args_;
};

}  // namespace

Object* newWScriptSim(WScriptConsole& console, ScriptControl& control) {
  return new WScriptSim(console, control);
}

}  // namespace pw
