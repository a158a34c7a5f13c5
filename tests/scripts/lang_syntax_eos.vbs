' A syntax error stops the whole script before anything runs.
WScript.Echo "never printed"
x = 1 2
WScript.Echo "never printed either"
