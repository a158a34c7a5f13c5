' An unhandled Err.Raise reports the raised number and description at the
' line of the Raise inside the method.
Class Account
    Private mBalance
    Public Sub Withdraw(amount)
        If amount > mBalance Then
            Err.Raise vbObjectError + 10, "Account", "Insufficient funds"
        End If
        mBalance = mBalance - amount
    End Sub
    Public Sub Deposit(amount)
        mBalance = mBalance + amount
    End Sub
    Public Property Get Balance()
        Balance = mBalance
    End Property
End Class
Dim acct
Set acct = New Account
acct.Deposit 100
acct.Withdraw 30
WScript.Echo "balance " & acct.Balance
acct.Withdraw 500
WScript.Echo "not reached"
