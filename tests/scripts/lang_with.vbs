' With blocks: member access with a leading dot, nesting, the object
' expression evaluated once, the block keeps its object when the variable
' changes, method calls inside With.
Class Address
    Public City, Zip
End Class
Class Person
    Public Name, Age, Home
    Public Function Describe(prefix)
        Describe = prefix & Name & " (" & Age & ")"
    End Function
    Public Sub Birthday()
        Age = Age + 1
    End Sub
End Class
Dim p
Set p = New Person
Set p.Home = New Address
With p
    .Name = "Ann"
    .Age = 30
    With .Home
        .City = "Oslo"
        .Zip = "0150"
        WScript.Echo .City & " " & .Zip
    End With
    WScript.Echo .Name & " " & .Age
    .Age = .Age + 1
    .Birthday
    WScript.Echo .Describe("Person: ")
End With
WScript.Echo p.Name & " " & p.Age & " " & p.Home.City
Function GetP()
    WScript.Echo "GetP called"
    Set GetP = p
End Function
With GetP()
    WScript.Echo .Name
    WScript.Echo .Home.Zip
End With
Dim q
Set q = New Person
q.Name = "first"
With q
    Set q = New Person
    q.Name = "second"
    WScript.Echo .Name
End With
WScript.Echo q.Name
Sub Fill(target, nm)
    With target
        .Name = nm
        .Age = Len(nm)
    End With
End Sub
Fill q, "Bartholomew"
WScript.Echo q.Describe("")
Dim people(1), i
Set people(0) = New Person
Set people(1) = New Person
For i = 0 To 1
    With people(i)
        .Name = "P" & i
        .Age = i * 10
    End With
Next
WScript.Echo people(0).Describe("") & ", " & people(1).Describe("")
