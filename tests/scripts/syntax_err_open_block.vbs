' A block left open is reported where the text ends, as a syntax error.
WScript.Echo "not run"
If True Then
  WScript.Echo "x"
