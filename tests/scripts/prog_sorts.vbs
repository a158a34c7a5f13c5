' Sorting and searching arrays the way published samples do it: bubble,
' quick (recursive, ByRef array), merge (arrays returned from functions),
' insertion, text-compare sort and binary search. Strings from Split sort
' as text, numbers as numbers.
Dim a, b, c, t, i, j

a = Array(5, 3, 8, 1, 9, 2)
For i = UBound(a) - 1 To 0 Step -1
  For j = 0 To i
    If a(j) > a(j + 1) Then t = a(j) : a(j) = a(j + 1) : a(j + 1) = t
  Next
Next
WScript.Echo "bubble: " & Join(a, ", ")

b = Array("pear", "Apple", "banana", "apple", "Cherry")
For i = 0 To UBound(b) - 1
  For j = i + 1 To UBound(b)
    If StrComp(b(i), b(j), vbTextCompare) > 0 Then t = b(i) : b(i) = b(j) : b(j) = t
  Next
Next
WScript.Echo "text compare: " & Join(b)
For i = 0 To UBound(b) - 1
  For j = i + 1 To UBound(b)
    If b(i) > b(j) Then t = b(i) : b(i) = b(j) : b(j) = t
  Next
Next
WScript.Echo "binary compare: " & Join(b)

c = Split("10 9 100 2 33")
For i = 0 To UBound(c) - 1
  For j = i + 1 To UBound(c)
    If c(i) > c(j) Then t = c(i) : c(i) = c(j) : c(j) = t
  Next
Next
WScript.Echo "split text: " & Join(c)
For i = 0 To UBound(c) - 1
  For j = i + 1 To UBound(c)
    If CLng(c(i)) > CLng(c(j)) Then t = c(i) : c(i) = c(j) : c(j) = t
  Next
Next
WScript.Echo "as numbers: " & Join(c)

Sub QSort(arr, lo, hi)
  Dim p, i, j, t
  If lo >= hi Then Exit Sub
  p = arr((lo + hi) \ 2) : i = lo : j = hi
  Do While i <= j
    Do While arr(i) < p : i = i + 1 : Loop
    Do While arr(j) > p : j = j - 1 : Loop
    If i <= j Then
      t = arr(i) : arr(i) = arr(j) : arr(j) = t
      i = i + 1 : j = j - 1
    End If
  Loop
  QSort arr, lo, j
  QSort arr, i, hi
End Sub
c = Array(3.5, -1, 10, 2.25, 0, 7, -0.5)
QSort c, 0, UBound(c)
WScript.Echo "quick: " & Join(c, " ")

Function BSearch(arr, v)
  Dim lo, hi, m
  lo = LBound(arr) : hi = UBound(arr)
  BSearch = -1
  Do While lo <= hi
    m = (lo + hi) \ 2
    If arr(m) = v Then BSearch = m : Exit Function
    If arr(m) < v Then lo = m + 1 Else hi = m - 1
  Loop
End Function
WScript.Echo "find 7: " & BSearch(c, 7), "find 4: " & BSearch(c, 4), "find -1: " & BSearch(c, -1)

Function MergeSort(a)
  Dim n, m, l(), r(), i, j, k
  n = UBound(a) + 1
  If n <= 1 Then MergeSort = a : Exit Function
  m = n \ 2
  ReDim l(m - 1) : ReDim r(n - m - 1)
  For i = 0 To m - 1 : l(i) = a(i) : Next
  For i = m To n - 1 : r(i - m) = a(i) : Next
  l = MergeSort(l) : r = MergeSort(r)
  Dim res() : ReDim res(n - 1)
  i = 0 : j = 0 : k = 0
  Do While i <= UBound(l) And j <= UBound(r)
    If l(i) <= r(j) Then res(k) = l(i) : i = i + 1 Else res(k) = r(j) : j = j + 1
    k = k + 1
  Loop
  Do While i <= UBound(l) : res(k) = l(i) : i = i + 1 : k = k + 1 : Loop
  Do While j <= UBound(r) : res(k) = r(j) : j = j + 1 : k = k + 1 : Loop
  MergeSort = res
End Function
a = Array(38, 27, 43, 3, 9, 82, 10)
WScript.Echo "merge: " & Join(MergeSort(a), " "), "original kept: " & Join(a, " ")

Sub InsertionSort(a)
  Dim i, j, key
  For i = 1 To UBound(a)
    key = a(i) : j = i - 1
    Do While j >= 0
      If a(j) <= key Then Exit Do
      a(j + 1) = a(j) : j = j - 1
    Loop
    a(j + 1) = key
  Next
End Sub
b = Array("delta", "Alpha", "charlie", "bravo")
InsertionSort b
WScript.Echo "insertion: " & Join(b, ",")
Sub NoSort(ByVal a) : a(0) = "changed" : End Sub
NoSort b
WScript.Echo "ByVal copy: " & b(0)
