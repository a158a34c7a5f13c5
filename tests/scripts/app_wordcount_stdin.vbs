' line/word/char count of standard input, word frequencies padded with Left/Right/Space/String
Dim s, lines, words, chars, l, w, n, freq, k, keys, i, j, t
lines = 0: words = 0: chars = 0
Set freq = CreateObject("Scripting.Dictionary")
freq.CompareMode = vbTextCompare
Do While Not WScript.StdIn.AtEndOfStream
  l = WScript.StdIn.ReadLine
  lines = lines + 1
  chars = chars + Len(l)
  For Each w In Split(Trim(l), " ")
    If w <> "" Then words = words + 1: freq(LCase(w)) = freq(LCase(w)) + 1
  Next
Loop
WScript.Echo "Lines: " & lines & ", words: " & words & ", chars: " & chars
keys = freq.Keys
For i = 0 To UBound(keys) - 1
  For j = i + 1 To UBound(keys)
    If freq(keys(j)) > freq(keys(i)) Or (freq(keys(j)) = freq(keys(i)) And StrComp(keys(j), keys(i)) < 0) Then t = keys(i): keys(i) = keys(j): keys(j) = t
  Next
Next
For i = 0 To UBound(keys)
  WScript.Echo Left(keys(i) & Space(10), 10) & Right(Space(4) & freq(keys(i)), 4) & " " & String(freq(keys(i)), "*")
Next
WScript.StdOut.Write "done"
WScript.StdOut.WriteLine
WScript.StdErr.WriteLine "stderr line"
WScript.Echo WScript.StdIn.AtEndOfStream
