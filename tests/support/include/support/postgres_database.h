#pragma once
// PostgreSQL test databases on the cluster that scripts/postgres-session.sh started for the run. Its address
// comes from the environment (ZQT_PG_SERVER, ZQT_PG_PORT, ZQT_PG_USER, ZQT_PG_DATABASE); without it every
// PostgreSQL test fails, so a run that could not start the server never passes by skipping them.

#include <string>
#include <string_view>

#include "support/odbc_connection.h"

namespace zqt::test {

struct PostgresServer {
  std::string server, port, user, database;

  // Throws std::runtime_error naming what is missing when no cluster was started for this run.
  static PostgresServer FromEnvironment();

  // "Driver=PostgreSQL ANSI;Server=...;Port=...;Database=...;Uid=<user>;" followed by `options`.
  std::string ConnectionString(std::string_view options = "", std::string_view user = "") const;
};

// A schema of the test's own in the run's database (created with ICU collation "en-US"), dropped with
// everything in it when the object goes. Its connections find unqualified table names in it first.
class PostgresDatabase {
 public:
  PostgresDatabase();
  ~PostgresDatabase();

  PostgresDatabase(const PostgresDatabase&) = delete;
  PostgresDatabase& operator=(const PostgresDatabase&) = delete;

  const std::string& Schema() const { return schema_; }

  // A connection string that works in this schema, as the superuser or as `user`.
  std::string ConnectionString(std::string_view options = "", std::string_view user = "") const;

 private:
  PostgresServer server_;
  std::string schema_;
  OdbcConnection admin_;
};

}  // namespace zqt::test
