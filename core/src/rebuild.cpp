#include "core/rebuild.h"

#include <string>

#include "core/ascii_case.h"
#include "core/error.h"

namespace zqt {
namespace {

std::string LogStatement(std::string_view table) {
  if (table.find_first_of(std::string_view(";\r\n\0", 4)) != std::string_view::npos) {
    throw Error("Log table name '" + std::string(table.substr(0, table.find('\0'))) +
                "' holds a statement separator; the query was not run");
  }
  return "Select * from " + std::string(table) + " order by CallSign";
}

}  // namespace

void RecalcFromLog(Tally& tally, TContestData& buffer, Query& query, MessagePump& pump,
                   const std::function<void()>& clear_report) {
  tally.Clear();
  clear_report();

  // The cursor owns the statement: one left open holds a read cursor, and on some drivers a transaction, on
  // the host's connection, which can keep the host's next QSO from being written or committed.
  const std::unique_ptr<RowCursor> rows = query.Open(LogStatement(TextView(buffer.LogTable)), kLogColumns);
  pump.ProcessMessages();

  std::array<std::string_view, kLogColumns.size()> texts;
  while (rows->Next(texts)) {
    WriteText(buffer.QSOReportRecived, texts[0]);
    WriteText(buffer.DXCCPrefix, texts[1]);
    WriteText(buffer.MainPrefix, texts[2]);
    WriteText(buffer.CallSign, texts[3]);
    WriteText(buffer.DigiBand, texts[4]);
    WriteText(buffer.QSOMode, texts[5]);
    WriteText(buffer.Continent, texts[6]);
    // Upper-cased in the slot, as stored: no copy of the text per row.
    for (std::size_t i = 1; i <= buffer.Continent[0]; ++i)
      buffer.Continent[i] = static_cast<std::uint8_t>(ToUpperAscii(static_cast<char>(buffer.Continent[i])));
    // Engines order "order by CallSign" by their own collation, which may be far from byte order: the count
    // does not depend on it. A row that duplicates an earlier one is not counted.
    tally.CountQSO(buffer);
  }
}

}  // namespace zqt
