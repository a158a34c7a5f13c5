// The HTTP request objects and ADODB.Stream from the host's side (the safe
// subset, Byte() arrays), and the charset conversions they share.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "charsets.h"
#include "objects.h"
#include "script_control.h"
#include "sink.h"

using pw::u16;
using pw::u16v;

namespace {

using pwtest::Sink;

const char16_t* kProgIds[] = {
    u"MSXML2.XMLHTTP",       u"MSXML2.XMLHTTP.3.0",       u"MSXML2.XMLHTTP.6.0",       u"Microsoft.XMLHTTP",
    u"MSXML2.ServerXMLHTTP", u"MSXML2.ServerXMLHTTP.3.0", u"MSXML2.ServerXMLHTTP.6.0", u"WinHttp.WinHttpRequest.5.1",
    u"ADODB.Stream",
};

TEST(NetObjects, UnsafeUnderTheSafeSubsetAndNamedAsWindowsDoes) {
  pw::ScriptControl sc;
  pw::Ref<Sink> out(new Sink);
  sc.AddObject(u"Out", out.get(), false);
  u16 probe = u"On Error Resume Next\r\n";
  for (const char16_t* id : kProgIds)
    probe += u16(u"Set o = Nothing\r\nSet o = CreateObject(\"") + id + u"\")\r\nOut.Put Err.Number & \" \" & TypeName(o)\r\nErr.Clear\r\n";
  sc.UseSafeSubset(true);
  ASSERT_TRUE(sc.AddCode(probe));
  ASSERT_EQ(out->values.size(), std::size(kProgIds));
  for (const pw::Variant& v : out->values) EXPECT_EQ(v.strView(), u"429 Nothing");
  out->values.clear();
  sc.UseSafeSubset(false);
  ASSERT_TRUE(sc.AddCode(probe));
  const char16_t* names[] = {u"0 IXMLHTTPRequest",        u"0 IXMLHTTPRequest",        u"0 IXMLHTTPRequest",
                             u"0 IXMLHTTPRequest",        u"0 IServerXMLHTTPRequest2", u"0 IServerXMLHTTPRequest2",
                             u"0 IServerXMLHTTPRequest2", u"0 IWinHttpRequest",        u"0 Stream"};
  for (size_t i = 0; i < std::size(names); ++i) EXPECT_EQ(out->values.at(i).strView(), u16v(names[i])) << i;
  // ProgIDs are matched without case, but not by prefix.
  EXPECT_FALSE(pw::isProgIdSafe(u"adodb.stream"));
  pw::Ref<pw::Object> lower(pw::createBuiltinObject(u"winhttp.winhttprequest.5.1"));
  EXPECT_TRUE(lower);
  EXPECT_EQ(pw::createBuiltinObject(u"WinHttp.WinHttpRequest"), nullptr);
  EXPECT_EQ(pw::createBuiltinObject(u"ADODB.Streams"), nullptr);
}

TEST(NetObjects, ByteArraysKeepTheirTypeWhenCopied) {
  pw::ScriptControl sc;
  pw::Ref<Sink> out(new Sink);
  sc.AddObject(u"Out", out.get(), false);
  ASSERT_TRUE(sc.AddCode(
      u"Set s = CreateObject(\"ADODB.Stream\")\r\ns.Charset = \"us-ascii\"\r\ns.Open\r\ns.WriteText \"AB\"\r\n"
      u"s.Position = 0\r\ns.Type = 1\r\nb = s.Read\r\nc = b\r\n"
      u"Function Pass(x)\r\nPass = VarType(x) & TypeName(x)\r\nEnd Function\r\n"
      u"Out.Put VarType(b) & TypeName(c) & Pass(b) & UBound(c) & TypeName(c(1)) & c(1)\r\n"
      u"Out.Put VarType(Array(1)) & TypeName(Array(1))\r\n"));
  EXPECT_EQ(out->values.at(0).strView(), u"8209Byte()8209Byte()1Byte66");
  EXPECT_EQ(out->values.at(1).strView(), u"8204Variant()");
  // Write takes Byte() arrays only: a Variant() of numbers is refused.
  EXPECT_FALSE(sc.AddCode(u"Set t = CreateObject(\"ADODB.Stream\")\r\nt.Type = 1\r\nt.Open\r\nt.Write Array(65, 66)\r\n"));
  EXPECT_EQ(sc.Error().Number, 3001);
  EXPECT_EQ(sc.Error().Source, u"ADODB.Stream");
}

// Lines longer than what one look-ahead decodes, and a separator cut in two by it.
TEST(NetObjects, StreamReadsLongLines) {
  pw::ScriptControl sc;
  pw::Ref<Sink> out(new Sink);
  sc.AddObject(u"Out", out.get(), false);
  ASSERT_TRUE(sc.AddCode(
      u"Set s = CreateObject(\"ADODB.Stream\")\r\ns.Charset = \"utf-8\"\r\ns.Open\r\n"
      u"s.WriteText String(3000, ChrW(233)) & vbCrLf & String(1023, \"x\") & vbCrLf & \"end\"\r\n"
      u"s.Position = 0\r\n"
      u"Out.Put Len(s.ReadText(-2)) & \" \" & s.Position\r\n"
      u"Out.Put Len(s.ReadText(-2)) & \" \" & s.Position\r\n"
      u"Out.Put s.ReadText(-2) & \" \" & s.EOS\r\n"));
  EXPECT_EQ(out->values.at(0).strView(), u"3000 6005");
  EXPECT_EQ(out->values.at(1).strView(), u"1023 7030");
  EXPECT_EQ(out->values.at(2).strView(), u"end True");
}

// A server on 127.0.0.1 that takes connections (the kernel's backlog) but never answers.
class SilentServer {
 public:
  SilentServer() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&a), len) != 0 || ::listen(fd_, 4) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
      return;
    port_ = ntohs(a.sin_port);
  }
  ~SilentServer() {
    if (fd_ >= 0) ::close(fd_);
  }
  int port() const { return port_; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

class StoppingHost final : public pw::ScriptHost {
 public:
  void pollWhileWaiting() override {
    if (++polls >= stopAfter) pw::raise(51, u"Host", u"Stopped by the user");
  }
  int polls = 0;
  int stopAfter = 1000000;
};

u16 requestTo(int port, const char16_t* progId) {
  return u16(u"Set x = CreateObject(\"") + progId + u"\")\r\nx.open \"GET\", \"http://127.0.0.1:" +
         pw::fromUtf8(std::to_string(port)) + u"/wait\", False\r\nx.send\r\n";
}

double secondsSince(std::chrono::steady_clock::time_point t) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

TEST(NetObjects, TimeOutAndHostStopEndAWaitingRequest) {
  SilentServer server;
  ASSERT_NE(server.port(), 0);
  {
    // The script's time-out, also under On Error Resume Next.
    pw::ScriptControl sc;
    sc.Timeout(600);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(sc.AddCode(u"On Error Resume Next\r\n" + requestTo(server.port(), u"MSXML2.XMLHTTP")));
    EXPECT_EQ(sc.Error().Number, pw::kTimeoutError);
    EXPECT_LT(secondsSince(start), 4.0);
  }
  {
    // The host's poll stops it (the window's Ctrl-C).
    pw::ScriptControl sc;
    StoppingHost host;
    host.stopAfter = 2;
    sc.SetHost(&host);
    sc.Timeout(-1);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(sc.AddCode(requestTo(server.port(), u"WinHttp.WinHttpRequest.5.1")));
    EXPECT_EQ(sc.Error().Number, 51);
    EXPECT_EQ(sc.Error().Description, u"Stopped by the user");
    EXPECT_EQ(sc.Error().Line, 3);
    EXPECT_GE(host.polls, 2);
    EXPECT_LT(secondsSince(start), 5.0);
  }
}

TEST(Charsets, DecodeStopsOnCharacterBoundaries) {
  pw::Charset utf8("UTF-8");
  ASSERT_TRUE(utf8.valid());
  std::string bytes = "a\xE2\x82\xAC" "b\xF0\x9F\x98\x80";  // a € b 😀
  size_t used = 0;
  EXPECT_EQ(utf8.decode(bytes, 2, &used), u"a\u20AC");
  EXPECT_EQ(used, 4u);
  EXPECT_EQ(utf8.decode(bytes, 3, &used), u"a\u20ACb");
  EXPECT_EQ(used, 5u);
  // One unit left is not enough for a surrogate pair.
  EXPECT_EQ(utf8.decode(bytes, 4, &used), u"a\u20ACb");
  EXPECT_EQ(used, 5u);
  EXPECT_EQ(utf8.decode(bytes, -1, &used), u"a\u20ACb\U0001F600");
  EXPECT_EQ(used, bytes.size());
  // Bad and cut-short sequences become U+FFFD, one per byte.
  EXPECT_EQ(utf8.decode("x\xFF" "y\xE2\x82", -1, &used), u"x\uFFFDy\uFFFD\uFFFD");
  EXPECT_EQ(used, 5u);
}

TEST(Charsets, SingleByteSetsAndUnmappableCharacters) {
  pw::Charset cp("Windows-1252");
  ASSERT_TRUE(cp.valid());
  EXPECT_EQ(cp.encode(u"\u20AC\u00E9\u263A\u0081"), std::string("\x80\xE9?\x81"));
  EXPECT_EQ(cp.decode("\x80\x81\x9D\xFF"), u"\u20AC\u0081\u009D\u00FF");
  pw::Charset latin("iso-8859-1");
  EXPECT_EQ(latin.encode(u"\u20AC\u00E9"), std::string("?\xE9"));
  EXPECT_EQ(latin.decode("\x80"), u"\u0080");
  pw::Charset ascii("us-ascii");
  EXPECT_EQ(ascii.encode(u"a\u00E9"), "a?");
  EXPECT_TRUE(ascii.bom().empty());
  pw::Charset uni("Unicode");
  EXPECT_EQ(uni.bom(), "\xFF\xFE");
  EXPECT_EQ(uni.encode(u"A\U0001F600"), std::string("A\0\x3D\xD8\x00\xDE", 6));
  EXPECT_FALSE(pw::Charset("no-such-set").valid());
  EXPECT_FALSE(pw::Charset("").valid());
  EXPECT_FALSE(pw::Charset("UTF-8/").valid());
}

TEST(Charsets, CharsetOfContentType) {
  EXPECT_EQ(pw::charsetOfContentType("text/html; charset=ISO-8859-1"), "iso-8859-1");
  EXPECT_EQ(pw::charsetOfContentType("text/plain;charset=\"utf-8\"; format=flowed"), "utf-8");
  EXPECT_EQ(pw::charsetOfContentType("application/json"), "");
  EXPECT_EQ(pw::charsetOfContentType("text/plain; xcharset=koi8-r"), "");
  EXPECT_EQ(pw::charsetOfContentType("text/plain; charset = big5 "), "big5");
}

}  // namespace
