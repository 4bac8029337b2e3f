// The application's data source TALVO as the Informix translator reaches it: one ODBC
// connection per thread (each apartment of the library has its own), opened on first use and
// kept until the library may be unloaded (CloseAll, from DllCanUnloadNow), so that no connection
// is ever closed under the loader lock.
#pragma once

#include <cstddef>

#include "DatabaseConnection.h"

namespace talvo::translators::informix {

// The connection string of the application's data source.
inline constexpr char16_t kDataSource[] = u"DSN=TALVO";

class ThreadConnection final : public DatabaseConnection {
 public:
  // A connection that cannot be opened is a DatabaseError of this call; the next call tries again.
  std::vector<Number> Query(std::u16string_view sql, int columns) override;
  void Execute(std::u16string_view sql) override;

  // Whether the calling thread holds an open connection.
  static bool Connected() noexcept;
  // Closes the calling thread's connection, if any; the next use opens a new one.
  static void Close() noexcept;
  // Closes every thread's connection; called when the library may be unloaded.
  static void CloseAll() noexcept;
  // How many connections are open, over all threads.
  static std::size_t OpenCount() noexcept;
};

}  // namespace talvo::translators::informix
