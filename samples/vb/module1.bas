Attribute VB_Name = "Module1"
Option Explicit

Public Sub Main()
    Dim total As Integer
    Dim message As String
    total = 42
    message = "Hello from Visual Basic"
    MsgBox message
    Call ShowTotal(total)
End Sub

Private Sub ShowTotal(ByVal amount As Integer)
    Debug.Print amount
End Sub
