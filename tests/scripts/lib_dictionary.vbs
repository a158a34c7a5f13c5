' Scripting.Dictionary: Add, Item (reading and assigning), Keys and Items in
' insertion order, For Each over keys, Exists, Key, Remove, RemoveAll,
' CompareMode, object items, a word count, and the error numbers.
Dim d, k, a, words, w
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo TypeName(d) & " " & d.Count & " " & UBound(d.Keys) & " " & d.CompareMode
d.Add "b", 2
d.Add "a", 1
d("c") = 3
d.Item("b") = 20
WScript.Echo d.Count & " " & d("a") & " " & d.Item("b") & " " & d("c")
For Each k In d
    WScript.Echo k & "=" & d(k)
Next
a = d.Keys
WScript.Echo Join(a, ",") & " " & UBound(a) & " " & Join(d.Items, ",")
WScript.Echo d.Exists("a") & " " & d.Exists("A") & " " & d.Exists("z")
WScript.Echo IsEmpty(d("z")) & " " & d.Count & " " & d.Exists("z")
d.Key("z") = "y"
WScript.Echo d.Exists("z") & " " & d.Exists("y") & " " & Join(d.Keys, ",")
d.Remove "y"
WScript.Echo d.Count & " " & Join(d.Keys, ",")
d.Remove "b"
d.Add "b", "again"
WScript.Echo Join(d.Keys, ",") & " " & Join(d.Items, ",")
d.RemoveAll
WScript.Echo d.Count & " " & UBound(d.Items)
WScript.Echo "-- keys of other subtypes"
d.Add 1, "one"
d.Add "1", "string one"
WScript.Echo d.Count & " " & d(1) & " " & d("1")
Set d(2) = New RegExp
d(2).Pattern = "x+"
WScript.Echo TypeName(d(2)) & " " & d(2).Pattern & " " & d.Item(2).Test("axxb")
WScript.Echo "-- text compare"
Dim t
Set t = CreateObject("Scripting.Dictionary")
t.CompareMode = vbTextCompare
t.Add "Key", 1
WScript.Echo t.CompareMode & " " & t.Exists("KEY") & " " & t("kEy")
t("KEY") = 5
WScript.Echo t.Count & " " & Join(t.Keys, ",") & " " & t("key")
WScript.Echo "-- word count"
Set d = CreateObject("Scripting.Dictionary")
words = Split("the cat and the hat and the bat", " ")
For Each w In words
    d(w) = d(w) + 1
Next
For Each k In d.Keys
    WScript.Echo k & " " & d(k)
Next
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
d.Add "the", 0 : Report "Add duplicate"
WScript.Echo d("the")
d.Remove "nothing" : Report "Remove missing"
d.Key("nothing") = "x" : Report "Key of missing"
d.Key("cat") = "hat" : Report "Key to existing"
d.CompareMode = vbTextCompare : Report "CompareMode when not empty"
t.Add "kEY", 2 : Report "Add duplicate without case"
WScript.Echo d.Count & " " & t.Count
