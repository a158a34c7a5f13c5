' ADODB.Recordset in memory: Filter, Find, Delete, paging, GetRows and ADO's errors.
Const adVarChar = 200, adInteger = 3, adDate = 7, adFilterNone = 0
Const adSearchBackward = -1

Function List(rs)
  Dim s
  s = ""
  Do Until rs.EOF
    s = s & rs("User") & " "
    rs.MoveNext
  Loop
  List = rs.RecordCount & ": " & s
End Function

Set rs = CreateObject("ADODB.Recordset")
rs.Fields.Append "User", adVarChar, 50
rs.Fields.Append "Dept", adVarChar, 20
rs.Fields.Append "Logons", adInteger
rs.Fields.Append "Last", adDate
rs.Open
data = Array("alice", "IT", 12, "2024-03-01", "bob", "Sales", 3, "2024-01-15", _
  "Carol", "it", 40, "2023-12-31", "dave", "HR", 0, "2024-02-29", "O'Neil", "Sales", 7, "2024-03-02", _
  "erin", "IT", 3, "2024-01-15")
For i = 0 To UBound(data) Step 4
  rs.AddNew Array("User", "Dept", "Logons", "Last"), Array(data(i), data(i + 1), data(i + 2), data(i + 3))
Next

rs.Filter = "Dept = 'IT'"
WScript.Echo "text compares ignore case: " & List(rs)
rs.Filter = "Logons > 5 AND Dept <> 'HR'"
WScript.Echo "and: " & List(rs)
rs.Filter = "Dept = 'HR' OR Logons >= 40"
WScript.Echo "or: " & List(rs)
rs.Filter = "(Dept = 'Sales' OR Dept = 'HR') AND Logons < 5"
WScript.Echo "parentheses: " & List(rs)
rs.Filter = "User LIKE 'd*'"
WScript.Echo "like *: " & List(rs)
rs.Filter = "User LIKE '%o%'"
WScript.Echo "like %: " & List(rs)
rs.Filter = "User = 'O''Neil'"
WScript.Echo "doubled quote: " & List(rs)
rs.Filter = "Last < #2024-01-31#"
WScript.Echo "dates: " & List(rs)
rs.Filter = "[Logons] = 3"
WScript.Echo "brackets: " & List(rs) & "| filter is " & rs.Filter
rs.Filter = "User = 'nobody'"
WScript.Echo "no match: " & rs.RecordCount & " " & rs.EOF & " " & rs.BOF
rs.Filter = adFilterNone
WScript.Echo "cleared: " & rs.Filter & " " & List(rs)

' Sort and Filter together.
rs.Sort = "Logons DESC"
rs.Filter = "Dept = 'Sales' OR Dept = 'IT'"
WScript.Echo "sorted and filtered: " & List(rs)
rs.Filter = ""
rs.Sort = ""

' Find searches from the current record; misses leave EOF (or BOF backwards).
rs.MoveFirst
rs.Find "Logons = 3"
WScript.Echo "find: " & rs("User") & " at " & rs.AbsolutePosition
rs.Find "Logons = 3", 1
WScript.Echo "find next: " & rs("User") & " at " & rs.AbsolutePosition
rs.Find "Logons = 3", 1
WScript.Echo "past the last: EOF " & rs.EOF
rs.MoveLast
rs.Find "Dept = 'sales'", 0, adSearchBackward
WScript.Echo "backward: " & rs("User")
rs.Find "User LIKE 'a*'", 0, adSearchBackward
WScript.Echo "backward to the first: " & rs("User") & " BOF " & rs.BOF
rs.Find "User = 'zed'", 0, adSearchBackward
WScript.Echo "backward miss: BOF " & rs.BOF & " EOF " & rs.EOF

' Paging, as web and report scripts do it.
rs.PageSize = 4
WScript.Echo "pages: " & rs.PageCount & " of size " & rs.PageSize
For p = 1 To rs.PageCount
  rs.AbsolutePage = p
  s = ""
  For n = 1 To rs.PageSize
    If rs.EOF Then Exit For
    s = s & rs("User") & " "
    rs.MoveNext
  Next
  WScript.Echo "  page " & p & ": " & s
Next
rs.AbsolutePosition = 5
WScript.Echo "position 5: " & rs("User") & " page " & rs.AbsolutePage

' Delete while walking: the deleted record stays current until the next move.
rs.MoveFirst
Do Until rs.EOF
  If rs("Logons") < 5 Then rs.Delete
  rs.MoveNext
Loop
rs.MoveFirst
WScript.Echo "after delete: " & List(rs)
rs.MoveLast
rs.Delete
WScript.Echo "deleted last: EOF " & rs.EOF & " count " & rs.RecordCount
rs.MovePrevious
WScript.Echo "previous: " & rs("User")

' GetRows: fields by rows, from the current record on.
rs.MoveFirst
rows = rs.GetRows()
WScript.Echo "getrows: " & UBound(rows, 1) & " x " & UBound(rows, 2) & " " & rows(0, 1) & " " & rows(2, 1) & " EOF " & rs.EOF
rs.MoveFirst
rows = rs.GetRows(1, , Array("Logons", "User"))
WScript.Echo "getrows some: " & UBound(rows, 1) & " x " & UBound(rows, 2) & " " & rows(0, 0) & " " & rows(1, 0)

' Errors, as ADO raises them.
Sub Try(label)
  If Err.Number <> 0 Then
    WScript.Echo label & ": " & Err.Number & " " & Err.Source & " - " & Err.Description
  Else
    WScript.Echo label & ": no error"
  End If
  Err.Clear
End Sub

' The cursor engine reports values the field cannot hold.
Sub TryNumber(label)
  WScript.Echo label & ": " & Err.Number
  Err.Clear
End Sub

On Error Resume Next
rs.MoveLast
rs.MoveNext
Try "at EOF"
rs.MoveNext
Try "MoveNext past EOF"
x = rs("User").Value
Try "value at EOF"
rs("User") = "x"
Try "assign at EOF"
rs.Find "User = 'x'"
Try "find at EOF"
rs.MoveFirst
x = rs("Nope")
Try "unknown name"
x = rs.Fields(9)
Try "ordinal out of range"
rs("Logons") = "many"
TryNumber "text into a number field"
rs("Dept") = String(21, "d")
TryNumber "text past the size"
x = rs("Logons") & " " & rs("Dept")
Try "the record keeps its values (" & x & ")"
rs("Logons") = "42"
Try "numeric text converts (" & rs("Logons") & " " & TypeName(rs("Logons").Value) & ")"
rs.Filter = "Logons >> 3"
Try "bad filter"
rs.Open
Try "open twice"
rs.Fields.Append "More", adInteger
Try "append while open"
rs.Close
x = rs.RecordCount
Try "closed"
rs.Close
Try "close twice"
rs.Fields.Append "Dept", adVarChar, 10
Try "same name twice"
Set e = CreateObject("ADODB.Recordset")
e.Fields.Append "N", adInteger
e.Open
e.MoveFirst
Try "MoveFirst on empty"
WScript.Echo "empty: " & e.AbsolutePosition & " " & e.EOF & " " & e.BOF
