' System.Collections.ArrayList as scripts use it to sort: culture-like text order, numbers by value, .NET errors
Dim al, v, i
Set al = CreateObject("System.Collections.ArrayList")
WScript.Echo TypeName(al), al.Count, al.Add("Zeta"), al.Add("alpha"), al.Add("Alpha"), al.Add("beta"), al.Add("al")
al.Sort
For Each v In al: WScript.Echo "[" & v & "]": Next
al.Clear
For Each v In Split("file10.txt,_backup,File2.txt,1st,file1.txt, space,Zed", ","): al.Add v: Next
al.Sort: WScript.Echo Join(al.ToArray, "|")
al.Clear
' Accented letters beside their base letter; the accent decides only a tie.
For Each v In Array("fin", "etre", ChrW(233) & "t" & ChrW(233), "Ete", "ete", "Stra" & ChrW(223) & "e", "Strasse", "Strase"): al.Add v: Next
al.Sort: WScript.Echo Escape(Join(al.ToArray, " "))
al.Clear
For Each v In Split("file10.txt,_backup,File2.txt,1st,file1.txt, space,Zed", ","): al.Add v: Next
al.Sort
al(0) = "first": al.Item(1) = "second"
WScript.Echo Join(al.ToArray(), ","), UBound(al.ToArray), TypeName(al.ToArray)
al.Clear
For Each v In Array(10, 2, 33, -1, 2.5 * 2): al.Add CInt(v): Next
al.Sort: WScript.Echo Join(al.ToArray, " ")
al.Reverse: WScript.Echo Join(al.ToArray, " "), al.IndexOf(2, 0), al.Contains(2), al.Contains("2"), al.Contains(2.0)
On Error Resume Next
v = al(99)
WScript.Echo Err.Number, Err.Source, Replace(Err.Description, vbCrLf, " / ")
Err.Clear
al.Add "mixed"
al.Sort
WScript.Echo Err.Number, Err.Description
Err.Clear
al.Nope
WScript.Echo Err.Number, Err.Description
