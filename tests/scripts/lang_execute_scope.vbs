' Execute inside a procedure works on that procedure's locals: the names it
' declares or first assigns are locals that the rest of the procedure, and
' later Execute and Eval code, see.
Sub DimInExecute()
    Execute "Dim q : q = 5"
    WScript.Echo "q = " & q
End Sub
DimInExecute
Sub AssignInExecute()
    Execute "w = 6"
    WScript.Echo "w = " & w
    Execute "w = w + 1"
    WScript.Echo "w = " & w & ", Eval: " & Eval("w * 2")
End Sub
AssignInExecute
WScript.Echo "w is no global: " & IsEmpty(w)
Sub OnlyDynamic()
    Execute "Dim hidden : hidden = ""h"""
    Execute "WScript.Echo ""a later Execute sees "" & hidden"
    WScript.Echo "Eval sees " & Eval("hidden")
End Sub
OnlyDynamic
Sub Mixed(p)
    Execute "p = p * 10"
    Dim loc : loc = 1
    Execute "loc = loc + 1 : Dim newOne : newOne = loc * 5"
    WScript.Echo "p=" & p & " loc=" & loc & " newOne=" & newOne
End Sub
Dim pv : pv = 2
Mixed pv
WScript.Echo "ByRef through Execute: " & pv
Dim g : g = "global"
Sub AssignsGlobal()
    Execute "g = ""set by Execute"""
End Sub
AssignsGlobal
WScript.Echo g
Sub DimShadowsGlobal()
    Execute "Dim g : g = ""local"""
    WScript.Echo "inside: " & g
End Sub
DimShadowsGlobal
WScript.Echo "outside: " & g
Sub Nested()
    Execute "Execute ""Dim deep : deep = 9"""
    WScript.Echo "nested Execute: " & deep
End Sub
Nested
Function Twice()
    Execute "Twice = 2 * 21"
End Function
WScript.Echo "the function's value: " & Twice()
Sub Fresh()
    WScript.Echo "a new call starts clean: [" & q & "]"
    Execute "Dim q : q = 1"
End Sub
Fresh : Fresh
Class C
    Private secret
    Sub Run()
        Execute "secret = 3 : Dim own : own = secret + 1"
        WScript.Echo "in a class: " & secret & " " & own
    End Sub
End Class
Set c1 = New C
c1.Run
Execute "topLevel = 1"
WScript.Echo "top-level Execute makes globals: " & topLevel
Sub Explicitly()
    Execute "Option Explicit" & vbLf & "Dim made : made = 7"
    WScript.Echo "made = " & made
End Sub
Explicitly
