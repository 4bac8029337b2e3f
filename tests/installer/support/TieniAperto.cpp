// A separate Windows program that holds a file open with no sharing until it is told to let go,
// as another program holding a file does: TieniAperto <file> <ready event> <release event>.
// It gives up by itself after a minute, so a test that died never leaves the file held.
#include <windows.h>

#include "raii/unique_any.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const talvo::unique_handle pronto(::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]));
  const talvo::unique_handle rilascia(::OpenEventA(SYNCHRONIZE, FALSE, argv[3]));
  if (!pronto || !rilascia) return 3;
  const talvo::unique_hfile file = talvo::make_hfile(::CreateFileA(
      argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return 4;
  ::SetEvent(pronto.get());
  return ::WaitForSingleObject(rilascia.get(), 60000) == WAIT_OBJECT_0 ? 0 : 5;
}
