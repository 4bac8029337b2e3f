// Benchmark of the long-transaction splitter on the data source TALVO: a DELETE of 1,000,000 rows
// run by NoLongTransaction with DimMaxTabella 100,000, against a single DELETE of the same rows.
// The single DELETE is timed twice: unqualified, which SQLite serves by dropping the table's pages
// at once, and with a WHERE clause over all rowids, which deletes row by row as the pieces do.
// Prints, per run, the pieces deleted, the statements sent and the time; then the medians.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "RecordingConnection.h"
#include "TestDatabase.h"
#include "splitting/NoLongTransaction.h"

namespace {

using talvo::test::RecordingConnection;
using talvo::test::TestDatabase;

constexpr std::int64_t kRows = 1000000;
constexpr long kDimMaxTabella = 100000;
constexpr int kRuns = 3;

double Seconds() {
  LARGE_INTEGER frequency, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Fill(TestDatabase& db) {
  db.CreateTable(u"bench");
  db.InsertRows(u"bench", 1, 1, kRows, u"riga");
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  try {
    TestDatabase db;
    std::vector<double> split, single, searched;
    for (int run = 1; run <= kRuns; ++run) {
      Fill(db);
      RecordingConnection recorder(db.Connection());
      const double start = Seconds();
      const bool done = talvo::translators::informix::NoLongTransaction(
          recorder, u"bench", kDimMaxTabella, u"DELETE", [] { return std::u16string(); }, u"", u"");
      const double elapsed = Seconds() - start;
      const auto pieces =
          std::count_if(recorder.Statements().begin(), recorder.Statements().end(),
                        [](const std::u16string& sql) { return sql.rfind(u"DELETE", 0) == 0; });
      const std::int64_t left = db.Count(u"bench");
      std::printf("split  run %d: result %s, %lld pieces, %zu statements, %lld rows left, %.3f s\n", run,
                  done ? "True" : "False", static_cast<long long>(pieces), recorder.Statements().size(),
                  static_cast<long long>(left), elapsed);
      split.push_back(elapsed);

      Fill(db);
      const double begin = Seconds();
      db.Connection().Execute(u"DELETE FROM bench");
      const double once = Seconds() - begin;
      std::printf("single run %d: 1 statement, %lld rows left, %.3f s\n", run,
                  static_cast<long long>(db.Count(u"bench")), once);
      single.push_back(once);

      Fill(db);
      const double from = Seconds();
      db.Connection().Execute(u"DELETE FROM bench WHERE rowid >=  1 AND rowid <=  1000000");
      const double scan = Seconds() - from;
      std::printf("searched single run %d: 1 statement, %lld rows left, %.3f s\n", run,
                  static_cast<long long>(db.Count(u"bench")), scan);
      searched.push_back(scan);
    }
    db.Connection().Execute(u"DROP TABLE bench");
    std::printf(
        "median: split %.3f s, single DELETE %.3f s (ratio %.2f), searched single DELETE %.3f s (ratio "
        "%.2f)\n",
        Median(split), Median(single), Median(split) / Median(single), Median(searched),
        Median(split) / Median(searched));
    return 0;
  } catch (const talvo::com::RunTimeError& e) {
    std::fprintf(stderr, "benchmark failed: run-time error %d\n", e.Number());
    return 1;
  }
}
