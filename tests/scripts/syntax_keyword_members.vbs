' Reserved words name members after a dot and inside With; in brackets they
' name a class's own members and variables.
Class Gadget
  Public [Type], [Step], [End], [To], [Each]
  Public Sub [Stop]() : WScript.Echo "Stop called" : End Sub
  Public Function [Select](n) : [Select] = "Select " & n : End Function
  Public Property Get [Property]() : [Property] = "prop" : End Property
  Public Property Get [Error]() : [Error] = "err" : End Property
  Public Sub [New](a, b) : WScript.Echo "New " & a & b : End Sub
End Class
Dim g : Set g = New Gadget
g.Type = "t" : g.Step = 2 : g.End = "e" : g.To = 4 : g.Each = 5
WScript.Echo g.Type & g.Step & g.End & g.To & g.Each
g.Stop
Call g.Stop()
WScript.Echo g.Select(3), g.Property, g.Error
g.New 1, 2
With g
  .Stop
  .Type = "w"
  WScript.Echo .Type, .Select(.Step), .End
  .New .To, .Each
End With
Dim [my var] : [my var] = 7 : WScript.Echo [my var] + 1
