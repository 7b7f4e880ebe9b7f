#include "support/tally_model.h"

#include <algorithm>

#include "support/user_collation.h"

namespace zqt::test {
namespace {

// The number right-aligned in four characters, or whole when it is longer.
std::string Column(std::int64_t number) {
  std::string digits = std::to_string(number);
  return std::string(digits.size() < 4 ? 4 - digits.size() : 0, ' ') + digits;
}

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

}  // namespace

TallyModel::TallyModel(const Collation& collation)
    : dx(CollationLess{&collation}),
      ja(CollationLess{&collation}),
      w(CollationLess{&collation}),
      ve(CollationLess{&collation}),
      vk(CollationLess{&collation}),
      cont(CollationLess{&collation}) {}

int TallyModel::Offer(const Qso& qso, bool commit) {
  ModelQso key{qso.call, qso.band, qso.mode};
  if (worked.contains(key))
    return -1;
  if (!commit)
    return 1;
  worked.insert(std::move(key));
  ++qso_count;
  dx.insert(qso.dxcc);
  if (qso.dxcc == "JA")
    ja.insert(qso.main_prefix);
  if (qso.dxcc == "K")
    w.insert(qso.main_prefix);
  if (qso.dxcc == "VE")
    ve.insert(qso.main_prefix);
  if (qso.dxcc == "VK")
    vk.insert(qso.main_prefix);
  cont.insert(qso.continent);
  return 1;
}

std::string TallyModel::Report() const {
  const auto size = [](const ModelSet& set) { return static_cast<std::int64_t>(set.size()); };
  const std::int64_t counts[] = {qso_count, size(dx), size(ja), size(w), size(ve), size(vk), size(cont)};
  std::string text = "    .\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t\r\nTotal\t";
  for (const std::int64_t count : counts)
    text += Column(count) + "\t";
  const auto n = [&counts](int i) { return std::to_string(counts[i]); };
  const std::int64_t score =
      (counts[1] + counts[2] + counts[3] + counts[4] + counts[5]) * counts[0] * counts[6];
  text += "\r\n Score: " + n(0) + "*(" + n(1) + "+" + n(2) + "+" + n(3) + "+" + n(4) + "+" + n(5) + ")*" +
          n(6) + "= " + std::to_string(score) + "\r\nCont(" + n(6) + ")\t";
  for (const std::string& continent : cont)
    text += continent + "\t";
  text += "\r\n";
  // The heading's full stop is never blank.
  return std::string(std::find_if_not(text.begin(), text.end(), IsBlank),
                     std::find_if_not(text.rbegin(), text.rend(), IsBlank).base());
}

std::string ReportOf(std::span<const Qso> qsos) {
  TallyModel model(UserCollation());
  for (const Qso& qso : qsos)
    model.Offer(qso);
  return model.Report();
}

}  // namespace zqt::test
