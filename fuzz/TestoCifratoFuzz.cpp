// Decoding Cifrel's printable cipher text: any text of code units below 255 decodes to a payload
// of floor(3D/4) bytes, and encoding that payload with its width flag gives back a text that
// decodes to the same payload and flag.
#include "FuzzInput.h"
#include "TestoCifrato.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvo::cifrel;
  std::wstring testo;
  for (std::size_t i = 0; i < size; ++i) testo += static_cast<wchar_t>(data[i] == 255 ? 254 : data[i]);
  const TestoDecodificato decodificato = DecodeCipherText(testo);
  if (decodificato.payload.size() != testo.size() * 3 / 4) std::abort();
  if (decodificato.payload.empty()) return 0;
  const std::wstring ricodificato = EncodeCipherText(decodificato.payload, decodificato.stretto);
  const TestoDecodificato ancora = DecodeCipherText(ricodificato);
  if (ancora.payload != decodificato.payload || ancora.stretto != decodificato.stretto) std::abort();
  return 0;
}
