' The column counts from 1 and includes the indentation.
Dim x
    x = * 2
WScript.Echo "never printed"
