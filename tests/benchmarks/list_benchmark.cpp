// Listing the components of a web of 1,000 pages (about 10 MB, a few
// components each, every file they use present) with the `glintmere list`
// program, against `grep -c '<!--webbot'` over the same pages: both run as
// programs, and the processor time each takes is compared. The list also
// resolves where each page lies, reads every attribute and checks each
// file; it may take at most twice grep's time.
//   list_benchmark GLINTMERE_PROGRAM
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
constexpr int kFolders = 10;
constexpr int kPagesPerFolder = 100;
constexpr int kComponentsPerPage = 3;
constexpr double kLimit = 2.0;

std::string Component(int n) {
  const std::string name = "Scroller" + std::to_string(n);
  return "<!--webbot bot=\"GMScroller\" startspan java-code=\"KelScroll\"\n"
         " java-codebase=\"../_glintmere/\"\n java-width=\"400\"\n java-height=\"60\"\n"
         " java-name=\"" + name + "\"\n html-NonJavaString=\"&lt;b&gt;Welcome&lt;/b&gt;\"\n"
         " param-AppBGImage=\"../_glintmere/sky.gif\"\n param-AppBGSound=\"../_glintmere/tune.au\"\n"
         " param-LineCount=\"2\"\n param-Line1-Text=\"Hello &amp; welcome\"\n-->\n"
         "<applet code=\"KelScroll.class\" codebase=\"../_glintmere/\" width=\"400\" height=\"60\">\n"
         "<param name=AppBGImage value=\"../_glintmere/sky.gif\">\n</applet>\n"
         "<!--webbot bot=\"GMScroller\" endspan -->\n";
}

std::string Page(int n) {
  std::string page = "<html>\n<head><title>Page</title></head>\n<body>\n";
  std::string paragraph;
  for (int i = 0; i < 12; ++i) {
    paragraph += "<p>Some text of the page, with a <a href=\"other.htm\">link</a> and more words "
                 "to read; nothing in it is a component at all.</p>\n";
  }
  for (int c = 0; c < kComponentsPerPage; ++c) page += paragraph + Component(n * 10 + c);
  page += paragraph + paragraph + "</body>\n</html>\n";
  return page;
}

void Write(const fs::path& path, const std::string& text) {
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
}

// Runs a program with its output into output_file; its processor time
// (user and system) in *seconds. False when it could not run or failed.
bool Run(const std::vector<std::string>& argv, const std::string& output_file, double* seconds,
         int* exit_code) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return false;
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) return false;
  *exit_code = WEXITSTATUS(status);
  *seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
             static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  return true;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: list_benchmark GLINTMERE_PROGRAM\n");
    return 2;
  }
  const fs::path web =
      fs::temp_directory_path() / ("glintmere-list-" + std::to_string(::getpid()));
  fs::create_directories(web / "_glintmere");
  for (const char* name : {"KelScroll.class", "sky.gif", "tune.au"}) Write(web / "_glintmere" / name, "x");
  size_t bytes = 0;
  std::vector<std::string> grep{"grep", "-c", "<!--webbot"};
  for (int f = 0; f < kFolders; ++f) {
    const fs::path folder = web / ("section" + std::to_string(f));
    fs::create_directories(folder);
    for (int p = 0; p < kPagesPerFolder; ++p) {
      const std::string page = Page(f * kPagesPerFolder + p);
      bytes += page.size();
      const fs::path path = folder / ("page" + std::to_string(p) + ".htm");
      Write(path, page);
      grep.push_back(path.string());
    }
  }
  const std::vector<std::string> list{argv[1], "list", web.string()};
  const std::string output = web.string() + ".out";
  // The host keeps its registry beside the web, not in the user's.
  ::setenv("GLINTMERE_REGISTRY", (web.string() + ".reg").c_str(), 1);

  // The best of several runs of each, taken in turns, so that a busy moment
  // weighs on both alike.
  double scan_best = 1e9, list_best = 1e9;
  size_t openings = 0, lines = 0;
  int scan_code = -1, list_code = -1;
  bool ran = true;
  for (int run = 0; run < 9 && ran; ++run) {
    double seconds = 0;
    ran = Run(grep, output, &seconds, &scan_code);
    scan_best = std::min(scan_best, seconds);
    openings = 0;
    for (std::istringstream counts(ReadAll(output)); ran;) {
      std::string line;
      if (!std::getline(counts, line)) break;
      openings += std::strtoul(line.substr(line.rfind(':') + 1).c_str(), nullptr, 10);
    }
    ran = ran && Run(list, output, &seconds, &list_code);
    list_best = std::min(list_best, seconds);
    const std::string listed = ReadAll(output);
    lines = static_cast<size_t>(std::count(listed.begin(), listed.end(), '\n'));
  }
  fs::remove_all(web);
  fs::remove(output);
  fs::remove(web.string() + ".reg");

  const size_t components = static_cast<size_t>(kFolders) * kPagesPerFolder * kComponentsPerPage;
  std::printf("%zu pages, %zu bytes: grep -c %.1f ms (%zu openings), glintmere list %.1f ms (%zu lines)\n",
              static_cast<size_t>(kFolders) * kPagesPerFolder, bytes, scan_best * 1e3, openings,
              list_best * 1e3, lines);
  if (!ran || scan_code != 0 || list_code != 0 || openings != 2 * components ||
      lines != 4 * components) {
    std::fprintf(stderr, "a run failed (grep %d, list %d) or found the wrong components\n",
                 scan_code, list_code);
    return 1;
  }
  const double ratio = list_best / scan_best;
  std::printf("list time / grep time: %.2f (at most %.1f)\n", ratio, kLimit);
  return ratio <= kLimit ? 0 : 1;
}
