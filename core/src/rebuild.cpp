#include "core/rebuild.h"

#include "base/ascii_case.h"
#include "core/error.h"

namespace zqt {

std::string LogStatement(std::string_view table) {
  if (table.find_first_of(std::string_view(";\r\n\0", 4)) != std::string_view::npos) {
    throw Error("Log table name '" + std::string(table.substr(0, table.find('\0'))) +
                "' holds a statement separator; the query was not run");
  }
  return "Select * from " + std::string(table) + " order by CallSign";
}

void RecalcFromLog(Tally& tally, TContestData& buffer, Query& query, MessagePump& pump,
                   const std::function<void()>& clear_report) {
  tally.Clear();
  clear_report();

  if (query.Active())
    query.Close();
  query.SetSql(LogStatement(TextView(buffer.LogTable)));
  // However the rebuild ends, error or not, the statement goes: one left open holds a read cursor, and on
  // some drivers a transaction, on the host's connection, which can keep the host's next QSO from being
  // written or committed.
  struct CloseOnExit {
    Query& query;
    ~CloseOnExit() { query.Close(); }
  } close_on_exit{query};
  query.Open();
  pump.ProcessMessages();

  while (!query.Eof()) {
    WriteText(buffer.QSOReportRecived, query.FieldAsText("QSOReportRecived"));
    WriteText(buffer.DXCCPrefix, query.FieldAsText("DXCCPrefix"));
    WriteText(buffer.MainPrefix, query.FieldAsText("MainPrefix"));
    WriteText(buffer.CallSign, query.FieldAsText("CallSign"));
    WriteText(buffer.DigiBand, query.FieldAsText("DigiBand"));
    WriteText(buffer.QSOMode, query.FieldAsText("QSOMode"));
    WriteText(buffer.Continent, ToUpperAscii(query.FieldAsText("Continent")));
    tally.CheckQSO(buffer, true);
    // Engines order "order by CallSign" by their own collation; keeping the list in ordinal order here makes
    // the next duplicate check right whatever that order was. In-order rows make this a no-op.
    tally.SortWorked();
    query.Next();
  }
}

}  // namespace zqt
