#pragma once
// The module keeps its window's placement under HKEY_CURRENT_USER\Software\<host name>\TfmMainForm. The test
// scripts read that section, plant values in it before the window opens, and remove the host's key.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace zqthost {

// "Software\" and this executable's file name without directory and extension: the module's key for us.
std::string HostSoftwareKey();

// Every value of the section TfmMainForm below HKCU\<key> (below HKCU itself for an empty key) as
// "NAME=TYPE:DATA", sorted by name; empty when the section does not exist. TYPE is SZ, EXPAND_SZ, MULTI_SZ,
// DWORD, QWORD, BINARY, NONE or TYPE<n>; strings lose their final zero byte, numbers are decimal, anything
// else is hexadecimal bytes.
std::vector<std::string> DumpPlacementSection(std::string_view host_key);

// Create the section when missing. Throw HostError (ExitCode::kFailure) when the registry refuses.
void SetPlacementDword(std::string_view name, DWORD value);
void SetPlacementString(std::string_view name, std::string_view text);

// Removes the host's key with every subkey, a locked one included; false when there was none.
bool DeleteHostKey();

enum class HostKey {
  kLocked,    // its access list grants nobody anything: it cannot be opened, nor created anew
  kVolatile,  // only volatile keys can be created below it, so the module's section cannot
};
// Makes the host's key anew, empty, of that kind.
void MakeHostKey(HostKey kind);

}  // namespace zqthost
