// The printable cipher-text encoding on its own: the worked example, lengths, and round trips.
#include <gtest/gtest.h>

#include "TestoCifrato.h"

namespace talvo::cifrel {
namespace {

TEST(TestoCifrato, EncodesTheWorkedExample) {
  EXPECT_EQ(EncodeCipherText({0x61, 0x62, 0x63}, true), L"mYWJj");
  const TestoDecodificato d = DecodeCipherText(L"mYWJj");
  EXPECT_TRUE(d.stretto);
  EXPECT_EQ(d.payload, (std::vector<std::uint8_t>{0x61, 0x62, 0x63}));
}

TEST(TestoCifrato, RoundTripsEveryLengthAndWidth) {
  const std::wstring alfabeto = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::size_t lunghezza = 1; lunghezza <= 40; ++lunghezza) {
    std::vector<std::uint8_t> payload(lunghezza);
    for (std::size_t i = 0; i < lunghezza; ++i) payload[i] = static_cast<std::uint8_t>(255 - i * 37);
    for (bool stretto : {true, false}) {
      const std::wstring testo = EncodeCipherText(payload, stretto);
      ASSERT_EQ(testo.size(), 4 * lunghezza / 3 + 1) << lunghezza;
      EXPECT_EQ(testo.find_first_not_of(alfabeto), std::wstring::npos);
      const TestoDecodificato d = DecodeCipherText(testo);
      EXPECT_EQ(d.stretto, stretto) << lunghezza;
      EXPECT_EQ(d.payload, payload) << lunghezza;
    }
  }
}

TEST(TestoCifrato, AOneCharacterTextHasNoPayload) {
  EXPECT_TRUE(DecodeCipherText(L"A").payload.empty());
  EXPECT_TRUE(DecodeCipherText(L"").payload.empty());
}

}  // namespace
}  // namespace talvo::cifrel
