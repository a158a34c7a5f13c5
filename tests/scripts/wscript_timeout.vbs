' WScript.Timeout set by the script stops it after that many seconds, as
' //T:nn does; setting it again starts the limit anew.
WScript.Timeout = 100
WScript.Timeout = 1
WScript.Echo "looping for " & WScript.Timeout
Do
    n = n + 1
Loop
