// The host side of the bot contract: the callbacks that every host (the
// runner, the launchers, the stand-alone host) hands to a bot's Edit entry,
// and an owner for an attribute list and a text buffer.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runner/bot_host.h"

namespace runner {

// The callbacks, usable directly by a host. Names match without regard to
// case (code page 1252 rules); the first matching entry wins.
const char* BOT_CALL HostGetAttribute(BotAttributeList* list, const char* name);
void BOT_CALL HostSetAttribute(BotAttributeList* list, const char* name, const char* value);
void BOT_CALL HostRemoveAttribute(BotAttributeList* list, const char* name);
void BOT_CALL HostRewindAttributes(BotAttributeList* list);
const char* BOT_CALL HostNextAttributeName(BotAttributeList* list);
void BOT_CALL HostAppendText(BotTextBuffer* buffer, const char* text);

// The one constant callback table: slots 1, 3, 4, 5, 7, 10, 12, 14 and 15
// filled, every other slot null.
const BotHostCallbacks& HostCallbacks();

// (name, value) pairs; a value of nullopt stands for an attribute without a value.
using AttributeEntries = std::vector<std::pair<std::string, std::optional<std::string>>>;

// Owns a BotAttributeList and everything in it; the list starts empty.
class AttributeList {
 public:
  AttributeList() = default;
  // Builds a list holding the given pairs, set in order.
  explicit AttributeList(const AttributeEntries& entries);
  ~AttributeList();
  AttributeList(const AttributeList&) = delete;
  AttributeList& operator=(const AttributeList&) = delete;

  BotAttributeList* get() { return &list_; }
  const BotAttributeList& list() const { return list_; }

  // Releases every entry; the list is empty again.
  void Clear();
  // True when a callback could not make a change for lack of memory: the
  // list is not what the bot asked for, and must not be written anywhere.
  bool damaged() const;

 private:
  BotAttributeList list_{0, 0, nullptr};
};

// Owns a BotTextBuffer.
class TextBuffer {
 public:
  TextBuffer() = default;
  ~TextBuffer();
  TextBuffer(const TextBuffer&) = delete;
  TextBuffer& operator=(const TextBuffer&) = delete;

  BotTextBuffer* get() { return &buffer_; }
  // True when text could not be appended (no memory, or past 2 GB).
  bool damaged() const;
  std::string_view view() const {
    return buffer_.text ? std::string_view(buffer_.text, static_cast<size_t>(buffer_.length))
                        : std::string_view();
  }

 private:
  BotTextBuffer buffer_{nullptr, 0};
};

}  // namespace runner
