// Test helpers.
#include "tests/support/test_support.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/services.h"

namespace fs = std::filesystem;

namespace test_support {
namespace {

std::string RandomSuffix() {
  static std::mt19937_64 generator(
      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      reinterpret_cast<uintptr_t>(&generator));
  static std::atomic<int> counter{0};
  std::ostringstream out;
  out << std::hex << (generator() & 0xFFFFFFFFFFull) << '-' << counter++;
  return out.str();
}

}  // namespace

TempFolder::TempFolder() {
  const fs::path folder = fs::temp_directory_path() / ("glintmere-test-" + RandomSuffix());
  fs::create_directories(folder);
  path_ = folder.string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::Join(const std::string& name) const {
  return (fs::path(path_) / fs::path(name).make_preferred()).string();
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteText(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

bool Exists(const std::string& path) { return fs::exists(path); }

std::string BinFolder() {
  // Test executables live in bin/tests/.
  static const int anchor = 0;
  const std::string self = platform::GetModuleLoader().PathOfModuleContaining(&anchor);
  fs::path folder = fs::path(self).parent_path();
  if (folder.filename() == "tests") folder = folder.parent_path();
  std::string out = folder.string();
  out.push_back(static_cast<char>(fs::path::preferred_separator));
  return out;
}

std::string LibraryFileName(const std::string& stem) {
#if defined(_WIN32)
  return stem + ".dll";
#else
  return stem + ".so";
#endif
}

std::string UniqueName(const std::string& prefix) { return prefix + "-" + RandomSuffix(); }

}  // namespace test_support
