' class records with validating Property Let, bubble sort, Err.Raise/vbObjectError and runtime error texts
Option Explicit
Class Person
  Private m_name, m_age
  Public Default Property Get Name: Name = m_name: End Property
  Public Property Let Name(v)
    If Len(Trim(v)) = 0 Then Err.Raise vbObjectError + 1001, "Person", "Name must not be empty"
    m_name = Trim(v)
  End Property
  Public Property Get Age: Age = m_age: End Property
  Public Property Let Age(v)
    If Not IsNumeric(v) Then Err.Raise 13
    If v < 0 Then Err.Raise vbObjectError + 1002, "Person.Age", "Age out of range: " & v
    m_age = CInt(v)
  End Property
  Public Function ToString(): ToString = m_name & " (" & m_age & ")": End Function
  Private Sub Class_Initialize: m_age = 0: End Sub
End Class
Function NewPerson(n, a)
  Dim p: Set p = New Person
  p.Name = n: p.Age = a
  Set NewPerson = p
End Function
Dim people(3), i, j, t, p
Set people(0) = NewPerson("Zoe", 31)
Set people(1) = NewPerson("adam", 25)
Set people(2) = NewPerson("Bob", 40)
Set people(3) = NewPerson("carl", "25")
For i = 0 To UBound(people) - 1
  For j = 0 To UBound(people) - 1 - i
    If people(j).Age > people(j + 1).Age Or (people(j).Age = people(j + 1).Age And StrComp(people(j).Name, people(j + 1).Name, vbTextCompare) > 0) Then
      Set t = people(j): Set people(j) = people(j + 1): Set people(j + 1) = t
    End If
  Next
Next
For Each p In people: WScript.Echo p.ToString(), p, "Hi " & p: Next
On Error Resume Next
Set p = New Person
p.Name = "   "
WScript.Echo Err.Number, Hex(Err.Number), Err.Number - vbObjectError, Err.Source, Err.Description
Err.Clear
p.Age = -3
WScript.Echo Err.Number - vbObjectError, Err.Source, Err.Description
Err.Clear
p.Age = "x"
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
Dim x: x = 1 / 0
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
x = CInt("abc")
WScript.Echo Err.Number, Err.Description
Err.Clear
Dim arr(2): arr(5) = 1
WScript.Echo Err.Number, Err.Description
Err.Clear
x = CInt(40000)
WScript.Echo Err.Number, Err.Description
Err.Clear
Err.Raise 1234
WScript.Echo Err.Number, Err.Source, "[" & Err.Description & "]"
Err.Clear
Dim fso: Set fso = CreateObject("Scripting.FileSystemObject")
fso.OpenTextFile "/nonexistent/zz.txt"
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
fso.GetFile "/nonexistent.txt"
WScript.Echo Err.Number, Err.Description
Err.Clear
Dim o: Set o = CreateObject("No.Such")
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
Dim dct: Set dct = CreateObject("Scripting.Dictionary")
dct.Add "a", 1: dct.Add "A", 2: dct.Add "a", 3
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
WScript.Echo dct.Item("zz"), dct.Count
dct.Remove "nothere"
WScript.Echo Err.Number, Err.Description
Err.Clear
x = Nothing
WScript.Echo Err.Number, Err.Description
Err.Clear
On Error GoTo 0
Function Inner(x)
  Inner = 10 / x
  WScript.Echo "inner continues"
End Function
Function Outer(x)
  On Error Resume Next
  Outer = Inner(x)
  WScript.Echo "outer:", Err.Number, Err.Description, "[" & Outer & "]"
End Function
Sub ErrFlow()
  On Error Resume Next
  Outer 0
  Err.Clear
  Err.Raise 53
  WScript.Echo Err.Number, Err.Source, Err.Description
  Err.Raise 5, "Src"
  WScript.Echo Err.Number, Err.Source, Err.Description
  Err.Raise 70, , "Custom"
  WScript.Echo Err.Number, Err.Source, Err.Description, Err.HelpContext, "[" & Err.HelpFile & "]"
  Err.Clear
  WScript.Echo Err.Number, "[" & Err.Source & "]", "[" & Err.Description & "]", Err
  Dim v: v = Array(1, 2)
  v(0) = v(0) + "a"
  WScript.Echo Err.Number, Err.Description
  Err.Clear
  Call Undefined_Sub_Q()
  WScript.Echo Err.Number, Err.Description
  Err.Clear
  If x.y Then WScript.Echo "then-branch runs after a failed condition"
  WScript.Echo "after if", Err.Number
  Err.Clear
End Sub
ErrFlow
WScript.Echo "end", Err.Number
Err.Raise vbObjectError + 513, "MyApp", "Custom failure"
