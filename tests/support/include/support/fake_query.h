#pragma once
// An in-memory log table behind the query interface, recording what the rebuild asks of it.

#include <map>
#include <string>
#include <vector>

#include "core/error.h"
#include "core/query.h"

namespace zqt::test {

using Row = std::map<std::string, std::string>;

class FakeQuery final : public Query {
 public:
  explicit FakeQuery(std::vector<Row> rows) : rows_(std::move(rows)) {}

  bool Active() const override { return active_; }
  void Close() override {
    active_ = false;
    calls.push_back("Close");
  }
  void SetSql(std::string text) override { sql = std::move(text); }
  void Open() override {
    calls.push_back("Open");
    if (!open_error.empty())
      throw Error(open_error);
    active_ = true;
    at_ = 0;
  }
  bool Eof() const override { return at_ >= rows_.size(); }
  std::string FieldAsText(std::string_view name) override {
    reads.emplace_back(name);
    const auto it = rows_[at_].find(std::string(name));
    if (it == rows_[at_].end())
      throw Error("LogQuery: Field '" + std::string(name) + "' not found");
    return it->second;
  }
  void Next() override { ++at_; }

  std::string sql;
  std::string open_error;
  std::vector<std::string> calls;
  std::vector<std::string> reads;

 private:
  std::vector<Row> rows_;
  std::size_t at_ = 0;
  bool active_ = false;
};

inline Row LogRow(std::string call, std::string band, std::string mode, std::string continent,
                  std::string main_prefix, std::string dxcc) {
  return {{"QSOReportRecived", "599"},
          {"DXCCPrefix", std::move(dxcc)},
          {"MainPrefix", std::move(main_prefix)},
          {"CallSign", std::move(call)},
          {"DigiBand", std::move(band)},
          {"QSOMode", std::move(mode)},
          {"Continent", std::move(continent)}};
}

}  // namespace zqt::test
