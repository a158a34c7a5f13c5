' #! is only skipped on the first line: on another it is the syntax error it always was.
WScript.Echo "not run"
#!/usr/bin/env pallweave-run
