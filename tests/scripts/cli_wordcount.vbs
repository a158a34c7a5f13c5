' A WSH-style filter: reads standard input to its end, counts the words with a
' Dictionary, writes a report sorted by count, then by word.
Option Explicit
Dim text, words, counts, w, keys, i, j, t, re, m

text = WScript.StdIn.ReadAll
Set re = New RegExp
re.Pattern = "[A-Za-z']+"
re.Global = True
Set counts = CreateObject("Scripting.Dictionary")
counts.CompareMode = vbTextCompare
For Each m In re.Execute(text)
    w = LCase(m.Value)
    counts(w) = counts(w) + 1
Next

keys = counts.Keys
For i = 0 To UBound(keys) - 1
    For j = i + 1 To UBound(keys)
        If counts(keys(j)) > counts(keys(i)) Or _
           (counts(keys(j)) = counts(keys(i)) And keys(j) < keys(i)) Then
            t = keys(i) : keys(i) = keys(j) : keys(j) = t
        End If
    Next
Next

For Each w In keys
    WScript.StdOut.WriteLine Right("    " & counts(w), 4) & "  " & w
Next
WScript.StdErr.WriteLine counts.Count & " distinct words"
