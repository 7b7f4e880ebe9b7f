#pragma once
// What every program built on the host's pieces does around its own work: the arguments, one console, and
// every error printed as "error: <text>" with the exit code that goes with it.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "console.h"

namespace zqthost {

using ProgramBody = std::function<int(Console& console, std::span<const std::string_view> args)>;

// Runs `body` with the arguments after the program name; returns its exit code, or the error's.
int RunProgram(int argc, char** argv, const ProgramBody& body);

// The module a program loads: `dll`, or ZQTRTTYContest.dll beside the program when it is empty.
std::string ModulePath(const std::string& dll);

}  // namespace zqthost
