// The state of one editing session of the stand-alone host: the web folder,
// the page open in the editor, the insertion point and whether the page has
// unsaved changes. Every process of the session (the glintmere program, the
// runner, a bot, a launcher) creates its own host objects, so the state lives
// in the registry, under one key of the host, and is read at each call.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace host {

// HKEY_CURRENT_USER\Software\Glintmere\Host\Session
inline constexpr const char* kSessionKey = "Software\\Glintmere\\Host\\Session";

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

  // Reads the session; kFileNotFound when no session was ever opened.
  static platform::Status Load(platform::Registry& registry, Session* session);
  // Writes every field (absent optionals are removed).
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
