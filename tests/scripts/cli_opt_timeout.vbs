' args: //T:1
' //T:nn stops the script after nn seconds, even in a loop that calls nothing.
WScript.Echo "looping"
Do
    n = n + 1
Loop
