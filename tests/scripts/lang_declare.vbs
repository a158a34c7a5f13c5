' Declarations and scope: Dim, Const, Public and Private at script level,
' locals shadowing globals, implicit locals, procedures usable before their
' definition.
Const PI = 3.14159
Const GREETING = "Hello", COUNT = 3
Const NEG = -5
Const BIG = 100000
Private Const PRIV = "p"
Public Const PUB = "q"
WScript.Echo PI
WScript.Echo GREETING & " " & COUNT
WScript.Echo NEG
WScript.Echo PRIV & PUB
WScript.Echo TypeName(COUNT) & " " & TypeName(BIG) & " " & TypeName(PI) & " " & TypeName(GREETING)
WScript.Echo COUNT * 2
Public g1
Private g2
Dim g3, g4
g1 = 1 : g2 = 2 : g3 = 3
WScript.Echo g1 + g2 + g3
WScript.Echo IsEmpty(g4)
Dim aa(1), bb(2)
WScript.Echo UBound(aa) & " " & UBound(bb)
WScript.Echo "-- scope"
Dim shared
shared = "global"
Sub ShowShared()
    WScript.Echo "sees " & shared
End Sub
Sub Shadow()
    Dim shared
    shared = "local"
    WScript.Echo "shadow " & shared
End Sub
Sub SetGlobal()
    shared = "set in sub"
End Sub
Sub MakeImplicit()
    implicitVar = 5
    WScript.Echo "implicit inside " & implicitVar
End Sub
Function Counter()
    Dim n
    n = n + 1
    Counter = n
End Function
Sub UsesConst()
    Const LOCALC = 7
    WScript.Echo "local const " & LOCALC * 2
End Sub
ShowShared
Shadow
WScript.Echo "after shadow " & shared
SetGlobal
WScript.Echo "after set " & shared
MakeImplicit
WScript.Echo "implicit outside empty: " & IsEmpty(implicitVar)
WScript.Echo "counter " & Counter() & Counter()
UsesConst
CalledBeforeDefinition
WScript.Echo PubSub() & " / " & PrivFunc()

Sub CalledBeforeDefinition()
    WScript.Echo "defined later in the file"
End Sub
Public Function PubSub()
    PubSub = "public function"
End Function
Private Function PrivFunc()
    PrivFunc = "private function"
End Function
