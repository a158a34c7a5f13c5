' System.Text.StringBuilder through COM: overloads by their numbered names,
' .NET's text for values, and .NET's exceptions.
Set sb = CreateObject("System.Text.StringBuilder")
WScript.Echo "new: " & TypeName(sb) & " length " & sb.Length & " capacity " & sb.Capacity & " [" & sb.ToString & "]"

' Building a report line by line, the common use.
For i = 1 To 3
  sb.Append_3 "line " & i
  sb.Append_3 vbCrLf
Next
WScript.Echo sb.ToString
WScript.Echo "length " & sb.Length & ", capacity grew to " & sb.Capacity

' Append returns the builder itself.
sb.Clear
Set same = sb.Append_3("a")
WScript.Echo "returns itself: " & (same Is sb) & " " & sb.Append("b").Append_3("c").ToString()
WScript.Echo "char repeated: " & sb.Append("-", 3).ToString & ", part of a string: " & sb.Append("abcdef", 2, 3).ToString

' Values are turned into text as .NET does it.
sb.Length = 0
sb.Append_3 True
sb.Append_3 "|"
sb.Append_3 2.5
sb.Append_3 "|"
sb.Append_3 Null
sb.Append_3 Empty
sb.Append_3 "|"
sb.Append_3 #1/2/2003#
sb.Append_3 "|"
sb.Append_3 #1/2/2003 4:05:06 PM#
sb.Append_3 "|"
sb.Append_3 #4:05:06 PM#
WScript.Echo sb.ToString

' AppendFormat: numbered items, alignment, escaped braces, an array of values.
sb.Clear
sb.AppendFormat "{0} has {1} files", "C:\Temp", 12
WScript.Echo sb.ToString
sb.Clear
sb.AppendFormat "[{0,6}][{0,-6}][{1}] {{literal}} {1}{0}", "ab", 7
WScript.Echo sb.ToString
sb.Clear
sb.AppendFormat_4 "{2}-{1}-{0}", Array("c", "b", "a")
WScript.Echo sb.ToString

' Editing in place.
sb.Clear
sb.Append_3 "The quick fox"
sb.Insert 10, "brown "
WScript.Echo sb.ToString
sb.Remove 4, 6
WScript.Echo sb.ToString
sb.Replace "o", "0"
WScript.Echo sb.ToString
sb.Replace "0", "o", 0, 8
WScript.Echo sb.ToString & " / " & sb.ToString_2(4, 5)
sb.Length = 3
WScript.Echo "cut: [" & sb.ToString & "] " & sb.Length
sb.Length = 5
WScript.Echo "padded with NUL: " & sb.Length & " " & AscW(Right(sb.ToString, 1))
sb.Clear
WScript.Echo "cleared: " & sb.Length

' Errors come from mscorlib with .NET's numbers.
Sub Try(label)
  If Err.Number <> 0 Then
    WScript.Echo label & ": " & Hex(Err.Number) & " " & Err.Source & " - " & Replace(Err.Description, vbCrLf, " / ")
  Else
    WScript.Echo label & ": no error"
  End If
  Err.Clear
End Sub

On Error Resume Next
sb.Append_3 "abc"
sb.Remove 1, 5
Try "remove past the end"
sb.Insert 4, "x"
Try "insert past the end"
sb.Insert 3, "x"
Try "insert at the end"
sb.AppendFormat "{2}", "a", "b"
Try "missing format item"
sb.AppendFormat "{x}", "a"
Try "bad format item"
sb.AppendFormat "a } b", "a"
Try "lone brace"
sb.Replace "", "z"
Try "replace empty"
sb.AppendText "x"
Try "no such member"
WScript.Echo "unchanged: " & sb.ToString
