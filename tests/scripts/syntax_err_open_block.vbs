' A block left open is reported where the text ends; that line is blank, so
' the report is in the run-time form, as the host reports an error without text.
WScript.Echo "not run"
If True Then
  WScript.Echo "x"
