' args: --check
' --check parses and compiles without running: nothing is written, no run-time error.
WScript.Echo "not run"
Sub S(x) : S = 1 / 0 : End Sub
Class C : Public Y : End Class
x = 1 / 0
