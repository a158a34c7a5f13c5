' A binary download saved with ADODB.Stream; run.sh compares the file with
' what the server sent, byte for byte.
Set sh = CreateObject("WScript.Shell")
base = sh.ExpandEnvironmentStrings("%PW_HTTP_BASE%")
dir = sh.ExpandEnvironmentStrings("%PW_HTTP_OUT%")
target = dir & "/download.bin"

Set w = CreateObject("WinHttp.WinHttpRequest.5.1")
w.Open "GET", base & "/binary", False
w.Send
WScript.Echo w.Status & " " & w.GetResponseHeader("Content-Type") & " " & w.GetResponseHeader("Content-Length")

Set st = CreateObject("ADODB.Stream")
st.Type = 1
st.Open
st.Write w.ResponseBody
WScript.Echo "size " & st.Size & " position " & st.Position & " eos " & st.EOS
st.SaveToFile target, 2
st.Close

' Saving over it needs adSaveCreateOverWrite.
Set st = CreateObject("ADODB.Stream")
st.Type = 1
st.Open
st.Write w.ResponseBody
On Error Resume Next
st.SaveToFile target
WScript.Echo "exists: " & Err.Number & " " & Err.Source & " " & Err.Description
Err.Clear
st.SaveToFile target, 1
WScript.Echo "exists, adSaveCreateNotExist: " & Err.Number
Err.Clear
st.SaveToFile target, 3
WScript.Echo "bad option: " & Err.Number
Err.Clear
st.SaveToFile dir & "/no/such/folder/x.bin", 2
WScript.Echo "missing folder: " & Err.Number
Err.Clear
On Error GoTo 0
st.SaveToFile target, 2
st.Close

' Read back: same bytes.
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo "file size " & fso.GetFile(target).Size
Set st = CreateObject("ADODB.Stream")
st.Type = 1
st.Open
st.LoadFromFile target
b = st.Read
r = w.ResponseBody
same = (UBound(b) = UBound(r))
For i = 0 To UBound(b)
  If b(i) <> r(i) Then same = False
Next
WScript.Echo "same bytes: " & same & " " & UBound(b)
st.Position = 10240
tail = st.Read
For Each v In tail
  s = s & v & " "
Next
WScript.Echo "tail: " & s
WScript.Echo "read at end: " & IsNull(st.Read)
' No temporary files are left beside the saved one.
WScript.Echo "files in folder: " & fso.GetFolder(dir).Files.Count
