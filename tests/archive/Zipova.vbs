' ZipovaCOM.Zipova as the application's programs use it: created by ProgID and called late-bound.
Option Explicit

Dim failures : failures = 0
Sub Check(condition, what)
  If Not condition Then
    WScript.Echo "FAILED: " & what
    failures = failures + 1
  End If
End Sub

Dim z : Set z = CreateObject("ZipovaCOM.Zipova")
Check z.GetFileCount() = 0, "a new object holds no name"
Check z.Zip() = -1, "Zip without names is -1"
Check z.ZipFileName = "", "no archive name"
Check z.RootDir = "", "no root folder"
Check z.CompressionLevel = 0, "level 0"
Check z.RecurseSubdirectories = False, "flags start False"
Check z.Encrypted = False, "Encrypted starts False"

z.RecurseSubdirectories = True
Check z.RecurseSubdirectories = True, "a flag reads back True"
z.CompressionLevel = 10
Check z.CompressionLevel = 0, "level 10 is dropped"
z.CompressionLevel = 9
Check z.CompressionLevel = 9, "level 9 is kept"
z.CompressionLevel = -1
Check z.CompressionLevel = 9, "level -1 is dropped"
z.IncludeExcludeDate = "2010-01-31"
Check z.IncludeExcludeDate = "2010-01-31", "a date is kept"
z.IncludeExcludeDate = "domani"
Check z.IncludeExcludeDate = "2010-01-31", "a text that is no date is dropped"
z.IncludeExcludeDate = ""
Check z.IncludeExcludeDate = "", "the empty text clears the date"

Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Dim cartella : cartella = fso.GetSpecialFolder(2) & "\zipova-vbs"
If fso.FolderExists(cartella) Then fso.DeleteFolder cartella, True
fso.CreateFolder cartella
fso.CreateFolder cartella & "\sub"
Dim f : Set f = fso.CreateTextFile(cartella & "\sub\registro.txt", True)
f.Write "Classe 3B" & vbCrLf
f.Close

Check z.AddFile("sub") = 1, "AddFile returns the count"
Check z.Zip() = -2, "Zip without an archive name is -2"
z.RootDir = cartella
z.ZipFileName = cartella & "\archivio.zip"
z.Quiet = True
Check z.Zip() = 0, "Zip builds the archive"
Check fso.FileExists(cartella & "\archivio.zip"), "the archive exists"
Check z.Zip() = 0, "the same list again"
Check z.GetFileCount() = 1, "Zip keeps the list"

Dim i
For i = 2 To 100
  z.AddFile "nome" & i
Next
Check z.GetFileCount() = 100, "100 names"
On Error Resume Next
z.AddFile "uno di troppo"
Check Err.Number = 9, "the 101st name is error 9, not " & Err.Number
Err.Clear
On Error GoTo 0
Check z.GetFileCount() = 100, "still 100 names"

fso.DeleteFolder cartella, True
If failures = 0 Then WScript.Echo "Zipova.vbs: all checks passed"
WScript.Quit failures
