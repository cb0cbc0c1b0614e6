// The host callbacks of the bot contract. The list and its strings come from
// the C heap (malloc); bots never free them, so the allocator stays the host's
// choice.
#include "runner/attribute_list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/text.h"

namespace runner {
namespace {

// The callbacks cannot report failure to the bot, and carrying on with a
// damaged list would write a corrupt component; ending the process would end
// the editor the runner lives in, with every unsaved page. A list or buffer
// that could not take a change is marked damaged instead: its owner then
// drops the whole operation. The marks live in a fixed table, as marking
// must not allocate; a host has few lists alive at once.
constexpr size_t kMostDamaged = 64;
std::mutex damage_mutex;
const void* damaged[kMostDamaged] = {};

void MarkDamaged(const void* owner) {
  std::lock_guard<std::mutex> guard(damage_mutex);
  for (const void*& slot : damaged) {
    if (slot == owner) return;
  }
  for (const void*& slot : damaged) {
    if (!slot) {
      slot = owner;
      return;
    }
  }
  // More damaged lists alive than marks: nothing safe is left to do.
  std::fputs("Glintmere: out of memory in the attribute list\n", stderr);
  std::abort();
}

bool IsDamaged(const void* owner) {
  std::lock_guard<std::mutex> guard(damage_mutex);
  for (const void* slot : damaged) {
    if (slot == owner) return true;
  }
  return false;
}

void ForgetDamage(const void* owner) {
  std::lock_guard<std::mutex> guard(damage_mutex);
  for (const void*& slot : damaged) {
    if (slot == owner) slot = nullptr;
  }
}

// A copy from the C heap, or null when there is no memory for it.
char* CopyText(const char* text) {
  const size_t size = std::strlen(text) + 1;
  char* copy = static_cast<char*>(std::malloc(size));
  if (copy) std::memcpy(copy, text, size);
  return copy;
}

// Lists longer than this get an index of their names, so that a bot
// reading every attribute of a component with a hundred thousand of them
// is not quadratic. The C list has no room for it: the index is kept here,
// by list, and trusted only while the list's entries and count are the ones
// it was built for. Every change goes through these callbacks, which keep
// it up to date or drop it.
constexpr int32_t kIndexedFrom = 32;

std::string IndexName(const char* name) {
  std::string upper(name);
  for (char& c : upper) c = static_cast<char>(base::ToUpperAnsi(static_cast<unsigned char>(c)));
  return upper;
}

// Each name is kept with the number its entry got when the index first saw
// it; a Fenwick tree over those numbers counts the entries still there, so
// an entry's position is the count up to its number, and a removal (which
// moves every later entry down by one) is one update, not a renumbering.
struct NameIndex {
  const BotAttribute* entries = nullptr;
  int32_t count = 0;
  std::unordered_map<std::string, size_t> numbers;  // the first entry of each name
  std::vector<int32_t> tree;                        // 1-based Fenwick tree of 1 (there) or 0
  bool has_duplicates = false;  // a list built elsewhere may name an attribute twice

  // How many numbered entries up to number (1-based) are still there.
  int32_t CountUpTo(size_t number) const {
    int32_t sum = 0;
    for (; number > 0; number -= number & (~number + 1)) sum += tree[number - 1];
    return sum;
  }
  void Add(size_t number, int32_t delta) {
    for (; number <= tree.size(); number += number & (~number + 1)) tree[number - 1] += delta;
  }
  // Numbers the entry appended last.
  void Append(std::string name) {
    const size_t number = tree.size() + 1;
    const size_t low = number & (~number + 1);
    tree.push_back(CountUpTo(number - 1) - CountUpTo(number - low) + 1);
    if (!numbers.emplace(std::move(name), number).second) has_duplicates = true;
  }
  void Build(const BotAttributeList* list) {
    numbers.clear();
    tree.clear();
    has_duplicates = false;
    for (int32_t i = 0; i < list->count; ++i) Append(IndexName(list->entries[i].name));
    entries = list->entries;
    count = list->count;
  }
  int32_t PositionOf(size_t number) const { return CountUpTo(number) - 1; }
};

std::mutex index_mutex;
std::unordered_map<const BotAttributeList*, NameIndex>& Indexes() {
  static auto* indexes = new std::unordered_map<const BotAttributeList*, NameIndex>();
  return *indexes;
}

void DropIndex(const BotAttributeList* list) {
  std::lock_guard<std::mutex> guard(index_mutex);
  Indexes().erase(list);
}

BotAttribute* ScanForEntry(BotAttributeList* list, const char* name) {
  for (int32_t i = 0; i < list->count; ++i) {
    if (base::EqualsNoCase(list->entries[i].name, name)) return &list->entries[i];
  }
  return nullptr;
}

BotAttribute* FindEntry(BotAttributeList* list, const char* name) {
  if (!list || !name) return nullptr;
  if (list->count < kIndexedFrom) return ScanForEntry(list, name);
  std::unique_lock<std::mutex> guard(index_mutex);
  try {
    NameIndex& index = Indexes()[list];
    if (index.entries != list->entries || index.count != list->count) index.Build(list);
    const auto found = index.numbers.find(IndexName(name));
    return found == index.numbers.end() ? nullptr
                                        : &list->entries[index.PositionOf(found->second)];
  } catch (const std::bad_alloc&) {
    // No memory for the index: the list itself is whole, so it is searched.
    Indexes().erase(list);
    guard.unlock();
    return ScanForEntry(list, name);
  }
}

// Keeps an up-to-date index current after an entry was appended.
void IndexAppended(BotAttributeList* list, const BotAttribute* old_entries) {
  std::lock_guard<std::mutex> guard(index_mutex);
  auto& indexes = Indexes();
  const auto found = indexes.find(list);
  if (found == indexes.end()) return;
  NameIndex& index = found->second;
  if (index.entries != old_entries || index.count != list->count - 1) return;
  try {
    index.Append(IndexName(list->entries[list->count - 1].name));
  } catch (const std::bad_alloc&) {
    indexes.erase(found);  // built again when next asked
    return;
  }
  index.entries = list->entries;
  index.count = list->count;
}

// Keeps an up-to-date index current after the first entry of removed_name
// went: later entries moved down by one.
void IndexRemoved(BotAttributeList* list, const std::string& removed_name) {
  std::lock_guard<std::mutex> guard(index_mutex);
  auto& indexes = Indexes();
  const auto found = indexes.find(list);
  if (found == indexes.end()) return;
  NameIndex& index = found->second;
  const auto number = index.numbers.find(removed_name);
  if (index.entries != list->entries || index.count != list->count + 1 || index.has_duplicates ||
      number == index.numbers.end()) {
    // A later entry of the same name is the first one now: built again
    // when next asked.
    indexes.erase(found);
    return;
  }
  index.Add(number->second, -1);
  index.numbers.erase(number);
  index.count = list->count;
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
    if (value && !copy) {
      MarkDamaged(list);
      return;
    }
    std::free(entry->value);
    entry->value = copy;
    return;
  }
  const size_t count = static_cast<size_t>(list->count);
  const size_t new_count = count + 1;
  const BotAttribute* old_entries = list->entries;
  // The entries grow by doubling, or a long list would be copied whole at
  // every append. Only these callbacks allocate them, so the room is known
  // from the count: at least the next power of two (and 4), never less,
  // as a removal leaves the room as it was.
  if (count == 0 || (count & (count - 1)) == 0) {
    const size_t room = count < 2 ? 4 : count * 2;
    auto* grown =
        static_cast<BotAttribute*>(std::realloc(list->entries, room * sizeof(BotAttribute)));
    if (!grown) {
      MarkDamaged(list);
      return;
    }
    list->entries = grown;
  }
  char* added_name = CopyText(name);
  char* added_value = value ? CopyText(value) : nullptr;
  if (!added_name || (value && !added_value)) {
    std::free(added_name);
    std::free(added_value);
    MarkDamaged(list);
    return;
  }
  BotAttribute& added = list->entries[list->count];
  added.name = added_name;
  added.value = added_value;
  list->count = static_cast<int32_t>(new_count);
  if (list->count > kIndexedFrom) IndexAppended(list, old_entries);
}

void BOT_CALL HostRemoveAttribute(BotAttributeList* list, const char* name) {
  BotAttribute* entry = FindEntry(list, name);
  if (!entry) return;
  std::string removed_name;
  try {
    removed_name = IndexName(entry->name);
  } catch (const std::bad_alloc&) {
    DropIndex(list);  // built again when next asked
  }
  std::free(entry->name);
  std::free(entry->value);
  const ptrdiff_t index = entry - list->entries;
  const size_t after = static_cast<size_t>(list->count - index - 1);
  std::memmove(entry, entry + 1, after * sizeof(BotAttribute));
  --list->count;
  IndexRemoved(list, removed_name);
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
  if (old_length + added > static_cast<size_t>(INT32_MAX)) {
    MarkDamaged(buffer);
    return;
  }
  char* grown = static_cast<char*>(std::realloc(buffer->text, old_length + added + 1));
  if (!grown) {
    MarkDamaged(buffer);
    return;
  }
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

bool AttributeList::damaged() const { return IsDamaged(&list_); }

void AttributeList::Clear() {
  DropIndex(&list_);
  ForgetDamage(&list_);
  for (int32_t i = 0; i < list_.count; ++i) {
    std::free(list_.entries[i].name);
    std::free(list_.entries[i].value);
  }
  std::free(list_.entries);
  list_ = BotAttributeList{0, 0, nullptr};
}

TextBuffer::~TextBuffer() {
  ForgetDamage(&buffer_);
  std::free(buffer_.text);
}

bool TextBuffer::damaged() const { return IsDamaged(&buffer_); }

}  // namespace runner
