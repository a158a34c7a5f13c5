' A leading-dot member outside any With block is a run-time error.
WScript.Echo "before"
Dim x
x = .Name
WScript.Echo "not reached"
