' script-args: first "two words" /out:report.txt /v /n:21 /e: -x
' WScript.Arguments named/unnamed forms and the process environment
Dim args, i, a, sh, env, fso
Set args = WScript.Arguments
WScript.Echo "Count:", args.Count, args.Length, args.Named.Count, args.Unnamed.Count
For i = 0 To args.Count - 1: WScript.Echo i, "[" & args(i) & "]", "[" & args.Item(i) & "]": Next
For Each a In args.Unnamed: WScript.Echo "U:", a: Next
For Each a In args.Named: WScript.Echo "N:", a, "=[" & args.Named(a) & "]", TypeName(args.Named(a)): Next
WScript.Echo args.Named.Exists("out"), args.Named.Exists("OUT"), args.Named.Exists("zz"), IsEmpty(args.Named("zz")), args.Named("v"), TypeName(args.Named("v"))
WScript.Echo args.Unnamed(0), args.Unnamed.Item(1)
If args.Named.Exists("n") Then WScript.Echo "n=" & CInt(args.Named("n")) * 2
Set sh = CreateObject("WScript.Shell")
Set env = sh.Environment("PROCESS")
env("APPTEST_X") = "hello"
WScript.Echo env("APPTEST_X"), "[" & env("NO_SUCH_VAR_Q") & "]"
WScript.Echo sh.ExpandEnvironmentStrings("%APPTEST_X%\sub"), sh.ExpandEnvironmentStrings("%NO_SUCH_VAR_Q%")
WScript.Echo WScript.ScriptName, TypeName(WScript.ScriptFullName), WScript.Name
On Error Resume Next
WScript.Echo args(99)
WScript.Echo Err.Number, Err.Description
