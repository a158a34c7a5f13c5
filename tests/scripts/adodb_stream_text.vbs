' ADODB.Stream as text: each charset's bytes, the byte order marks Windows
' writes and skips, lines, positions, and loading and saving files.
Function StreamBytes(st)
  ' The whole stream as hex, leaving it where it was.
  Dim keep, b, i, out
  keep = st.Position
  st.Position = 0
  st.Type = 1
  b = st.Read
  If Not IsNull(b) Then
    For i = 0 To UBound(b)
      out = out & Right("0" & Hex(b(i)), 2) & " "
    Next
  End If
  st.Position = 0
  st.Type = 2
  st.Position = keep
  StreamBytes = Trim(out)
End Function

Function Codes(s)
  Dim i, out
  For i = 1 To Len(s)
    out = out & Hex(AscW(Mid(s, i, 1))) & " "
  Next
  Codes = Trim(out)
End Function

sample = "Aé€" & ChrW(&H263A)
For Each cs In Array("utf-8", "UTF-8", "unicode", "windows-1252", "iso-8859-1", "us-ascii", "unicodeFFFE", "utf-16", "koi8-r")
  Set st = CreateObject("ADODB.Stream")
  st.Type = 2
  st.Charset = cs
  st.Open
  st.WriteText sample
  WScript.Echo cs & ": size " & st.Size & " pos " & st.Position & " eos " & st.EOS & " [" & StreamBytes(st) & "]"
  st.Position = 0
  WScript.Echo "  back: " & Codes(st.ReadText) & " charset " & st.Charset
  st.Close
Next

' Defaults.
Set st = CreateObject("ADODB.Stream")
WScript.Echo TypeName(st) & " type " & st.Type & " charset " & st.Charset & " sep " & st.LineSeparator & " state " & st.State
st.Open
WScript.Echo "open: state " & st.State & " size " & st.Size & " eos " & st.EOS & " read " & Len(st.ReadText)

' Lines with each separator; adWriteLine appends it.
st.LineSeparator = 10
st.WriteText "one", 1
st.WriteText "two" & vbLf & "three"
WScript.Echo "unicode lines: " & StreamBytes(st)
st.Position = 0
WScript.Echo "[" & st.ReadText(-2) & "] pos " & st.Position
st.SkipLine
WScript.Echo "[" & st.ReadText(-2) & "] eos " & st.EOS & " [" & st.ReadText(-2) & "]"
st.Close

Set st = CreateObject("ADODB.Stream")
st.Charset = "utf-8"
st.Open
st.WriteText "a" & vbCrLf & "b" & vbCr & "c" & vbLf & "d", 1
st.Position = 0
WScript.Echo "crlf: [" & st.ReadText(-2) & "][" & Codes(st.ReadText(-2)) & "]"
st.LineSeparator = 13
st.Position = 0
WScript.Echo "cr: [" & Codes(st.ReadText(-2)) & "][" & Codes(st.ReadText(-2)) & "]"
' ReadText(n) counts characters, whatever their byte length.
st.Position = 0
st.WriteText "x€y", 0
st.SetEOS
st.Position = 0
WScript.Echo "by chars: " & st.ReadText(2) & " pos " & st.Position & " " & st.ReadText(5) & " eos " & st.EOS
st.Position = 3
st.SetEOS
WScript.Echo "after SetEOS: size " & st.Size & " [" & StreamBytes(st) & "]"

' Files: saved with their byte order mark, loaded with or without one.
Set fso = CreateObject("Scripting.FileSystemObject")
tmp = fso.GetSpecialFolder(2) & "/" & fso.GetTempName
fso.CreateFolder tmp
path = tmp & "/text.txt"
st.Position = 0
st.WriteText "Grüße" & vbCrLf & "line 2"
st.SetEOS
st.SaveToFile path, 2
st.Close
Set bin = CreateObject("ADODB.Stream")
bin.Type = 1
bin.Open
bin.LoadFromFile path
head = bin.Read(4)
WScript.Echo "file: " & bin.Size & " bytes, " & Hex(head(0)) & " " & Hex(head(1)) & " " & Hex(head(2)) & " " & Hex(head(3))
bin.Close
Set st = CreateObject("ADODB.Stream")
st.Charset = "utf-8"
st.Open
st.LoadFromFile path
WScript.Echo "loaded: size " & st.Size & " pos " & st.Position & " first [" & st.ReadText(-2) & "] then [" & st.ReadText & "]"
st.Close
' Windows-1252 text has no mark; read as UTF-8 its high byte is not valid.
st.Charset = "windows-1252"
st.Open
st.WriteText "no mark: Stra" & Chr(223) & "e"
st.SaveToFile path, 2
st.Close
st.Open
st.LoadFromFile path
WScript.Echo "1252 file: " & st.Size & " " & st.ReadText
st.Position = 0
st.Charset = "utf-8"
WScript.Echo "as utf-8: " & Codes(Right(st.ReadText, 3))
' Unicode files start with FF FE; without it the bytes are still UTF-16LE.
st.Position = 0
st.Charset = "unicode"
st.WriteText "ab"
st.SetEOS
st.SaveToFile path, 2
st.Position = 2
WScript.Echo "unicode file: " & st.Size & " [" & StreamBytes(st) & "] from 2: " & st.ReadText
st.Position = 0
st.Type = 1
st.Position = 2
rest = st.Read
st.Position = 0
st.Write rest
st.SetEOS
st.Position = 0
st.Type = 2
WScript.Echo "without mark: " & st.Size & " " & st.ReadText
st.Close

' CopyTo: text to text re-encodes, a binary destination gets the bytes.
Set a = CreateObject("ADODB.Stream")
a.Charset = "utf-8"
a.Open
a.WriteText "héllo wörld"
a.Position = 0
Set b = CreateObject("ADODB.Stream")
b.Charset = "iso-8859-1"
b.Open
a.CopyTo b, 5
WScript.Echo "copied 5: [" & StreamBytes(b) & "] rest " & a.ReadText
Set c = CreateObject("ADODB.Stream")
c.Type = 1
c.Open
a.Position = 0
a.CopyTo c
WScript.Echo "binary copy size " & c.Size & " pos " & a.Position

' Errors: ADO's numbers, with ADODB.Stream as the source.
Sub Show(label)
  WScript.Echo label & ": " & Err.Number & " " & Err.Source & " - " & Err.Description
  Err.Clear
End Sub
On Error Resume Next
Set e = CreateObject("ADODB.Stream")
e.WriteText "x"
Show "closed"
x = e.Size
Show "size closed"
e.Open
e.Open
Show "open twice"
e.Write a
Show "write on text"
e.Type = 1
e.WriteText "x"
Show "text on binary"
e.ReadText
Show "readtext on binary"
e.Write "text"
Show "write string"
e.Type = 3
Show "type 3"
e.Type = 2
e.Charset = "no-such-charset"
Show "charset"
e.LineSeparator = 5
Show "separator"
e.WriteText "abc"
e.Type = 1
Show "type after writing"
e.Position = 100
Show "position past end"
e.LoadFromFile tmp & "/missing.txt"
Show "load missing"
e.LoadFromFile tmp
Show "load folder"
WScript.Echo "charset kept: " & e.Charset
e.Close
e.Close
Show "close twice"
e.Foo
Show "no member"

fso.DeleteFolder tmp
