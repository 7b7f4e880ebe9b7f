#include "support/fake_query.h"

#include "core/ascii_case.h"
#include "core/error.h"

namespace zqt::test {

class FakeQuery::Cursor final : public RowCursor {
 public:
  Cursor(FakeQuery& query, std::vector<std::size_t> picks, std::string missing)
      : query_(query), picks_(std::move(picks)), missing_(std::move(missing)) {
    ++query_.open_cursors;
  }
  ~Cursor() override { --query_.open_cursors; }
  Cursor(const Cursor&) = delete;
  Cursor& operator=(const Cursor&) = delete;

  bool Next(std::span<std::string_view> texts) override {
    query_.Call();
    if (at_ >= query_.rows_.size())
      return false;
    if (!missing_.empty())
      throw Error(missing_);
    const LogRow& row = query_.rows_[at_++];
    for (std::size_t i = 0; i < picks_.size() && i < texts.size(); ++i)
      texts[i] = row[picks_[i]];
    ++query_.rows_read;
    return true;
  }

 private:
  FakeQuery& query_;
  std::vector<std::size_t> picks_;  // each name's column
  std::string missing_;
  std::size_t at_ = 0;
};

std::unique_ptr<RowCursor> FakeQuery::Open(std::string_view text, std::span<const std::string_view> columns) {
  ++opens;
  sql = text;
  rows_read = 0;
  Call();
  std::vector<std::size_t> picks;
  std::string missing;
  for (const std::string_view name : columns) {
    std::size_t i = 0;
    while (i < kModuleColumns.size() &&
           ((missing_ >> i & 1) != 0 || !EqualsIgnoringAsciiCase(kModuleColumns[i], name)))
      ++i;
    if (i == kModuleColumns.size() && missing.empty())
      missing = "LogQuery: Field '" + std::string(name) + "' not found";
    picks.push_back(i);
  }
  return std::make_unique<Cursor>(*this, std::move(picks), std::move(missing));
}

void FakeQuery::Call() {
  if (++calls_ == fail_at_)
    throw Error(kLostConnection);
}

}  // namespace zqt::test
