// The main of every test executable. On Linux the registry is a hive file:
// point it at a scratch file before any service starts, so tests never touch
// the user's own registry.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#if !defined(_WIN32)
#include <unistd.h>
#endif

int main(int argc, char** argv) {
#if !defined(_WIN32)
  static std::string hive;
  if (!std::getenv("GLINTMERE_REGISTRY")) {
    hive = (std::filesystem::temp_directory_path() /
            ("glintmere-test-registry-" + std::to_string(::getpid()) + ".reg")).string();
    std::filesystem::remove(hive);
    setenv("GLINTMERE_REGISTRY", hive.c_str(), 1);
  }
#endif
  testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
#if !defined(_WIN32)
  if (!hive.empty()) {
    std::error_code ignored;
    std::filesystem::remove(hive, ignored);
    std::filesystem::remove(hive + ".lock", ignored);
  }
#endif
  return result;
}
