' args: //E:JScript
' VBScript is the only engine.
WScript.Echo "not run"
