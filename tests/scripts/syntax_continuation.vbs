' A line-joining "_" may be glued to the token before it.
Dim s, a, x, name_
s = "a" &_
  "b"
WScript.Echo s
a = Array(1,_
  2,_
	3)
WScript.Echo Join(a, "+")
x = 1_
  + 2
WScript.Echo x
x =_
  40 + 2
WScript.Echo x
x = (x)_
  - 2
WScript.Echo x
s = "q"&_   
  "r"
WScript.Echo s & " (blanks after the _)"
' Inside a name the "_" belongs to the name.
name_ = "name_"
WScript.Echo name_
