' An End If with no If is still an error, also after a colon.
WScript.Echo "never printed"
x = 1 : End If
