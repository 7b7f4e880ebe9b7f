#pragma once
// Takes a call sign apart into what locates the station: the home call, a location prefix such as the VE3
// of W1AW/VE3 or the KH6 of KH6/K1ABC, a call-area digit such as the 3 of JA1ABC/3, and suffixes such as
// /P, /M, /QRP that do not move it (/MM and /AM take it out of every entity).

#include <string>
#include <string_view>

namespace zqt::calls {

struct PortableCall {
  std::string call;  // in capitals, without surrounding blanks
  // The call without its non-locating suffixes, for a look-up among exact calls; empty when a call-area
  // digit or /MM or /AM changes where the station is.
  std::string exact_key;
  // The prefix the station works under: "VE3" for W1AW/VE3, "JA3" for JA1ABC/3, "K1" for K1ABC/P, "F" for
  // F/DL1ABC. A prefix is the call up to and including its last digit (the whole call if it has none).
  std::string effective_prefix;
  // What to match against the country file's prefixes: the location prefix, or the home call with its
  // area digit replaced.
  std::string lookup;
  bool maritime = false;  // /MM or /AM
};

PortableCall AnalyseCall(std::string_view call);

}  // namespace zqt::calls
