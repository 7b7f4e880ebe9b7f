#include "support/log_database.h"

namespace zqt::test {

LogDatabase::LogDatabase(Engine engine) : engine_(engine) {
  if (engine == Engine::kSqlite) {
    sqlite_.emplace();
  } else {
    postgres_.emplace();
  }
}

std::unique_ptr<OdbcConnection> LogDatabase::Connect(std::string_view options) const {
  if (sqlite_) {
    return std::make_unique<SqliteConnection>(*sqlite_, options);
  }
  return std::make_unique<OdbcConnection>(Engine::kPostgres, postgres_->ConnectionString(options));
}

std::string_view LinguisticCollation(Engine engine) {
  return engine == Engine::kSqlite ? "COLLATE NOCASE" : "";
}

std::string_view OrdinalCollation(Engine engine) {
  return engine == Engine::kSqlite ? "" : "COLLATE \"C\"";
}

}  // namespace zqt::test
