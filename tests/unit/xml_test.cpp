// The XML DOM and WScript.Network as hosts and scripts reach them: the safe
// subset, the documents other objects build from text, and node lifetimes
// (run these under the sanitizers: a node that outlives its tree or a
// namespace declaration it used must stay readable, and nothing may leak).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "objects.h"
#include "script_control.h"
#include "sink.h"
#include "xmldom.h"

using pw::u16;
using pw::u16v;

namespace {

using pwtest::Sink;

struct XmlTest : ::testing::Test {
  pw::ScriptControl sc;
  pw::Ref<Sink> out{new Sink};
  void SetUp() override { sc.AddObject(u"Out", out.get(), false); }
  u16 text(size_t i) const { return pw::toText(out->values.at(i)); }
  void run(const char16_t* code) {
    ASSERT_TRUE(sc.AddCode(code)) << pw::toUtf8(sc.Error().Description) << " line " << sc.Error().Line;
  }
};

TEST_F(XmlTest, SafeSubsetAllowsTheDomButNotItsFilesNorTheNetworkObject) {
  std::string path = "/tmp/pw_xml_safe_" + std::to_string(::getpid()) + ".xml";
  std::ofstream(path) << "<a>file</a>";
  sc.AddCode((u"p = \"" + pw::fromUtf8(path) + u"\"\r\n").c_str());
  const char16_t* probe =
      u"On Error Resume Next\r\n"
      u"Set d = CreateObject(\"MSXML2.DOMDocument\")\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"Out.Put d.loadXML(\"<a><b>1</b></a>\") & d.selectSingleNode(\"//b\").text\r\n"
      u"Out.Put d.load(p)\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"d.save p & \".out\"\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"Set n = CreateObject(\"WScript.Network\")\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"Set x = CreateObject(\"Microsoft.XMLDOM\")\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"Set x = CreateObject(\"MSXML2.DOMDocument.6.0\")\r\nOut.Put Err.Number\r\nErr.Clear\r\n"
      u"d.cloneNode(True).save p & \".out\"\r\nOut.Put Err.Number\r\nErr.Clear\r\n";
  sc.UseSafeSubset(true);
  run(probe);
  sc.UseSafeSubset(false);
  ASSERT_EQ(out->values.size(), 8u);  // the failed load put nothing
  EXPECT_EQ(text(0), u"0");
  EXPECT_EQ(text(1), u"True1");
  EXPECT_EQ(text(2), u"70");  // load of a local file
  EXPECT_EQ(text(3), u"70");  // save
  EXPECT_EQ(text(4), u"429");
  EXPECT_EQ(text(5), u"0");
  EXPECT_EQ(text(6), u"0");
  EXPECT_EQ(text(7), u"70");  // a copy is no way around it
  out->values.clear();
  run(probe);
  ASSERT_EQ(out->values.size(), 9u);
  EXPECT_EQ(text(2), u"True");
  for (size_t i : {3, 4, 5, 8}) EXPECT_EQ(text(i), u"0") << i;
  std::remove(path.c_str());
  std::remove((path + ".out").c_str());
  EXPECT_TRUE(pw::isProgIdSafe(u"msxml2.domdocument.3.0"));
  EXPECT_TRUE(pw::isProgIdSafe(u"Microsoft.XMLDOM"));
  EXPECT_FALSE(pw::isProgIdSafe(u"WScript.Network"));
}

TEST(XmlFromText, BuildsDocumentsForOtherObjects) {
  pw::Variant ok = pw::newXmlDocumentFromText(nullptr, u"<r><v>1</v></r>");
  ASSERT_TRUE(ok.isObject());
  EXPECT_EQ(ok.o->typeName(), u"DOMDocument");
  pw::Variant root = ok.o->invoke(ok.o->getIdOfName(u"documentElement"), pw::InvokeKind::Get, pw::Args{});
  ASSERT_TRUE(root.isObject() && root.o);
  EXPECT_EQ(root.o->typeName(), u"IXMLDOMElement");

  pw::Variant bad = pw::newXmlDocumentFromText(nullptr, u"<r>");
  pw::Variant err = bad.o->invoke(bad.o->getIdOfName(u"parseError"), pw::InvokeKind::Get, pw::Args{});
  pw::Variant code = err.o->invoke(0, pw::InvokeKind::Get, pw::Args{});
  EXPECT_NE(pw::toLong(code), 0);

  // Bytes: the declaration names the encoding.
  std::string latin = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r>Gr\xFC\xDF" "e</r>";
  pw::Variant fromBytes = pw::newXmlDocumentFromBytes(nullptr, latin);
  pw::Variant text = fromBytes.o->invoke(fromBytes.o->getIdOfName(u"text"), pw::InvokeKind::Get, pw::Args{});
  EXPECT_EQ(pw::toText(text), u"Grüße");
  std::string utf16 = std::string("\xFF\xFE", 2);
  for (char c : std::string("<r>ok</r>")) utf16 += std::string(1, c) + '\0';
  fromBytes = pw::newXmlDocumentFromBytes(nullptr, utf16);
  text = fromBytes.o->invoke(fromBytes.o->getIdOfName(u"xml"), pw::InvokeKind::Get, pw::Args{});
  EXPECT_EQ(pw::toText(text), u"<r>ok</r>\r\n");
}

TEST_F(XmlTest, NodesKeepTheirDocumentAlive) {
  run(u"Set d = CreateObject(\"MSXML2.DOMDocument\")\r\n"
      u"d.loadXML \"<a><b><c>deep</c></b></a>\"\r\n"
      u"Set c = d.selectSingleNode(\"//c\")\r\n"
      u"Set kids = d.documentElement.childNodes\r\n"
      u"Set d = Nothing\r\n"
      u"Out.Put c.parentNode.parentNode.nodeName & c.text\r\n"
      u"Out.Put c.ownerDocument.xml\r\n"
      u"Out.Put kids.length & kids(0).nodeName\r\n"
      // a live list of the document's children follows it into a new tree
      u"Set d = c.ownerDocument\r\n"
      u"Set top = d.childNodes\r\n"
      u"Out.Put top.length & top(0).nodeName\r\n"
      u"d.loadXML \"<?xml version='1.0'?><!--x--><z/>\"\r\n"
      u"Out.Put top.length & top(2).nodeName & c.parentNode.nodeName\r\n");
  EXPECT_EQ(text(0), u"adeep");
  EXPECT_EQ(text(1), u"<a><b><c>deep</c></b></a>\r\n");
  EXPECT_EQ(text(2), u"1b");
  EXPECT_EQ(text(3), u"1a");
  EXPECT_EQ(text(4), u"3zb");
}

TEST_F(XmlTest, RemovedAndReplacedNodesStayUsableAndAreFreed) {
  run(u"Set d = CreateObject(\"MSXML2.DOMDocument\")\r\n"
      u"d.loadXML \"<r><p xmlns:x='urn:x'><x:c x:k='v'>t</x:c></p><q/></r>\"\r\n"
      u"Set c = d.selectSingleNode(\"//p\").firstChild\r\n"
      // the subtree leaves the tree; the element that declares x then goes too
      u"d.documentElement.removeChild d.documentElement.firstChild\r\n"
      u"c.parentNode.removeChild c\r\n"
      u"Out.Put c.namespaceURI & \" \" & c.xml\r\n"
      u"Out.Put (c.parentNode Is Nothing)\r\n"
      // back into the tree, then out again by replacing the whole document
      u"d.documentElement.appendChild c\r\n"
      u"Out.Put d.xml\r\n"
      u"Set old = d.documentElement\r\n"
      u"d.loadXML \"<new/>\"\r\n"
      u"Out.Put old.xml & \" \" & d.xml\r\n"
      // removed subtrees nobody holds, text replaced wholesale, attributes dropped
      u"d.loadXML \"<r><a><b/></a><c k='1'>x<d/>y</c></r>\"\r\n"
      u"d.documentElement.removeChild d.documentElement.firstChild\r\n"
      u"Set e = d.selectSingleNode(\"//d\")\r\n"
      u"d.documentElement.firstChild.text = \"plain\"\r\n"
      u"Set k = d.documentElement.firstChild.getAttributeNode(\"k\")\r\n"
      u"d.documentElement.firstChild.removeAttribute \"k\"\r\n"
      u"Out.Put d.xml & (e.parentNode Is Nothing) & k.value\r\n"
      // the document element replaced through documentElement
      u"Set n = d.createElement(\"other\")\r\n"
      u"Set d.documentElement = n\r\n"
      u"Out.Put d.xml\r\n"
      u"Set x = Nothing: Set c = Nothing: Set old = Nothing: Set e = Nothing: Set k = Nothing\r\n"
      u"Set d = Nothing\r\n");
  EXPECT_EQ(text(0), u"urn:x <x:c xmlns:x=\"urn:x\" x:k=\"v\">t</x:c>");
  EXPECT_EQ(text(1), u"True");
  EXPECT_EQ(text(2), u"<r><q/><x:c xmlns:x=\"urn:x\" x:k=\"v\">t</x:c></r>\r\n");
  EXPECT_EQ(text(3), u"<r><q/><x:c xmlns:x=\"urn:x\" x:k=\"v\">t</x:c></r> <new/>\r\n");
  EXPECT_EQ(text(4), u"<r><c>plain</c></r>\r\nTrue1");
  EXPECT_EQ(text(5), u"<other/>\r\n");
}

TEST_F(XmlTest, ManyNodesCreatedAndDropped) {
  // Every created node that is dropped unattached is freed at once; under
  // the leak checker nothing may remain at the end.
  run(u"Set d = CreateObject(\"MSXML2.DOMDocument\")\r\n"
      u"Set r = d.createElement(\"r\")\r\n"
      u"Set d.documentElement = r\r\n"
      u"For i = 1 To 2000\r\n"
      u"  Set e = d.createElement(\"e\")\r\n"
      u"  e.setAttribute \"i\", i\r\n"
      u"  e.appendChild d.createTextNode(i)\r\n"
      u"  If i Mod 2 = 0 Then r.appendChild e\r\n"
      u"  Set t = d.createTextNode(\"unused\")\r\n"
      u"Next\r\n"
      u"For Each e In r.childNodes\r\n"
      u"  If e.getAttribute(\"i\") Mod 4 = 0 Then r.removeChild e\r\n"
      u"Next\r\n"
      u"Out.Put r.childNodes.length & \" \" & r.lastChild.text & \" \" & d.selectNodes(\"//e\").length\r\n"
      u"Set c = r.cloneNode(True)\r\n"
      u"Out.Put c.childNodes.length & TypeName(c.parentNode)\r\n"
      u"Set d2 = d.cloneNode(True)\r\n"
      u"Out.Put TypeName(d2) & d2.documentElement.childNodes.length & (d2.documentElement Is r)\r\n");
  EXPECT_EQ(text(0), u"500 1998 500");
  EXPECT_EQ(text(1), u"500Nothing");
  EXPECT_EQ(text(2), u"DOMDocument500False");
}

}  // namespace

namespace {

TEST_F(XmlTest, TooDeepATreeIsAnErrorNotACrash) {
  sc.AddCode(u"Set d = CreateObject(\"MSXML2.DOMDocument\")\r\n"
             u"Set top = d.createElement(\"e\")\r\nSet p = top\r\n"
             u"For i = 1 To 300000\r\n  Set c = d.createElement(\"e\")\r\n  p.appendChild c\r\n  Set p = c\r\nNext\r\n");
  EXPECT_FALSE(sc.AddCode(u"s = top.xml\r\n"));
  EXPECT_EQ(sc.Error().Number, 28);
  run(u"Out.Put Len(p.xml) & \" \" & p.parentNode.nodeName\r\n");
  EXPECT_EQ(text(0), u"4 e");
}

}  // namespace

namespace {

// Random edits with random references kept and dropped: under the sanitizers
// any node freed while still reachable, or never freed, shows up here.
TEST_F(XmlTest, RandomEditsKeepTheTreeSound) {
  run(u"Randomize 0: Rnd -1: Randomize 7\r\n"
      u"Set d = CreateObject(\"MSXML2.DOMDocument\")\r\n"
      u"d.loadXML \"<r xmlns:p='urn:p'><p:a k='1'>t<b/></p:a><c>u</c></r>\"\r\n"
      u"Dim held(15)\r\n"
      u"For i = 0 To 15: Set held(i) = d.documentElement: Next\r\n"
      u"For stepNo = 1 To 3000\r\n"
      u"  Set n = held(Int(Rnd * 16))\r\n"
      u"  Set m = held(Int(Rnd * 16))\r\n"
      u"  On Error Resume Next\r\n"
      u"  Select Case Int(Rnd * 12)\r\n"
      u"    Case 0: Set held(Int(Rnd * 16)) = d.createElement(\"e\" & stepNo)\r\n"
      u"    Case 1: n.appendChild m\r\n"
      u"    Case 2: Set held(Int(Rnd * 16)) = n.parentNode.removeChild(n)\r\n"
      u"    Case 3: n.text = \"x\" & stepNo\r\n"
      u"    Case 4: Set held(Int(Rnd * 16)) = n.firstChild\r\n"
      u"    Case 5: Set held(Int(Rnd * 16)) = n.cloneNode(True)\r\n"
      u"    Case 6: n.setAttribute \"a\" & Int(Rnd * 3), stepNo\r\n"
      u"    Case 7: n.removeAttribute \"a\" & Int(Rnd * 3)\r\n"
      u"    Case 8: Set held(Int(Rnd * 16)) = d.selectSingleNode(\"//*[\" & Int(Rnd * 5 + 1) & \"]\")\r\n"
      u"    Case 9: n.insertBefore d.createNode(1, \"p:q\", \"urn:p\"), n.lastChild\r\n"
      u"    Case 10: Set held(Int(Rnd * 16)) = n.lastChild.previousSibling\r\n"
      u"    Case 11: If Int(Rnd * 50) = 0 Then d.loadXML d.xml\r\n"
      u"  End Select\r\n"
      u"  If held(Int(Rnd * 16)) Is Nothing Then Set held(Int(Rnd * 16)) = d.documentElement\r\n"
      u"  Err.Clear\r\n"
      u"  On Error GoTo 0\r\n"
      u"Next\r\n"
      u"total = 0\r\n"
      u"For i = 0 To 15\r\n"
      u"  If Not held(i) Is Nothing Then total = total + Len(held(i).xml) + Len(held(i).nodeName)\r\n"
      u"Next\r\n"
      u"Set d2 = CreateObject(\"MSXML2.DOMDocument\")\r\n"
      u"If d.documentElement Is Nothing Then Set d.documentElement = d.createElement(\"r\")\r\n"
      u"For i = 0 To 15\r\n"
      u"  If Not held(i) Is Nothing Then If held(i).nodeType = 1 Then d.documentElement.appendChild held(i).cloneNode(True)\r\n"
      u"Next\r\n"
      u"Out.Put d2.loadXML(d.xml) & \" \" & (total > 0) & \" \" & (d2.xml = d.xml)\r\n");
  EXPECT_EQ(text(0), u"True True True");
}

}  // namespace
