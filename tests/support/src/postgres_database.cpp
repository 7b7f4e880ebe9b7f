#include "support/postgres_database.h"

#include <cstdlib>
#include <random>
#include <stdexcept>

namespace zqt::test {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') {
    throw std::runtime_error(
        std::string("No PostgreSQL server for this run: ") + name +
        " is not set. ./zqt test starts one; by hand, source scripts/postgres-session.sh "
        "and call pg_session_start before ctest.");
  }
  return value;
}

std::string UniqueSchema() {
  std::random_device random;
  std::uniform_int_distribution<unsigned long long> digits;
  return "zqt_" + std::to_string(digits(random));
}

}  // namespace

PostgresServer PostgresServer::FromEnvironment() {
  return {Variable("ZQT_PG_SERVER"), Variable("ZQT_PG_PORT"), Variable("ZQT_PG_USER"),
          Variable("ZQT_PG_DATABASE")};
}

std::string PostgresServer::ConnectionString(std::string_view options, std::string_view as_user) const {
  return "Driver=PostgreSQL ANSI;Server=" + server + ";Port=" + port + ";Database=" + database +
         ";Uid=" + std::string(as_user.empty() ? std::string_view(user) : as_user) + ";" +
         std::string(options);
}

PostgresDatabase::PostgresDatabase()
    : server_(PostgresServer::FromEnvironment()),
      schema_(UniqueSchema()),
      admin_(Engine::kPostgres, server_.ConnectionString()) {
  admin_.Execute("create schema " + schema_);
}

PostgresDatabase::~PostgresDatabase() {
  admin_.ErrorOf("drop schema " + schema_ + " cascade");
}

std::string PostgresDatabase::ConnectionString(std::string_view options, std::string_view user) const {
  // psqlODBC runs ConnSettings after connecting; braces keep the text as it is.
  return server_.ConnectionString("ConnSettings={set search_path to " + schema_ + "};" + std::string(options),
                                  user);
}

}  // namespace zqt::test
