' Execute (current scope), ExecuteGlobal (global scope), Eval (an expression,
' so "=" compares), GetRef (calling a procedure through a reference).
Dim x, y
x = 1
Execute "x = 5"
WScript.Echo x
Execute "x = x * 2 : y = 3"
WScript.Echo x & " " & y
Execute "WScript.Echo ""from execute"""
Execute "Sub Dyn(v)" & vbCrLf & "WScript.Echo ""Dyn "" & v" & vbCrLf & "End Sub"
Dyn "called"
ExecuteGlobal "Function Square(n) : Square = n * n : End Function"
WScript.Echo Square(7)
ExecuteGlobal "Class Dynamic" & vbCrLf & "Public Tag" & vbCrLf & "End Class"
Dim o
Set o = New Dynamic
o.Tag = "dyn"
WScript.Echo TypeName(o) & " " & o.Tag
Sub LocalExec()
    Dim loc
    loc = 1
    Execute "loc = loc + 41"
    WScript.Echo "loc " & loc
End Sub
LocalExec
Sub ExecSeesGlobal()
    Execute "x = 100"
End Sub
ExecSeesGlobal
WScript.Echo "x after sub " & x
Sub DefineGlobal()
    Dim lv
    lv = "local value"
    ExecuteGlobal "gFromSub = ""global value"""
    ExecuteGlobal "gCopy = lv"
End Sub
DefineGlobal
WScript.Echo gFromSub
WScript.Echo "ExecuteGlobal does not see locals: " & IsEmpty(gCopy)
WScript.Echo "-- Eval"
WScript.Echo Eval("1 + 2")
WScript.Echo Eval("2 * 3 + 1")
x = 3
WScript.Echo Eval("x = 5")
WScript.Echo x
WScript.Echo Eval("x = 3")
WScript.Echo TypeName(Eval("x = 3"))
WScript.Echo Eval("""a"" & ""b""")
WScript.Echo TypeName(Eval("1.5"))
WScript.Echo Eval("Square(4)")
WScript.Echo Eval("x * 10") + 1
Function EvalLocal()
    Dim k
    k = 7
    EvalLocal = Eval("k * 2")
End Function
WScript.Echo EvalLocal()
WScript.Echo "-- GetRef"
Function Add(a, b)
    Add = a + b
End Function
Function Twice(n)
    Twice = n * 2
End Function
Sub Shout(s)
    WScript.Echo UCase(s)
End Sub
Function Apply(f, v)
    Apply = f(v)
End Function
Dim fn
Set fn = GetRef("Add")
WScript.Echo fn(2, 3)
Set fn = GetRef("add")
WScript.Echo fn(10, 20)
Set fn = GetRef("Shout")
Call fn("hello")
WScript.Echo Apply(GetRef("Twice"), 21)
Dim handlers
handlers = Array(GetRef("Twice"), GetRef("Square"))
Set fn = handlers(1)
WScript.Echo fn(5) + Apply(handlers(0), 5)
WScript.Echo "-- errors inside Execute"
On Error Resume Next
Execute "z = 1 / 0"
WScript.Echo Err.Number & " " & Err.Description
Err.Clear
Execute "x = 1 2"
WScript.Echo Err.Number & " " & Err.Description
Err.Clear
WScript.Echo "x is still " & x
