// Piece arithmetic of the long-transaction splitter.
#include "Split.h"

#include <algorithm>
#include <limits>

#include "com/RunTimeError.h"

namespace talvo::translators::informix {

std::int32_t Long32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
    throw com::RunTimeError(com::RunTimeNumber::Overflow);
  }
  return static_cast<std::int32_t>(value);
}

Split SplitRange(std::int64_t count, std::int32_t dimMax, std::int32_t lo, std::int32_t hi) {
  if (dimMax == 0) throw com::RunTimeError(com::RunTimeNumber::DivisionByZero);
  // A negative limit would give no piece or a piece as wide as the range, cut again forever.
  if (dimMax < 0) throw com::RunTimeError(com::RunTimeNumber::InvalidCall);
  // A row count is never negative; one that is would give no piece at all and a division by zero.
  if (count < 0) throw com::RunTimeError(com::RunTimeNumber::InvalidCall);
  Split split;
  // The quotient is checked before 1 is added, so that no count overflows the sum.
  split.NumPezzi = Long32(std::int64_t{Long32(count / dimMax)} + 1);
  split.Passo = std::max<std::int32_t>(1, Long32((std::int64_t{hi} - lo) / split.NumPezzi));
  split.RowidMin = lo;
  split.DimMax = dimMax;
  split.RowidMax = hi;
  return split;
}

std::optional<Piece> PieceOf(const Split& split, std::int32_t i) {
  // In 64 bits: no bound lies past RowidMax, so clamped bounds always fit.
  const std::int64_t lo = std::int64_t{split.RowidMin} + std::int64_t{i - 1} * split.Passo;
  if (lo > split.RowidMax) return std::nullopt;
  const std::int64_t hi =
      i == split.NumPezzi ? split.RowidMax
                          : std::min<std::int64_t>(
                                std::int64_t{split.RowidMin} + std::int64_t{i} * split.Passo, split.RowidMax);
  return Piece{static_cast<std::int32_t>(lo), static_cast<std::int32_t>(hi)};
}

bool CanSplitAgain(const Split& split, const Piece& piece) {
  return piece.lo > split.RowidMin || piece.hi < split.RowidMax;
}

}  // namespace talvo::translators::informix
