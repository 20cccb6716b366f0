' A client as the suite's programs are: late-bound through CreateObject, errors through Err.
' Leaves the window showing the table of 25 December 2026, 10:30.
Option Explicit
Dim quilan, failures, ignored
failures = 0

Sub Check(condition, what)
  If Not condition Then
    WScript.Echo "FAILED: " & what
    failures = failures + 1
  End If
End Sub

Set quilan = CreateObject("OrbelleAngles.QuilanCls")
quilan.Data = "1/1/2000 12:00"

On Error Resume Next
quilan.Data = "the day after tomorrow"
Check Err.Number = 13, "a text without a date gives error 13 (Type mismatch), got " & Err.Number
Check InStr(Err.Description, """the day after tomorrow""") > 0, "the description names the text: " & Err.Description
Err.Clear
ignored = quilan.Data
Check Err.Number = 438, "reading Data fails with error 438, got " & Err.Number
Err.Clear
quilan.Data = "12/25/2026 10:30"
Check Err.Number = 0, "a later good assignment succeeds: " & Err.Description
On Error GoTo 0

Set quilan = Nothing
If failures = 0 Then
  WScript.Echo "all checks passed"
Else
  WScript.Quit 1
End If
