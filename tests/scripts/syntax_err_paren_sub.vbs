' Cannot use parentheses when calling a Sub: reported where the argument list ends.
WScript.Echo "never printed"
strcomp("x", "y")
