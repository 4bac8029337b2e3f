// The ODBC calls behind the Informix translator's connection. Only the W and the undecorated
// functions are used: Wine leaves some of the ANSI ones unimplemented.
#include "OdbcConnection.h"

namespace talvo::translators::informix {
namespace {

bool Succeeded(SQLRETURN rc) noexcept { return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO; }

SQLWCHAR* Wide(const char16_t* text) {
  return const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(text));
}

// The first diagnostic record of a handle, as the engine's first error entry. A failure that
// left no record is reported as the engine's own failed call.
EngineError FirstDiagnostic(SQLSMALLINT type, SQLHANDLE handle) {
  SQLWCHAR state[6] = {};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  std::u16string text(512, u'\0');
  SQLRETURN rc = ::SQLGetDiagRecW(type, handle, 1, state, &native, reinterpret_cast<SQLWCHAR*>(text.data()),
                                  static_cast<SQLSMALLINT>(text.size()), &length);
  if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(text.size())) {
    text.assign(static_cast<std::size_t>(length) + 1, u'\0');
    rc = ::SQLGetDiagRecW(type, handle, 1, state, &native, reinterpret_cast<SQLWCHAR*>(text.data()),
                          static_cast<SQLSMALLINT>(text.size()), &length);
  }
  if (!Succeeded(rc)) {
    return {com::RunTimeNumber::OdbcCallFailed,
            std::u16string(com::RunTimeErrorDescription(com::RunTimeNumber::OdbcCallFailed))};
  }
  text.resize(static_cast<std::size_t>(length) < text.size() ? static_cast<std::size_t>(length)
                                                             : text.size());
  return {static_cast<long>(native), std::move(text)};
}

[[noreturn]] void Fail(SQLSMALLINT type, SQLHANDLE handle) {
  throw DatabaseError(FirstDiagnostic(type, handle));
}

}  // namespace

OdbcConnection::OdbcConnection(const std::u16string& connectionString) {
  if (!Succeeded(::SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, env_.put()))) {
    throw DatabaseError({com::RunTimeNumber::OdbcCallFailed,
                         std::u16string(com::RunTimeErrorDescription(com::RunTimeNumber::OdbcCallFailed))});
  }
  if (!Succeeded(::SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION,
                                 reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0))) {
    Fail(SQL_HANDLE_ENV, env_.get());
  }
  if (!Succeeded(::SQLAllocHandle(SQL_HANDLE_DBC, env_.get(), dbc_.put()))) Fail(SQL_HANDLE_ENV, env_.get());
  std::u16string in = connectionString;
  SQLWCHAR out[1024];
  SQLSMALLINT outLength = 0;
  // No prompt: a component must never wait on a dialog the user did not ask for.
  if (!Succeeded(::SQLDriverConnectW(dbc_.get(), nullptr, Wide(in.c_str()), SQL_NTS, out, 1024, &outLength,
                                     SQL_DRIVER_NOPROMPT))) {
    Fail(SQL_HANDLE_DBC, dbc_.get());
  }
}

unique_odbc_stmt OdbcConnection::Run(std::u16string_view sql) {
  unique_odbc_stmt stmt;
  if (!Succeeded(::SQLAllocHandle(SQL_HANDLE_STMT, dbc_.get(), stmt.put()))) Fail(SQL_HANDLE_DBC, dbc_.get());
  std::u16string text(sql);
  SQLRETURN rc = ::SQLExecDirectW(stmt.get(), Wide(text.c_str()), static_cast<SQLINTEGER>(text.size()));
  // A searched DELETE or UPDATE that matches no row answers SQL_NO_DATA: no failure.
  if (!Succeeded(rc) && rc != SQL_NO_DATA) Fail(SQL_HANDLE_STMT, stmt.get());
  return stmt;
}

std::vector<Number> OdbcConnection::Query(std::u16string_view sql, int columns) {
  unique_odbc_stmt stmt = Run(sql);
  SQLRETURN rc = ::SQLFetch(stmt.get());
  if (rc == SQL_NO_DATA) throw com::RunTimeError(com::RunTimeNumber::NoCurrentRecord);
  if (!Succeeded(rc)) Fail(SQL_HANDLE_STMT, stmt.get());
  std::vector<Number> row;
  for (int column = 0; column < columns; ++column) {
    SQLBIGINT value = 0;
    SQLLEN indicator = 0;
    // Column numbers of the result set count from 0; ODBC's count from 1.
    rc = ::SQLGetData(stmt.get(), static_cast<SQLUSMALLINT>(column + 1), SQL_C_SBIGINT, &value, sizeof value,
                      &indicator);
    if (!Succeeded(rc)) Fail(SQL_HANDLE_STMT, stmt.get());
    row.push_back(indicator == SQL_NULL_DATA ? Number() : Number(value));
  }
  return row;  // the statement handle, and with it the result set, closes here
}

void OdbcConnection::Execute(std::u16string_view sql) { Run(sql); }

}  // namespace talvo::translators::informix
