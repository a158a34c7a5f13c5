' A program that is not there is refused by Run and Exec themselves, as on
' Windows; what the shell reads itself (builtins, variables) still runs.
Set sh = CreateObject("WScript.Shell")
On Error Resume Next
r = sh.Run("no-such-program-pw 1 2", 0, True)
WScript.Echo "run missing: " & Err.Number & " " & Err.Description & " [" & r & "]" : Err.Clear
Set x = sh.Exec("no-such-program-pw")
WScript.Echo "exec missing: " & Err.Number & " " & Err.Source & " " & TypeName(x) : Err.Clear
r = sh.Run("/no/such/dir/prog", 0, True)
WScript.Echo "path missing: " & Err.Number : Err.Clear
On Error GoTo 0
WScript.Echo "exit code: " & sh.Run("sh -c ""exit 3""", 0, True)
WScript.Echo "builtin: " & sh.Run("exit 4", 0, True)
WScript.Echo "redirect: " & sh.Run("echo hi >/dev/null", 0, True)
WScript.Echo "variable: " & sh.Run("$NO_SUCH_VAR_PW true", 0, True)
WScript.Echo "assignment: " & sh.Run("A=1 true", 0, True)
WScript.Echo "exec: " & sh.Exec("echo out").StdOut.ReadAll
