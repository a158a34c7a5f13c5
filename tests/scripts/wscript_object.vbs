' The WScript object: its name (the default member), facts of the host and
' the script, Echo's forms, the time limit, and creating and getting
' objects, with the errors the host itself raises.
Dim o, x
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Source & " / " & Err.Description
    Err.Clear
End Sub

WScript.Echo WScript.Name
WScript.Echo WScript
WScript.Echo "[" & WScript & "] " & TypeName(WScript)
WScript.Echo WScript.Version & " " & TypeName(WScript.BuildVersion) & " " & WScript.ScriptName
WScript.Echo InStrRev(WScript.ScriptFullName, "/wscript_object.vbs") = Len(WScript.ScriptFullName) - Len("/wscript_object.vbs") + 1
WScript.Echo Left(WScript.FullName, Len(WScript.Path)) = WScript.Path
WScript.Echo "-- Echo"
WScript.Echo
WScript.Echo "a", 1, 2.5, True, Empty, "z"
WScript.Echo ""
WScript.Echo "one"
WScript.Echo "-- Timeout"
WScript.Echo WScript.Timeout
WScript.Timeout = 30
WScript.Echo WScript.Timeout & " " & TypeName(WScript.Timeout)
WScript.Timeout = 0
WScript.Echo WScript.Timeout
On Error Resume Next
WScript.Name = "x" : Report "Name is read-only"
WScript.Echo "-- objects"
Set o = WScript.CreateObject("Scripting.Dictionary")
WScript.Echo TypeName(o)
Set o = WScript.CreateObject("Scripting.Dictionary", "dict_")
WScript.Echo TypeName(o)
Set o = WScript.CreateObject("No.Such.Class") : Report "WScript.CreateObject"
Set o = CreateObject("No.Such.Class") : Report "CreateObject"
Set o = WScript.GetObject("", "Scripting.Dictionary")
WScript.Echo TypeName(o)
Set o = WScript.GetObject(, "No.Such.Class") : Report "WScript.GetObject"
Set o = WScript.GetObject("no_such_file.xyz") : Report "WScript.GetObject of a missing file"
Set o = CreateObject("Scripting.Dictionary")
WScript.ConnectObject o, "dict_" : Report "ConnectObject"
WScript.DisconnectObject o : Report "DisconnectObject"
On Error GoTo 0
WScript.Sleep 1
WScript.Quit 7
WScript.Echo "not reached"
