' WshShell.LogEvent (the system log stands in for the event log) and the
' environment as Windows scripts use it: names in any case, every kind of
' environment readable, unknown names left as written.
Dim sh, env, x
Set sh = CreateObject("WScript.Shell")
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Description
    Err.Clear
End Sub
WScript.Echo "-- LogEvent"
WScript.Echo CStr(sh.LogEvent(4, "pallweave test: information"))
WScript.Echo CStr(sh.LogEvent(0, "pallweave test: success", "."))
sh.LogEvent 2, "pallweave test: warning"
On Error Resume Next
x = sh.LogEvent(4) : Report "no message"
On Error GoTo 0
WScript.Echo "-- environment"
Set env = sh.Environment("Process")
env("PW_Case_Test") = "mixed"
WScript.Echo sh.ExpandEnvironmentStrings("%pw_case_test%|%PW_CASE_TEST%|%PW_Case_Test%")
WScript.Echo env("pw_case_test") & " " & sh.Environment("PROCESS")("PW_CASE_TEST")
WScript.Echo sh.ExpandEnvironmentStrings("%PW_NOT_SET_ANYWHERE%|%%|50%|%PW_Case_Test")
For Each x In Array("System", "User", "Volatile", "process")
    WScript.Echo x & " " & TypeName(sh.Environment(x))
Next
WScript.Echo TypeName(sh.Environment) & " " & (sh.Environment("SYSTEM")("PATH") <> "")
On Error Resume Next
Set env = sh.Environment("Machine") : Report "an unknown kind"
