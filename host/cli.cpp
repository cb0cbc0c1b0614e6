// The glintmere commands.
#include "host/cli.h"

#include "base/path.h"
#include "base/text.h"
#include "host/disk_web.h"
#include "host/registration.h"
#include "host/session.h"
#include "platform/environment.h"
#include "platform/services.h"
#include "ui/scripted/answers_file.h"

namespace host {
namespace {

constexpr const char* kUsage =
    "usage: glintmere insert LIBRARY BOT --web DIR --page PAGE [--answers FILE]\n"
    "\n"
    "  insert   runs BOT's editor from the bot library LIBRARY (in the bots folder\n"
    "           beside this program) and inserts the component into PAGE\n"
    "  LIBRARY  bot library file name, for example GMWebbotS3.dll\n"
    "  BOT      bot name, for example GMScroller\n"
    "  --web DIR     the web: a folder of pages on disk\n"
    "  --page PAGE   the page, relative to the web folder, for example index.htm\n"
    "  --answers FILE  answers the editor's dialogs and message boxes from FILE\n"
    "                (docs/answers.md) instead of showing them; on Linux, without\n"
    "                it, every dialog is confirmed as it opens\n";

int Usage(std::ostream& err, const std::string& problem) {
  err << "glintmere: " << problem << "\n\n" << kUsage;
  return 2;
}

struct InsertArgs {
  std::string library;
  std::string bot;
  std::string web;
  std::string page;
  std::string answers;
};

// Reads "LIBRARY BOT --web DIR --page PAGE" (options in any order); an empty
// result with the problem on failure.
bool ParseInsert(const std::vector<std::string>& args, InsertArgs* parsed, std::string* problem) {
  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--web" || arg == "--page" || arg == "--answers") {
      if (i + 1 >= args.size()) {
        *problem = arg + " needs a value";
        return false;
      }
      std::string& target = arg == "--web"    ? parsed->web
                            : arg == "--page" ? parsed->page
                                              : parsed->answers;
      if (!target.empty()) {
        *problem = arg + " is given twice";
        return false;
      }
      target = args[++i];
      if (target.empty()) {
        *problem = arg + " needs a value";
        return false;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      *problem = "unknown option " + arg;
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 2) {
    *problem = "insert takes a bot library and a bot name";
    return false;
  }
  parsed->library = positional[0];
  parsed->bot = positional[1];
  if (parsed->web.empty()) {
    *problem = "--web is missing";
    return false;
  }
  if (parsed->page.empty()) {
    *problem = "--page is missing";
    return false;
  }
  return true;
}

int Insert(const std::vector<std::string>& args, const CliEnvironment& environment,
           std::ostream& out, std::ostream& err) {
  InsertArgs parsed;
  std::string problem;
  if (!ParseInsert(args, &parsed, &problem)) return Usage(err, problem);

  platform::Files& files = platform::GetFiles();
  if (!parsed.answers.empty()) {
    // Checked here, so a mistake is told before anything changes; the
    // runner and the bot library read the file again in their own modules.
    const std::string answers = files.FullPath(parsed.answers);
    if (!files.FileExists(answers)) {
      return Usage(err, "the answers file " + parsed.answers + " does not exist");
    }
    ui::Driver check;
    if (!ui::LoadAnswersFile(answers, &check, &problem)) return Usage(err, problem);
    if (!platform::SetEnvironmentValue("GLINTMERE_ANSWERS", answers)) {
      err << "glintmere: could not pass the answers file on to the bot\n";
      return 1;
    }
  }
  std::string web = files.FullPath(parsed.web);
  while (web.size() > 1 && base::IsPathSeparator(web.back())) web.pop_back();
  if (!files.FolderExists(web)) {
    err << "glintmere: the web folder " << parsed.web << " does not exist\n";
    return 1;
  }
  std::string page_url;
  if (!NormalizeWebUrl(parsed.page, &page_url)) {
    err << "glintmere: the page " << parsed.page
        << " must be a file inside the web folder, given relative to it\n";
    return 1;
  }
  Session session;
  session.web_folder = web;
  session.page = page_url;
  const std::string page_path = session.PagePath();
  if (!files.FileExists(page_path)) {
    err << "glintmere: the page " << page_path << " does not exist\n";
    return 1;
  }

  platform::Registry& registry = platform::GetRegistry();
  if (RegisterHost(registry, environment.server_library, environment.program_path, &problem) !=
      platform::kOk) {
    err << "glintmere: " << problem << "\n";
    return 1;
  }
  if (platform::Status status = EnsureApplicationDataFolder(registry); status != platform::kOk) {
    err << "glintmere: could not name the application data folder (registry error " << status
        << ")\n";
    return 1;
  }
  if (platform::Status status = session.Save(registry); status != platform::kOk) {
    err << "glintmere: could not open the page in the host (registry error " << status << ")\n";
    return 1;
  }

  // The bots expect the thread FrontPage calls them on: OLE initialised.
  platform::Automation& automation = platform::GetAutomation();
  const bool ole = platform::Succeeded(automation.Initialize());
  const int32_t ran =
      environment.run_bot(kHostFrontPageVersion, parsed.library.c_str(), parsed.bot.c_str(), 1);
  if (ole) automation.Uninitialize();
  if (ran == 0) {
    err << "glintmere: the bot " << parsed.bot << " of " << parsed.library
        << " could not be run\n";
    return 1;
  }
  Session after;
  if (Session::Load(registry, &after) != platform::kOk || !after.last_insert_at) {
    err << "glintmere: nothing was inserted (the editor was cancelled or the bot failed); "
        << page_path << " is unchanged\n";
    return 1;
  }
  out << "Inserted " << parsed.bot << " into " << page_path << " at byte "
      << *after.last_insert_at << " (" << after.last_insert_length << " bytes).\n";
  return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, const CliEnvironment& environment,
           std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err, "no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << kUsage;
    return 0;
  }
  if (args[0] == "insert") return Insert(args, environment, out, err);
  return Usage(err, "unknown command " + args[0]);
}

}  // namespace host
