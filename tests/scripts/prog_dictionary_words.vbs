' Scripting.Dictionary in the usual roles: grouping anagrams, counting words
' and letters (an absent key reads as Empty and Empty + 1 is 1), text-compare
' keys, a dictionary of dictionaries, renaming and removing keys, and keys
' sorted by count then by name.
Dim d, wf, cc, db, p, w, k, ch, i, j, t, keys, text, it

Function SortLetters(w)
  Dim ch(), i, j, t
  ReDim ch(Len(w) - 1)
  For i = 1 To Len(w) : ch(i - 1) = Mid(w, i, 1) : Next
  For i = 0 To UBound(ch) - 1
    For j = i + 1 To UBound(ch)
      If ch(j) < ch(i) Then t = ch(i) : ch(i) = ch(j) : ch(j) = t
    Next
  Next
  SortLetters = Join(ch, "")
End Function
Set d = CreateObject("Scripting.Dictionary")
For Each w In Split("listen silent enlist google elgoog inlets banana tinsel")
  k = SortLetters(w)
  If d.Exists(k) Then d(k) = d(k) & "," & w Else d.Add k, w
Next
For Each k In d.Keys : WScript.Echo k & ": " & d(k) : Next
WScript.Echo d.Count, TypeName(d.Keys), TypeName(d), VarType(d.Items), UBound(d.Items)

text = "The quick brown fox jumps over the lazy dog. THE fox!"
Set wf = CreateObject("Scripting.Dictionary")
wf.CompareMode = vbTextCompare
For Each w In Split(Replace(Replace(text, ".", ""), "!", ""), " ")
  wf(w) = wf(w) + 1
Next
For Each w In wf
  WScript.Echo Left(w & Space(8), 8) & Right(Space(3) & wf(w), 3) & "  " & TypeName(wf(w))
Next
WScript.Echo wf.Exists("FOX"), wf.Exists("cat"), wf.Count, "[" & wf("cat") & "]", wf.Count, wf.Exists("cat")

Set cc = CreateObject("Scripting.Dictionary")
For i = 1 To Len("mississippi")
  ch = Mid("mississippi", i, 1)
  cc(ch) = cc(ch) + 1
Next
keys = cc.Keys
For i = 0 To UBound(keys) - 1
  For j = i + 1 To UBound(keys)
    If cc(keys(j)) > cc(keys(i)) Or (cc(keys(j)) = cc(keys(i)) And keys(j) < keys(i)) Then t = keys(i) : keys(i) = keys(j) : keys(j) = t
  Next
Next
For Each k In keys : WScript.Echo k, cc(k), String(cc(k), "#") : Next

Set db = CreateObject("Scripting.Dictionary")
Set db("alice") = CreateObject("Scripting.Dictionary")
db("alice")("age") = 30
db("alice")("city") = "Oslo"
Set p = CreateObject("Scripting.Dictionary")
p.Add "age", 25 : p.Add "city", "Lima"
db.Add "bob", p
For Each k In db.Keys
  WScript.Echo k & ": age " & db(k)("age") & ", city " & db(k).Item("city")
Next
it = db.Items
WScript.Echo TypeName(it(0)), it(1)("city"), db.Exists("carol"), db.Count
p("age") = 26
WScript.Echo db("bob")("age")
db.Key("bob") = "robert"
WScript.Echo Join(db.Keys, ","), db("robert")("city")
db.Remove "alice"
WScript.Echo db.Count
db.RemoveAll
WScript.Echo db.Count

' numbers and strings are different keys; text compare folds case only
Set d = CreateObject("Scripting.Dictionary")
d.Add 1, "one" : d.Add "1", "string one" : d.Add 1.5, "one and a half"
WScript.Echo d.Count, d(1), d("1"), d(1.5), d.Exists(CLng(1)), d.Exists("01")
On Error Resume Next
d.Add 1, "again"
WScript.Echo Err.Number, Err.Description
Err.Clear
d.Remove "nope"
WScript.Echo Err.Number, Err.Description
