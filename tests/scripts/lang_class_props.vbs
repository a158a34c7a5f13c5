' Property Get/Let/Set, properties with arguments, Exit Property, default
' properties and methods in value contexts, Me and method chaining, a class
' keeping a dynamic array.
Class Temperature
    Private mCelsius
    Public Property Get Celsius()
        Celsius = mCelsius
    End Property
    Public Property Let Celsius(v)
        mCelsius = v
    End Property
    Public Property Get Fahrenheit()
        Fahrenheit = mCelsius * 9 / 5 + 32
    End Property
    Public Property Let Fahrenheit(v)
        mCelsius = (v - 32) * 5 / 9
    End Property
End Class
Dim t
Set t = New Temperature
t.Celsius = 100
WScript.Echo t.Fahrenheit
t.Fahrenheit = 32
WScript.Echo t.Celsius
t.Fahrenheit = 212
WScript.Echo t.Celsius

Class Node
    Private mNext
    Public Value
    Private Sub Class_Initialize()
        Set mNext = Nothing
    End Sub
    Public Property Get NextNode()
        Set NextNode = mNext
    End Property
    Public Property Set NextNode(n)
        Set mNext = n
    End Property
End Class
Dim a, b, cur, s
Set a = New Node
a.Value = 1
Set b = New Node
b.Value = 2
Set a.NextNode = b
WScript.Echo a.NextNode.Value
WScript.Echo a.NextNode Is b
WScript.Echo b.NextNode Is Nothing
Set b.NextNode = New Node
b.NextNode.Value = 3
s = ""
Set cur = a
Do Until cur Is Nothing
    s = s & cur.Value
    Set cur = cur.NextNode
Loop
WScript.Echo s

Class Grid
    Private cells(2, 2)
    Public Property Get Cell(r, c)
        Cell = cells(r, c)
    End Property
    Public Property Let Cell(r, c, v)
        cells(r, c) = v
    End Property
End Class
Dim g
Set g = New Grid
g.Cell(1, 2) = "x"
g.Cell(0, 0) = 5
WScript.Echo g.Cell(1, 2) & g.Cell(0, 0) & "[" & g.Cell(2, 2) & "]"

Class Guarded
    Private mValue
    Public Property Get Value()
        Value = "early"
        If IsEmpty(mValue) Then Exit Property
        Value = mValue
    End Property
    Public Property Let Value(v)
        If v < 0 Then Exit Property
        mValue = v
    End Property
End Class
Dim gd
Set gd = New Guarded
WScript.Echo gd.Value
gd.Value = -1
WScript.Echo gd.Value
gd.Value = 7
WScript.Echo gd.Value

WScript.Echo "-- default members"
Class Wrapper
    Private mValue
    Public Default Property Get Value()
        Value = mValue
    End Property
    Public Property Let Value(v)
        mValue = v
    End Property
End Class
Dim w, plain
Set w = New Wrapper
w.Value = 42
plain = w
WScript.Echo plain
WScript.Echo TypeName(plain)
WScript.Echo TypeName(w)
WScript.Echo w + 1
WScript.Echo "v=" & w
WScript.Echo w = 42
Class Adder
    Public Default Function Add(x, y)
        Add = x + y
    End Function
End Class
Dim ad
Set ad = New Adder
WScript.Echo ad(2, 3)
WScript.Echo ad.Add(4, 5)

WScript.Echo "-- Me"
Class Builder
    Private parts
    Private Sub Class_Initialize()
        parts = ""
    End Sub
    Public Function Append(p)
        parts = parts & p
        Set Append = Me
    End Function
    Public Property Get Text()
        Text = parts
    End Property
    Public Function Self()
        Set Self = Me
    End Function
    Public Function Shout()
        Shout = UCase(Me.Text)
    End Function
End Class
Dim bd, tmp
Set bd = New Builder
Set tmp = bd.Append("a").Append("b").Append("c")
WScript.Echo bd.Text
WScript.Echo tmp Is bd
WScript.Echo bd.Self Is bd
WScript.Echo bd.Shout

WScript.Echo "-- array field"
Class Stack
    Private items()
    Private mCount
    Private Sub Class_Initialize()
        mCount = 0
    End Sub
    Public Sub Push(v)
        ReDim Preserve items(mCount)
        items(mCount) = v
        mCount = mCount + 1
    End Sub
    Public Function Pop()
        mCount = mCount - 1
        Pop = items(mCount)
    End Function
    Public Property Get Size()
        Size = mCount
    End Property
    Public Property Get Items2()
        Items2 = items
    End Property
End Class
Dim st
Set st = New Stack
st.Push "x"
st.Push "y"
st.Push "z"
WScript.Echo st.Size
WScript.Echo st.Pop
WScript.Echo st.Pop & " " & st.Size
WScript.Echo Join(st.Items2, ",")
