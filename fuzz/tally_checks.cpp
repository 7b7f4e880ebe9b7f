#include "tally_checks.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "require.h"

namespace zqt::fuzzing {
namespace {

void RequireSameTexts(const TextSet& set, const ModelSet& model, const char* what) {
  Require(set.Count() == model.size() &&
              std::equal(set.Items().begin(), set.Items().end(), model.begin(), model.end()),
          what);
}

// One number of the totals line: spaces, then decimal digits without a leading zero, width 4 or the digits'.
std::int64_t TotalsNumber(std::string_view field) {
  const std::size_t digits_at = std::min(field.find_first_not_of(' '), field.size());
  const std::string_view digits = field.substr(digits_at);
  Require(!digits.empty() && digits.size() <= 18 && (digits.size() == 1 || digits.front() != '0'),
          "a totals number is written in decimal");
  Require(field.size() == std::max<std::size_t>(4, digits.size()), "a totals number is padded to width 4");
  std::int64_t value = 0;
  for (const char c : digits) {
    Require(c >= '0' && c <= '9', "a totals number holds digits only");
    value = value * 10 + (c - '0');
  }
  return value;
}

std::string RightTrimmed(std::string text) {
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
    text.pop_back();
  return text;
}

}  // namespace

std::vector<WorkedQso> WorkedQsos(const Tally& tally) {
  std::vector<WorkedQso> qsos;
  qsos.reserve(tally.Worked().Count());
  for (std::size_t i = 0; i < tally.Worked().Count(); ++i) {
    const TQSO qso = tally.Worked()[i];
    qsos.emplace_back(qso.Call, qso.Band, qso.Mode);
  }
  std::sort(qsos.begin(), qsos.end());
  return qsos;
}

std::array<std::string_view, 4> ReportLines(std::string_view report) {
  std::array<std::string_view, 4> lines;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t end = report.find("\r\n");
    Require(end != std::string_view::npos, "the report has four lines");
    lines[i] = report.substr(0, end);
    report.remove_prefix(end + 2);
  }
  lines[3] = report;
  return lines;
}

void RequireSameTally(const Tally& tally, const TallyModel& model) {
  Require(tally.QsoCount() == model.qso_count, "the QSO count is the model's");
  const WorkedList& worked = tally.Worked();
  Require(worked.Count() == model.worked.size(), "the worked list holds the model's number of QSOs");
  for (std::size_t i = 1; i < worked.Count(); ++i)
    Require(worked[i - 1].Call <= worked[i].Call, "the worked list is in ordinal call order");
  const std::vector<WorkedQso> qsos = WorkedQsos(tally);
  Require(std::equal(qsos.begin(), qsos.end(), model.worked.begin(), model.worked.end(),
                     [](const WorkedQso& a, const ModelQso& b) {
                       return std::get<0>(a) == std::get<0>(b) && std::get<1>(a) == std::get<1>(b) &&
                              std::get<2>(a) == std::get<2>(b);
                     }),
          "the worked list holds the model's QSOs");
  RequireSameTexts(tally.Entities(), model.dx, "the DX set is the model's");
  RequireSameTexts(tally.JaAreas(), model.ja, "the JA set is the model's");
  RequireSameTexts(tally.WAreas(), model.w, "the W set is the model's");
  RequireSameTexts(tally.VeAreas(), model.ve, "the VE set is the model's");
  RequireSameTexts(tally.VkAreas(), model.vk, "the VK set is the model's");
  RequireSameTexts(tally.Continents(), model.cont, "the continent set is the model's");
}

void RequireReportOf(std::string_view report, const TallyModel& model) {
  const auto lines = ReportLines(report);
  Require(lines[0] == ".\t QSO\t  DX\t  JA\t   W\t  VE\t  VK\tCont\t", "the report's heading");

  std::string_view totals = lines[1];
  Require(totals.starts_with("Total\t"), "the totals line starts with Total");
  totals.remove_prefix(6);
  std::array<std::int64_t, 7> shown{};
  for (std::int64_t& number : shown) {
    const std::size_t tab = totals.find('\t');
    Require(tab != std::string_view::npos, "each total ends in a tab");
    number = TotalsNumber(totals.substr(0, tab));
    totals.remove_prefix(tab + 1);
  }
  Require(totals.empty(), "the totals line holds seven numbers");
  const auto size = [](const ModelSet& set) { return static_cast<std::int64_t>(set.size()); };
  const std::array<std::int64_t, 7> counted{model.qso_count, size(model.dx), size(model.ja),  size(model.w),
                                            size(model.ve),  size(model.vk), size(model.cont)};
  Require(shown == counted, "the totals are the model's");

  const auto n = [&shown](std::size_t i) { return std::to_string(shown[i]); };
  const std::int64_t score = (shown[1] + shown[2] + shown[3] + shown[4] + shown[5]) * shown[0] * shown[6];
  Require(lines[2] == " Score: " + n(0) + "*(" + n(1) + "+" + n(2) + "+" + n(3) + "+" + n(4) + "+" + n(5) +
                          ")*" + n(6) + "= " + std::to_string(score),
          "the score line repeats the totals and the formula's score");

  std::string cont = "Cont(" + n(6) + ")\t";
  for (const std::string& c : model.cont)
    cont += c + "\t";
  // The report's last characters of code 32 or below are trimmed, whatever they belonged to.
  Require(lines[3] == RightTrimmed(std::move(cont)), "the Cont line lists the model's continents");
}

}  // namespace zqt::fuzzing
