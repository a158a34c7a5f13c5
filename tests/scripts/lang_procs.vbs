' Sub and Function: ByRef by default, ByVal, parenthesised arguments passed
' by value, Call, return values, recursion, aliasing, calls without
' parentheses.
Sub Inc(x)
    x = x + 1
End Sub
Sub IncVal(ByVal x)
    x = x + 1
End Sub
Sub IncRef(ByRef x)
    x = x + 1
End Sub
Dim n
n = 1 : Inc n : WScript.Echo "Inc n: " & n
n = 1 : IncVal n : WScript.Echo "IncVal n: " & n
n = 1 : IncRef n : WScript.Echo "IncRef n: " & n
n = 1 : Call Inc(n) : WScript.Echo "Call Inc(n): " & n
n = 1 : Call Inc((n)) : WScript.Echo "Call Inc((n)): " & n
n = 1 : Inc (n) : WScript.Echo "Inc (n): " & n
n = 1 : Inc(n) : WScript.Echo "Inc(n): " & n
n = 1 : Inc n + 0 : WScript.Echo "Inc n + 0: " & n
n = 1 : Call IncRef(n) : WScript.Echo "Call IncRef(n): " & n
Inc 5
WScript.Echo "literal argument is fine"
WScript.Echo "-- functions"
Function Add(a, b)
    Add = a + b
End Function
Function Twice(x)
    x = x * 2
    Twice = x
End Function
Function NoReturn()
End Function
Function Answer()
    Answer = 42
End Function
WScript.Echo Add(2, 3)
WScript.Echo Add(Add(1, 2), Add(3, 4))
Dim r
n = 4
r = Twice(n)
WScript.Echo r & " " & n
n = 4
r = Twice((n))
WScript.Echo r & " " & n
WScript.Echo IsEmpty(NoReturn())
WScript.Echo Answer
WScript.Echo Answer() + 1
r = Answer
WScript.Echo r
Add 1, 2
Call Add(1, 2)
WScript.Echo "results discarded"
Function Fact(k)
    If k <= 1 Then
        Fact = 1
    Else
        Fact = k * Fact(k - 1)
    End If
End Function
WScript.Echo Fact(10)
Function Fib(k)
    If k < 2 Then Fib = k Else Fib = Fib(k - 1) + Fib(k - 2)
End Function
WScript.Echo Fib(15)
Function Depth(k)
    Dim mine
    mine = k
    If k > 0 Then Depth = Depth(k - 1)
    Depth = Depth & mine
End Function
WScript.Echo Depth(4)
WScript.Echo "-- ByRef details"
Sub Swap(a, b)
    Dim t
    t = a : a = b : b = t
End Sub
Dim p, q
p = "first" : q = "second"
Swap p, q
WScript.Echo p & " " & q
Dim g
g = 1
Sub Alias(x)
    x = 5
    WScript.Echo "global through alias: " & g
End Sub
Alias g
WScript.Echo "g = " & g
Sub Mixed(ByVal a, ByRef b)
    a = a & "!"
    b = b & "!"
End Sub
p = "p" : q = "q"
Mixed p, q
WScript.Echo p & " " & q
Sub Hello()
    WScript.Echo "hello"
End Sub
Hello
Call Hello
Call Hello()
Sub Greet(who, greeting)
    WScript.Echo greeting & ", " & who
End Sub
Greet "world", "Hi"
Call Greet("there", "Hello")
