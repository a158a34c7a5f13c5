' Error-handling demos: On Error Resume Next around failing statements, the
' number, description and source each runtime error leaves in Err, Err.Raise
' with and without its optional parts, errors crossing a procedure boundary,
' and Err cleared by On Error GoTo 0.
Dim x, arr(3), o, d, errs, i

Sub Report(label)
  WScript.Echo label & ": " & Err.Number & " " & Err.Description
  Err.Clear
End Sub

On Error Resume Next
x = 1 / 0 : Report "divide"
x = 10 Mod 0 : Report "mod"
x = 10 \ 0 : Report "int divide"
x = CInt("abc") : Report "CInt text"
x = CInt(40000) : Report "CInt big"
x = CLng("99999999999") : Report "CLng big"
x = CByte(-1) : Report "CByte"
arr(5) = 1 : Report "index"
x = Array(1, 2)(2) : Report "literal index"
Set o = Nothing : o.Foo : Report "Nothing"
Set o = CreateObject("No.Such.Thing") : Report "CreateObject"
x = "a" + 1 : Report "text plus"
x = Sqr(-1) : Report "Sqr"
x = Log(0) : Report "Log"
x = 2 ^ 2000 : Report "power"
x = Exp(1000) : Report "Exp"
x = Mid("abc", 0) : Report "Mid 0"
x = Left("abc", -1) : Report "Left"
x = Space(-1) : Report "Space"
x = Chr(300) : Report "Chr"
x = Asc("") : Report "Asc"
x = MonthName(13) : Report "MonthName"
x = DateSerial(10000, 1, 1) : Report "DateSerial"
x = CDate("not a date") : Report "CDate"
x = UBound(5) : Report "UBound"
x = Len(Null) : Report "Len Null"
x = Abs("x") : Report "Abs"
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", 1 : d.Add "k", 2 : Report "dup key"
x = d + 1 : Report "object plus"
x = UndefinedFunc(1) : Report "undefined"

Err.Raise 1000 : WScript.Echo Err.Number, Err.Description, Err.Source : Err.Clear
Err.Raise 13 : WScript.Echo Err.Number, Err.Description, Err.Source : Err.Clear
Err.Raise 53, "MyScript" : WScript.Echo Err.Number, Err.Description, Err.Source : Err.Clear
Err.Raise 9999, , "custom text" : WScript.Echo Err.Number, Err.Description, "[" & Err.Source & "]" : Err.Clear
Err.Raise vbObjectError + 513, "Mine", "Boom" : WScript.Echo Err.Number, Hex(Err.Number), Err.Description : Err.Clear
Err.Raise 0 : Report "raise 0"

Function Risky(n)
  Risky = 10 / n
End Function
Function Safe(n)
  On Error Resume Next
  Safe = 10 / n
  If Err.Number <> 0 Then Safe = "n/a (" & Err.Description & ")"
End Function
x = "kept" : x = Risky(0) : WScript.Echo "after Risky: " & Err.Number & " x=[" & x & "]" : Err.Clear
WScript.Echo Safe(4), Safe(0)
Err.Clear

errs = 0
For Each x In Array("12", "abc", "3.5", "", "1e3", Null)
  i = CDbl(x)
  If Err.Number <> 0 Then
    errs = errs + 1
    WScript.Echo "skip [" & x & "]: " & Err.Description
    Err.Clear
  Else
    WScript.Echo "ok " & i
  End If
Next
WScript.Echo errs & " bad values"

x = 1 / 0
On Error GoTo 0
WScript.Echo "after GoTo 0: " & Err.Number
Err.Raise 6
WScript.Echo "not reached"
