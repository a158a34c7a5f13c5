' args: //logo //nologo //I //E:VBScript //t:0
' Interactive (the default) with standard input not a terminal: the prompt is
' written to standard output and the default answers, as no one can be asked.
WScript.Echo "interactive", WScript.Interactive
WScript.Echo "answer", MsgBox("Continue?", vbYesNo + vbDefaultButton2, "Title")
WScript.Echo "text [" & InputBox("Your name:", "Title", "anon") & "]"
WScript.Interactive = False
WScript.Echo "batch now", WScript.Interactive, MsgBox("not shown", vbOKCancel)
