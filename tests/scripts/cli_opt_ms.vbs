' args: --timeout 300
' --timeout MS stops the script after MS milliseconds, past On Error Resume Next.
On Error Resume Next
WScript.Echo "looping"
Do
    n = n + 1
Loop
