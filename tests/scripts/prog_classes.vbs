' Data-structure classes as textbook samples write them: a stack over a
' growing array, a queue over a Dictionary, a linked list of nodes, an
' account with Property Let validation and a default member, delegation in
' place of inheritance, Property Set, and Class_Initialize/Terminate order.
Class Stack
  Private items(), count
  Private Sub Class_Initialize() : ReDim items(1) : count = 0 : End Sub
  Public Sub Push(v)
    If count > UBound(items) Then ReDim Preserve items(count * 2)
    items(count) = v : count = count + 1
  End Sub
  Public Function Pop()
    If count = 0 Then Err.Raise vbObjectError + 1, "Stack", "Stack empty"
    count = count - 1 : Pop = items(count)
  End Function
  Public Property Get Size() : Size = count : End Property
  Public Property Get IsEmpty() : IsEmpty = (count = 0) : End Property
End Class
Set s = New Stack
For i = 1 To 10 : s.Push i * i : Next
WScript.Echo s.Size, s.Pop, s.Pop, s.IsEmpty, CStr(s.IsEmpty)
Do Until s.IsEmpty : x = s.Pop : Loop
WScript.Echo "last popped " & x & ", empty " & s.IsEmpty
On Error Resume Next
s.Pop
WScript.Echo Err.Number, Hex(Err.Number), Err.Number - vbObjectError, Err.Source, Err.Description
On Error GoTo 0

Class Queue
  Private d, h, t
  Private Sub Class_Initialize : Set d = CreateObject("Scripting.Dictionary") : h = 0 : t = 0 : End Sub
  Sub Enqueue(v) : d.Add t, v : t = t + 1 : End Sub
  Function Dequeue() : Dequeue = d(h) : d.Remove h : h = h + 1 : End Function
  Property Get Count : Count = d.Count : End Property
End Class
Set q = New Queue
q.Enqueue "x" : q.Enqueue "y" : q.Enqueue 3
WScript.Echo q.Dequeue, q.Count, q.Dequeue, q.Count

Class Node
  Public Value, NextNode
End Class
Class LinkedList
  Private head, tail_
  Public Sub Add(v)
    Dim n : Set n = New Node : n.Value = v
    If IsEmpty(head) Then Set head = n Else Set tail_.NextNode = n
    Set tail_ = n
  End Sub
  Public Function ToString()
    Dim n, s : Set n = head
    Do While IsObject(n)
      s = s & n.Value & " -> "
      If IsEmpty(n.NextNode) Then Exit Do
      Set n = n.NextNode
    Loop
    ToString = s & "nil"
  End Function
End Class
Set l = New LinkedList
l.Add "a" : l.Add 2 : l.Add 3.5 : l.Add True
WScript.Echo l.ToString()

Class Account
  Private mBalance, mOwner, mLog(), mCount
  Private Sub Class_Initialize() : mBalance = CCur(0) : mCount = 0 : ReDim mLog(0) : End Sub
  Public Property Get Balance() : Balance = mBalance : End Property
  Public Property Get Owner() : Owner = mOwner : End Property
  Public Property Let Owner(v)
    If Len(v) = 0 Then Err.Raise 5, "Account", "Owner required"
    mOwner = v
  End Property
  Public Sub Deposit(amt)
    If amt <= 0 Then Err.Raise vbObjectError + 100, "Account.Deposit", "Amount must be positive"
    mBalance = mBalance + amt : AddLog "D " & amt
  End Sub
  Public Function Withdraw(amt)
    Withdraw = False
    If amt > mBalance Then Exit Function
    mBalance = mBalance - amt : AddLog "W " & amt : Withdraw = True
  End Function
  Private Sub AddLog(s)
    ReDim Preserve mLog(mCount) : mLog(mCount) = s : mCount = mCount + 1
  End Sub
  Public Property Get History(i) : History = mLog(i) : End Property
  Public Property Get Count : Count = mCount : End Property
  Public Default Function ToString() : ToString = mOwner & ": " & FormatCurrency(mBalance) : End Function
End Class
Set a = New Account
a.Owner = "Ann"
a.Deposit 100.5
a.Deposit 20
WScript.Echo a.Withdraw(500), a.Withdraw(30.25), a.Balance, TypeName(a.Balance)
For i = 0 To a.Count - 1 : WScript.Echo i, a.History(i) : Next
WScript.Echo a, "[" & a & "]", TypeName(a)
On Error Resume Next
a.Deposit -5
WScript.Echo Err.Number - vbObjectError, Err.Source, Err.Description
Err.Clear
a.Owner = ""
WScript.Echo Err.Number, Err.Source, Err.Description, "[" & a.Owner & "]"
Err.Clear
a.Missing = 1
WScript.Echo Err.Number, Err.Description
Err.Clear
x = a.mBalance
WScript.Echo Err.Number, Err.Description
Err.Clear
a.AddLog "hack"
WScript.Echo Err.Number, Err.Description, a.Count
On Error GoTo 0
Set b = a
b.Deposit 1
WScript.Echo a.Balance, a Is b, (New Account) Is a

Class Animal
  Public Name
  Public Function Speak() : Speak = Name & " makes a sound" : End Function
End Class
Class Dog
  Private base
  Private Sub Class_Initialize : Set base = New Animal : WScript.Echo "init Dog" : End Sub
  Public Property Let Name(v) : base.Name = v : End Property
  Public Property Get Name : Name = base.Name : End Property
  Public Function Speak() : Speak = base.Speak() & ": Woof" : End Function
  Private Sub Class_Terminate : WScript.Echo "bye " & base.Name : End Sub
End Class
Set dg = New Dog
dg.Name = "Rex"
WScript.Echo dg.Speak(), TypeName(dg)
Set dg = Nothing
WScript.Echo TypeName(dg), IsObject(dg), dg Is Nothing

Class Holder
  Private mObj
  Public Property Set Obj(o) : Set mObj = o : End Property
  Public Property Get Obj() : Set Obj = mObj : End Property
End Class
Set h = New Holder
Set h.Obj = CreateObject("Scripting.Dictionary")
h.Obj.Add "k", "v"
WScript.Echo h.Obj.Item("k"), h.Obj.Count, TypeName(h.Obj)
