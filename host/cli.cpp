// The glintmere commands.
#include "host/cli.h"

#include <climits>
#include <memory>

#include "base/numbers.h"
#include "base/path.h"
#include "base/text.h"
#include "host/components.h"
#include "host/disk_web.h"
#include "host/host_objects.h"
#include "host/registration.h"
#include "host/session.h"
#include "platform/environment.h"
#include "platform/module_loader.h"
#include "platform/process_lock.h"
#include "platform/services.h"
#include "runner/attribute_list.h"
#include "runner/compose.h"
#include "ui/scripted/answers_file.h"

namespace host {
namespace {

constexpr const char* kUsage =
    "usage: glintmere insert EFFECT --web DIR --page PAGE [--answers FILE]\n"
    "       glintmere insert LIBRARY BOT --web DIR --page PAGE [--answers FILE]\n"
    "       glintmere edit PAGE [--web DIR] [--component N] [--library LIBRARY]\n"
    "                      [--answers FILE]\n"
    "\n"
    "  insert   runs an effect's editor and inserts the new component into PAGE\n"
    "  edit     runs the editor of a component already in PAGE (the first, or the\n"
    "           Nth) with its stored settings and replaces it in place\n"
    "  EFFECT   %s\n"
    "  LIBRARY  bot library file name in the bots folder beside this program,\n"
    "           for example GMWebbotS3.dll\n"
    "  BOT      bot name, for example GMScroller\n"
    "  --web DIR     the web: a folder of pages on disk (for edit, the page's\n"
    "                folder unless given)\n"
    "  --page PAGE   the page, relative to the web folder, for example index.htm\n"
    "  --answers FILE  answers the editor's dialogs and message boxes from FILE\n"
    "                (docs/answers.md) instead of showing them; on Linux, without\n"
    "                it, every dialog is confirmed as it opens\n";

// The effects by the names people use, and their bot library and bot.
struct Effect {
  const char* name;
  const char* library;
  const char* bot;
};
constexpr Effect kEffects[] = {
    {"scroller", "GMWebbotS3.dll", "GMScroller"},
    {"presentation", "GMWebbotS3.dll", "GMPresent"},
    {"text-effects", "GMWebbot.dll", "GMBots"},
    {"image-effects", "GMWebbot.dll", "GMImageBots"},
};

// The bot library of a bot met in a page.
const char* LibraryOfBot(const std::string& bot) {
  for (const Effect& effect : kEffects) {
    if (base::EqualsNoCase(bot, effect.bot)) return effect.library;
  }
  return nullptr;
}

// The usage text with the effects' names.
std::string UsageText() {
  std::string names;
  for (const Effect& effect : kEffects) {
    if (!names.empty()) names += ", ";
    names += effect.name;
  }
  return base::Format(kUsage, names.c_str());
}

int Usage(std::ostream& err, const std::string& problem) {
  err << "glintmere: " << problem << "\n\n" << UsageText();
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
  if (positional.size() == 1) {
    for (const Effect& effect : kEffects) {
      if (base::EqualsNoCase(positional[0], effect.name)) {
        parsed->library = effect.library;
        parsed->bot = effect.bot;
      }
    }
    if (parsed->bot.empty()) {
      *problem = "unknown effect " + positional[0];
      return false;
    }
  } else if (positional.size() == 2) {
    parsed->library = positional[0];
    parsed->bot = positional[1];
  } else {
    *problem = "insert takes an effect, or a bot library and a bot name";
    return false;
  }
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

// The largest answers file taken: far more than any editor's dialogs need.
constexpr size_t kMaxAnswersFileSize = 1 << 20;

// Checks the answers file and hands it on to the bot through the environment;
// 0, or the exit code after saying why not.
int PrepareAnswers(const std::string& given, std::ostream& err) {
  if (given.empty()) return 0;
  platform::Files& files = platform::GetFiles();
  // Checked here, so a mistake is told before anything changes; the runner
  // and the bot library read the file again in their own modules.
  const std::string answers = files.FullPath(given);
  if (!files.FileExists(answers)) {
    return Usage(err, "the answers file " + given + " does not exist");
  }
  // Only a regular file: a FIFO or a device would never end.
  std::string text;
  if (files.ReadFile(answers, &text) != platform::kOk) {
    return Usage(err, "the answers file " + given + " cannot be read as a file");
  }
  if (text.size() > kMaxAnswersFileSize) {
    return Usage(err, "the answers file " + given + " is larger than 1 MB");
  }
  ui::Driver check;
  std::string problem;
  if (!ui::LoadAnswersFile(answers, &check, &problem)) return Usage(err, problem);
  if (!platform::SetEnvironmentValue("GLINTMERE_ANSWERS", answers)) {
    err << "glintmere: could not pass the answers file on to the bot\n";
    return 1;
  }
  return 0;
}

// The web folder given, as a full path without trailing separators (the
// root folder keeps its one).
std::string WebFolderPath(const std::string& given) {
  std::string web = platform::GetFiles().FullPath(given);
  while (web.size() > 1 && base::IsPathSeparator(web.back()) &&
         !(web.size() == 3 && web[1] == ':')) {
    web.pop_back();
  }
  return web;
}

// The session of the page `page` (relative to the web folder `web_given`),
// once the page is known to be a file inside the web that can be read;
// *text is what it holds. False after saying why not.
bool FindPage(const std::string& web_given, const std::string& page, Session* session,
              std::string* text, std::ostream& err) {
  platform::Files& files = platform::GetFiles();
  const std::string web = WebFolderPath(web_given);
  if (!files.FolderExists(web)) {
    err << "glintmere: the web folder " << web_given << " does not exist\n";
    return false;
  }
  std::string page_url;
  if (!NormalizeWebUrl(page, &page_url)) {
    err << "glintmere: the page " << page
        << " must be a file inside the web folder, given relative to it\n";
    return false;
  }
  session->web_folder = web;
  session->page = page_url;
  const std::string path = session->PagePath();
  if (!files.FileExists(path)) {
    err << "glintmere: the page " << path << " does not exist\n";
    return false;
  }
  // A link (or a linked folder) leading out of the web is not a page of it.
  if (!platform::RealPathIsInside(path, web)) {
    err << "glintmere: the page " << path << " leads out of the web folder " << web << "\n";
    return false;
  }
  // Read before any editor runs: an unreadable page, a FIFO or a device is
  // told now, with nothing published.
  if (files.ReadFile(path, text) != platform::kOk) {
    err << "glintmere: could not read the page " << path << " (it must be a readable file)\n";
    return false;
  }
  return true;
}

// Registers the host's objects, opens the run's own session and the page in
// it, as FrontPage would have it open; false after saying why not.
bool OpenInHost(const CliEnvironment& environment, Session& session, RunSession& run,
                std::ostream& err) {
  platform::Registry& registry = platform::GetRegistry();
  std::string problem;
  {
    // One run at a time checks and writes the registration: another run's
    // half-written one must not look like another program's.
    platform::Status locked = platform::kOk;
    const std::unique_ptr<platform::ProcessLock> lock =
        platform::AcquireProcessLock("host-registration", &locked);
    if (!lock) {
      err << "glintmere: could not lock the host's registration (error " << locked << ")\n";
      return false;
    }
    if (RegisterHost(registry, environment.server_library, environment.program_path, &problem) !=
        platform::kOk) {
      err << "glintmere: " << problem << "\n";
      return false;
    }
    if (platform::Status status = EnsureApplicationDataFolder(registry); status != platform::kOk) {
      err << "glintmere: could not name the application data folder (registry error " << status
          << ")\n";
      return false;
    }
  }
  if (platform::Status status = run.Open(registry); status != platform::kOk) {
    err << "glintmere: could not open a session of the host (error " << status << ")\n";
    return false;
  }
  if (platform::Status status = session.Save(registry); status != platform::kOk) {
    err << "glintmere: could not open the page in the host (registry error " << status << ")\n";
    return false;
  }
  return true;
}

int Insert(const std::vector<std::string>& args, const CliEnvironment& environment,
           std::ostream& out, std::ostream& err) {
  InsertArgs parsed;
  std::string problem;
  if (!ParseInsert(args, &parsed, &problem)) return Usage(err, problem);
  if (int code = PrepareAnswers(parsed.answers, err); code != 0) return code;
  Session session;
  std::string text;
  if (!FindPage(parsed.web, parsed.page, &session, &text, err)) return 1;
  const std::string page_path = session.PagePath();
  RunSession run;
  if (!OpenInHost(environment, session, run, err)) return 1;

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
  if (Session::Load(platform::GetRegistry(), &after) != platform::kOk || !after.last_insert_at) {
    err << "glintmere: nothing was inserted (the editor was cancelled or the bot failed); "
        << page_path << " is unchanged\n";
    return 1;
  }
  out << "Inserted " << parsed.bot << " into " << page_path << " at byte "
      << *after.last_insert_at << " (" << after.last_insert_length << " bytes).\n";
  return 0;
}

struct EditArgs {
  std::string page;
  std::string web;
  std::string library;
  std::string answers;
  int component = 1;
};

bool ParseEdit(const std::vector<std::string>& args, EditArgs* parsed, std::string* problem) {
  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--web" || arg == "--library" || arg == "--answers" || arg == "--component") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        *problem = arg + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      if (arg == "--component") {
        const std::optional<int64_t> n = base::WholeNumber(value, 1, INT_MAX);
        if (!n || value.find_first_not_of("0123456789") != std::string::npos) {
          *problem = "--component needs a number from 1 on";
          return false;
        }
        parsed->component = static_cast<int>(*n);
      } else {
        (arg == "--web" ? parsed->web : arg == "--library" ? parsed->library : parsed->answers) =
            value;
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      *problem = "unknown option " + arg;
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 1) {
    *problem = "edit takes one page";
    return false;
  }
  parsed->page = positional[0];
  return true;
}

int Edit(const std::vector<std::string>& args, const CliEnvironment& environment,
         std::ostream& out, std::ostream& err) {
  EditArgs parsed;
  std::string problem;
  if (!ParseEdit(args, &parsed, &problem)) return Usage(err, problem);
  if (int code = PrepareAnswers(parsed.answers, err); code != 0) return code;

  platform::Files& files = platform::GetFiles();
  const std::string page_path = files.FullPath(parsed.page);
  const std::string web =
      parsed.web.empty() ? WebFolderPath(base::FolderOf(page_path)) : WebFolderPath(parsed.web);
  // The page relative to the web, which must hold it. A web folder that
  // ends in a separator (a root folder) is followed by the page's name.
  const size_t name_at = base::IsPathSeparator(web.back()) ? web.size() : web.size() + 1;
  if (page_path.size() <= name_at || !base::SamePathText(page_path.substr(0, web.size()), web) ||
      !base::IsPathSeparator(page_path[name_at - 1])) {
    err << "glintmere: the page " << parsed.page << " is not inside the web folder " << web
        << "\n";
    return 1;
  }
  std::string relative = page_path.substr(name_at);
  for (char& c : relative) {
    if (c == '\\') c = '/';
  }
  Session session;
  std::string text;
  if (!FindPage(web, relative, &session, &text, err)) return 1;

  std::vector<WebbotComponent> components = FindWebbotComponents(text);
  if (parsed.component > static_cast<int>(components.size())) {
    err << "glintmere: " << session.PagePath() << " holds " << components.size()
        << " component(s); there is no component " << parsed.component << "\n";
    return 1;
  }
  const WebbotComponent component = components[static_cast<size_t>(parsed.component) - 1];
  if (component.holds_component) {
    // Composed again from its settings, it would lose the one inside.
    err << "glintmere: component " << parsed.component << " of " << session.PagePath()
        << " holds another component; edit that one instead\n";
    return 1;
  }
  std::string library = parsed.library;
  if (library.empty()) {
    const char* known = LibraryOfBot(component.bot);
    if (!known) {
      err << "glintmere: the bot library of " << component.bot
          << " is not known; name it with --library\n";
      return 1;
    }
    library = known;
  }
  const std::string library_path =
      base::FolderOf(environment.program_path) + "bots\\" + library;
  platform::Status error = 0;
  std::unique_ptr<platform::Module> module = platform::GetModuleLoader().Load(library_path, &error);
  if (!module) {
    err << "glintmere: could not load " << library_path << " (error " << error << ")\n";
    return 1;
  }
  auto edit = reinterpret_cast<BotEditEntry>(module->FindExport(component.bot + "_Edit", &error));
  if (!edit) {
    err << "glintmere: " << library << " has no editor for " << component.bot << "\n";
    return 1;
  }
  RunSession run;
  if (!OpenInHost(environment, session, run, err)) return 1;

  runner::AttributeList list(component.attributes);
  platform::Automation& automation = platform::GetAutomation();
  const bool ole = platform::Succeeded(automation.Initialize());
  const int32_t result = edit(list.get(), &runner::HostCallbacks());
  if (ole) automation.Uninitialize();
  if (result == 0) {
    err << "glintmere: nothing was changed (the editor was cancelled or the bot failed); "
        << session.PagePath() << " is unchanged\n";
    return 1;
  }
  // The page as it is now (the bot may have published files beside it), with
  // the component replaced where it stood: read, compared and written under
  // the page's lock, so a change another run made meanwhile is never lost.
  platform::Status locked = platform::kOk;
  const std::unique_ptr<platform::ProcessLock> lock =
      platform::AcquireProcessLock(PageLockName(session.PagePath()), &locked);
  if (!lock) {
    err << "glintmere: could not lock " << session.PagePath() << " (error " << locked
        << "); it is unchanged\n";
    return 1;
  }
  std::string now;
  if (files.ReadFile(session.PagePath(), &now) != platform::kOk) {
    err << "glintmere: could not read " << session.PagePath() << " again\n";
    return 1;
  }
  std::vector<WebbotComponent> again = FindWebbotComponents(now);
  if (again.size() != components.size() ||
      now.compare(again[parsed.component - 1].begin,
                  again[parsed.component - 1].end - again[parsed.component - 1].begin,
                  text, component.begin, component.end - component.begin) != 0) {
    err << "glintmere: " << session.PagePath()
        << " changed while the editor ran; nothing was replaced\n";
    return 1;
  }
  const WebbotComponent& target = again[static_cast<size_t>(parsed.component) - 1];
  const std::string html = InsertableHtml(runner::ComposeWebbotHtml(list.list(), component.bot));
  now.replace(target.begin, target.end - target.begin, html);
  if (files.WriteFileAtomic(session.PagePath(), now) != platform::kOk) {
    err << "glintmere: could not write " << session.PagePath() << "; it is unchanged\n";
    return 1;
  }
  out << "Edited " << component.bot << " (component " << parsed.component << ") in "
      << session.PagePath() << ".\n";
  return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, const CliEnvironment& environment,
           std::ostream& out, std::ostream& err) {
  if (args.empty()) return Usage(err, "no command given");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    out << UsageText();
    return 0;
  }
  if (args[0] == "insert") return Insert(args, environment, out, err);
  if (args[0] == "edit") return Edit(args, environment, out, err);
  return Usage(err, "unknown command " + args[0]);
}

}  // namespace host
