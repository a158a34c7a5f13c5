' args: --check
' Errors found when compiling count too: Exit Sub outside a Sub.
WScript.Echo "not run"
Exit Sub
