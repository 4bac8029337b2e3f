// Ifmx.Traduci on any statement and kind: it translates, or fails with run-time error 5, 6, 9 or 13.
#include "FuzzInput.h"
#include "informix/RegoleInformix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvo;
  fuzz::Input input(data, size);
  static const char16_t* const kKinds[] = {u"SELECT", u"EXTERNAL", u"", u"UPDATE"};
  const char16_t* kind = kKinds[input.Byte() % 4];
  const std::u16string query = input.Text();
  try {
    translators::informix::Traduci(query, kind);
  } catch (const com::RunTimeError& error) {
    fuzz::ExpectNumber(error, {5, 6, 9, 13});
  }
  return 0;
}
