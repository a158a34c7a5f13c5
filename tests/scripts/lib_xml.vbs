' MSXML2.DOMDocument: parsing text and files, the xml property, parse
' errors, XPath with and without namespaces, building and editing trees,
' save and load round trips, and the errors scripts get for misuse.
Option Explicit
Dim doc, root, n, list, e, a, t, i, s, fso, path, doc2, pi, frag, kept

Sub Show(label, v)
    WScript.Echo label & ": " & v
End Sub

' --- creation under every name, and TypeName ---
For Each s In Array("MSXML2.DOMDocument", "Msxml2.DOMDocument.3.0", "MSXML2.DOMDocument.6.0", "Microsoft.XMLDOM")
    Set doc = CreateObject(s)
    Show s, TypeName(doc) & " async=" & doc.async & " ready=" & doc.readyState & " type=" & doc.nodeType & " " & doc.nodeName
Next

' --- loadXML and the tree it gives ---
Set doc = CreateObject("MSXML2.DOMDocument")
doc.async = False
Show "loaded", doc.loadXML("<?xml version=""1.0"" encoding=""UTF-8""?>" & vbCrLf & _
    "<config version=""2"">" & vbCrLf & _
    "  <server name=""alpha"" port=""80"">first &amp; main</server>" & vbCrLf & _
    "  <server name=""beta"" port=""8080""><![CDATA[<raw>]]></server>" & vbCrLf & _
    "  <!-- a comment -->" & vbCrLf & _
    "  <?app setting?>" & vbCrLf & _
    "  <empty/>" & vbCrLf & _
    "</config>")
Show "errorCode", doc.parseError.errorCode & " " & TypeName(doc.parseError)
Show "xml", doc.xml
Show "top nodes", doc.childNodes.length & " " & doc.firstChild.nodeTypeString & " " & doc.firstChild.nodeName & " [" & doc.firstChild.nodeValue & "]"
Set root = doc.documentElement
Show "root", TypeName(root) & " " & root.nodeName & " " & root.tagName & " children=" & root.childNodes.length
Show "same object", (root Is doc.documentElement) & " " & (root.parentNode Is doc) & " " & (root.ownerDocument Is doc)
For Each n In root.childNodes
    WScript.Echo "  " & n.nodeType & " " & TypeName(n) & " " & n.nodeName & " [" & n.text & "] value=" & TypeName(n.nodeValue)
Next
Set n = root.firstChild
Show "attributes", n.attributes.length & " " & TypeName(n.attributes) & " " & n.attributes(1).name & "=" & n.attributes.getNamedItem("port").value
For Each a In n.attributes
    WScript.Echo "  attr " & TypeName(a) & " " & a.nodeName & "=" & a.nodeValue & " parent=" & TypeName(a.parentNode)
Next
Show "getAttribute", n.getAttribute("name") & " null=" & IsNull(n.getAttribute("missing"))
Show "siblings", n.nextSibling.getAttribute("name") & " " & (n.previousSibling Is Nothing) & " " & root.lastChild.nodeName & " " & (root.lastChild.nextSibling Is Nothing)
Show "cdata", n.nextSibling.firstChild.nodeName & " " & n.nextSibling.text & " " & n.nextSibling.xml
Show "pi", root.childNodes(3).target & " " & root.childNodes(3).data
Show "text of root", root.text
Show "item out of range", (root.childNodes(99) Is Nothing) & " " & (root.childNodes(-1) Is Nothing)
Show "attributes of text", (n.firstChild.attributes Is Nothing) & " " & n.firstChild.hasChildNodes & " " & n.hasChildNodes
Show "empty element", root.childNodes(4).xml & " " & root.childNodes(4).hasChildNodes & " [" & root.childNodes(4).text & "]"

' preserveWhiteSpace keeps the blank text nodes
Set doc2 = CreateObject("MSXML2.DOMDocument")
doc2.preserveWhiteSpace = True
doc2.loadXML "<a>" & vbLf & " <b> x </b>" & vbLf & "</a>"
Show "preserved", doc2.documentElement.childNodes.length & " [" & doc2.documentElement.firstChild.text & "]" & " [" & doc2.selectSingleNode("//b").text & "]"
doc2.preserveWhiteSpace = False
doc2.loadXML "<a>" & vbLf & " <b> x </b>" & vbLf & "</a>"
Show "stripped", doc2.documentElement.childNodes.length & " [" & doc2.selectSingleNode("//b").text & "] [" & doc2.selectSingleNode("//b").firstChild.nodeValue & "]"

' --- XPath ---
doc.setProperty "SelectionLanguage", "XPath"
Show "language", doc.getProperty("SelectionLanguage")
Set list = doc.selectNodes("/config/server")
Show "servers", TypeName(list) & " " & list.length
For i = 0 To list.length - 1
    WScript.Echo "  " & list.item(i).getAttribute("name") & ":" & list(i).getAttribute("port")
Next
Show "predicate", doc.selectSingleNode("//server[@port > 100]/@name").text
Show "count()", root.selectNodes("server[contains(., 'main')]").length & " " & doc.selectNodes("//@*").length
Show "relative", n.selectSingleNode("../empty").nodeName & " " & n.selectSingleNode("@port").nodeType
Show "no match", (doc.selectSingleNode("//nothing") Is Nothing) & " " & doc.selectNodes("//nothing").length
Show "text()", doc.selectSingleNode("//server/text()").nodeValue
Set list = doc.selectNodes("//server")
Do
    Set n = list.nextNode
    If n Is Nothing Then Exit Do
    WScript.Echo "  next " & n.getAttribute("name")
Loop
list.reset
Show "after reset", list.nextNode.getAttribute("name")
Show "by tag", doc.getElementsByTagName("server").length & " " & root.getElementsByTagName("*").length & " " & TypeName(doc.getElementsByTagName("x"))

' --- namespaces ---
Set doc = CreateObject("MSXML2.DOMDocument.6.0")
doc.loadXML "<feed xmlns=""http://www.w3.org/2005/Atom"" xmlns:m=""urn:meta""><entry m:id=""1""><title>One</title></entry><entry m:id=""2""><title>Two</title><m:tag>x</m:tag></entry></feed>"
Show "default ns, no prefix", doc.selectNodes("//entry").length
doc.setProperty "SelectionNamespaces", "xmlns:a='http://www.w3.org/2005/Atom' xmlns:m=""urn:meta"""
Show "SelectionNamespaces", doc.getProperty("SelectionNamespaces")
Show "with prefix", doc.selectNodes("//a:entry").length & " " & doc.selectSingleNode("//a:entry[@m:id='2']/a:title").text
Set n = doc.selectSingleNode("//m:tag")
Show "ns parts", n.nodeName & " " & n.baseName & " " & n.prefix & " " & n.namespaceURI & " | " & doc.documentElement.namespaceURI & " [" & doc.documentElement.prefix & "]"
Show "ns attribute", doc.selectSingleNode("//a:entry/@m:id").namespaceURI & " " & doc.documentElement.getAttribute("xmlns:m")
Show "subtree xml", n.xml
Show "entry xml", doc.selectSingleNode("//a:entry").xml
Set e = doc.createNode(1, "m:extra", "urn:meta")
e.text = "added"
doc.documentElement.appendChild e
Set e = doc.createNode("element", "plain", "")
doc.documentElement.appendChild e
Set a = doc.createNode(2, "m:flag", "urn:meta")
a.value = "on"
e.setAttributeNode a
Show "added ns", doc.documentElement.lastChild.xml & " " & doc.documentElement.childNodes(2).xml
Show "found added", doc.selectSingleNode("//m:extra").text & " " & doc.selectNodes("//*[@m:flag]").length
On Error Resume Next
doc.selectNodes "//z:entry"
Show "undeclared prefix", Hex(Err.Number) & " " & (InStr(Err.Description, "prefix") > 0)
Err.Clear
doc.setProperty "SelectionNamespaces", "xmlns:broken"
Show "bad SelectionNamespaces", Hex(Err.Number)
Err.Clear
doc.setProperty "NoSuchProperty", 1
Show "bad property", Hex(Err.Number) & " " & Err.Description
Err.Clear
doc.selectNodes "//entry["
Show "bad XPath", Hex(Err.Number) & " " & Err.Source
Err.Clear
doc.selectNodes "count(//entry)"
Show "not nodes", Hex(Err.Number) & " " & Left(Err.Description, 37)
Err.Clear
On Error GoTo 0

' --- building a document from nothing ---
Set doc = CreateObject("Microsoft.XMLDOM")
Set pi = doc.createProcessingInstruction("xml", "version=""1.0"" encoding=""UTF-8""")
doc.appendChild pi
Set root = doc.createElement("settings")
doc.appendChild root
Show "documentElement", doc.documentElement.nodeName & " " & (doc.documentElement Is root)
For i = 1 To 3
    Set e = doc.createElement("option")
    e.setAttribute "id", i
    e.appendChild doc.createTextNode("value " & i)
    root.appendChild e
Next
root.appendChild doc.createComment(" end ")
root.insertBefore doc.createElement("first"), root.firstChild
Set a = doc.createAttribute("mode")
a.text = "fast & safe"
root.setAttributeNode a
root.setAttribute "mode", "slow <""quoted"">"
Show "built", doc.xml
Set e = root.selectSingleNode("option[@id='2']")
Set kept = root.removeChild(e)
Show "removed", (kept Is e) & " " & (e.parentNode Is Nothing) & " " & e.xml & " " & root.childNodes.length
root.replaceChild e, root.firstChild
Show "replaced", root.firstChild.getAttribute("id") & " " & root.childNodes.length
root.removeAttribute "mode"
Show "attr removed", IsNull(root.getAttribute("mode")) & " " & a.value & " " & (a.parentNode Is Nothing)
Set e = root.firstChild.cloneNode(True)
e.setAttribute "id", "copy"
root.appendChild e
Set e = root.firstChild.cloneNode(False)
Show "clones", root.lastChild.xml & " " & e.xml
Set frag = doc.createDocumentFragment()
frag.appendChild doc.createElement("f1")
frag.appendChild doc.createElement("f2")
root.appendChild frag
Show "fragment", frag.childNodes.length & " " & root.lastChild.nodeName & " " & TypeName(frag)
root.firstChild.text = "changed"
root.childNodes(1).firstChild.nodeValue = "value one"
Show "edited", root.xml
' moving a node that is already in the tree
root.appendChild root.firstChild
Show "moved", root.firstChild.getAttribute("id") & " " & root.lastChild.getAttribute("id")
' removing children while walking the live list
Set list = root.childNodes
Do While list.length > 2
    root.removeChild list.item(0)
Loop
Show "after removals", list.length & " " & root.xml

' --- misuse ---
On Error Resume Next
doc.appendChild doc.createElement("second")
Show "second root", Hex(Err.Number) & " " & Err.Description
Err.Clear
root.appendChild root
Show "into itself", Hex(Err.Number)
Err.Clear
root.removeChild doc.createElement("stranger")
Show "not a child", Hex(Err.Number) & " " & Err.Description
Err.Clear
root.lastChild.firstChild.appendChild doc.createElement("x")
Show "child of text", Hex(Err.Number)
Err.Clear
Set doc2 = CreateObject("MSXML2.DOMDocument")
root.appendChild doc2.createElement("foreign")
Show "other document", Hex(Err.Number)
Err.Clear
doc.createElement "bad name"
Show "bad name", Hex(Err.Number)
Err.Clear
root.getAttribute
Show "no argument", Err.Number
Err.Clear
root.lastChild.firstChild.getAttribute "x"
Show "text has no getAttribute", Err.Number
Err.Clear
doc.nodeName = "x"
Show "read-only", Err.Number
Err.Clear
root.appendChild "text"
Show "not a node", Err.Number
Err.Clear
On Error GoTo 0

' --- save, load and their round trip ---
Set fso = CreateObject("Scripting.FileSystemObject")
path = fso.BuildPath(fso.GetSpecialFolder(2), "pwxml_" & fso.GetTempName & ".xml")
Set doc = CreateObject("MSXML2.DOMDocument")
doc.loadXML "<?xml version=""1.0"" encoding=""UTF-8""?><notes><note lang=""de"">Grüße – €5</note></notes>"
doc.save path
s = fso.OpenTextFile(path).ReadAll
Show "file", fso.GetFile(path).Size & " bytes, " & Left(s, 38)
Set doc2 = CreateObject("MSXML2.DOMDocument")
Show "load", doc2.load(path) & " " & doc2.parseError.errorCode & " " & (doc2.url = path)
Show "round trip", (doc2.xml = doc.xml) & " " & doc2.selectSingleNode("//note").text
' a declared single-byte encoding is honoured on save and on load
doc.firstChild.nodeValue = "version=""1.0"" encoding=""ISO-8859-1"""
doc.save path
Set t = fso.GetFile(path)
Show "latin-1 size", t.Size
s = fso.OpenTextFile(path).ReadAll
Show "latin-1 references", (InStr(s, "&#8211; &#8364;5") > 0) & " first at " & InStr(s, "&#")
Show "reload", doc2.load(path) & " " & doc2.selectSingleNode("//note").text & " " & (doc2.selectSingleNode("//note").text = doc.selectSingleNode("//note").text)
fso.DeleteFile path
Show "missing file", doc2.load(path) & " " & Hex(doc2.parseError.errorCode) & " " & (doc2.documentElement Is Nothing)
Show "missing reason", doc2.parseError.reason

' --- parse errors ---
Set doc = CreateObject("MSXML2.DOMDocument")
Show "bad", doc.loadXML("<a>" & vbCrLf & "  <b>text</c>" & vbCrLf & "</a>")
Set e = doc.parseError
Show "code", Hex(e.errorCode) & " " & (e.errorCode < 0) & " default=" & (e = e.errorCode)
Show "reason", e.reason
Show "where", e.line & ":" & e.linepos & " [" & e.srcText & "]"
Show "empty doc", (doc.documentElement Is Nothing) & " [" & doc.xml & "]"
Show "no root", doc.loadXML("") & " " & Hex(doc.parseError.errorCode) & " " & doc.parseError.reason
Show "two roots", doc.loadXML("<a/><b/>") & " " & doc.parseError.reason
Show "unclosed", doc.loadXML("<a><b>") & " " & doc.parseError.reason
Show "undeclared", doc.loadXML("<x:a/>") & " " & doc.parseError.reason
Show "recovers", doc.loadXML("<ok/>") & " " & doc.parseError.errorCode & " " & doc.xml

' --- typed values: the usual way scripts encode and decode base64 ---
Dim el, bytes, arr(99)
Set doc = CreateObject("MSXML2.DOMDocument")
Set el = doc.createElement("b64")
Show "untyped", IsNull(el.dataType) & " " & TypeName(el.nodeTypedValue)
el.dataType = "bin.base64"
el.text = "SGVs" & vbLf & "bG8sIHdvcmxkIQ=="
bytes = el.nodeTypedValue
s = ""
For Each t In bytes
    s = s & Chr(t)
Next
Show "decoded", s & " " & UBound(bytes) & " " & TypeName(bytes(0)) & " " & el.dataType
Show "marked", el.xml
For i = 0 To 99
    arr(i) = i * 2
Next
el.nodeTypedValue = arr
Show "encoded", Len(el.text) & " " & InStr(el.text, vbLf) & " " & Right(el.text, 8)
bytes = el.nodeTypedValue
Show "round trip", UBound(bytes) & " " & bytes(0) & " " & bytes(50) & " " & bytes(99)
el.nodeTypedValue = Array()
Show "empty", "[" & el.text & "] " & UBound(el.nodeTypedValue)
el.dataType = "bin.hex"
el.nodeTypedValue = Array(1, 171, 255)
bytes = el.nodeTypedValue
Show "hex", el.text & " " & bytes(1)
el.dataType = "int"
el.text = " 41 "
Show "int", TypeName(el.nodeTypedValue) & " " & (el.nodeTypedValue + 1)
el.dataType = "boolean"
el.nodeTypedValue = True
Show "boolean", el.text & " " & el.nodeTypedValue
el.dataType = "string"
Show "string again", IsNull(el.dataType) & " " & el.xml
On Error Resume Next
el.dataType = "bin.base64"
el.text = "not*base64"
bytes = el.nodeTypedValue
Show "bad base64", Hex(Err.Number)
Err.Clear
el.nodeTypedValue = "text"
Show "not bytes", Err.Number
Err.Clear
el.dataType = "nonsense"
Show "bad type", Hex(Err.Number)
Err.Clear
On Error GoTo 0

' --- attribute values keep their line breaks and tabs through xml and back ---
Set doc = CreateObject("MSXML2.DOMDocument")
Set e = doc.createElement("note")
e.setAttribute "text", "line 1" & vbCrLf & vbTab & "line 2"
Set doc.documentElement = e
Show "escaped", e.xml
Set doc2 = CreateObject("MSXML2.DOMDocument")
doc2.loadXML doc.xml
Show "kept", (doc2.documentElement.getAttribute("text") = e.getAttribute("text")) & " " & Len(doc2.documentElement.getAttribute("text"))

' --- the attribute map edits its element ---
Set doc = CreateObject("MSXML2.DOMDocument")
doc.loadXML "<e a=""1"" b=""2""/>"
Set e = doc.documentElement
Set list = e.attributes
Set a = list.removeNamedItem("a")
Show "removeNamedItem", a.name & "=" & a.value & " " & list.length & " " & e.xml & " " & (list.removeNamedItem("zz") Is Nothing)
list.setNamedItem a
Show "setNamedItem", list.length & " " & e.xml & " " & list.getNamedItem("a").value & " " & (list.getNamedItem("zz") Is Nothing)
