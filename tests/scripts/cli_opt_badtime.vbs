' args: //T:soon
' //T needs whole seconds.
WScript.Echo "not run"
