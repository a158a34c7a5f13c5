' Classes: fields, methods, properties, Public/Private members,
' Class_Initialize and Class_Terminate (run when the last reference goes),
' object identity, TypeName, case-insensitive member names.
Class Counter
    Private mCount
    Public Name

    Private Sub Class_Initialize()
        mCount = 0
        Name = "unnamed"
        WScript.Echo "Initialize"
    End Sub

    Private Sub Class_Terminate()
        WScript.Echo "Terminate " & Name
    End Sub

    Public Sub Increment()
        mCount = mCount + 1
    End Sub

    Public Function Value()
        Value = mCount
    End Function

    Public Property Get Count()
        Count = mCount
    End Property

    Public Property Let Count(v)
        mCount = v
    End Property

    Function Describe()
        Describe = Name & "=" & mCount
    End Function

    Private Function Secret()
        Secret = "secret"
    End Function

    Public Function CallSecret()
        CallSecret = Secret() & " via " & Me.Name
    End Function
End Class

Class Plain
    Public Field
    Public Other
End Class

Dim c, c2
Set c = New Counter
WScript.Echo TypeName(c)
WScript.Echo VarType(c)
WScript.Echo IsObject(c)
WScript.Echo c.Name
c.Name = "alpha"
c.Increment
c.Increment
WScript.Echo c.Value
WScript.Echo c.Count
c.Count = 10
WScript.Echo c.Value()
WScript.Echo c.Describe
WScript.Echo c.CallSecret
Set c2 = c
c2.Increment
WScript.Echo c.Count
WScript.Echo c Is c2
Set c = Nothing
WScript.Echo "c released"
WScript.Echo c2.Describe()
Set c2 = Nothing
WScript.Echo "c2 released"

Sub UseLocal()
    Dim t
    Set t = New Counter
    t.Name = "local"
    WScript.Echo "in sub"
End Sub
UseLocal
WScript.Echo "after sub"

Dim r
Set r = New Counter
r.Name = "first"
Set r = New Counter
r.Name = "second"
Set r = Nothing
WScript.Echo "reassigned"

Set r = New Counter
r.NAME = "upper"
WScript.Echo r.name
r.INCREMENT
WScript.Echo r.COUNT
Set r = Nothing

Dim arr(1)
Set arr(0) = New Counter
arr(0).Name = "in array"
arr(0).Increment
WScript.Echo arr(0).Describe
Set arr(0) = Nothing
WScript.Echo "array slot released"

Function MakeCounter(label)
    Dim t
    Set t = New Counter
    t.Name = label
    Set MakeCounter = t
End Function
Set r = MakeCounter("returned")
WScript.Echo "got " & r.Name
Set r = Nothing

Dim p1, p2
Set p1 = New Plain
Set p2 = New Plain
WScript.Echo TypeName(p1) & " " & IsEmpty(p1.Field)
p1.Field = "one"
p2.Field = "two"
WScript.Echo p1.Field & " " & p2.Field
WScript.Echo p1 Is p2
Sub Modify(ByVal obj)
    obj.Other = "changed through ByVal reference"
End Sub
Modify p1
WScript.Echo p1.Other
Set p1.Other = p2
WScript.Echo p1.Other.Field
WScript.Echo TypeName(p1.Other)
