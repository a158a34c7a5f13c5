// WScript.Network: who and where the script runs. There are no mapped drives
// or printer connections on this system, so the enumerations are empty and
// the calls that would change them fail with a script error that says why.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "objects.h"

namespace pw {
namespace {

using objimpl::expectCall;
using objimpl::findMember;

std::string userName() {
  if (const passwd* pw = ::getpwuid(::geteuid()); pw && pw->pw_name && *pw->pw_name) return pw->pw_name;
  for (const char* var : {"USER", "LOGNAME"})
    if (const char* v = std::getenv(var); v && *v) return v;
  return {};
}

std::string hostName() {
  char buf[256] = {};
  if (::gethostname(buf, sizeof buf - 1) != 0) return {};
  return buf;
}

// Windows reports the NetBIOS name: the host name up to its first dot.
std::string computerName() {
  std::string h = hostName();
  return h.substr(0, h.find('.'));
}

// The domain a local account belongs to is the computer itself; a host with a
// NIS domain or a fully qualified name reports that domain's first label.
std::string userDomain() {
  if (const char* v = std::getenv("USERDOMAIN"); v && *v) return v;
  char nis[256] = {};
  if (::getdomainname(nis, sizeof nis - 1) == 0 && *nis && std::string(nis) != "(none)") {
    std::string d = nis;
    return d.substr(0, d.find('.'));
  }
  std::string h = hostName();
  size_t dot = h.find('.');
  if (dot != std::string::npos && dot + 1 < h.size()) {
    std::string d = h.substr(dot + 1);
    return d.substr(0, d.find('.'));
  }
  return computerName();
}

// IWshCollection with nothing in it.
class EmptyCollectionObj : public Object {
 public:
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"Item", 0}, {u"Count", 1}, {u"length", 2}}, name);
  }
  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 0:
        expectCall(kind, args, 1, 1);
        toLong(args[0]);
        raise(9);
      case 1:
      case 2:
        expectCall(kind, args, 0, 0);
        return Variant::lng(0);
    }
    raise(438);
  }
  u16 typeName() const override { return u"IWshCollection"; }
  Enumerator* newEnum() override { return new objimpl::ListEnum({}); }
};

constexpr int32_t kNotSupported = static_cast<int32_t>(0x80070032u);  // ERROR_NOT_SUPPORTED

class NetworkObj : public Object {
 public:
  int32_t getIdOfName(u16v name) override {
    return findMember({{u"UserName", 1}, {u"ComputerName", 2}, {u"UserDomain", 3}, {u"Organization", 4},
                       {u"Site", 5}, {u"UserProfile", 6}, {u"EnumNetworkDrives", 10},
                       {u"EnumPrinterConnections", 11}, {u"MapNetworkDrive", 20},
                       {u"RemoveNetworkDrive", 21}, {u"AddPrinterConnection", 22},
                       {u"AddWindowsPrinterConnection", 23}, {u"RemovePrinterConnection", 24},
                       {u"SetDefaultPrinter", 25}},
                      name);
  }

  Variant invoke(int32_t id, InvokeKind kind, Args args) override {
    switch (id) {
      case 1: expectCall(kind, args, 0, 0); return Variant::str(fromUtf8(userName()));
      case 2: expectCall(kind, args, 0, 0); return Variant::str(fromUtf8(computerName()));
      case 3: expectCall(kind, args, 0, 0); return Variant::str(fromUtf8(userDomain()));
      case 4:
      case 5:
      case 6: expectCall(kind, args, 0, 0); return Variant::str(u"");
      case 10:
      case 11: expectCall(kind, args, 0, 0); return Variant::object(new EmptyCollectionObj);
      // The remote name or printer is the argument the message quotes.
      case 20: refuse(kind, args, 2, 5, 1, u"MapNetworkDrive", u"Network drives cannot be mapped on this system");
      case 21: refuse(kind, args, 1, 3, 0, u"RemoveNetworkDrive", u"There are no network drives on this system");
      case 22: refuse(kind, args, 2, 5, 1, u"AddPrinterConnection", u"Printers cannot be connected on this system");
      case 23: refuse(kind, args, 1, 3, 0, u"AddWindowsPrinterConnection", u"Printers cannot be connected on this system");
      case 24: refuse(kind, args, 1, 3, 0, u"RemovePrinterConnection", u"There are no printer connections on this system");
      case 25: refuse(kind, args, 1, 1, 0, u"SetDefaultPrinter", u"There are no printer connections on this system");
    }
    raise(438);
  }

  u16 typeName() const override { return u"IWshNetwork2"; }
  bool safeForScripting() const override { return false; }

 private:
  // The argument checks come first, as the real call would make them.
  [[noreturn]] static void refuse(InvokeKind kind, Args args, int lo, int hi, int named, const char16_t* what,
                                  const char16_t* text) {
    expectCall(kind, args, lo, hi);
    raise(kNotSupported, u16(u"WSHNetwork.") + what, text + (u": \"" + toString(args[named]) + u"\"."));
  }
};

}  // namespace

Object* newNetwork() { return new NetworkObj; }

}  // namespace pw
