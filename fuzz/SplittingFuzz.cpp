// The splitting's arithmetic and text helpers on the values a database and a caller can give: a
// row count that is never negative, any limit and rowid bounds with lo <= hi, any column and
// value. A split either comes out, with every piece inside the range, or fails with run-time
// error 5, 6 or 11.
#include "FuzzInput.h"
#include "splitting/Split.h"
#include "splitting/SqlText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace talvo;
  using namespace talvo::translators::informix;
  fuzz::Input input(data, size);
  const std::int64_t count = input.Number<std::int64_t>() & 0x7FFFFFFFFFFFFFFF;
  const auto dimMax = input.Number<std::int32_t>();
  auto lo = input.Number<std::int32_t>();
  auto hi = input.Number<std::int32_t>();
  if (lo > hi) std::swap(lo, hi);
  const auto number = input.Number<std::int64_t>();
  NumberText(number);
  DecimalText(number);
  NumberText(static_cast<double>(number) / 7.0);
  RowidRange(lo, hi);
  const std::u16string text = input.Text();
  const std::size_t half = text.size() / 2;
  QuotedValue(text);
  ConditionOn(std::u16string_view(text).substr(0, half), std::u16string_view(text).substr(half));
  try {
    const Split split = SplitRange(count, dimMax, lo, hi);
    // Only the first and last few pieces: a split may hold up to 2^31 of them.
    for (std::int32_t i : {1, 2, 3, split.NumPezzi - 1, split.NumPezzi}) {
      if (i < 1 || i > split.NumPezzi) continue;
      if (const auto piece = PieceOf(split, i)) {
        if (piece->lo < lo || piece->hi > hi || piece->lo > piece->hi) std::abort();
        CanSplitAgain(split, *piece);
      }
    }
  } catch (const com::RunTimeError& error) {
    fuzz::ExpectNumber(error, {5, 6, 11});
  }
  return 0;
}
