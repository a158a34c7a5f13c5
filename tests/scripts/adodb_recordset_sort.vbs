' A disconnected ADODB.Recordset used as a sortable table: the usual way
' admin scripts list files by size.
Option Explicit
Const adVarChar = 200, adInteger = 3, adDouble = 5, adDate = 7, adBoolean = 11, adCurrency = 6
Const adSmallInt = 2, adChar = 129, adVarWChar = 202, adLongVarChar = 201
Const adOpenStatic = 3, adLockOptimistic = 3

Dim rs, f, i, line
Set rs = CreateObject("ADODB.Recordset")
WScript.Echo "type: " & TypeName(rs) & " state " & rs.State
rs.Fields.Append "Name", adVarChar, 255
rs.Fields.Append "Size", adInteger
rs.Fields.Append "Ratio", adDouble
rs.Fields.Append "Modified", adDate
rs.Fields.Append "Hidden", adBoolean
rs.CursorType = adOpenStatic
rs.LockType = adLockOptimistic
WScript.Echo "fields before open: " & rs.Fields.Count & ", cursor " & rs.CursorType & ", lock " & rs.LockType
rs.Open
WScript.Echo "empty: state " & rs.State & " count " & rs.RecordCount & " EOF " & rs.EOF & " BOF " & rs.BOF

' Field definitions: fixed-size types report their own size.
For Each f In rs.Fields
  WScript.Echo "  " & f.Name & " type " & f.Type & " size " & f.DefinedSize
Next

Dim names, sizes
names = Array("report.txt", "Backup.zip", "notes.md", "archive.7z", "BACKUP.ZIP", "zeta.log")
sizes = Array(300, 5000, "120", 5000, 42, 120)
For i = 0 To UBound(names)
  rs.AddNew
  rs("Name") = names(i)
  rs.Fields("Size").Value = sizes(i)
  rs.Fields(2) = sizes(i) / 1000
  rs.Fields.Item("Modified") = DateSerial(2024, 1, 1 + i)
  rs("Hidden") = (i Mod 2 = 1)
  rs.Update
Next
rs.AddNew Array("Name", "Size"), Array("empty.dat", 0)
WScript.Echo "count " & rs.RecordCount & ", at " & rs.AbsolutePosition & ", last " & rs("Name")

' Values take the field's type.
rs.MoveFirst
WScript.Echo "types: " & TypeName(rs("Name").Value) & " " & TypeName(rs("Size").Value) & " " & _
  TypeName(rs("Ratio").Value) & " " & TypeName(rs("Modified").Value) & " " & TypeName(rs("Hidden").Value)
rs.MoveNext
WScript.Echo "second: " & rs(0) & " " & rs("size") & " hidden " & rs("Hidden") & " on " & rs("Modified")
rs.MoveLast
WScript.Echo "unset fields are Null: " & IsNull(rs("Ratio")) & " " & IsNull(rs("Modified"))

' Largest first, ties by name ignoring case and keeping the order they came in.
rs.Sort = "Size DESC, Name ASC"
WScript.Echo "sort " & rs.Sort & ", at " & rs.AbsolutePosition
Do Until rs.EOF
  WScript.Echo "  " & rs.AbsolutePosition & ". " & rs("Name") & " " & rs("Size")
  rs.MoveNext
Loop

' A text field sorts as text, a number field as numbers.
rs.Sort = "[Name]"
line = ""
Do While Not rs.EOF
  line = line & rs("Name") & " "
  rs.MoveNext
Loop
WScript.Echo "by name: " & line
rs.Sort = "Size"
line = ""
Do While Not rs.EOF
  line = line & rs("Size") & " "
  rs.MoveNext
Loop
WScript.Echo "by size: " & line
rs.Sort = "Modified DESC"
WScript.Echo "newest: " & rs("Name") & " " & rs("Modified")
rs.MoveLast
WScript.Echo "no date sorts first ascending, last descending: " & rs("Name")

' Backwards.
rs.Sort = ""
rs.MoveLast
line = ""
Do Until rs.BOF
  line = line & rs("Name") & " "
  rs.MovePrevious
Loop
WScript.Echo "backwards in added order: " & line

' Other field types.
Dim t
Set t = CreateObject("ADODB.Recordset")
t.Fields.Append "Code", adChar, 5
t.Fields.Append "Price", adCurrency
t.Fields.Append "Qty", adSmallInt
t.Fields.Append "Note", adLongVarChar, 1000
t.Fields.Append "Wide", adVarWChar, 3
t.Open
t.AddNew
t("Code") = "AB"
t("Price") = "12.345678"
t("Qty") = 7.5
t("Note") = String(900, "n")
t("Wide") = "xyz"
t.Update
WScript.Echo "char pads: [" & t("Code") & "] " & TypeName(t("Price").Value) & " " & t("Price") & " " & _
  TypeName(t("Qty").Value) & " " & t("Qty") & " long text " & Len(t("Note"))
WScript.Echo "defined " & t("Wide").DefinedSize & " " & t("Code").DefinedSize
t.Close
WScript.Echo "closed " & t.State & ", fields kept " & t.Fields.Count
t.Open
WScript.Echo "reopened empty: " & t.RecordCount & " " & t.EOF & " " & t.BOF

' Text sorts as the locale orders it: punctuation, then digits, then letters.
t.AddNew "Note", "beta"
t.AddNew "Note", "~lock"
t.AddNew "Note", "2024.log"
t.AddNew "Note", "Alpha"
t.AddNew "Note", "[x]"
t.Sort = "Note"
line = ""
Do Until t.EOF
  line = line & t("Note") & " "
  t.MoveNext
Loop
WScript.Echo "locale order: " & line
