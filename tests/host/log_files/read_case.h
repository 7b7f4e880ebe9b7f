#pragma once
// The readers' tables: a log text and what a reader is to make of it, every QSO whole and every problem.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "log_files/log_qso.h"

namespace zqt::log_files {

// A QSO's fields as text in LogQso's order: call, band, mode, date, time, report, continent, dxcc, pfx, line.
using QsoFields = std::vector<std::string>;

inline std::vector<QsoFields> FieldsOf(const std::vector<LogQso>& qsos) {
  std::vector<QsoFields> fields;
  for (const LogQso& q : qsos) {
    fields.push_back({q.call, q.band, q.mode, q.date, q.time, q.report, q.continent, q.dxcc, q.pfx,
                      std::to_string(q.line)});
  }
  return fields;
}

struct ReadCase {
  std::string name;  // the row's test name
  std::string text;
  std::vector<QsoFields> qsos;
  std::vector<std::string> problems;
};

inline void PrintTo(const ReadCase& row, std::ostream* os) {
  *os << row.name;
}

inline std::string RowName(const ::testing::TestParamInfo<ReadCase>& info) {
  return info.param.name;
}

}  // namespace zqt::log_files
