' Names a procedure uses without declaring them: an assigned one is the
' procedure's local from then on (also with parentheses); Dim anywhere in a
' procedure declares for the whole of it; unknown names fail as Windows does.
Function Second(s)
    parts = Split(s, ",")
    Second = parts(1)
End Function
WScript.Echo "Split then index: " & Second("x,y,z")
Function Grow(n)
    ReDim t(n)
    t(n) = "last"
    Grow = t(n) & " " & UBound(t)
End Function
WScript.Echo "ReDim then index: " & Grow(3)
Function Lookup(k)
    Set d = CreateObject("Scripting.Dictionary")
    d("a") = 1
    d.Add "b", 2
    Lookup = d(k) + d("a")
End Function
WScript.Echo "Set then default member: " & Lookup("b")
Sub ReadBeforeAssignInLoop()
    For i = 0 To 2
        If i > 0 Then WScript.Echo "  earlier pass assigned: " & arr(i - 1)
        arr = Array("p", "q", "r")
    Next
End Sub
ReadBeforeAssignInLoop
Function Fresh()
    Fresh = IsEmpty(v)
    v = 1
End Function
WScript.Echo "each call starts without it: " & Fresh() & " " & Fresh()
Sub MakesLocal()
    onlyHere = 5
End Sub
MakesLocal
WScript.Echo "not a global: " & IsEmpty(onlyHere)
Sub SetsExistingGlobal()
    knownGlobal = "changed"
End Sub
knownGlobal = "start"
SetsExistingGlobal
WScript.Echo "an existing global is assigned: " & knownGlobal
Sub UsesLater()
    WScript.Echo "a global made later is seen: " & laterGlobal & " " & LaterFunc(2)
End Sub
ExecuteGlobal "laterGlobal = 42 : Function LaterFunc(n) : LaterFunc = n * 10 : End Function"
UsesLater
Sub LocalFirst()
    shadow = "local"
    ExecuteGlobal "shadow = ""global"""
    WScript.Echo "the local made first wins: " & shadow
End Sub
LocalFirst
WScript.Echo "and the global exists: " & shadow
Sub LeavesLocal() : leftover = 1 : End Sub
Sub ReadsLater() : WScript.Echo "a new call does not inherit a live local: " & laterMade : End Sub
LeavesLocal
ExecuteGlobal "laterMade = ""global"""
ReadsLater
Function Depth(n)
    mine = n
    If n > 0 Then Depth = Depth(n - 1)
    Depth = Depth & mine
End Function
WScript.Echo "each recursion level has its own: " & Depth(3)
Sub FillIt(x)
    x = "filled"
End Sub
Sub PassUnassigned()
    FillIt target
    WScript.Echo "ByRef makes the local: " & target
End Sub
PassUnassigned

WScript.Echo "-- Dim declares for the whole procedure"
Dim x : x = "global"
Sub AssignThenDim
    x = "local"
    Dim x
End Sub
AssignThenDim
WScript.Echo "after AssignThenDim: " & x
Sub DimInDeadBranch
    If False Then Dim x
    x = "local"
End Sub
DimInDeadBranch
WScript.Echo "after DimInDeadBranch: " & x
Function DimInLoop()
    For i = 1 To 3
        Dim fixed(2)
        fixed(i - 1) = i
    Next
    DimInLoop = Join(fixed, ",")
End Function
WScript.Echo "Dim in a loop keeps one array: " & DimInLoop()
Function UseBeforeDim()
    early(1) = "set before the Dim line"
    Dim early(2)
    UseBeforeDim = early(1) & " " & UBound(early)
End Function
WScript.Echo UseBeforeDim()
For k = 1 To 2
    Dim topFixed(1)
    topFixed(k - 1) = k
Next
WScript.Echo "top-level Dim in a loop: " & Join(topFixed, ",")

WScript.Echo "-- unknown names"
On Error Resume Next
NoSuchSub 1
WScript.Echo "statement: " & Err.Number & " " & Err.Description
Err.Clear
Call NoSuchSub(2)
WScript.Echo "Call: " & Err.Number
Err.Clear
y = NoSuchFunc(1)
WScript.Echo "in an expression: " & Err.Number & " " & Err.Description
Err.Clear
Sub InProc()
    On Error Resume Next
    y = Missing(2)
    WScript.Echo "in a procedure, expression: " & Err.Number
    Err.Clear
    Missing 3
    WScript.Echo "in a procedure, statement: " & Err.Number
End Sub
InProc
On Error GoTo 0
Sub Unknown()
    WScript.Echo "reading an unknown name: [" & unknownName & "]"
    stillUnknown 1
End Sub
Unknown
WScript.Echo "not reached"
