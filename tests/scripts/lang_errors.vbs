' Run-time error numbers of the language core, trapped one after another.
' Errors whose report may name the faulty member are checked by number only.
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
Sub ReportNumber(label)
    WScript.Echo label & ": " & Err.Number
    Err.Clear
End Sub
Class Thing
    Public Field
    Private mHidden
    Public Sub OneArg(a)
        Field = a
    End Sub
    Public Function NoArgs()
        NoArgs = "ok"
    End Function
End Class
Sub TwoArgs(a, b)
End Sub
Function OneArgFunc(a)
    OneArgFunc = a
End Function
Sub LoopOverNumber()
    Dim v
    For Each v In 5
        WScript.Echo "wrong: loop body"
    Next
End Sub

On Error Resume Next
Dim r, a(2), o, fixed(3)
r = 1 / 0 : Report "1 / 0"
r = 7 Mod 0 : Report "7 Mod 0"
r = CInt(40000) : Report "CInt(40000)"
r = CByte(-1) : Report "CByte(-1)"
r = a(3) : Report "a(3)"
a(-1) = 1 : Report "a(-1) = 1"
r = "abc" + 1 : Report "abc + 1"
r = CLng("12x") : Report "CLng(12x)"
If "text" Then r = 1
Report "If text"
r = Mid("abc", 0) : Report "Mid(abc, 0)"
r = Left("abc", -1) : Report "Left(abc, -1)"
r = Space(-1) : Report "Space(-1)"
r = CInt(Null) : Report "CInt(Null)"
ReDim fixed(5) : Report "ReDim fixed(5)"
LoopOverNumber : Report "For Each over 5"
r = o.Field : ReportNumber "Empty.Field"
Set o = Nothing
r = o.Field : Report "Nothing.Field"
o.Field = 1 : Report "Nothing.Field = 1"
Set o = 5 : ReportNumber "Set o = 5"
Set o = New Thing
r = o.Missing : ReportNumber "o.Missing"
o.Missing = 1 : ReportNumber "o.Missing = 1"
o.Missing2 1 : ReportNumber "o.Missing2 1"
r = o.mHidden : ReportNumber "o.mHidden (private)"
o.OneArg 1, 2 : ReportNumber "o.OneArg 1, 2"
o.OneArg : ReportNumber "o.OneArg"
r = o.NoArgs(1) : ReportNumber "o.NoArgs(1)"
TwoArgs 1 : ReportNumber "TwoArgs 1"
r = OneArgFunc(1, 2) : ReportNumber "OneArgFunc(1, 2)"
r = 5
r.Field = 1 : ReportNumber "Integer.Field = 1"
r = "still running"
WScript.Echo r & ", last error " & Err.Number
WScript.Echo o.NoArgs & " [" & o.Field & "]"
