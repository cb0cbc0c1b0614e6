// The glintmere commands.
#include "host/cli.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <string_view>
#include <unordered_map>

#include "base/numbers.h"
#include "base/path.h"
#include "base/text.h"
#include "host/addins.h"
#include "host/application.h"
#include "host/disk_web.h"
#include "host/web_files.h"
#include "host/host_objects.h"
#include "host/registration.h"
#include "host/session.h"
#include "menu_activate/activation.h"
#include "platform/environment.h"
#include "platform/module_loader.h"
#include "platform/process_lock.h"
#include "platform/services.h"
#include "runner/attribute_list.h"
#include "runner/compose.h"
#include "runner/webbot_comments.h"
#include "ui/scripted/answers_file.h"

namespace host {
namespace {

using runner::FindWebbotComponents;
using runner::WebbotComponent;

constexpr const char* kUsage =
    "usage: glintmere insert EFFECT --web DIR --page PAGE [--answers FILE]\n"
    "       glintmere insert LIBRARY BOT --web DIR --page PAGE [--answers FILE]\n"
    "       glintmere edit PAGE [--web DIR] [--component N] [--library LIBRARY]\n"
    "                      [--answers FILE]\n"
    "       glintmere list PAGE [--web DIR]\n"
    "       glintmere list WEB\n"
    "       glintmere activate FILE...\n"
    "       glintmere menu [--version V] [--web DIR --page PAGE]\n"
    "                      [--run SUBMENU/ITEM] [--answers FILE]\n"
    "\n"
    "  insert   runs an effect's editor and inserts the new component into PAGE\n"
    "  edit     runs the editor of a component already in PAGE (the first, or the\n"
    "           Nth) with its stored settings and replaces it in place\n"
    "  list     prints the components of PAGE, or of every page (.htm, .html) of\n"
    "           WEB and its folders (but those whose names begin with \"_\"):\n"
    "             PAGE:LINE: BOT NAME\n"
    "           (PAGE relative to the web, NAME in quotes or \"-\"), then one line\n"
    "           per file the component uses (its applet's class file, files its\n"
    "           parameters name), indented by two spaces, marked \"(missing)\"\n"
    "           when the web lacks it, \"(outside the web)\" when it lies outside\n"
    "           and \"(not checked)\" for a URL elsewhere; exit code 1 when a file\n"
    "           is missing or outside, or a page is skipped (said on the error\n"
    "           output: larger than 64 MB, unreadable, or leading out of the web)\n"
    "  activate registers the KelMenu add-in with FrontPage and copies each\n"
    "           product description FILE (KelMenu-*.ini) into its settings, then\n"
    "           prints the report; exit code 1 when a product failed\n"
    "  menu     starts the host with its add-ins (those FrontPage would load, and\n"
    "           KelMenu) and prints the Glintmere menu they built, or clicks\n"
    "           its command ITEM of SUBMENU (captions without \"&\")\n"
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
    {"button-bar", "GMWebbotS3.dll", "BBBot"},
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
  // And whether it can be written back: the new page goes to a scratch file
  // beside it, then over it.
  std::string scratch;
  const std::string folder(base::FolderOf(path));
  if (platform::IsReadOnlyFile(path) ||
      files.CreateTempFile(folder, "~gm", &scratch) != platform::kOk) {
    err << "glintmere: the page " << path << " cannot be changed (it or its folder is read-only)\n";
    return false;
  }
  files.DeleteFile(scratch);
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
    // The help viewer and its pages are beside the program; a registry that
    // refuses the value only costs the sheets their Help.
    EnsureCommonFolder(registry, environment.program_path);
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

// The web folder (web_given, or the page's folder when it is empty) and
// the page given on the command line relative to it, with "/" separators;
// false after saying why when the web does not hold the page's path.
bool PageOfWeb(const std::string& page_given, const std::string& web_given, std::string* web,
               std::string* relative, std::ostream& err) {
  const std::string page_path = platform::GetFiles().FullPath(page_given);
  *web = web_given.empty() ? WebFolderPath(base::FolderOf(page_path)) : WebFolderPath(web_given);
  // A web folder that ends in a separator (a root folder) is followed by the
  // page's name.
  const size_t name_at = base::IsPathSeparator(web->back()) ? web->size() : web->size() + 1;
  if (page_path.size() <= name_at || !base::SamePathText(page_path.substr(0, web->size()), *web) ||
      !base::IsPathSeparator(page_path[name_at - 1])) {
    err << "glintmere: the page " << page_given << " is not inside the web folder " << *web
        << "\n";
    return false;
  }
  *relative = page_path.substr(name_at);
  for (char& c : *relative) {
    if (c == '\\') c = '/';
  }
  return true;
}

int Edit(const std::vector<std::string>& args, const CliEnvironment& environment,
         std::ostream& out, std::ostream& err) {
  EditArgs parsed;
  std::string problem;
  if (!ParseEdit(args, &parsed, &problem)) return Usage(err, problem);
  if (int code = PrepareAnswers(parsed.answers, err); code != 0) return code;

  platform::Files& files = platform::GetFiles();
  std::string web, relative;
  if (!PageOfWeb(parsed.page, parsed.web, &web, &relative, err)) return 1;
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
  if (list.damaged()) {
    err << "glintmere: out of memory while the bot changed the component; "
        << session.PagePath() << " is unchanged\n";
    return 1;
  }
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

// The largest page `list` reads: far beyond any page an editor makes, small
// enough that a hostile file cannot exhaust memory.
constexpr size_t kMaxListedPageSize = size_t{64} << 20;

struct ListArgs {
  std::string target;  // a page or a web folder
  std::string web;
};

bool ParseList(const std::vector<std::string>& args, ListArgs* parsed, std::string* problem) {
  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--web") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        *problem = arg + " needs a value";
        return false;
      }
      parsed->web = args[++i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      *problem = "unknown option " + arg;
      return false;
    } else {
      positional.push_back(arg);
    }
  }
  if (positional.size() != 1 || positional[0].empty()) {
    *problem = "list takes one page or web folder";
    return false;
  }
  parsed->target = positional[0];
  return true;
}

// Text from a page as one line of output: control characters (which could
// steer a terminal) are shown as '?'.
std::string Printable(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return out;
}

// Whether a parameter's value names a file below the component's code base
// ("./_glintmere/sky.gif" under "./_glintmere/"), or any "./" file.
bool LooksLikeFile(const std::string& value, const std::string& code_base) {
  std::string_view name;
  if (!code_base.empty() && base::StartsWithNoCase(value, code_base)) {
    name = std::string_view(value).substr(code_base.size());
  } else if (value.starts_with("./")) {
    name = std::string_view(value).substr(2);
  } else {
    return false;
  }
  if (name.empty() || name.front() == ' ' || base::IsPathSeparator(name.back())) return false;
  return std::none_of(value.begin(), value.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '<' || c == '>';
  });
}

// The files a component uses, as its attributes name them: the applet's
// class file under its code base, then each file a parameter names.
std::vector<std::string> ReferencedFiles(const runner::AttributeEntries& attributes) {
  auto value_of = [&attributes](std::string_view name) -> const std::string& {
    static const std::string kNone;
    const std::optional<std::string>* value = runner::FindWebbotAttribute(attributes, name);
    return value && *value ? **value : kNone;
  };
  const std::string& code_base = value_of("java-codebase");
  std::vector<std::string> files;
  if (std::string code = value_of("java-code"); !code.empty()) {
    if (!base::EndsWithNoCase(code, ".class")) code += ".class";
    files.push_back(code_base + code);
  }
  for (const auto& [name, value] : attributes) {
    if (!value || !base::StartsWithNoCase(name, "param-") || !LooksLikeFile(*value, code_base)) {
      continue;
    }
    if (std::find(files.begin(), files.end(), *value) == files.end()) files.push_back(*value);
  }
  return files;
}

// Where a file a component names lies, seen from its page.
enum class Location { kInWeb, kOutsideWeb, kElsewhere };

// The web-relative URL of reference, a file named in the page page_url:
// relative to the page's folder, from the web's root after a "/", or a
// "file:" URL; ".." steps may climb as far as the web's root. URLs of other
// schemes are elsewhere; anything else that leaves the web, or that
// NormalizeWebUrl refuses, is outside.
Location LocateReference(const std::string& web, const std::string& page_url,
                         const std::string& reference, std::string* url) {
  const size_t colon = reference.find(':');
  const size_t separator = reference.find_first_of("/\\");
  // "C:" is a drive, not a scheme.
  if (colon != std::string::npos && colon > 1 && colon < separator) {
    if (!base::StartsWithNoCase(reference, "file:")) return Location::kElsewhere;
    return WebRelativeUrl(web, reference, WebRoot::kRefused, url) ? Location::kInWeb
                                                                  : Location::kOutsideWeb;
  }
  std::vector<std::string_view> steps;
  std::string_view rest = reference;
  if (!rest.empty() && base::IsPathSeparator(rest.front())) {
    // "//server/share" is another machine's.
    if (rest.size() > 1 && base::IsPathSeparator(rest[1])) return Location::kOutsideWeb;
    rest.remove_prefix(1);
  } else {
    const size_t slash = page_url.rfind('/');
    std::string_view folder =
        slash == std::string::npos ? std::string_view() : std::string_view(page_url).substr(0, slash);
    while (!folder.empty()) {
      const size_t next = folder.find('/');
      steps.push_back(folder.substr(0, next));
      folder = next == std::string_view::npos ? std::string_view() : folder.substr(next + 1);
    }
  }
  while (true) {
    size_t next = 0;
    while (next < rest.size() && !base::IsPathSeparator(rest[next])) ++next;
    const std::string_view step = rest.substr(0, next);
    if (step == "..") {
      if (steps.empty()) return Location::kOutsideWeb;
      steps.pop_back();
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    if (next == rest.size()) break;
    rest.remove_prefix(next + 1);
  }
  std::string joined;
  for (std::string_view step : steps) {
    if (!joined.empty()) joined += '/';
    joined += step;
  }
  return NormalizeWebUrl(joined, url) ? Location::kInWeb : Location::kOutsideWeb;
}

// One `list` run over a web.
class ComponentLister {
 public:
  ComponentLister(std::string web, std::ostream& out, std::ostream& err)
      : web_(std::move(web)), real_web_(platform::RealPath(web_)), out_(out), err_(err) {
    while (real_web_.size() > 1 && base::IsPathSeparator(real_web_.back())) real_web_.pop_back();
  }

  // Prints the components of the page with web-relative URL page_url. A
  // caller that found the page in a folder whose real path it checked
  // passes that path in real_folder: a page there that is no link is then
  // known to lie in the web without resolving it again.
  void ListPage(const std::string& page_url, const std::string& real_folder = std::string());

  // Prints the components of every page of the web's folders, the web's
  // own pages first, then each folder's (sorted without regard to case).
  void ListWeb();

  // Whether a file was missing or outside the web, or a page was skipped.
  bool found_problem() const { return problem_; }

 private:
  void Skip(const std::string& page_url, const std::string& why) {
    err_ << "glintmere: " << Printable(page_url) << ": skipped (" << why << ")\n";
    problem_ = true;
  }
  bool FileInWeb(const std::string& url);
  bool InsideWeb(const std::string& path) const;
  Location Locate(const std::string& page_url, const std::string& reference, std::string* url);

  std::string web_;
  std::string real_web_;  // links followed, no trailing separator but the root's
  std::ostream& out_;
  std::ostream& err_;
  // A web's pages share their files, and a folder's pages their references.
  std::unordered_map<std::string, bool> exists_;  // by web-relative URL
  std::unordered_map<std::string, std::pair<Location, std::string>> located_;  // by folder and reference
  bool problem_ = false;
};

bool ComponentLister::FileInWeb(const std::string& url) {
  const auto known = exists_.find(url);
  if (known != exists_.end()) return known->second;
  const bool exists = IsPageInWeb(web_, url);
  exists_.emplace(url, exists);
  return exists;
}

// platform::RealPathIsInside, with the web's real path found once.
bool ComponentLister::InsideWeb(const std::string& path) const {
  const std::string real = platform::RealPath(path);
  const std::string& root = real_web_;
  if (real.empty() || root.empty() || real.size() < root.size()) return false;
#if defined(_WIN32)
  if (!base::EqualsNoCase(std::string_view(real).substr(0, root.size()), root)) return false;
#else
  if (real.compare(0, root.size(), root) != 0) return false;
#endif
  return real.size() == root.size() || base::IsPathSeparator(root.back()) ||
         base::IsPathSeparator(real[root.size()]);
}

Location ComponentLister::Locate(const std::string& page_url, const std::string& reference,
                                 std::string* url) {
  const size_t slash = page_url.rfind('/');
  std::string key = slash == std::string::npos ? std::string() : page_url.substr(0, slash);
  key.append(1, '\0').append(reference);
  auto known = located_.find(key);
  if (known == located_.end()) {
    std::string found;
    const Location location = LocateReference(web_, page_url, reference, &found);
    known = located_.emplace(std::move(key), std::make_pair(location, std::move(found))).first;
  }
  *url = known->second.second;
  return known->second.first;
}

void ComponentLister::ListPage(const std::string& page_url, const std::string& real_folder) {
  std::string path;
  const size_t slash = page_url.rfind('/');
  if (!real_folder.empty()) {
    path = real_folder;
    if (!base::IsPathSeparator(path.back())) path += '/';
    path += page_url.substr(slash == std::string::npos ? 0 : slash + 1);
  }
  if (path.empty() || platform::IsSymbolicLink(path)) {
    if (!ResolveInWeb(web_, page_url, &path) || !InsideWeb(path)) {
      Skip(page_url, "it leads out of the web");
      return;
    }
  }
  std::string text;
  const platform::Status status =
      platform::GetFiles().ReadFileUpTo(path, kMaxListedPageSize, &text);
  if (status == platform::kFileTooLarge) {
    Skip(page_url, "larger than 64 MB");
    return;
  }
  if (status != platform::kOk) {
    Skip(page_url, base::Format("could not be read, error %lu", static_cast<unsigned long>(status)));
    return;
  }
  size_t line = 1;
  size_t counted = 0;
  for (const runner::WebbotComponent& component : runner::FindWebbotComponents(text)) {
    // Lines counted from the previous component on: the whole page once.
    for (size_t at = text.find('\n', counted); at < component.begin; at = text.find('\n', at + 1)) {
      ++line;
    }
    counted = component.begin;
    const std::optional<std::string>* name =
        runner::FindWebbotAttribute(component.attributes, "java-name");
    if (!name || !*name) name = runner::FindWebbotAttribute(component.attributes, "component-name");
    // Each component's lines go out at once.
    std::string lines = page_url + ":" + std::to_string(line) + ": " + Printable(component.bot) +
                        " " + (name && *name ? "\"" + Printable(**name) + "\"" : std::string("-")) +
                        "\n";
    for (const std::string& reference : ReferencedFiles(component.attributes)) {
      std::string url;
      switch (Locate(page_url, reference, &url)) {
        case Location::kInWeb:
          lines += "  " + url;
          if (!FileInWeb(url)) {
            lines += " (missing)";
            problem_ = true;
          }
          break;
        case Location::kOutsideWeb:
          lines += "  " + Printable(reference) + " (outside the web)";
          problem_ = true;
          break;
        case Location::kElsewhere:
          lines += "  " + Printable(reference) + " (not checked)";
          break;
      }
      lines += '\n';
    }
    out_ << lines;
  }
}

void ComponentLister::ListWeb() {
  platform::Files& files = platform::GetFiles();
  // Folders still to list, by web-relative URL; the last is listed next.
  // Folders still to list, by web-relative URL and real path; the last is
  // listed next.
  std::vector<std::pair<std::string, std::string>> folders{{"", real_web_}};
  // Real paths of the folders met: a link back up never lists a folder twice.
  std::set<std::string> seen{real_web_};
  auto is_page = [](const std::string& name) {
    return base::EndsWithNoCase(name, ".htm") || base::EndsWithNoCase(name, ".html");
  };
  // A name the URLs of the web can carry as it is.
  auto url_in = [](const std::string& folder_url, const std::string& name, std::string* url) {
    std::string normalized;
    if (!NormalizeWebUrl(name, &normalized) || normalized != name) return false;
    *url = folder_url.empty() ? name : folder_url + "/" + name;
    return true;
  };
  while (!folders.empty()) {
    const std::string folder_url = std::move(folders.back().first);
    const std::string real_folder = std::move(folders.back().second);
    folders.pop_back();
    std::string folder;
    if (!ResolveInWeb(web_, folder_url, &folder, WebRoot::kAllowed)) continue;
    std::vector<std::string> names;
    if (files.FindFiles(folder, "*", &names) == platform::kOk) {
      for (const std::string& name : names) {
        std::string url;
        if (!is_page(name)) continue;
        if (url_in(folder_url, name, &url)) {
          ListPage(url, real_folder);
        } else {
          Skip(folder_url.empty() ? name : folder_url + "/" + name,
               "its name cannot be part of a web address");
        }
      }
    }
    names.clear();
    if (files.ListFolders(folder, &names) != platform::kOk) continue;
    std::vector<std::pair<std::string, std::string>> below;
    for (const std::string& name : names) {
      // "_glintmere", "_buttonbar" and the like hold the components' files.
      std::string url, path;
      if (name.empty() || name[0] == '_' || !url_in(folder_url, name, &url) ||
          !ResolveInWeb(web_, url, &path)) {
        continue;
      }
      // Links are followed only within the web.
      std::string real = platform::RealPath(path);
      if (!InsideWeb(path) || !seen.insert(real).second) continue;
      below.emplace_back(std::move(url), std::move(real));
    }
    folders.insert(folders.end(), below.rbegin(), below.rend());
  }
}

int List(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  ListArgs parsed;
  std::string problem;
  if (!ParseList(args, &parsed, &problem)) return Usage(err, problem);
  platform::Files& files = platform::GetFiles();
  const std::string target = files.FullPath(parsed.target);
  if (files.FolderExists(target)) {
    if (!parsed.web.empty()) return Usage(err, "--web goes with a page, not a web folder");
    ComponentLister lister(WebFolderPath(target), out, err);
    lister.ListWeb();
    return lister.found_problem() ? 1 : 0;
  }
  std::string web, relative, page_url;
  if (!PageOfWeb(parsed.target, parsed.web, &web, &relative, err)) return 1;
  if (!files.FolderExists(web)) {
    err << "glintmere: the web folder " << web << " does not exist\n";
    return 1;
  }
  if (!NormalizeWebUrl(relative, &page_url) || !files.FileExists(target)) {
    err << "glintmere: the page " << parsed.target << " does not exist\n";
    return 1;
  }
  ComponentLister lister(web, out, err);
  lister.ListPage(page_url);
  return lister.found_problem() ? 1 : 0;
}

// activate FILE...: the activation utility's work without its windows, on
// files named relative to the current folder.
int Activate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() < 2) return Usage(err, "activate needs one or more product files");
  std::vector<menu_activate::ProductRequest> requests;
  for (size_t i = 1; i < args.size(); ++i) {
    requests.push_back({platform::GetFiles().FullPath(args[i]), args[i]});
  }
  const menu_activate::ActivationReport report =
      menu_activate::ActivateProducts(requests, platform::GetRegistry());
  out << report.Text();
  if (!report.add_in_registered) err << "glintmere: the KelMenu add-in could not be registered\n";
  return report.AllSucceeded() ? 0 : 1;
}

// The menu add-in's ProgID, connected by `menu` even when FrontPage's
// add-in list lacks it.
constexpr const char* kMenuAddIn = "KelMenu.addinKelMenu";

struct MenuArgs {
  std::string version = kHostFrontPageVersion;
  std::string web;
  std::string page;
  std::string run;
  std::string answers;
};

bool ParseMenu(const std::vector<std::string>& args, MenuArgs* parsed, std::string* problem) {
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg != "--version" && arg != "--web" && arg != "--page" && arg != "--run" &&
        arg != "--answers") {
      *problem = arg.starts_with("-") ? "unknown option " + arg : "menu takes options only";
      return false;
    }
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      *problem = arg + " needs a value";
      return false;
    }
    std::string& target = arg == "--version" ? parsed->version
                          : arg == "--web"   ? parsed->web
                          : arg == "--page"  ? parsed->page
                          : arg == "--run"   ? parsed->run
                                             : parsed->answers;
    target = args[++i];
  }
  if (parsed->web.empty() != parsed->page.empty()) {
    *problem = "--web and --page go together";
    return false;
  }
  if (!parsed->run.empty() && parsed->run.find('/') == std::string::npos) {
    *problem = "--run takes SUBMENU/ITEM";
    return false;
  }
  return true;
}

// A caption as the user reads it: accelerator marks removed, "&&" kept as "&".
std::string PlainCaption(std::string_view caption) {
  std::string plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    plain += caption[i];
  }
  return plain;
}

// The menu add-in's class, registered from the library beside this program
// (as regsvr32 would) when its ProgID names no class yet.
void RegisterMenuAddIn(const CliEnvironment& environment, std::ostream& err) {
  std::string clsid;
  if (platform::ReadString(platform::GetRegistry(), platform::RootKey::kClassesRoot,
                           std::string(kMenuAddIn) + "\\CLSID", "", &clsid) == platform::kOk) {
    return;
  }
  const std::string library = base::FolderOf(environment.program_path) + "KelMenu" +
                              platform::kSharedLibrarySuffix;
  platform::Status status = platform::kOk;
  std::unique_ptr<platform::Module> module = platform::GetModuleLoader().Load(library, &status);
  using RegisterFn = long
#if defined(_WIN32)
      __stdcall
#endif
      (*)();
  auto do_register =
      module ? reinterpret_cast<RegisterFn>(module->FindExport("DllRegisterServer", &status))
             : nullptr;
  if (!do_register || do_register() != 0) {
    err << "glintmere: could not register the menu add-in " << library << "\n";
  }
}

int Menu(const std::vector<std::string>& args, const CliEnvironment& environment,
         std::ostream& out, std::ostream& err) {
  MenuArgs parsed;
  std::string problem;
  if (!ParseMenu(args, &parsed, &problem)) return Usage(err, problem);
  if (int code = PrepareAnswers(parsed.answers, err); code != 0) return code;
  Session session;
  std::string text;
  if (!parsed.web.empty() && !FindPage(parsed.web, parsed.page, &session, &text, err)) return 1;
  // A session of its own even without a web: the add-in must not see another
  // run's page.
  RunSession run;
  if (!OpenInHost(environment, session, run, err)) return 1;
  RegisterMenuAddIn(environment, err);

  platform::Automation& automation = platform::GetAutomation();
  const bool ole = platform::Succeeded(automation.Initialize());
  int code = 0;
  {
    HostApplication application(parsed.version);
    AddInHost add_ins;
    add_ins.Start(application.object(), {kMenuAddIn}, err);
    if (parsed.run.empty()) {
      out << PrintMenu(application, "GlintmereMenu");
    } else {
      const size_t slash = parsed.run.find('/');
      const std::string submenu_caption = parsed.run.substr(0, slash);
      const std::string item_caption = parsed.run.substr(slash + 1);
      std::shared_ptr<CommandBarControl> button;
      if (const std::shared_ptr<CommandBarControl> menu = application.FindByTag("GlintmereMenu")) {
        for (const auto& submenu : menu->controls) {
          if (PlainCaption(submenu->caption) != submenu_caption) continue;
          for (const auto& item : submenu->controls) {
            if (!button && item->type == 1 && PlainCaption(item->caption) == item_caption) {
              button = item;
            }
          }
        }
      }
      if (!button) {
        err << "glintmere: the menu has no command " << parsed.run << "\n";
        code = 1;
      } else {
        application.Click(button);
        Session after;
        if (Session::Load(platform::GetRegistry(), &after) == platform::kOk &&
            after.last_insert_at) {
          out << "Inserted into " << after.PagePath() << " at byte " << *after.last_insert_at
              << " (" << after.last_insert_length << " bytes).\n";
        }
      }
    }
    add_ins.Stop(kDisconnectShutdown);
    application.DropEventSinks();
  }
  if (ole) automation.Uninitialize();
  return code;
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
  if (args[0] == "list") return List(args, out, err);
  if (args[0] == "activate") return Activate(args, out, err);
  if (args[0] == "menu") return Menu(args, environment, out, err);
  return Usage(err, "unknown command " + args[0]);
}

}  // namespace host
