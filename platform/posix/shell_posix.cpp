// The shell service on Linux. A program is started with posix_spawnp and its
// parameters split as a Windows program's C runtime would split them;
// documents, folders and URLs go to xdg-open, the desktop's "open".
//
// Nothing is waited for, and no child is left to become a zombie: the
// program is started from a short-lived intermediate child, which exits at
// once and is reaped here, so the program belongs to init (or the session's
// subreaper) from then on. This touches no process-wide state: no SIGCHLD
// handler, which would fight the host process's own, and no reaper thread,
// which would crash once a bot library holding this code is unloaded.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/command_line.h"
#include "platform/posix/posix_util.h"
#include "platform/shell.h"
#include "platform/system_services.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using posix::NativePath;
using posix::StatusFromErrno;

// What ShellExecuteA reports (as SE_ERR_NOASSOC) when nothing can open the
// file with the verb asked for.
constexpr Status kNoAssociation = 1155;  // ERROR_NO_ASSOCIATION
constexpr Status kGenFailure = 31;       // ERROR_GEN_FAILURE
constexpr Status kBadFormat = 11;        // ERROR_BAD_FORMAT

bool IsExecutableFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

bool Exists(const std::string& path) {
  std::error_code error;
  return fs::exists(path, error);
}

// "http://...", "file:///...", "mailto:..." but not "C:\...": a scheme of two
// or more characters.
bool IsUrl(std::string_view file) {
  const size_t colon = file.find(':');
  if (colon == file.npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(file[0]))) return false;
  for (size_t i = 1; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(file[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return file.substr(colon + 1, 2) == "//" ||
         base::EqualsNoCase(file.substr(0, colon), "mailto");
}

// The program name as found on PATH, or nothing.
std::optional<std::string> FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return std::nullopt;
  for (const std::string& folder : base::Split(path, ':')) {
    const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return std::nullopt;
}

std::string Absolute(const std::string& path) {
  std::error_code error;
  const fs::path full = fs::absolute(path, error);
  return error ? path : full.lexically_normal().string();
}

// Owners of the posix_spawn attribute objects.
class SpawnActions {
 public:
  SpawnActions() { ::posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { ::posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

class SpawnAttributes {
 public:
  SpawnAttributes() { ::posix_spawnattr_init(&attributes_); }
  ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  posix_spawnattr_t* get() { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
};

class Pipe {
 public:
  Pipe() {
    if (::pipe2(ends_, O_CLOEXEC) != 0) ends_[0] = ends_[1] = -1;
  }
  ~Pipe() {
    CloseWrite();
    if (ends_[0] >= 0) ::close(ends_[0]);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  bool ok() const { return ends_[0] >= 0; }
  int read_end() const { return ends_[0]; }
  int write_end() const { return ends_[1]; }
  void CloseWrite() {
    if (ends_[1] >= 0) ::close(ends_[1]);
    ends_[1] = -1;
  }

 private:
  int ends_[2];
};

// Starts program with arguments (argv[0] first) in folder (or here when
// empty) and returns without waiting for it; see the top of the file.
Status Spawn(const std::string& program, const std::vector<std::string>& arguments,
             const std::string& folder) {
  // Everything the intermediate child needs is prepared here: after fork()
  // in a process that may have other threads, it must not allocate.
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  SpawnActions actions;
  if (!folder.empty() && ::posix_spawn_file_actions_addchdir_np(actions.get(), folder.c_str()) != 0) {
    return kNotEnoughMemory;
  }
  // A started program is not handed this process's files (a lock file held
  // open by a long-running viewer would block every later writer), as
  // ShellExecute hands on no handles.
  if (::posix_spawn_file_actions_addclosefrom_np(actions.get(), STDERR_FILENO + 1) != 0) {
    return kNotEnoughMemory;
  }
  SpawnAttributes attributes;
  sigset_t no_signals;
  sigemptyset(&no_signals);
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int signal : {SIGPIPE, SIGCHLD, SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGALRM, SIGUSR1,
                     SIGUSR2, SIGTSTP, SIGTTIN, SIGTTOU}) {
    sigaddset(&defaults, signal);
  }
  // The program starts with a clean signal state, whatever the host blocks
  // or ignores, and in its own session, so the caller's terminal signals
  // (Ctrl+C) do not reach it, as they would not reach a program started
  // from Explorer.
  ::posix_spawnattr_setsigmask(attributes.get(), &no_signals);
  ::posix_spawnattr_setsigdefault(attributes.get(), &defaults);
  ::posix_spawnattr_setflags(attributes.get(),
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

  Pipe result;
  if (!result.ok()) return StatusFromErrno(errno);

  const pid_t middle = ::fork();
  if (middle < 0) return StatusFromErrno(errno);
  if (middle == 0) {
    pid_t started = 0;
    int spawn_error =
        ::posix_spawnp(&started, program.c_str(), actions.get(), attributes.get(), argv.data(), environ);
    ssize_t ignored = ::write(result.write_end(), &spawn_error, sizeof spawn_error);
    (void)ignored;
    ::_exit(0);
  }

  result.CloseWrite();
  int spawn_error = 0;
  ssize_t got;
  do {
    got = ::read(result.read_end(), &spawn_error, sizeof spawn_error);
  } while (got < 0 && errno == EINTR);
  // The intermediate child is reaped whatever happened; ECHILD only means the
  // host ignores SIGCHLD and the system reaped it already.
  while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
  }
  if (got != static_cast<ssize_t>(sizeof spawn_error)) return kGenFailure;
  // A file that is not a program: what ShellExecuteA says for a bad .exe.
  if (spawn_error == ENOEXEC) return kBadFormat;
  return spawn_error == 0 ? kOk : StatusFromErrno(spawn_error);
}

// Hands a document, folder or URL to the desktop.
Status OpenWithDesktop(const std::string& target, const std::string& folder) {
  const std::optional<std::string> opener = FindOnPath("xdg-open");
  if (!opener) return kNoAssociation;
  return Spawn(*opener, {*opener, target}, folder);
}

class PosixShell : public Shell {
 public:
  Status Execute(const ShellRequest& request) override {
    const bool explore = base::EqualsNoCase(request.verb, "explore");
    if (!request.verb.empty() && !base::EqualsNoCase(request.verb, "open") && !explore) {
      return kNoAssociation;
    }
    if (request.file.empty()) return kFileNotFound;

    std::string folder;
    if (!request.directory.empty()) {
      folder = Absolute(NativePath(request.directory));
      // Not started somewhere else instead, where it might write its files.
      std::error_code error;
      if (!fs::is_directory(folder, error)) return kPathNotFound;
    }
    if (IsUrl(request.file)) return OpenWithDesktop(request.file, folder);

    std::string found;
    if (const Status status = Find(NativePath(request.file), folder, &found); status != kOk) {
      return status;
    }
    if (!explore && IsExecutableFile(found)) {
      std::vector<std::string> arguments = SplitCommandLine(request.parameters);
      arguments.insert(arguments.begin(), found);
      return Spawn(found, arguments, folder);
    }
    return OpenWithDesktop(found, folder);
  }

 private:
  // Looks for the file as ShellExecute does: in the working folder, then the
  // current folder, then (for a bare program name) on PATH. A name ending in
  // ".exe" that is not there is looked for without it, which is how the
  // build names the same program on Linux.
  static Status Find(const std::string& file, const std::string& folder, std::string* found) {
    std::vector<std::string> names{file};
    if (base::EndsWithNoCase(file, ".exe")) names.push_back(file.substr(0, file.size() - 4));

    auto take = [found](std::string path) {
      *found = std::move(path);
      return kOk;
    };
    for (const std::string& name : names) {
      if (!name.empty() && name.front() == '/') {
        if (Exists(name)) return take(name);
        continue;
      }
      if (!folder.empty() && Exists(folder + "/" + name)) return take(folder + "/" + name);
      if (Exists(name)) return take(Absolute(name));
      if (name.find('/') == std::string::npos) {
        if (std::optional<std::string> on_path = FindOnPath(name)) return take(*on_path);
      }
    }
    // Also for a missing folder on the way, as ShellExecuteA reports it.
    return kFileNotFound;
  }
};

}  // namespace

std::unique_ptr<Shell> CreateSystemShell() { return std::make_unique<PosixShell>(); }

}  // namespace platform
