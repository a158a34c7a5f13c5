// Built-in functions that need the engine itself: code at run time, objects, UI.
#include <sys/stat.h>
#include <unistd.h>

#include "engine.h"
#include "objects.h"
#include "ops.h"
#include "winpath.h"

namespace pw {

namespace {

Variant fnEval(Engine& e, Args a) { return e.eval(toString(a[0])); }

Variant fnExecute(Engine& e, Args a) {
  e.execute(toString(a[0]), false);
  return Variant();
}

Variant fnExecuteGlobal(Engine& e, Args a) {
  e.execute(toString(a[0]), true);
  return Variant();
}

Variant fnGetRef(Engine& e, Args a) { return e.getRef(toString(a[0])); }

// The server argument may name this machine; there are no remote servers.
bool isLocalServer(u16v name) {
  if (name.empty() || name == u"." || equalsNoCase(name, u"localhost") || name == u"127.0.0.1") return true;
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return false;
  return equalsNoCase(name, fromUtf8(host));
}

Variant fnCreateObject(Engine& e, Args a) {
  if (!a.missing(1) && !isLocalServer(toString(a[1]))) raise(429);
  return e.createObject(toString(a[0]));
}

Variant fnGetObject(Engine& e, Args a) {
  // A file path is checked as the file objects check it (Windows forms
  // included); with no moniker service, only a class given beside it can be served.
  u16 path = a.missing(0) ? u16() : toString(a[0]);
  if (!path.empty()) {
    struct stat st;
    if (::stat(winpath::toNative(path).c_str(), &st) != 0) raise(432);
  }
  if (!a.missing(1)) return e.createObject(toString(a[1]));
  raise(429);
}

Variant fnMsgBox(Engine& e, Args a) {
  if (!e.allowUI) raise(70);
  u16 prompt = toText(a[0]);
  int buttons = a.missing(1) ? 0 : toLong(a[1]);
  u16 title = a.missing(2) ? u16(u"VBScript") : toText(a[2]);
  e.hostCalled();
  int r = e.host ? e.host->msgBox(prompt, buttons, title) : 1;
  return Variant::integer(static_cast<int16_t>(r));
}

Variant fnInputBox(Engine& e, Args a) {
  if (!e.allowUI) raise(70);
  u16 prompt = toText(a[0]);
  u16 title = a.missing(1) ? u16(u"VBScript") : toText(a[1]);
  u16 def = a.missing(2) ? u16() : toText(a[2]);
  e.hostCalled();
  std::optional<u16> r = e.host ? e.host->inputBox(prompt, title, def) : std::nullopt;
  return Variant::str(r ? *r : u16());
}

constexpr BuiltinDef kCore[] = {
    {u"Eval", fnEval, 1, 1},
    {u"Execute", fnExecute, 1, 1},
    {u"ExecuteGlobal", fnExecuteGlobal, 1, 1},
    {u"GetRef", fnGetRef, 1, 1},
    {u"CreateObject", fnCreateObject, 1, 2},
    {u"GetObject", fnGetObject, 0, 2},
    {u"MsgBox", fnMsgBox, 1, 5},
    {u"InputBox", fnInputBox, 1, 7},
};

}  // namespace

std::span<const BuiltinDef> coreBuiltins() { return kCore; }

}  // namespace pw
