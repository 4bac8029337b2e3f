// One CreateFileA per file for the test; the Restart Manager only for a file found held, since a
// session of its own costs far more than an open.
#include "FileInUso.h"

#include <windows.h>
#include <restartmanager.h>

#include <vector>

#include "core/TestoAnsi.h"
#include "raii/unique_any.h"

namespace talvo {

namespace {

void ChiudiSessione(DWORD sessione) noexcept { ::RmEndSession(sessione); }
// Session handles are small numbers from 0 on: none of them is ever all ones.
using unique_rm_session = unique_any<DWORD, ChiudiSessione, static_cast<DWORD>(-1)>;

}  // namespace

bool FileTrattenuto(const std::string& percorso) {
  const unique_hfile file = make_hfile(::CreateFileA(percorso.c_str(), DELETE,
                                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !file && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

std::string ProgrammiCheTrattengono(const std::string& percorso) {
  unique_rm_session sessione;
  WCHAR chiave[CCH_RM_SESSION_KEY + 1] = {};
  if (::RmStartSession(sessione.put(), 0, chiave) != ERROR_SUCCESS) return {};
  const std::wstring nome = WideDaAnsi(percorso);
  LPCWSTR nomi[] = {nome.c_str()};
  if (::RmRegisterResources(sessione.get(), 1, nomi, 0, nullptr, 0, nullptr) != ERROR_SUCCESS) return {};

  std::vector<RM_PROCESS_INFO> processi;
  UINT necessari = 0;
  UINT letti = 0;
  DWORD motivi = 0;
  DWORD esito = ERROR_MORE_DATA;
  // The list can grow between the two calls: ask again with the size it needs now, a few times.
  for (int tentativo = 0; tentativo < 3 && esito == ERROR_MORE_DATA; ++tentativo) {
    processi.resize(necessari);
    letti = necessari;
    esito = ::RmGetList(sessione.get(), &necessari, &letti, processi.empty() ? nullptr : processi.data(),
                        &motivi);
  }
  if (esito != ERROR_SUCCESS) return {};

  std::string programmi;
  for (UINT i = 0; i < letti && i < processi.size(); ++i) {
    const std::string programma =
        AnsiDaWide(processi[i].strAppName, ::wcsnlen(processi[i].strAppName, CCH_RM_MAX_APP_NAME + 1));
    if (programma.empty()) continue;
    if (!programmi.empty()) programmi += ", ";
    programmi += programma;
  }
  return programmi;
}

}  // namespace talvo
