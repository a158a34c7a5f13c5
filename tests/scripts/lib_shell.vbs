' WScript.Shell: Run with and without waiting, Exec with its streams, status
' and exit code, the process environment, %NAME% expansion, the current
' directory, special folders, and the registry members' error.
Dim sh, ex, env, old, big
Set sh = CreateObject("WScript.Shell")
WScript.Echo TypeName(sh)
WScript.Echo sh.Run("exit 3", 0, True) & " " & sh.Run("true", 1, True) & " " & sh.Run("exit 5", , False)
WScript.Echo "-- Exec"
Set ex = sh.Exec("echo hello; echo oops 1>&2; printf 'a\r\nb'; exit 4")
WScript.Echo ex.StdOut.ReadLine & " " & ex.StdOut.Line
WScript.Echo ex.StdOut.ReadLine & "|" & ex.StdOut.ReadLine & "|" & ex.StdOut.AtEndOfStream
WScript.Echo "[" & ex.StdErr.ReadAll & "]"
Do While ex.Status = 0
    WScript.Sleep 10
Loop
WScript.Echo ex.Status & " " & ex.ExitCode & " " & (ex.ProcessID > 0)
WScript.Echo AscW(sh.Exec("printf '\303\244'").StdOut.ReadAll)
Set ex = sh.Exec("cat")
ex.StdIn.Write "round "
ex.StdIn.WriteLine "trip"
ex.StdIn.Close
WScript.Echo ex.StdOut.ReadAll = "round trip" & vbCrLf
' A child with more output than a pipe holds still finishes while the
' script only polls Status.
Set ex = sh.Exec("head -c 300000 /dev/zero | tr '\0' 'x'; echo done 1>&2")
Do While ex.Status = 0
    WScript.Sleep 10
Loop
WScript.Echo Len(ex.StdOut.ReadAll) & " " & ex.StdErr.ReadLine
Set ex = sh.Exec("exec sleep 5")
WScript.Echo ex.Status
ex.Terminate
Do While ex.Status = 0
    WScript.Sleep 10
Loop
WScript.Echo "terminated " & ex.ExitCode
WScript.Echo "-- environment"
Set env = sh.Environment("Process")
WScript.Echo TypeName(env)
env("PW_SHELL_TEST") = "value 1"
WScript.Echo env("PW_SHELL_TEST") & "|" & sh.Environment("PROCESS").Item("pw_shell_test") & "|" & sh.Exec("echo $PW_SHELL_TEST").StdOut.ReadLine
WScript.Echo sh.ExpandEnvironmentStrings("[%PW_SHELL_TEST%] %PW_UNDEFINED_NAME% 100%")
WScript.Echo sh.Run("test ""%PW_SHELL_TEST%"" = ""value 1""", 0, True)
env.Remove "PW_SHELL_TEST"
WScript.Echo "[" & env("PW_SHELL_TEST") & "] " & (env.Count > 0)
WScript.Echo "-- folders"
old = sh.CurrentDirectory
sh.CurrentDirectory = "/"
WScript.Echo sh.CurrentDirectory & " " & sh.Exec("pwd").StdOut.ReadLine
sh.CurrentDirectory = old
WScript.Echo sh.CurrentDirectory = old
WScript.Echo (sh.SpecialFolders("Desktop") <> "") & " [" & sh.SpecialFolders("NoSuchFolder") & "] " & sh.SpecialFolders.Count
WScript.Echo "-- errors"
Sub Report(label)
    WScript.Echo label & ": " & Err.Number & " " & Err.Source & " / " & Err.Description
    Err.Clear
End Sub
On Error Resume Next
big = sh.RegRead("HKCU\Software\Test\Value") : Report "RegRead"
sh.RegWrite "HKCU\Software\Test\Value", 1 : Report "RegWrite"
sh.CurrentDirectory = "/no/such/folder" : Report "CurrentDirectory missing"
Set env = sh.Environment("Elsewhere") : Report "Environment type"
ex.StdOut.Write "x" : Report "Write to StdOut"
