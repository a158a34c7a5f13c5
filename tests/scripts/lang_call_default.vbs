' Calling what a variable holds: a GetRef or an object's default member,
' named alone as a statement or after a spaced "(" in an argument list.
Sub Hello
    WScript.Echo "hello called"
End Sub
Function Twice(x)
    Twice = x * 2
End Function
Class Cell
    Public Default Function Item(i)
        Item = "item" & i
    End Function
End Class
Class Runner
    Public Default Sub Go
        WScript.Echo "runner went"
    End Sub
End Class
Class Plain
    Public x
End Class

Dim fn, tw, c, r, n
Set fn = GetRef("Hello")
fn
Call fn
fn()
Set tw = GetRef("Twice")
WScript.Echo tw(21)
Sub InProc
    Dim local
    Set local = GetRef("Hello")
    local
End Sub
InProc
Set undeclaredFn = GetRef("Hello")
undeclaredFn
Set r = New Runner
r
' A plain value named alone does nothing.
n = 5
n
Call n
WScript.Echo "n still " & n

Set c = New Cell
WScript.Echo (New Cell)(5)
WScript.Echo (c)(6)
WScript.Echo "a", (New Cell)(7)
WScript.Echo ((New Cell)(8))
WScript.Echo (c)(1) & (c)(2)
WScript.Echo (1) + 2

On Error Resume Next
WScript.Echo (New Plain)(1)
WScript.Echo "no default function: " & Err.Number
