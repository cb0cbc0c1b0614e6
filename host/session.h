// The state of one editing session of the stand-alone host: the web folder,
// the page open in the editor, the insertion point and whether the page has
// unsaved changes. Every process of the session (the glintmere program, the
// runner, a bot, a launcher) creates its own host objects, so the state lives
// in the registry, under the session's own key, and is read at each call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace host {

// HKEY_CURRENT_USER\Software\Glintmere\Host\Session: the session of
// programs started outside any glintmere run, when no run is open.
inline constexpr const char* kSessionKey = "Software\\Glintmere\\Host\\Session";
// The sessions of glintmere runs, one subkey each.
inline constexpr const char* kRunSessionsKey = "Software\\Glintmere\\Host\\Sessions";
// The environment variable naming the run's own session for the processes
// and modules of the run.
inline constexpr const char* kSessionVariable = "GLINTMERE_SESSION";

// The key of the session this process works in: the run's own, when
// GLINTMERE_SESSION names one; else the newest run session whose process is
// still running; else kSessionKey.
std::string CurrentSessionKey(platform::Registry& registry);

// A glintmere run's own session, open while the object lives: a new key
// under kRunSessionsKey, named in GLINTMERE_SESSION, so that runs at the same
// time never see each other's web and page. Sessions left by runs that
// ended without closing theirs are removed when a new one opens.
class RunSession {
 public:
  RunSession() = default;
  ~RunSession();
  RunSession(const RunSession&) = delete;
  RunSession& operator=(const RunSession&) = delete;

  // Opens the session; the registry's error otherwise.
  platform::Status Open(platform::Registry& registry);

 private:
  platform::Registry* registry_ = nullptr;
  std::string key_;
  std::optional<std::string> previous_;  // GLINTMERE_SESSION before Open
};

struct Session {
  std::string web_folder;  // full path of the web folder, no trailing separator
  std::string page;        // URL of the open page relative to the web ("a/b.htm"), or empty
  // Byte offset in the page where the next insertion goes; none means
  // "before the closing body tag, else at the end".
  std::optional<uint32_t> insert_at;
  bool has_unsaved_changes = false;
  // Where the last insertion went (offset and length in bytes), if any.
  std::optional<uint32_t> last_insert_at;
  uint32_t last_insert_length = 0;

  // Reads the current session (CurrentSessionKey); kFileNotFound when no
  // session was ever opened.
  static platform::Status Load(platform::Registry& registry, Session* session);
  // Writes every field of the current session (absent optionals are removed).
  platform::Status Save(platform::Registry& registry) const;

  // Full path of the open page; empty when no page is open or its URL is not
  // inside the web.
  std::string PagePath() const;
};

// Where an insertion goes in page text when no insertion point is set: before
// the last closing body tag, else at the end.
size_t DefaultInsertionPoint(const std::string& page_text);

// The part of an HTML text that is inserted into a page: what lies between
// the body tags when the text is a whole document, else the text itself.
std::string InsertableHtml(const std::string& html);

}  // namespace host
