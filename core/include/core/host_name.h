#pragma once
// What the host executable's path gives the module: the caption of its error boxes and the registry key of
// its window's placement. The path is in the host's code page and is split and lower-cased by its characters.

#include <string>
#include <string_view>

#include "core/code_page.h"

namespace zqt {

// The application title: the file name without directory and without everything from its first ".", every
// character after the first in lower case ("C:\Logs\LOGGER.new.exe" gives "Logger").
std::string ApplicationTitle(std::string_view exe_path, const CodePage& code_page);

// "Software\" followed by the file name without directory and extension ("D:\Logs\Logger.new.exe" gives
// "Software\Logger.new").
std::string DefaultStoreKey(std::string_view exe_path, const CodePage& code_page);

}  // namespace zqt
