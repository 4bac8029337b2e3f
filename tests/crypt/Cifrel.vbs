' Cifrel.Crypt as the application's programs use it: created by ProgID and called late-bound.
Option Explicit

Dim failures : failures = 0
Sub Check(condition, what)
  If Not condition Then
    WScript.Echo "FAILED: " & what
    failures = failures + 1
  End If
End Sub

Dim crypt : Set crypt = CreateObject("Cifrel.Crypt")
Check crypt.Password = "", "a new object has no password"
crypt.Password = "secret"
Check crypt.Password = "secret", "the password reads back"

' A literal and a variable (passed by reference) give the same cipher text.
Dim testo : testo = "Registro elettronico"
Dim cifrato : cifrato = crypt.Encrypt(testo)
Check cifrato = crypt.Encrypt("Registro elettronico"), "literal and variable agree"
Check Len(cifrato) = 27, "narrow text length"
Check crypt.Decrypt(cifrato) = testo, "string round trip"

Dim numero : numero = CLng(123456)
Dim numeroCifrato : numeroCifrato = crypt.Encrypt(numero)
Check VarType(numeroCifrato) = vbLong, "a number stays a number"
Check numeroCifrato <> numero, "the number is enciphered"
Check crypt.Decrypt(numeroCifrato) = numero, "number round trip"

Dim fso : Set fso = CreateObject("Scripting.FileSystemObject")
Dim cartella : cartella = fso.GetSpecialFolder(2) & "\"
Dim f : Set f = fso.CreateTextFile(cartella & "cifrel-chiaro.txt", True)
f.Write "Scuola media statale" & vbCrLf & "Classe 3B"
f.Close
Check crypt.EncryptFile(cartella & "cifrel-chiaro.txt", cartella & "cifrel-cifrato.bin") = 0, "EncryptFile succeeds"
Check crypt.DecryptFile(cartella & "cifrel-cifrato.bin", cartella & "cifrel-decifrato.txt") = 0, "DecryptFile succeeds"
Check fso.OpenTextFile(cartella & "cifrel-decifrato.txt").ReadAll = "Scuola media statale" & vbCrLf & "Classe 3B", "file round trip"
Check fso.GetFile(cartella & "cifrel-cifrato.bin").Size = fso.GetFile(cartella & "cifrel-chiaro.txt").Size, "same length"
Check crypt.EncryptFile(cartella & "cifrel-assente.txt", cartella & "x.bin") = &H8FFFFFF2, "missing input"
fso.DeleteFile cartella & "cifrel-*.*"

If failures = 0 Then WScript.Echo "Cifrel.vbs: all checks passed"
WScript.Quit failures
