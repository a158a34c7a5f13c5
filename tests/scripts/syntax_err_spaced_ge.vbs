' "= >" with a blank between is not ">=".
WScript.Echo "never printed"
If 2 = > 1 Then x = 1
