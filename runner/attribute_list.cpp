// The host callbacks of the bot contract. The list and its strings come from
// the C heap (malloc); bots never free them, so the allocator stays the host's
// choice.
#include "runner/attribute_list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/text.h"

namespace runner {
namespace {

// The callbacks cannot report failure to the bot, and carrying on with a
// damaged list would write a corrupt component: stop the host instead.
[[noreturn]] void OutOfMemory() {
  std::fputs("Glintmere: out of memory in the attribute list\n", stderr);
  std::abort();
}

char* CopyText(const char* text) {
  const size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(size));
  if (!copy) OutOfMemory();
  std::memcpy(copy, text, size);
  return copy;
}

BotAttribute* FindEntry(BotAttributeList* list, const char* name) {
  if (!list || !name) return nullptr;
  for (int32_t i = 0; i < list->count; ++i) {
    if (base::EqualsNoCase(list->entries[i].name, name)) return &list->entries[i];
  }
  return nullptr;
}

}  // namespace

const char* BOT_CALL HostGetAttribute(BotAttributeList* list, const char* name) {
  const BotAttribute* entry = FindEntry(list, name);
  return entry ? entry->value : nullptr;
}

void BOT_CALL HostSetAttribute(BotAttributeList* list, const char* name, const char* value) {
  if (!list || !name) return;
  if (BotAttribute* entry = FindEntry(list, name)) {
    // Copy first: value may point into the entry being replaced.
    char* copy = value ? CopyText(value) : nullptr;
    std::free(entry->value);
    entry->value = copy;
    return;
  }
  const size_t new_count = static_cast<size_t>(list->count) + 1;
  auto* grown = static_cast<BotAttribute*>(
      std::realloc(list->entries, new_count * sizeof(BotAttribute)));
  if (!grown) OutOfMemory();
  list->entries = grown;
  BotAttribute& added = list->entries[list->count];
  added.name = CopyText(name);
  added.value = value ? CopyText(value) : nullptr;
  list->count = static_cast<int32_t>(new_count);
}

void BOT_CALL HostRemoveAttribute(BotAttributeList* list, const char* name) {
  BotAttribute* entry = FindEntry(list, name);
  if (!entry) return;
  std::free(entry->name);
  std::free(entry->value);
  const ptrdiff_t index = entry - list->entries;
  const size_t after = static_cast<size_t>(list->count - index - 1);
  std::memmove(entry, entry + 1, after * sizeof(BotAttribute));
  --list->count;
}

void BOT_CALL HostRewindAttributes(BotAttributeList* list) {
  if (list) list->cursor = 0;
}

const char* BOT_CALL HostNextAttributeName(BotAttributeList* list) {
  if (!list || list->cursor < 0 || list->cursor >= list->count) return nullptr;
  return list->entries[list->cursor++].name;
}

void BOT_CALL HostAppendText(BotTextBuffer* buffer, const char* text) {
  if (!buffer || !text) return;
  const size_t added = std::strlen(text);
  const size_t old_length = buffer->text ? static_cast<size_t>(buffer->length) : 0;
  if (old_length + added > static_cast<size_t>(INT32_MAX)) OutOfMemory();
  char* grown = static_cast<char*>(std::realloc(buffer->text, old_length + added + 1));
  if (!grown) OutOfMemory();
  std::memcpy(grown + old_length, text, added);
  grown[old_length + added] = '\0';
  buffer->text = grown;
  buffer->length = static_cast<int32_t>(old_length + added);
}

const BotHostCallbacks& HostCallbacks() {
  static const BotHostCallbacks table = {
      nullptr,               // 0
      HostGetAttribute,      // 1
      nullptr,               // 2
      HostSetAttribute,      // 3
      HostRewindAttributes,  // 4
      HostNextAttributeName, // 5
      nullptr,               // 6
      HostAppendText,        // 7
      nullptr,               // 8
      nullptr,               // 9
      HostGetAttribute,      // 10
      nullptr,               // 11
      HostSetAttribute,      // 12
      nullptr,               // 13
      HostNextAttributeName, // 14
      HostRemoveAttribute,   // 15
  };
  return table;
}

AttributeList::AttributeList(const AttributeEntries& entries) {
  for (const auto& [name, value] : entries) {
    HostSetAttribute(&list_, name.c_str(), value ? value->c_str() : nullptr);
  }
}

AttributeList::~AttributeList() { Clear(); }

void AttributeList::Clear() {
  for (int32_t i = 0; i < list_.count; ++i) {
    std::free(list_.entries[i].name);
    std::free(list_.entries[i].value);
  }
  std::free(list_.entries);
  list_ = BotAttributeList{0, 0, nullptr};
}

TextBuffer::~TextBuffer() { std::free(buffer_.text); }

}  // namespace runner
