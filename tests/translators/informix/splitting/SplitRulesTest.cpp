// The splitter's arithmetic and texts, without a database: pieces and their bounds, numbers and
// values in SQL, the report's message and log line, and when the report is shown.
#include <gtest/gtest.h>

#include <limits>

#include "com/RunTimeError.h"
#include "splitting/GestioneErrore.h"
#include "splitting/Split.h"
#include "splitting/SqlText.h"

namespace talvo::translators::informix {
namespace {

TEST(SqlText, NumbersCarryABlankWhereTheSignWouldStand) {
  EXPECT_EQ(NumberText(std::int64_t{257}), u" 257");
  EXPECT_EQ(NumberText(std::int64_t{0}), u" 0");
  EXPECT_EQ(NumberText(std::int64_t{-239}), u"-239");
  EXPECT_EQ(NumberText(53.0), u" 53");
  EXPECT_EQ(NumberText(-268.0), u"-268");
  EXPECT_EQ(NumberText(1.5), u" 1.5");
  EXPECT_EQ(DecimalText(-239), u"-239");
  EXPECT_EQ(DecimalText(239), u"239");
}

TEST(SqlText, ValuesAreQuotedWithTheirApostrophesDoubled) {
  EXPECT_EQ(QuotedValue(u"D'Angelo"), u"'D''Angelo'");
  EXPECT_EQ(QuotedValue(u"''"), u"''''''");
  EXPECT_EQ(QuotedValue(u""), u"''");
  EXPECT_EQ(ConditionOn(u"cognome", u"D'Angelo"), u"cognome='D''Angelo'");
  EXPECT_EQ(RowidRange(257, 333590), u" WHERE rowid >=  257 AND rowid <=  333590");
  EXPECT_EQ(RowidRange(-5, 3), u" WHERE rowid >= -5 AND rowid <=  3");
}

struct PiecesCase {
  const char* what;
  std::int64_t count;
  std::int32_t dimMax, lo, hi;
  std::int32_t numPezzi, passo;
  std::vector<std::pair<std::int32_t, std::int32_t>> pieces;
};

TEST(Split, PiecesShareTheirBoundaryAndTheLastEndsAtTheRangesTop) {
  const PiecesCase cases[] = {
      {"the 250,000-row example: the last piece reaches the largest rowid, not 1000256",
       250000,
       100000,
       257,
       1000257,
       3,
       333333,
       {{257, 333590}, {333590, 666923}, {666923, 1000257}}},
      {"one row more than the limit: two pieces", 11, 10, 1, 11, 2, 5, {{1, 6}, {6, 11}}},
      {"an exact division leaves nothing to add", 9, 4, 0, 9, 3, 3, {{0, 3}, {3, 6}, {6, 9}}},
      {"a range narrower than its pieces: steps of 1, none past the top",
       3,
       1,
       1,
       3,
       4,
       1,
       {{1, 2}, {2, 3}, {3, 3}}},
      {"negative rowids", 5, 2, -10, -1, 3, 3, {{-10, -7}, {-7, -4}, {-4, -1}}},
  };
  for (const PiecesCase& c : cases) {
    SCOPED_TRACE(c.what);
    const Split split = SplitRange(c.count, c.dimMax, c.lo, c.hi);
    EXPECT_EQ(split.NumPezzi, c.numPezzi);
    EXPECT_EQ(split.Passo, c.passo);
    EXPECT_EQ(split.RowidMin, c.lo);
    EXPECT_EQ(split.DimMax, c.dimMax);
    std::vector<std::pair<std::int32_t, std::int32_t>> pieces;
    for (std::int32_t i = 1; i <= split.NumPezzi; ++i) {
      if (const std::optional<Piece> piece = PieceOf(split, i)) pieces.emplace_back(piece->lo, piece->hi);
    }
    EXPECT_EQ(pieces, c.pieces);
  }
}

TEST(Split, APieceIsCutAgainOnlyWhenNarrowerThanItsRange) {
  const Split split = SplitRange(2, 1, 7, 8);  // three pieces over two rowids
  EXPECT_FALSE(CanSplitAgain(split, {7, 8}));
  EXPECT_TRUE(CanSplitAgain(split, {7, 7}));
  EXPECT_TRUE(CanSplitAgain(split, {8, 8}));
  EXPECT_FALSE(CanSplitAgain(SplitRange(5, 1, 4, 4), {4, 4}));
}

int ErrorOf(std::int64_t count, std::int32_t dimMax, std::int32_t lo, std::int32_t hi) {
  try {
    SplitRange(count, dimMax, lo, hi);
    return 0;
  } catch (const com::RunTimeError& e) {
    return e.Number();
  }
}

TEST(Split, BadLimitsAndCountsAreRunTimeErrors) {
  EXPECT_EQ(ErrorOf(10, 0, 1, 10), 11);                      // division by zero
  EXPECT_EQ(ErrorOf(10, -1, 1, 10), 5);                      // no split can honour a negative limit
  EXPECT_EQ(ErrorOf(std::int64_t{1} << 40, 1, 1, 10), 6);    // more pieces than 32 bits hold
  EXPECT_EQ(ErrorOf(3, 1, -2147483647 - 1, 2147483647), 0);  // the widest range still fits
  // Counts no database gives, refused rather than dividing by zero or overflowing the sum.
  EXPECT_EQ(ErrorOf(-10, 10, 1, 10), 5);
  EXPECT_EQ(ErrorOf(-1, 10, 1, 10), 5);
  EXPECT_EQ(ErrorOf(std::numeric_limits<std::int64_t>::max(), 1, 1, 10), 6);
  EXPECT_EQ(ErrorOf(std::int64_t{2147483647} * 3, 3, 1, 10), 6);  // the quotient fits, the sum does not
  EXPECT_EQ(Long32(2147483647), 2147483647);
  EXPECT_THROW(Long32(std::int64_t{2147483647} + 1), com::RunTimeError);
}

TEST(GestioneErrore, MessageAndLogLineFollowTheirFixedShapes) {
  EXPECT_EQ(ErrorMessageText(u"Funzione 'FrazionaTabella':", u"Impossibile trovare il file", 53),
            u"Funzione 'FrazionaTabella':\r\n Errore N.  53 - Impossibile trovare il file");
  EXPECT_EQ(ErrorMessageText(u"Titolo", u"descrizione", -239), u"Titolo\r\n Errore N. -239 - descrizione");
  EXPECT_EQ(ErrorLogLine(u"Funzione 'FrazionaTabella':", u"Impossibile trovare il file", 53,
                         u"10/12/2026 03:40:00"),
            u" 53, Funzione 'FrazionaTabella':, Impossibile trovare il file,, 10/12/2026 03:40:00");
  EXPECT_EQ(ErrorLogLine(u"T", u"d", -239, u"x"), u"-239, T, d,, x");
}

TEST(GestioneErrore, TheBoxIsShownOnlyToAnInteractiveUnsilencedSession) {
  EXPECT_TRUE(ReportIsShown(u"", 1));
  EXPECT_TRUE(ReportIsShown(u"0", 1));
  EXPECT_TRUE(ReportIsShown(u"yes", 2));
  EXPECT_FALSE(ReportIsShown(u"1", 1));
  EXPECT_FALSE(ReportIsShown(u"", 0));  // a service has no desktop to show it on
}

}  // namespace
}  // namespace talvo::translators::informix
