// Arbitrary registry contents in the statistics window's section, held by the tests' in-memory section, and
// an arbitrary window, through a restore (OnShow) and a save (OnDestroy, or OnCloseQuery then OnDestroy),
// with the store set up as the window sets it up (the stored value "CurrentBand" = 1). The restore must apply
// exactly what the stored texts and the window's own placement give under the placement rules, worked out
// here on their own; a save must write the ten values in their order whenever the restore set the restored
// flag, and nothing when it did not; and no key may stay open after any of them.
//
// Input: a flags byte (bit 0 the window is visible; bit 1 the module key is missing; bit 2 it may not be
// created either, so neither may the section; bit 3 the section is missing; bit 4 a display of 120 pixels per
// inch, not 96; bits 5-6 the save: 1 a close query allowed, 2 one refused, each followed by the destroy, else
// the destroy alone; bit 7 a large value may come), a window byte (bits 0-2 unused; bits 3-4: 1 or 3 a normal
// rectangle of four 32-bit numbers follows, 2 a whole placement record of ten, 0 the design placement),
// those numbers (little-endian), then one value for each name the restore reads (kNames). A value: a kind
// byte (bits 0-2: 0 absent, 1 REG_SZ, 2 REG_EXPAND_SZ, 3 REG_DWORD, 4 REG_BINARY, 5 REG_MULTI_SZ, 6 REG_NONE,
// 7 the 32-bit type that follows; bit 3 a large value, for the first value asking when one may come, else a
// length byte and that many bytes; bit 4 a zero byte after them). A large value is two bytes a and b, for
// min(1 MB, (a + 1) << (b % 13)) bytes, then a pattern and a tail text (each a length byte and its bytes):
// the pattern repeated to fill the size but for the tail at its end.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_input.h"
#include "placement_model.h"
#include "placement/form_storage.h"
#include "require.h"
#include "support/fake_section.h"
#include "support/fake_window.h"

namespace zqt::fuzzing {
namespace {

constexpr std::size_t kMaxValueSize = std::size_t{1} << 20;

enum class Save { kDestroy, kCloseAllowed, kCloseRefused };

struct Setup {
  bool module_missing = false;
  bool module_uncreatable = false;
  bool section_missing = false;
  Save save = Save::kDestroy;
  SectionValues values;
};

// One large value at most per input, and only when the input asks for one: the store scans a position text
// once for each of its words, and under the fuzzer's instrumentation a megabyte costs as much as hundreds of
// ordinary inputs.
std::optional<StoredValue> DecodeValue(FuzzInput& in, bool& large_allowed) {
  const std::uint8_t kind = in.Byte();
  constexpr std::uint32_t kRegNone = 0;
  constexpr std::uint32_t kRegBinary = 3;
  constexpr std::uint32_t kRegMultiSz = 7;
  constexpr std::array<std::uint32_t, 7> kTypes = {kRegNone,   kRegSz,      kRegExpandSz, kRegDword,
                                                   kRegBinary, kRegMultiSz, kRegNone};
  const std::size_t type = kind & 7u;
  if (type == 0)
    return std::nullopt;
  StoredValue value;
  value.type = type == 7 ? in.Dword() : kTypes[type];
  if ((kind & 8) != 0 && std::exchange(large_allowed, false)) {
    const std::size_t a = in.Byte();
    const std::size_t size = std::min(kMaxValueSize, (a + 1) << (in.Byte() % 13));
    std::string pattern = in.ShortText();
    if (pattern.empty())
      pattern.assign(1, static_cast<char>(a));
    const std::string tail = in.ShortText();
    const std::size_t fill = size > tail.size() ? size - tail.size() : 0;
    value.data = Repeated(pattern, fill) + tail;
  } else {
    value.data = in.ShortText();
  }
  if ((kind & 16) != 0)
    value.data += '\0';
  return value;
}

std::int32_t Number(FuzzInput& in) {
  return static_cast<std::int32_t>(in.Dword());
}

void RequireClosed(const test::FakeSection& section) {
  Require(
      !section.IsOpen() && section.Misuses() == 0,
      "the section is read only while open, written only while open for writing, and closed once, whatever "
      "happened");
}

void FuzzPlacement(FuzzInput in) {
  Setup setup;
  test::FakeWindow window;
  const std::uint8_t flags = in.Byte();
  window.visible = (flags & 1) != 0;
  setup.module_missing = (flags & 2) != 0;
  setup.module_uncreatable = (flags & 4) != 0;
  setup.section_missing = (flags & 8) != 0;
  window.pixels_per_inch = (flags & 16) != 0 ? 120 : 96;
  setup.save = (flags >> 5 & 3) == 1   ? Save::kCloseAllowed
               : (flags >> 5 & 3) == 2 ? Save::kCloseRefused
                                       : Save::kDestroy;
  const std::uint8_t shape = in.Byte();
  if ((shape >> 3 & 3) == 2) {
    window.placement.flags = in.Dword();
    window.placement.show_cmd = in.Dword();
    window.placement.min_position = {Number(in), Number(in)};
    window.placement.max_position = {Number(in), Number(in)};
  }
  if ((shape >> 3 & 3) != 0)
    window.placement.normal_position = {Number(in), Number(in), Number(in), Number(in)};
  bool large_allowed = (flags & 128) != 0;
  for (auto& value : setup.values)
    value = DecodeValue(in, large_allowed);

  const bool readable = !setup.module_missing && !setup.section_missing;
  test::FakeSection section;
  for (std::size_t i = 0; i < kNames.size() && readable; ++i) {
    if (const auto& value = setup.values[i])
      section.SetValue(kNames[i], value->type, value->data);
  }
  if (setup.module_missing && setup.module_uncreatable)
    section.DenyCreate();

  test::RecordingErrors errors;
  TFormStorage storage(section, window, errors);

  const Restore restore = ExpectedRestore(readable ? &setup.values : nullptr, window);
  int own_shows = 0;
  storage.OnShow([&own_shows] { ++own_shows; });
  RequireClosed(section);
  Require(own_shows == 1, "the window's own show handler runs once");
  Require(window.applied == restore.applied,
          "the restore applies what the stored texts and the window's own placement give");
  Require(window.state == restore.state && window.updates == restore.updates,
          "the restore sets the stored show state");
  Require(section.Writes().empty(), "a restore writes nothing");

  // The save as the hooks must run it: only after a restore, once, and again at the destroy when it failed.
  const bool writable = !(setup.module_missing && setup.module_uncreatable);
  std::vector<test::RecordedWrite> writes;
  std::vector<std::string> shown;
  if (restore.error)
    shown.push_back(*restore.error);
  bool saved = false;
  const auto expect_save = [&](bool destroying) {
    if (!restore.restored)
      return;
    if (writable) {
      const auto ten = TenValues(window, destroying, restore.current_band);
      writes.insert(writes.end(), ten.begin(), ten.end());
      saved = true;
    } else {
      shown.push_back("Failed to create key TfmMainForm");
    }
  };
  if (setup.save != Save::kDestroy) {
    const bool allow = setup.save == Save::kCloseAllowed;
    if (allow)
      expect_save(false);
    Require(storage.OnCloseQuery([allow] { return allow; }) == allow,
            "the close query answers as the window");
    RequireClosed(section);
  }
  if (!saved)
    expect_save(true);
  storage.OnDestroy();
  RequireClosed(section);
  Require(section.Writes() == writes, "a save after a restore writes the ten values in order, else nothing");
  Require(errors.shown == shown, "the errors shown are those of the bad values and failed saves");
}

}  // namespace
}  // namespace zqt::fuzzing

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zqt::fuzzing::FuzzPlacement(zqt::fuzzing::FuzzInput(data, size));
  return 0;
}
