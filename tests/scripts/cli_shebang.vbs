#!/usr/bin/env pallweave-run
' A first line starting with #! is skipped; the other lines keep their numbers.
WScript.Echo "runs"
Dim a : a = Array(1)
WScript.Echo "line 5 raises"
a(3) = 1
