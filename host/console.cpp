#include "console.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace zqthost {

Console::Console() {
  _setmode(_fileno(stdout), _O_BINARY);
}

void Console::Line(std::string_view text) {
  std::lock_guard lock(mutex_);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace zqthost
