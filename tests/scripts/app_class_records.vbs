' record list class with a parameterised default property, sort by field, GetRef/Eval/Execute
Option Explicit
Class RecordList
  Private items(), cnt
  Private Sub Class_Initialize(): cnt = 0: ReDim items(1): End Sub
  Private Sub Class_Terminate(): WScript.Echo "RecordList gone, had", cnt: End Sub
  Public Sub Add(r)
    If cnt > UBound(items) Then ReDim Preserve items(cnt * 2 + 1)
    Set items(cnt) = r: cnt = cnt + 1
  End Sub
  Public Default Property Get Item(i)
    If i < 0 Or i >= cnt Then Err.Raise 9, "RecordList", "Index " & i & " out of range"
    Set Item = items(i)
  End Property
  Public Property Get Count: Count = cnt: End Property
  Public Sub SortBy(field, desc)
    Dim i, j, t, a, b, swap
    For i = 0 To cnt - 2
      For j = 0 To cnt - 2 - i
        a = items(j).Field(field): b = items(j + 1).Field(field)
        If desc Then swap = a < b Else swap = a > b
        If swap Then Set t = items(j): Set items(j) = items(j + 1): Set items(j + 1) = t
      Next
    Next
  End Sub
End Class
Class Rec
  Private f
  Private Sub Class_Initialize: Set f = CreateObject("Scripting.Dictionary"): f.CompareMode = 1: End Sub
  Public Property Get Field(n): Field = f(n): End Property
  Public Property Let Field(n, v): f(n) = v: End Property
  Public Function Describe: Describe = f("name") & ":" & f("score"): End Function
End Class
Function MakeRec(n, s)
  Set MakeRec = New Rec
  MakeRec.Field("Name") = n
  MakeRec.Field("SCORE") = s
End Function
Dim list, i
Set list = New RecordList
list.Add MakeRec("delta", 72)
list.Add MakeRec("alpha", 91.5)
list.Add MakeRec("Charlie", 72)
list.Add MakeRec("bravo", 8)
list.SortBy "score", True
For i = 0 To list.Count - 1: WScript.Echo i, list(i).Describe, list.Item(i).Field("name"): Next
list.SortBy "name", False
For i = 0 To list.Count - 1: WScript.Echo i, list(i).Describe: Next
WScript.Echo TypeName(list), TypeName(list(0)), IsObject(list(1)), VarType(list)
On Error Resume Next
WScript.Echo list(10).Describe
WScript.Echo "err:", Err.Number, Err.Source, Err.Description
Err.Clear
Dim x: x = list
WScript.Echo "noset:", Err.Number, Err.Description
Err.Clear
On Error GoTo 0
Set list = Nothing
WScript.Echo "after"
Dim g: Set g = GetRef("MakeRec")
WScript.Echo g("z", 1).Describe, TypeName(g)
WScript.Echo Eval("1 + 2 * 3"), Eval("""a"" & ""b"""), Escape("a b&c/é"), Unescape("%41%u0042")
Execute "Dim zz: zz = 5: WScript.Echo zz * 2"
