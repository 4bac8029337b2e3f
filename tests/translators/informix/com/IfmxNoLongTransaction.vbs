' Ifmx.NoLongTransaction called late-bound, as TALVO's programs call it, on the test data source
' filled by IfmxNoLongTransactionSetup.sql; IfmxNoLongTransactionCheck.sql reads the outcome.
Option Explicit
Dim failures : failures = 0

Sub Check(description, actual, expected)
  If actual <> expected Then
    WScript.Echo "FAIL " & description & ": got [" & actual & "], expected [" & expected & "]"
    failures = failures + 1
  End If
End Sub

Dim ifmx : Set ifmx = CreateObject("Vortan.Ifmx")
' VBScript has no Collection class: a Dictionary keyed 1, 2... answers the same default-member call.
Dim campi : Set campi = CreateObject("Scripting.Dictionary")
campi.Add 1, "classe"
campi.Add 2, "cognome"

Check "update split", ifmx.NoLongTransaction("vbs_allievi", 10, "UPDATE", campi, 2, "D'Angelo", "Rossi"), True
Check "delete split", ifmx.NoLongTransaction("vbs_registro", 10, "DELETE", Nothing, 0, "", ""), True
Check "too few rows to split", ifmx.NoLongTransaction("vbs_allievi", 100, "DELETE", Nothing, 0, "", ""), True
Check "lower-case kind", ifmx.NoLongTransaction("vbs_allievi", 1, "delete", Nothing, 0, "", ""), True
Check "missing table", ifmx.NoLongTransaction("vbs_nessuna", 10, "DELETE", Nothing, 0, "", ""), False
Check "result type", TypeName(ifmx.NoLongTransaction("vbs_allievi", 100, "DELETE", Nothing, 0, "", "")), "Boolean"

WScript.Quit failures
