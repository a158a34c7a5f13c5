' args: //nologo //Z
' An unknown host option is a command-line mistake: exit 2, the script does not run.
WScript.Echo "not run"
