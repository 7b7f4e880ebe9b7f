#pragma once
// Lives of the statistics window over stored placement values, run by the store's unit tests (an in-memory
// section and window) and, where marked, end to end (the real DLL, window and registry under Wine). Each run
// plants the values, shows the window, takes the step, ends the window and reads the section.

#include <string_view>
#include <vector>

namespace zqt::test {

// A value as the host's reg-dump prints it: "SZ:<text>" or "DWORD:<number>".
struct DumpedValue {
  std::string_view name{};
  std::string_view value{};
};

enum class Step {
  kNone,
  kMove,          // moved and sized to 300,250,700,450
  kMinimise,      // the close box
  kCloseRequest,  // a close request ends the window instead of the release
};

struct PlacementScenario {
  std::string_view name{};
  std::vector<DumpedValue> planted{};
  Step step = Step::kNone;
  // The placement after the show, as "showcmd=N normal=L,T,R,B".
  std::string_view opens{};
  // The error box's text, or empty.
  std::string_view error{};
  // Values the section holds afterwards; when `saves` is false it holds exactly what was planted.
  std::vector<DumpedValue> stored{};
  bool saves = true;
  // Where the next run opens over what this one stored, or empty for none.
  std::string_view reopens{};
  bool end_to_end = false;
};

inline constexpr std::string_view kDesignPlacement = "showcmd=1 normal=1052,152,1320,290";
inline constexpr std::string_view kDesignRect = "SZ:1052,152,1320,290";
inline constexpr std::string_view kStoredRect = "SZ:100,200,500,400";
inline constexpr std::string_view kStoredPlacement = "showcmd=1 normal=100,200,500,400";

inline const std::vector<PlacementScenario>& PlacementScenarios() {
  static const std::vector<PlacementScenario> scenarios = {
      {.name = "stored normal rectangle",
       .planted = {{"NormPos", kStoredRect}},
       .opens = kStoredPlacement,
       .stored = {{"NormPos(1920x1080)", kStoredRect}}},
      {.name = "moved, then reopened",
       .step = Step::kMove,
       .opens = kDesignPlacement,
       .stored = {{"NormPos", "SZ:300,250,700,450"}, {"NormPos(1920x1080)", "SZ:300,250,700,450"}},
       .reopens = "showcmd=1 normal=300,250,700,450",
       .end_to_end = true},
      {.name = "two words keep the right and bottom edges",
       .planted = {{"NormPos", "SZ: 100,,200"}},
       .opens = "showcmd=1 normal=100,200,1320,290"},
      {.name = "a left edge beyond the right one is not applied",
       .planted = {{"NormPos", "SZ:2000,200"}},
       .opens = kDesignPlacement},
      {.name = "another display keeps the place but not the state",
       .planted = {{"NormPos", kStoredRect}, {"PixelsPerInch", "SZ:120"}, {"ShowCmd", "SZ:3"}},
       .opens = "showcmd=3 normal=1052,152,1320,290"},
      {.name = "maximised, with a band text",
       .planted = {{"ShowCmd", "SZ:3"}, {"CurrentBand", "SZ:20m"}},
       .opens = "showcmd=3 normal=1052,152,1320,290",
       .stored = {{"ShowCmd", "SZ:3"}, {"NormPos", kDesignRect}, {"CurrentBand", "SZ:20m"}},
       .end_to_end = true},
      {.name = "older version restores nothing",
       .planted = {{"FormVersion", "SZ:-1"},
                   {"NormPos", kStoredRect},
                   {"ShowCmd", "SZ:3"},
                   {"CurrentBand", "SZ:20m"}},
       .opens = kDesignPlacement,
       .stored =
           {{"FormVersion", "SZ:0"}, {"NormPos", kDesignRect}, {"ShowCmd", "SZ:1"}, {"CurrentBand", "SZ:1"}}},
      {.name = "Flags of number type stops the restore and every save",
       .planted = {{"Flags", "DWORD:7"}, {"NormPos", kStoredRect}},
       .step = Step::kCloseRequest,
       .opens = kDesignPlacement,
       .error = "Invalid data type for 'Flags'",
       .saves = false,
       .end_to_end = true},
      {.name = "CurrentBand of number type is overwritten",
       .planted = {{"CurrentBand", "DWORD:7"}, {"NormPos", kStoredRect}},
       .opens = kStoredPlacement,
       .error = "Invalid data type for 'CurrentBand'",
       .stored = {{"CurrentBand", "SZ:1"}, {"NormPos", kStoredRect}}},
      {.name = "other screen size, then empty for this one",
       .planted = {{"NormPos(1024x768)", "SZ:1,2,300,400"},
                   {"NormPos(1920x1080)", "SZ:"},
                   {"NormPos", kStoredRect}},
       .opens = kStoredPlacement},
      {.name = "empty for this screen size",
       .planted = {{"NormPos(1920x1080)", "SZ:"}, {"NormPos", kStoredRect}},
       .opens = kStoredPlacement},
      {.name = "this screen size first",
       .planted = {{"NormPos(1920x1080)", "SZ:10,20,30,40"}, {"NormPos", kStoredRect}},
       .opens = "showcmd=1 normal=10,20,30,40"},
      {.name = "only another screen size",
       .planted = {{"NormPos(1024x768)", "SZ:1,2,300,400"}, {"NormPos(1920x1080)", "SZ:"}},
       .opens = kDesignPlacement},
      {.name = "minimised at release, reopened normal",
       .step = Step::kMinimise,
       .opens = kDesignPlacement,
       .stored = {{"ShowCmd", "SZ:2"}, {"NormPos", kDesignRect}},
       .reopens = kDesignPlacement,
       .end_to_end = true},
      {.name = "close request",
       .step = Step::kCloseRequest,
       .opens = kDesignPlacement,
       .stored = {{"Visible", "SZ:0"}, {"NormPos", kDesignRect}},
       .end_to_end = true},
  };
  return scenarios;
}

}  // namespace zqt::test
