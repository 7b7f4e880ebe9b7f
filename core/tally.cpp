#include "core/tally.h"

namespace zqt {

int Tally::CheckQSO(const TContestData& qso, bool commit) {
  const std::string_view call = TextView(qso.CallSign);
  if (FQSOList.IsDupe(call, TextView(qso.DigiBand), TextView(qso.QSOMode)))
    return -1;
  if (!commit)
    return 1;
  FQSOList.AddWorked(call, TextView(qso.DigiBand), TextView(qso.QSOMode));

  if (FStatList.empty())
    FStatList.push_back(TStatistic{});
  FStatList.back().Count += 1;

  const std::string_view dxcc = TextView(qso.DXCCPrefix);
  FDXList.Insert(dxcc);
  // The entity test is exact: "ja" is not "JA", and no entity is called "W".
  const std::string_view main_prefix = TextView(qso.MainPrefix);
  if (dxcc == "JA") {
    FJAList.Insert(main_prefix);
  } else if (dxcc == "K") {
    FWList.Insert(main_prefix);
  } else if (dxcc == "VE") {
    FVEList.Insert(main_prefix);
  } else if (dxcc == "VK") {
    FVKList.Insert(main_prefix);
  }
  FContList.Insert(TextView(qso.Continent));
  return 1;
}

void Tally::Clear() {
  FQSOList.Clear();
  FStatList.clear();
  FDXList.Clear();
  FJAList.Clear();
  FWList.Clear();
  FVEList.Clear();
  FVKList.Clear();
  FContList.Clear();
}

std::int64_t Tally::Score() const {
  const auto mults = static_cast<std::int64_t>(FDXList.Count() + FJAList.Count() + FWList.Count() +
                                               FVEList.Count() + FVKList.Count());
  return mults * QsoCount() * static_cast<std::int64_t>(FContList.Count());
}

std::string PadLeft(std::string_view text, std::size_t width, std::string_view pad) {
  std::string out;
  for (std::size_t i = text.size(); i < width; ++i)
    out += pad;
  out += text;
  return out;
}

std::string Tally::ShowStatistic() const {
  const std::string qso = std::to_string(QsoCount());
  const std::string dx = std::to_string(FDXList.Count());
  const std::string ja = std::to_string(FJAList.Count());
  const std::string w = std::to_string(FWList.Count());
  const std::string ve = std::to_string(FVEList.Count());
  const std::string vk = std::to_string(FVKList.Count());
  const std::string cont = std::to_string(FContList.Count());

  std::string text = "    .\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t\r\n";
  text += "Total\t";
  for (const std::string* n : {&qso, &dx, &ja, &w, &ve, &vk, &cont})
    text += PadLeft(*n, 4, " ") + "\t";
  text += "\r\n";
  text += " Score: " + qso + "*(" + dx + "+" + ja + "+" + w + "+" + ve + "+" + vk + ")*" + cont + "= " +
          std::to_string(Score()) + "\r\n";
  text += "Cont(" + cont + ")\t";
  for (const std::string& c : FContList.Items())
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
