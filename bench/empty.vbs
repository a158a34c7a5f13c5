WScript.Echo 1
