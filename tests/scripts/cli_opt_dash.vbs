' args: -x
' An unknown option before the script is refused with exit 2.
WScript.Echo "not run"
