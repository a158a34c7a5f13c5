' Declaration and simple statements in the forms scripts write them.
Option Explicit
Dim a, b(3), c(), i
Private p1 : Public p2
Const K1 = 1, K2 = "x", K3 = -2.5, K4 = &HFF, K5 = True
Private Const PK = "private"
Public Const UK = "public"
WScript.Echo K1 & K2 & K3 & K4 & K5 & " " & PK & " " & UK
ReDim c(1)
c(1) = "kept"
ReDim Preserve c(2), a(4)
WScript.Echo UBound(c) & " " & c(1) & " " & UBound(a)
b(1) = 5
Erase b, c
WScript.Echo "erased: " & IsEmpty(b(1)) & " " & UBound(b)
Randomize
Randomize Timer
Randomize 5
Stop
WScript.Echo "Stop does nothing without a debugger"
Class Box
  Private items(3)
  Public Property Get Item(i) : Item = items(i) : End Property
  Public Property Let Item(i, v) : items(i) = v : End Property
  Public Property Get First()
    If IsEmpty(items(0)) Then First = "(none)" : Exit Property
    First = items(0)
  End Property
  Public Sub Fill(v) : items(0) = v : End Sub
End Class
Sub Hello : WScript.Echo "Hello" : End Sub
Dim bx : Set bx = New Box
WScript.Echo bx.First
Call bx.Fill("one")
bx.Item(2) = "two"
WScript.Echo bx.First & " " & bx.Item(2)
Call Hello
Call Hello()
Set bx = Nothing
WScript.Echo TypeName(bx)
