#include "core/tally.h"

namespace zqt {
namespace {

// Spaces in front of the number up to four characters; a longer number is never cut.
std::string PadLeft(const std::string& number) {
  return std::string(number.size() < 4 ? 4 - number.size() : 0, ' ') + number;
}

}  // namespace

int Tally::CheckQSO(const TContestData& qso) const {
  return worked_.IsDupe(TextView(qso.CallSign), TextView(qso.DigiBand), TextView(qso.QSOMode)) ? -1 : 1;
}

int Tally::CountQSO(const TContestData& qso) {
  if (CheckQSO(qso) < 0)
    return -1;
  worked_.AddWorked(TextView(qso.CallSign), TextView(qso.DigiBand), TextView(qso.QSOMode));
  ++qso_count_;

  const std::string_view dxcc = TextView(qso.DXCCPrefix);
  entities_.Insert(dxcc);
  // The entity test is exact: "ja" is not "JA", and no entity is called "W".
  const std::string_view main_prefix = TextView(qso.MainPrefix);
  if (dxcc == "JA") {
    ja_areas_.Insert(main_prefix);
  } else if (dxcc == "K") {
    w_areas_.Insert(main_prefix);
  } else if (dxcc == "VE") {
    ve_areas_.Insert(main_prefix);
  } else if (dxcc == "VK") {
    vk_areas_.Insert(main_prefix);
  }
  continents_.Insert(TextView(qso.Continent));
  return 1;
}

void Tally::Clear() {
  worked_.Clear();
  qso_count_ = 0;
  entities_.Clear();
  ja_areas_.Clear();
  w_areas_.Clear();
  ve_areas_.Clear();
  vk_areas_.Clear();
  continents_.Clear();
}

std::int64_t Tally::Score() const {
  const auto mults = static_cast<std::int64_t>(entities_.Count() + ja_areas_.Count() + w_areas_.Count() +
                                               ve_areas_.Count() + vk_areas_.Count());
  return mults * qso_count_ * static_cast<std::int64_t>(continents_.Count());
}

std::string Tally::ShowStatistic() const {
  const std::string qso = std::to_string(qso_count_);
  const std::string dx = std::to_string(entities_.Count());
  const std::string ja = std::to_string(ja_areas_.Count());
  const std::string w = std::to_string(w_areas_.Count());
  const std::string ve = std::to_string(ve_areas_.Count());
  const std::string vk = std::to_string(vk_areas_.Count());
  const std::string cont = std::to_string(continents_.Count());

  std::string text = "    .\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t\r\n";
  text += "Total\t";
  for (const std::string* n : {&qso, &dx, &ja, &w, &ve, &vk, &cont})
    text += PadLeft(*n) + "\t";
  text += "\r\n";
  text += " Score: " + qso + "*(" + dx + "+" + ja + "+" + w + "+" + ve + "+" + vk + ")*" + cont + "= " +
          std::to_string(Score()) + "\r\n";
  text += "Cont(" + cont + ")\t";
  for (const std::string& c : continents_.Items())
    text += c + "\t";
  text += "\r\n";

  // Characters of code 32 or below are trimmed from both ends.
  const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && blank(text[begin]))
    ++begin;
  while (end > begin && blank(text[end - 1]))
    --end;
  return text.substr(begin, end - begin);
}

}  // namespace zqt
