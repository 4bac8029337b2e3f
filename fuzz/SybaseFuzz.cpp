// The Sybase rules on any statement: Syb.Traduci (kind SELECT or not) never fails.
#include "FuzzInput.h"
#include "sybase/RegoleSybase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvo::translators;
  talvo::fuzz::Input input(data, size);
  const bool select = input.Byte() % 2 == 0;
  const std::u16string query = input.Text();
  sybase::Traduci(query, select ? u"SELECT" : u"UPDATE");
  return 0;
}
