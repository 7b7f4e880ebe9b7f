#pragma once
// One log database of the test's own on either engine, so the same test runs against SQLite and PostgreSQL:
// a parameterised fixture, instantiated with AllEngines().

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "support/odbc_connection.h"
#include "support/postgres_database.h"
#include "support/sqlite_database.h"

namespace zqt::test {

class LogDatabase {
 public:
  explicit LogDatabase(Engine engine);

  Engine engine() const { return engine_; }

  // A new connection; `options` are appended to the connection string.
  std::unique_ptr<OdbcConnection> Connect(std::string_view options = "") const;

  // Null on SQLite.
  const PostgresDatabase* Postgres() const { return postgres_ ? &*postgres_ : nullptr; }

 private:
  Engine engine_;
  std::optional<TempDatabase> sqlite_;
  std::optional<PostgresDatabase> postgres_;
};

// The column clause that makes "order by CallSign" linguistic, letter case aside (SQLite's NOCASE; the ICU
// database's default on PostgreSQL), and the one that makes it ordinal.
std::string_view LinguisticCollation(Engine engine);
std::string_view OrdinalCollation(Engine engine);

// A test on one engine's log database, with one connection opened on it.
class EngineTest : public ::testing::TestWithParam<Engine> {
 protected:
  Engine engine() const { return GetParam(); }

  LogDatabase database{GetParam()};
  std::unique_ptr<OdbcConnection> connection_owner = database.Connect();
  OdbcConnection& connection = *connection_owner;
};

inline auto AllEngines() {
  return ::testing::Values(Engine::kSqlite, Engine::kPostgres);
}

inline std::string EngineTestName(const ::testing::TestParamInfo<Engine>& info) {
  return std::string(EngineName(info.param));
}

}  // namespace zqt::test
