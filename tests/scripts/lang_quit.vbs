' WScript.Quit ends the script at once with the given exit status.
Sub Finish(code)
    WScript.Echo "finishing with " & code
    WScript.Quit code
    WScript.Echo "not reached in sub"
End Sub
WScript.Echo "start"
WScript.StdErr.WriteLine "a line on stderr"
Finish 3
WScript.Echo "not reached"
