// A fuzz target as a plain program: runs its check on every file named and every file of every folder named,
// so the normal build and CI run the seeds; libFuzzer itself comes in through scripts/fuzz.sh.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputsOf(const std::filesystem::path& named) {
  if (!std::filesystem::is_directory(named)) return {named};
  std::vector<std::filesystem::path> inputs;
  for (const auto& entry : std::filesystem::directory_iterator(named))
    if (entry.is_regular_file()) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  for (int arg = 1; arg < argc; ++arg) {
    for (const std::filesystem::path& input : InputsOf(argv[arg])) {
      std::ifstream file(input, std::ios::binary);
      if (!file) {
        std::cerr << input.string() << ": cannot be read\n";
        return 1;
      }
      std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++count;
    }
  }
  std::cout << count << " inputs checked\n";
  return count > 0 ? 0 : 1;  // no input at all means the seeds went missing
}
