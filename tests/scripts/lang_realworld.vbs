' Inventory report in the style of an administrator's WSH script: classes for
' machines and a growing collection, text records parsed with validation
' errors trapped and reported, settings applied with Execute, a helper built
' with ExecuteGlobal, a formatted report and a summary.
Option Explicit

Const APP_NAME = "Inventory"
Const MIN_RAM_DEFAULT = 4

Dim minRam, warnDisk, owner
minRam = MIN_RAM_DEFAULT
warnDisk = 90
owner = "nobody"

Class Machine
    Public Name, RamGB, Role
    Private mDisks()
    Private mDiskCount

    Private Sub Class_Initialize()
        mDiskCount = 0
        Role = "workstation"
    End Sub

    Public Sub AddDisk(usedPercent)
        ReDim Preserve mDisks(mDiskCount)
        mDisks(mDiskCount) = usedPercent
        mDiskCount = mDiskCount + 1
    End Sub

    Public Property Get DiskCount()
        DiskCount = mDiskCount
    End Property

    Public Property Get Disk(i)
        If i < 0 Or i >= mDiskCount Then Err.Raise 9
        Disk = mDisks(i)
    End Property

    Public Function FullestDisk()
        Dim i, best
        best = -1
        For i = 0 To mDiskCount - 1
            If mDisks(i) > best Then best = mDisks(i)
        Next
        FullestDisk = best
    End Function

    Public Function Warnings(minimumRam, diskLimit)
        Dim list
        list = ""
        If RamGB < minimumRam Then list = list & "low RAM; "
        If FullestDisk() >= diskLimit Then list = list & "disk " & FullestDisk() & "%; "
        If mDiskCount = 0 Then list = list & "no disks; "
        If Len(list) > 0 Then list = Left(list, Len(list) - 2)
        Warnings = list
    End Function
End Class

Class Inventory
    Private mItems()
    Private mCount

    Private Sub Class_Initialize()
        ReDim mItems(3)
        mCount = 0
    End Sub

    Public Sub Add(m)
        If mCount > UBound(mItems) Then ReDim Preserve mItems(mCount * 2 - 1)
        Set mItems(mCount) = m
        mCount = mCount + 1
    End Sub

    Public Property Get Count()
        Count = mCount
    End Property

    Public Property Get Capacity()
        Capacity = UBound(mItems) + 1
    End Property

    Public Default Property Get Item(i)
        Set Item = mItems(i)
    End Property

    Public Function Find(wanted)
        Dim i
        Set Find = Nothing
        For i = 0 To mCount - 1
            If LCase(mItems(i).Name) = LCase(wanted) Then
                Set Find = mItems(i)
                Exit Function
            End If
        Next
    End Function

    Public Function TotalRam()
        Dim i, sum
        sum = 0
        For i = 0 To mCount - 1
            sum = sum + mItems(i).RamGB
        Next
        TotalRam = sum
    End Function
End Class

Function ParseMachine(record)
    Dim fields, m, d
    fields = Split(record, ";")
    If UBound(fields) < 2 Then
        Err.Raise vbObjectError + 1, "ParseMachine", "expected 3 or 4 fields"
    End If
    If Not IsNumeric(fields(1)) Then
        Err.Raise vbObjectError + 2, "ParseMachine", "RAM is not a number: " & fields(1)
    End If
    Set m = New Machine
    m.Name = Trim(fields(0))
    m.RamGB = CInt(fields(1))
    If Len(Trim(fields(2))) > 0 Then
        For Each d In Split(fields(2), ",")
            m.AddDisk CInt(d)
        Next
    End If
    If UBound(fields) >= 3 Then m.Role = Trim(fields(3))
    Set ParseMachine = m
End Function

Function Pad(s, width)
    Pad = Left(s & Space(width), width)
End Function

Function PadLeft(s, width)
    PadLeft = Right(Space(width) & s, width)
End Function

Function RoleTag(r)
    Select Case LCase(r)
        Case "server", "database"
            RoleTag = "SRV"
        Case "workstation"
            RoleTag = "WS"
        Case Else
            RoleTag = "?"
    End Select
End Function

' --- settings, as an administrator would keep them in a text file
Dim settings, setting
settings = Array("minRam = 8", "warnDisk = 85 90", "owner = ""IT team""", "minRam = 8 / 0")
On Error Resume Next
For Each setting In settings
    Execute setting
    If Err.Number <> 0 Then
        WScript.Echo "bad setting: " & setting
        Err.Clear
    End If
Next
On Error GoTo 0
WScript.Echo "settings: minRam=" & minRam & " warnDisk=" & warnDisk & " owner=" & owner

' --- records
Dim records
records = Array( _
    "web01;16;45,72;server", _
    "web02;8;91,30;server", _
    "desk-anna;8;55", _
    "desk-bob;2;20", _
    "broken-record", _
    "desk-carl;lots;10", _
    "desk-dan;8;5x", _
    "lab-pc;4;", _
    "db01;64;88,95,60;database")

Dim inv, rec, m, skipped
Set inv = New Inventory
skipped = 0
On Error Resume Next
For Each rec In records
    Set m = ParseMachine(rec)
    If Err.Number <> 0 Then
        skipped = skipped + 1
        WScript.Echo "skipped '" & rec & "': " & Err.Description & " [" & Err.Source & "]"
        Err.Clear
    Else
        inv.Add m
    End If
Next
On Error GoTo 0

' --- report
WScript.Echo APP_NAME & " report for " & owner
WScript.Echo String(44, "-")
Dim i, w, row, warnCount
warnCount = 0
For i = 0 To inv.Count - 1
    Set m = inv.Item(i)
    With m
        w = .Warnings(minRam, warnDisk)
        row = Pad(.Name, 10) & PadLeft(.RamGB, 3) & " GB  " & Pad(.Role, 12) & "[" & RoleTag(.Role) & "] " & .DiskCount & " disk(s)"
    End With
    If w <> "" Then
        warnCount = warnCount + 1
        row = row & "  ! " & w
    End If
    WScript.Echo row
Next
WScript.Echo String(44, "-")
WScript.Echo "machines: " & inv.Count & " (capacity " & inv.Capacity & "), skipped records: " & skipped
WScript.Echo "total RAM: " & inv.TotalRam() & " GB, average " & Round(inv.TotalRam() / inv.Count, 1) & " GB"
WScript.Echo "with warnings: " & warnCount

ExecuteGlobal "Function IsServer(x) : IsServer = (x.Role = ""server"" Or x.Role = ""database"") : End Function"
Dim servers, big, limit
servers = 0
big = ""
limit = Eval("minRam * 2")
For i = 0 To inv.Count - 1
    If IsServer(inv.Item(i)) Then servers = servers + 1
    If inv.Item(i).RamGB >= limit Then
        If big <> "" Then big = big & ", "
        big = big & inv.Item(i).Name
    End If
Next
WScript.Echo "servers: " & servers
WScript.Echo "at least " & limit & " GB: " & big

Dim found, disks
Set found = inv.Find("DB01")
If Not found Is Nothing Then
    disks = ""
    For i = 0 To found.DiskCount - 1
        disks = disks & found.Disk(i) & "% "
    Next
    WScript.Echo "found " & found.Name & ": disks " & Trim(disks) & ", fullest " & found.FullestDisk() & "%"
End If
Set found = inv.Find("nothere")
WScript.Echo "nothere is Nothing: " & (found Is Nothing)
WScript.Echo "first machine via the default property: " & inv(0).Name

On Error Resume Next
Dim d
d = inv.Item(0).Disk(5)
WScript.Echo "disk 5 of " & inv.Item(0).Name & ": error " & Err.Number & " " & Err.Description
Err.Clear
On Error GoTo 0
WScript.Echo "done"
