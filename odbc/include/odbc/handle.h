#pragma once
// The owner of one ODBC handle: an environment, a connection or a statement, freed when the owner goes.

#include "odbc/odbc_api.h"

namespace zqt::odbc {

class Handle {
 public:
  // Allocates a handle of `type` on `parent` (SQL_NULL_HANDLE for an environment). When the driver refuses,
  // raises Error with the parent's diagnostics, or else with "Cannot allocate a statement on the connection"
  // (or the environment's or the connection's like text).
  Handle(SQLSMALLINT type, SQLHANDLE parent);
  ~Handle();

  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  SQLHANDLE get() const { return handle_; }
  SQLSMALLINT type() const { return type_; }

 private:
  SQLSMALLINT type_;
  SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// Declares ODBC 3 behaviour on an environment, which must come before a connection is allocated on it.
// Returns the environment's handle, for that allocation; raises Error with the environment's diagnostics.
SQLHANDLE WithOdbc3(const Handle& environment);

}  // namespace zqt::odbc
