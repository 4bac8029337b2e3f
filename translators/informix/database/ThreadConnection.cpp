// The calling thread's connection, held in thread-local storage: the runtime closes it when the
// thread ends, and for the unloading thread when the library is unloaded.
#include "ThreadConnection.h"

#include <memory>

#include "OdbcConnection.h"

namespace talvo::translators::informix {
namespace {

thread_local std::unique_ptr<OdbcConnection> connection;

OdbcConnection& Opened() {
  if (!connection) connection = std::make_unique<OdbcConnection>(kDataSource);
  return *connection;
}

}  // namespace

std::vector<Number> ThreadConnection::Query(std::u16string_view sql, int columns) {
  return Opened().Query(sql, columns);
}

void ThreadConnection::Execute(std::u16string_view sql) { Opened().Execute(sql); }

bool ThreadConnection::Connected() noexcept { return connection != nullptr; }

void ThreadConnection::Close() noexcept { connection.reset(); }

}  // namespace talvo::translators::informix
