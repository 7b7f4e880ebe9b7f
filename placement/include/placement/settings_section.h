#pragma once
// The window's section of the user's settings: named values below the host program's key, opened for one
// restore or one save at a time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zqt {

// The section is named after the window's class.
inline constexpr char kSectionName[] = "TfmMainForm";

// Registry value types.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;

// A value as the section holds it.
struct SectionValue {
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  // Empty when the data could not be fetched after its size was learned.
  std::optional<std::string> data;
};

enum class WriteResult {
  kWritten,
  kSectionNotCreated,
  kValueNotSet,
  // The host's key could not be opened or created: nothing is written anywhere, and that is no error.
  kNoKey,
};

class SettingsSection {
 public:
  virtual ~SettingsSection() = default;
  // Opens the host program's key (creating it, but never the section, even for a read-only restore); a key
  // that cannot be opened leaves the store without one. Close closes whatever is open, so that no key stays
  // open between a restore and a save.
  virtual void Open(bool read_only) = 0;
  virtual void Close() = 0;
  // The named value; empty when the key, the section or the value does not exist.
  virtual std::optional<SectionValue> Read(std::string_view name) = 0;
  // Creates the section when it is missing and writes a string value: the text and one zero byte.
  virtual WriteResult Write(std::string_view name, std::string_view text) = 0;
};

}  // namespace zqt
