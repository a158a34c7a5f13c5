' args: --check
' --check reports the first syntax error with its line and exits 1.
WScript.Echo "not run"
If x Then
    y = (1 +
End If
