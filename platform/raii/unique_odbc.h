// Owners for ODBC handles, in the shape of unique_any: the environment, the connection (which is
// disconnected before it is freed) and the statement.
#pragma once

#include <windows.h>
// The ODBC headers build on the Windows types.
#include <sql.h>
#include <sqlext.h>

#include "unique_any.h"

namespace talvo {

namespace detail {
inline void free_odbc_env(SQLHENV h) noexcept { ::SQLFreeHandle(SQL_HANDLE_ENV, h); }
// Disconnecting a handle that never connected only returns an error, so one close fits both.
inline void free_odbc_dbc(SQLHDBC h) noexcept {
  ::SQLDisconnect(h);
  ::SQLFreeHandle(SQL_HANDLE_DBC, h);
}
inline void free_odbc_stmt(SQLHSTMT h) noexcept { ::SQLFreeHandle(SQL_HANDLE_STMT, h); }
}  // namespace detail

using unique_odbc_env = unique_any<SQLHENV, detail::free_odbc_env>;
using unique_odbc_dbc = unique_any<SQLHDBC, detail::free_odbc_dbc>;
using unique_odbc_stmt = unique_any<SQLHSTMT, detail::free_odbc_stmt>;

}  // namespace talvo
