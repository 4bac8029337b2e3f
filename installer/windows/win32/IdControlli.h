// Control identifiers and window class names of the installer's windows. Tests and the demo
// driver find the controls of a running SetupTalvo by these numbers and names.
#pragma once

namespace talvo::finestre {

// Window classes of the installer's top-level windows.
inline constexpr const char* ClasseSetupPBD = "TalvoSetupPBD";
inline constexpr const char* ClasseFrmAttendere = "TalvofrmAttendere";
inline constexpr const char* ClasseFrmModRel = "TalvoFrmModRel";
inline constexpr const char* ClasseFrmMostraLog = "TalvoFrmMostraLog";
inline constexpr const char* ClasseFrmStampa = "TalvoFrmStampa";
// The filled rectangles of the main window's rows.
inline constexpr const char* ClasseShape = "TalvoShape";

namespace IdSetupPBD {
constexpr int Label1 = 1001;
constexpr int CmbDischi = 1002;
constexpr int cmdAggiorna = 1003;
constexpr int CmdEsci = 1004;
// Row i's controls are the base plus i (rows 0 to 8).
constexpr int LblArea = 1100;
constexpr int LblStato = 1200;
constexpr int LblEsito = 1300;
constexpr int lblOk = 1400;
constexpr int Shape1 = 1500;
}  // namespace IdSetupPBD

namespace IdFrmAttendere {
constexpr int Label1 = 2001;
}  // namespace IdFrmAttendere

namespace IdFrmModRel {
constexpr int txtVecchiarel = 3001;
constexpr int CmdAgg = 3002;
}  // namespace IdFrmModRel

namespace IdFrmMostraLog {
constexpr int TxtFile = 4001;
// Menu entries of "&Principale".
constexpr int mnup3 = 4101;
constexpr int mnup2 = 4102;
constexpr int mnup4 = 4103;
}  // namespace IdFrmMostraLog

namespace IdFrmStampa {
constexpr int Label1 = 5001;
constexpr int CmbStampante = 5002;
constexpr int CmdStampa = 5003;
constexpr int CmdEsci = 5004;
}  // namespace IdFrmStampa

}  // namespace talvo::finestre
