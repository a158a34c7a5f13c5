' args: //NoLogo //B
' Batch mode: MsgBox and InputBox show nothing and answer with the default
' button and the default text; WScript.Interactive is False. Errors are still reported.
WScript.Echo "interactive", WScript.Interactive
WScript.Echo MsgBox("plain"), MsgBox("yes or no", vbYesNo), MsgBox("no by default", vbYesNo + vbDefaultButton2)
WScript.Echo MsgBox("cancel by default", vbYesNoCancel + vbDefaultButton3), MsgBox("retry", vbRetryCancel)
WScript.Echo MsgBox("a default past the buttons", vbOKCancel + vbDefaultButton3)
WScript.Echo "[" & InputBox("name?", "title", "nobody") & "]", "[" & InputBox("empty?") & "]"
WScript.Interactive = True
WScript.Echo "interactive now", WScript.Interactive
WScript.Echo 1 / 0
