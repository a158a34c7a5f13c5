' A syntax error in Execute's text is a run-time error of the Execute line.
WScript.Echo "runs"

Execute "y = ("
