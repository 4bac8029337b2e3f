// FormattaData of both classes, and TraduciErr of both on a 32-bit number: the Informix date
// literal either comes out or fails with run-time error 5 or 6; the Sybase rules never fail.
#include "FuzzInput.h"
#include "informix/RegoleInformix.h"
#include "sybase/RegoleSybase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvo;
  using namespace talvo::translators;
  fuzz::Input input(data, size);
  const auto numero = input.Number<std::int32_t>();
  informix::TraduciErr(numero);
  sybase::TraduciErr(numero);
  const std::u16string campo = input.Text();
  sybase::FormattaData(campo);
  try {
    informix::FormattaData(campo);
  } catch (const com::RunTimeError& error) {
    fuzz::ExpectNumber(error, {5, 6});
  }
  return 0;
}
