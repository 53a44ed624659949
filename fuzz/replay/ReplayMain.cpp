// Feeds every file of the folders (or the files) named on the command line
// to a fuzz target once, in name order, so that its corpus runs as an
// ordinary test in any build. Fails when there was nothing to feed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    if (fs::is_directory(argv[i]))
      for (const auto& entry : fs::directory_iterator(argv[i])) inputs.push_back(entry.path());
    else
      inputs.emplace_back(argv[i]);
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& path : inputs) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !fs::is_regular_file(path))
      return std::fprintf(stderr, "no such input: %s\n", path.c_str()), 2;
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  std::printf("%zu inputs replayed\n", inputs.size());
  return inputs.empty() ? 1 : 0;
}
