' Me outside a class is the script's global object: its members are the
' script's global variables and procedures.
Dim Enabled, counter, list(2)
Const Limit = 5
Enabled = True
counter = 0
Sub Bump(n) : counter = counter + n : End Sub
Function Double(v) : Double = v * 2 : End Function
Sub Init(table) : table.Enabled = False : table.Bump 3 : End Sub

WScript.Echo "IsObject(Me): " & IsObject(Me)
Me.Enabled = False
WScript.Echo "Me.Enabled = False: " & Enabled
Init Me
WScript.Echo "passed to a Sub: " & counter
Me.Bump 2
WScript.Echo "Me.Bump 2: " & counter
WScript.Echo "Me.Double(4): " & Me.Double(4)
Me.list(1) = "one"
WScript.Echo "Me.list(1): " & Me.list(1) & " " & list(1)
Sub Toggle() : Me.Enabled = Not Me.Enabled : End Sub
Toggle
WScript.Echo "inside a global Sub: " & Enabled
Dim g : Set g = Me
WScript.Echo "the same object: " & (g Is Me)
Class Box
  Public v
  Function Who() : Who = TypeName(Me) : End Function
End Class
Dim b : Set b = New Box
WScript.Echo "inside a class Me is still the instance: " & b.Who()
On Error Resume Next
Me.Limit = 6
WScript.Echo "assigning a constant: " & Err.Number
Err.Clear
Me.Missing = 1
WScript.Echo "unknown member: " & Err.Number
Err.Clear
Me.Double = 1
WScript.Echo "assigning a procedure: " & Err.Number
