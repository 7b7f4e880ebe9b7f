// Replays inputs through a fuzz target's LLVMFuzzerTestOneInput without libFuzzer, as CTest replays the seed
// corpus and the regression cases in every build: each argument is an input file or a folder of them. A
// failed check aborts; each input's name is printed before it runs, so the failure names it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path path(argv[i]);
    std::error_code error;
    if (fs::is_directory(path, error)) {
      std::vector<fs::path> folder;
      for (const auto& entry : fs::directory_iterator(path)) {
        if (entry.is_regular_file())
          folder.push_back(entry.path());
      }
      std::sort(folder.begin(), folder.end());
      files.insert(files.end(), folder.begin(), folder.end());
    } else if (fs::is_regular_file(path, error)) {
      files.push_back(path);
    } else {
      std::fprintf(stderr, "no such input: %s\n", argv[i]);
      return 2;
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 2;
  }
  for (const fs::path& file : files) {
    std::ifstream stream(file, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    if (stream.bad()) {
      std::fprintf(stderr, "cannot read %s\n", file.c_str());
      return 2;
    }
    std::printf("%s (%zu bytes)\n", file.c_str(), bytes.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("replayed %zu inputs\n", files.size());
  return 0;
}
