' Both translators created by ProgID and called late-bound, as TALVO's programs call them.
Option Explicit
Dim failures : failures = 0

Sub Check(description, actual, expected)
  If actual <> expected Then
    WScript.Echo "FAIL " & description & ": got [" & actual & "], expected [" & expected & "]"
    failures = failures + 1
  End If
End Sub

Dim ifmx : Set ifmx = CreateObject("Vortan.Ifmx")
Check "Ifmx outer join", _
  ifmx.Traduci("SELECT a.x, b.y FROM {oj a LEFT OUTER JOIN b ON a.k = b.k} WHERE a.z = 1", "SELECT"), _
  "SELECT a.x, b.y FROM a  ,  OUTER b  WHERE a.k = b.k AND a.z = 1"
Check "Ifmx substr", ifmx.Traduci("select substr(nome,1,10) from t", "UPDATE"), "select nome[1,10] from t"
Check "Ifmx temporary table", ifmx.Traduci("create global temporary table tmp1 (a int)", ""), _
  "CREATE  TEMP TABLE TMP1 (A INT)"
Check "Ifmx FormattaData", ifmx.FormattaData("2002-02-07"), "07/02/2002"
Check "Ifmx TraduciErr", ifmx.TraduciErr(-196), -239

On Error Resume Next
Dim never : never = ifmx.Traduci("SELECT project FROM t WHERE x = 1", "SELECT")
Check "Ifmx error number", Err.Number, 5
Check "Ifmx error description", Err.Description, "Chiamata di routine o argomento non validi"
Check "Ifmx error source", Err.Source, "Vortan.Ifmx"
Err.Clear
never = ifmx.Traduci("SELECT substr(a,x,1) FROM t", "")
Check "Ifmx type mismatch", Err.Number, 13
Err.Clear
On Error GoTo 0

Dim syb : Set syb = CreateObject("Selvan.Syb")
Check "Syb catalogue", syb.Traduci("SELECT table_name FROM systable", "SELECT"), _
  "SELECT  name||'.'||table_name  FROM  systable, sysusers "
Check "Syb other kinds", syb.Traduci("SELECT table_name FROM systable", "select"), "SELECT table_name FROM systable"
Check "Syb FormattaData", syb.FormattaData("00/00/0000"), "null"
Check "Syb TraduciErr", syb.TraduciErr(-196), -196
Check "Syb NoLongTransaction", syb.NoLongTransaction("", 0, "DELETE", Nothing, 1, "", ""), True

WScript.Quit failures
