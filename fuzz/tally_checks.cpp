#include "tally_checks.h"

#include <algorithm>

#include "require.h"

namespace zqt::fuzzing {
namespace {

void RequireSameTexts(const TextSet& set, const test::ModelSet& model, const char* what) {
  Require(set.Count() == model.size() &&
              std::equal(set.Items().begin(), set.Items().end(), model.begin(), model.end()),
          what);
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

void RequireSameTally(const Tally& tally, const test::TallyModel& model) {
  Require(tally.QsoCount() == model.qso_count, "the QSO count is the model's");
  const WorkedList& worked = tally.Worked();
  Require(worked.Count() == model.worked.size(), "the worked list holds the model's number of QSOs");
  for (std::size_t i = 1; i < worked.Count(); ++i)
    Require(worked[i - 1].Call <= worked[i].Call, "the worked list is in ordinal call order");
  const std::vector<WorkedQso> qsos = WorkedQsos(tally);
  Require(std::equal(qsos.begin(), qsos.end(), model.worked.begin(), model.worked.end(),
                     [](const WorkedQso& a, const test::ModelQso& b) {
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
  Require(tally.ShowStatistic() == model.Report(), "the report is the model's");
}

}  // namespace zqt::fuzzing
