' Public fields seen from outside: an array field indexed and assigned in
' place, an object field taking o.f(k) = v through its default member.
Class Holder
    Public items, dict, cell, plain
    Private Sub Class_Initialize
        ReDim items(2)
        Set dict = CreateObject("Scripting.Dictionary")
        Set cell = New Cell
        plain = 5
    End Sub
End Class
Class Cell
    Private store
    Public Default Property Get Value(k)
        Value = store & "@" & k
    End Property
    Public Property Let Value(k, v)
        store = k & "=" & v
    End Property
End Class
Class Answer
    Public Default Property Get Text
        Text = "forty-two"
    End Property
End Class

Class Registry
    Private items
    Private Sub Class_Initialize
        Set items = CreateObject("Scripting.Dictionary")
    End Sub
    Public Property Get Dict
        Set Dict = items
    End Property
    Public Property Get Names
        Names = Array("a", "b")
    End Property
End Class

Dim h, reg
Set reg = New Registry
' Only a Property Get: the assignment goes to what it returns.
reg.Dict("x") = 1
reg.Dict.Item("y") = 2
WScript.Echo reg.Dict.Count & " " & reg.Dict("x") & reg.Dict("y")
Set reg.Dict("o") = reg
WScript.Echo TypeName(reg.Dict("o"))
WScript.Echo reg.Names()(1) & reg.Names(0)
Set h = New Holder
h.items(0) = "zero"
h.items(2) = New Answer
WScript.Echo Join(h.items, ",")
h.dict("k") = "v"
h.dict("k") = h.dict("k") & "w"
h.dict.Item("n") = 1
WScript.Echo h.dict.Count & " " & h.dict("k") & " " & h.dict("n")
h.cell(3) = "x"
WScript.Echo h.cell(4)
On Error Resume Next
h.items(3) = 1
WScript.Echo "past the end: " & Err.Number
Err.Clear
Set h.items(1) = 5
WScript.Echo "Set a number: " & Err.Number
Err.Clear
h.nothere(1) = 2
WScript.Echo "no such member: " & Err.Number
Err.Clear
On Error GoTo 0

' An array of arrays in a field: o.f(i)(j) = x changes the field's own
' array, at any depth, from outside, through Me and in With.
Class Nest
    Public arr, grid
    Private Sub Class_Initialize
        arr = Array(Array(1, 2), Array(3, Array(4, 5)))
        ReDim grid(1, 1)
        grid(1, 1) = Array("a", "b")
    End Sub
    Public Sub Inner
        arr(0)(0) = "inner"
        Me.arr(0)(1) = "me"
    End Sub
End Class
Dim nst, copy
Set nst = New Nest
nst.arr(0)(1) = "x"
nst.arr(1)(1)(0) = "deep"
WScript.Echo nst.arr(0)(0) & " " & nst.arr(0)(1) & " " & nst.arr(1)(1)(0) & " " & nst.arr(1)(1)(1)
nst.Inner
WScript.Echo nst.arr(0)(0) & " " & nst.arr(0)(1)
nst.grid(1, 1)(0) = "g"
WScript.Echo nst.grid(1, 1)(0) & nst.grid(1, 1)(1)
copy = nst.arr
nst.arr(1)(0) = "changed"
WScript.Echo copy(1)(0) & " " & nst.arr(1)(0)
h.dict.Add "nest", nst
h.dict("nest").arr(0)(0) = "via dict"
WScript.Echo nst.arr(0)(0)
With nst
    .arr(0)(0) = "with"
End With
WScript.Echo nst.arr(0)(0)
On Error Resume Next
nst.arr(5)(0) = 1
WScript.Echo "outer past the end: " & Err.Number
Err.Clear
nst.arr(0)(9) = 1
WScript.Echo "inner past the end: " & Err.Number
Err.Clear
Set h.cell = Nothing
h.cell(1) = 2
WScript.Echo "assign through a field holding Nothing: " & Err.Number
Err.Clear
x = h.cell(1)
WScript.Echo "read through a field holding Nothing: " & Err.Number
