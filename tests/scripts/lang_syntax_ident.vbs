WScript.Echo "never printed"
Dim 5
