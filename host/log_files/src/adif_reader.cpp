#include "log_files/adif_reader.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "log_files/adif_scanner.h"
#include "log_files/ascii_text.h"
#include "log_files/bands.h"
#include "log_files/modes.h"

namespace zqt::log_files {

namespace {

constexpr std::array<std::string_view, 7> kContinents = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};

// The fields of one record that a QSO is made of; a field given twice keeps its last value.
struct AdifRecord {
  int line = 0;
  bool has_fields = false;
  bool faulty = false;
  std::string_view call, band, freq, mode, submode, date, time, rst_rcvd, srx, srx_string, cont, dxcc, pfx;

  void Set(std::string_view name, std::string_view data) {
    struct Slot {
      std::string_view name;
      std::string_view AdifRecord::*field;
    };
    static constexpr std::array<Slot, 13> kSlots = {{
        {"CALL", &AdifRecord::call},
        {"BAND", &AdifRecord::band},
        {"FREQ", &AdifRecord::freq},
        {"MODE", &AdifRecord::mode},
        {"SUBMODE", &AdifRecord::submode},
        {"QSO_DATE", &AdifRecord::date},
        {"TIME_ON", &AdifRecord::time},
        {"RST_RCVD", &AdifRecord::rst_rcvd},
        {"SRX", &AdifRecord::srx},
        {"SRX_STRING", &AdifRecord::srx_string},
        {"CONT", &AdifRecord::cont},
        {"DXCC", &AdifRecord::dxcc},
        {"PFX", &AdifRecord::pfx},
    }};
    for (const Slot& slot : kSlots) {
      if (EqualsIgnoringAsciiCase(name, slot.name))
        this->*slot.field = Trim(data);
    }
  }
};

bool AllDigits(std::string_view text) {
  for (const char c : text) {
    if (!IsAsciiDigit(c))
      return false;
  }
  return true;
}

bool IsCallText(std::string_view call) {
  for (const char c : call) {
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '/')
      return false;
  }
  return true;
}

// QSO_DATE is YYYYMMDD; TIME_ON is HHMM or HHMMSS.
std::string DateOf(std::string_view date) {
  if (date.size() != 8 || !AllDigits(date))
    return {};
  return std::string(date.substr(0, 4)) + "-" + std::string(date.substr(4, 2)) + "-" +
         std::string(date.substr(6));
}

std::string TimeOf(std::string_view time) {
  if ((time.size() != 4 && time.size() != 6) || !AllDigits(time))
    return {};
  return std::string(time.substr(0, 4));
}

std::string ReportOf(const AdifRecord& record) {
  std::string report(record.rst_rcvd);
  const std::string_view exchange = record.srx_string.empty() ? record.srx : record.srx_string;
  if (!report.empty() && !exchange.empty())
    report += ' ';
  report += exchange;
  return report;
}

std::optional<std::string_view> BandOf(const AdifRecord& record, std::string_view call, std::string& fault) {
  if (const auto band = BandFromAdifName(record.band))
    return band;
  if (const auto band = BandFromAdifFrequency(record.freq))
    return band;
  if (!record.band.empty()) {
    fault = "unknown BAND " + Quoted(record.band);
  } else if (!record.freq.empty()) {
    fault = "FREQ " + Quoted(record.freq) + " is in no amateur band";
  } else {
    fault = "record for " + std::string(call) + " has no BAND or FREQ";
  }
  return std::nullopt;
}

void AddQso(const AdifRecord& record, ReadResult& result) {
  const std::string where = "line " + std::to_string(record.line) + ": ";
  LogQso qso;
  qso.call = ToUpperAscii(record.call);
  if (qso.call.empty()) {
    result.problems.push_back(where + "record has no CALL");
    return;
  }
  if (!IsCallText(qso.call)) {
    result.problems.push_back(where + "CALL " + Quoted(record.call) + " is not a call sign");
    return;
  }
  std::string fault;
  const std::optional<std::string_view> band = BandOf(record, qso.call, fault);
  if (!band) {
    result.problems.push_back(where + fault);
    return;
  }
  const std::optional<std::string_view> mode = ModeFromAdif(record.mode, record.submode);
  if (!mode) {
    result.problems.push_back(where + "record for " + qso.call + " has no MODE");
    return;
  }
  qso.band = *band;
  qso.mode = *mode;
  qso.date = DateOf(record.date);
  qso.time = TimeOf(record.time);
  qso.report = ReportOf(record);
  const std::string continent = ToUpperAscii(record.cont);
  if (std::find(kContinents.begin(), kContinents.end(), continent) != kContinents.end()) {
    qso.continent = continent;
  } else if (!continent.empty()) {
    result.problems.push_back(where + "CONT " + Quoted(record.cont) + " is not a continent and is left out");
  }
  qso.dxcc = record.dxcc;
  qso.pfx = ToUpperAscii(record.pfx);
  qso.line = record.line;
  result.qsos.push_back(std::move(qso));
}

// A file whose first character is not "<" begins with a header: free text and fields up to <EOH>.
bool HasHeader(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  return text.empty() || text.front() != '<';
}

}  // namespace

ReadResult ReadAdif(std::string_view text) {
  ReadResult result;
  AdifScanner scanner(text);
  bool in_header = HasHeader(text);
  bool any_record = false;
  AdifRecord record;
  for (AdifItem item = scanner.Next(); item.kind != AdifItem::Kind::kEnd; item = scanner.Next()) {
    switch (item.kind) {
      case AdifItem::Kind::kField:
        if (!record.has_fields)
          record.line = item.line;
        record.has_fields = true;
        record.Set(item.name, item.data);
        break;
      case AdifItem::Kind::kBadTag:
        // Free header text may hold a stray "<"; only a cut-short file is worth reporting there.
        if (in_header && !item.cut_short)
          break;
        result.problems.push_back("line " + std::to_string(item.line) + ": " + item.fault);
        record.faulty = true;
        break;
      case AdifItem::Kind::kEndOfHeader:
        if (any_record) {
          result.problems.push_back("line " + std::to_string(item.line) + ": <EOH> after the first record");
        }
        in_header = false;
        record = AdifRecord();
        break;
      case AdifItem::Kind::kEndOfRecord:
        // A file without <EOH> but with free text in front: the text was a comment, not a header.
        in_header = false;
        any_record = true;
        if (record.has_fields && !record.faulty)
          AddQso(record, result);
        record = AdifRecord();
        break;
      case AdifItem::Kind::kEnd:
        break;
    }
  }
  if (record.has_fields && !record.faulty) {
    result.problems.push_back("line " + std::to_string(record.line) + ": " +
                              (in_header ? "header not ended by <EOH>" : "record not ended by <EOR>"));
  }
  return result;
}

}  // namespace zqt::log_files
