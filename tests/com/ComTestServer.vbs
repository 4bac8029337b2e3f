' Late-bound use of the COM test server, as an automation client creates and calls it.
Option Explicit
Dim failures : failures = 0

Sub Check(description, actual, expected)
  If actual <> expected Then
    WScript.Echo "FAIL " & description & ": got [" & actual & "], expected [" & expected & "]"
    failures = failures + 1
  End If
End Sub

Dim echo : Set echo = CreateObject("ComTestServer.Echo")
Check "Echo", echo.Echo("abc"), "abc"

On Error Resume Next
echo.Fail 9
Check "error number", Err.Number, 9
Check "error description", Err.Description, "Indice non compreso nell'intervallo"
Check "error source", Err.Source, "ComTestServer.Echo"
Err.Clear
On Error GoTo 0

Dim inner : Set inner = CreateObject("ComTestServer.Inner")
Check "versioned ProgID", inner.Echo("x"), "x"

WScript.Quit failures
