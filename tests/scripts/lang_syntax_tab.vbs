' A tab counts as one column.
	Dim a b
WScript.Echo "never printed"
