// A split of a rowid range into pieces, each meant to hold at most about DimMax rows.
//
// How it works: piece i (from 1) covers the rowids from RowidMin + (i - 1) * Passo to
// RowidMin + i * Passo, both included, so consecutive pieces share their boundary rowid. The last
// piece ends at RowidMax, the range's upper bound, so that the rows above the rounded-down
// NumPezzi * Passo are not left behind; no piece reaches past RowidMax. Arithmetic is 32-bit, and
// a count or bound outside that range is run-time error 6.
#pragma once

#include <cstdint>
#include <optional>

namespace talvo::translators::informix {

struct Split {
  std::int32_t NumPezzi = 0;
  std::int32_t Passo = 0;
  std::int32_t RowidMin = 0;
  std::int32_t DimMax = 0;
  std::int32_t RowidMax = 0;
};

struct Piece {
  std::int32_t lo = 0;
  std::int32_t hi = 0;
};

// The value as a 32-bit number; run-time error 6 when it does not fit.
std::int32_t Long32(std::int64_t value);

// The split of the rowids lo..hi holding `count` rows: NumPezzi is the integer part of
// count / dimMax plus 1, Passo the integer part of (hi - lo) / NumPezzi, at least 1 so that the
// pieces always advance. A dimMax of 0 is run-time error 11, a negative one or a negative count
// run-time error 5, a count that gives more pieces than 32 bits hold run-time error 6.
Split SplitRange(std::int64_t count, std::int32_t dimMax, std::int32_t lo, std::int32_t hi);

// Piece i of the split; empty when it would start past RowidMax (a range narrower than its
// number of pieces needs fewer of them).
std::optional<Piece> PieceOf(const Split& split, std::int32_t i);

// Whether a piece holding too many rows can be cut again: only when it is narrower than the
// range it was cut from, so that every level of the recursion makes progress.
bool CanSplitAgain(const Split& split, const Piece& piece);

}  // namespace talvo::translators::informix
