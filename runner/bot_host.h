/* The contract between a host and a bot library's Edit entry: the attribute
 * list, the growable text buffer and the table of host callbacks, laid out as
 * every host and bot of the product expects them (on 32- and 64-bit Windows
 * and on Linux alike), plus the slot numbers and the Edit entry's type.
 *
 * The host owns the list and every string in it. A bot reads and changes the
 * attributes only through the callbacks and never frees what it got from the
 * host; the host copies every string the bot hands it. */
#ifndef GLINTMERE_RUNNER_BOT_HOST_H_
#define GLINTMERE_RUNNER_BOT_HOST_H_

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Edit entries and callbacks use the C calling convention. */
#if defined(_WIN32)
#define BOT_CALL __cdecl
#else
#define BOT_CALL
#endif

/* One attribute: the name is never null; a null value means the attribute is
 * present without a value. */
typedef struct BotAttribute {
  char* name;
  char* value;
} BotAttribute;

/* The attributes of one component, in insertion order. entries is null while
 * the list has never held an entry. */
typedef struct BotAttributeList {
  int32_t count;
  int32_t cursor; /* position of RewindAttributes / NextAttributeName */
  BotAttribute* entries;
} BotAttributeList;

/* A growable NUL-terminated text; text is null while empty. */
typedef struct BotTextBuffer {
  char* text;
  int32_t length; /* characters in text, without the NUL */
} BotTextBuffer;

typedef const char*(BOT_CALL* BotGetAttributeFn)(BotAttributeList* list, const char* name);
typedef void(BOT_CALL* BotSetAttributeFn)(BotAttributeList* list, const char* name,
                                          const char* value);
typedef void(BOT_CALL* BotRewindAttributesFn)(BotAttributeList* list);
typedef const char*(BOT_CALL* BotNextAttributeNameFn)(BotAttributeList* list);
typedef void(BOT_CALL* BotAppendTextFn)(BotTextBuffer* buffer, const char* text);
typedef void(BOT_CALL* BotRemoveAttributeFn)(BotAttributeList* list, const char* name);

/* The slot numbers of the callback table. */
enum {
  BOT_SLOT_GET_ATTRIBUTE_1 = 1,
  BOT_SLOT_SET_ATTRIBUTE_3 = 3,
  BOT_SLOT_REWIND_ATTRIBUTES = 4,
  BOT_SLOT_NEXT_ATTRIBUTE_NAME_5 = 5,
  BOT_SLOT_APPEND_TEXT = 7,
  BOT_SLOT_GET_ATTRIBUTE = 10,
  BOT_SLOT_SET_ATTRIBUTE = 12,
  BOT_SLOT_NEXT_ATTRIBUTE_NAME = 14,
  BOT_SLOT_REMOVE_ATTRIBUTE = 15,
  BOT_SLOT_COUNT = 16
};

/* Sixteen pointer-sized slots. Slots 1, 3 and 5 hold the same functions as
 * slots 10, 12 and 14; the bots call only slots 4, 10, 12, 14 and 15. Empty
 * slots are null and must not be called. */
typedef struct BotHostCallbacks {
  void* slot0;
  BotGetAttributeFn GetAttribute1;
  void* slot2;
  BotSetAttributeFn SetAttribute3;
  BotRewindAttributesFn RewindAttributes;
  BotNextAttributeNameFn NextAttributeName5;
  void* slot6;
  BotAppendTextFn AppendText;
  void* slot8;
  void* slot9;
  BotGetAttributeFn GetAttribute;
  void* slot11;
  BotSetAttributeFn SetAttribute;
  void* slot13;
  BotNextAttributeNameFn NextAttributeName;
  BotRemoveAttributeFn RemoveAttribute;
} BotHostCallbacks;

/* A bot's Edit entry, exported as the bot name followed by "_Edit". Returns 1
 * when the user confirmed and the complete attribute set was written, 0 when
 * the user cancelled or something failed (the host then ignores the list). */
typedef int32_t(BOT_CALL* BotEditEntry)(BotAttributeList* list, const BotHostCallbacks* host);

/* Attribute names with a meaning to every host. */
#define BOT_ATTR_SHTML "S-HTML"
#define BOT_ATTR_PREVIEW "PREVIEW"
#define BOT_ATTR_CLIENTSIDE "CLIENTSIDE"
#define BOT_ATTR_VERSION "version"

#ifdef __cplusplus
} /* extern "C" */
#endif

/* The layout every host and bot relies on. */
#ifdef __cplusplus
#define BOT_HOST_STATIC_ASSERT static_assert
#else
#define BOT_HOST_STATIC_ASSERT _Static_assert
#endif
BOT_HOST_STATIC_ASSERT(offsetof(BotAttributeList, count) == 0, "count first");
BOT_HOST_STATIC_ASSERT(offsetof(BotAttributeList, cursor) == 4, "cursor second");
BOT_HOST_STATIC_ASSERT(offsetof(BotAttributeList, entries) == 8, "entries third");
BOT_HOST_STATIC_ASSERT(sizeof(BotAttributeList) == (sizeof(void*) == 8 ? 16 : 12),
                       "attribute list size");
BOT_HOST_STATIC_ASSERT(offsetof(BotAttribute, value) == sizeof(void*), "value after name");
BOT_HOST_STATIC_ASSERT(sizeof(BotAttribute) == 2 * sizeof(void*), "attribute size");
BOT_HOST_STATIC_ASSERT(offsetof(BotTextBuffer, length) == sizeof(void*), "length after text");
BOT_HOST_STATIC_ASSERT(sizeof(BotTextBuffer) == 2 * sizeof(void*), "text buffer size");
BOT_HOST_STATIC_ASSERT(sizeof(BotHostCallbacks) == BOT_SLOT_COUNT * sizeof(void*),
                       "sixteen slots");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, GetAttribute1) ==
                           BOT_SLOT_GET_ATTRIBUTE_1 * sizeof(void*), "slot 1");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, SetAttribute3) ==
                           BOT_SLOT_SET_ATTRIBUTE_3 * sizeof(void*), "slot 3");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, RewindAttributes) ==
                           BOT_SLOT_REWIND_ATTRIBUTES * sizeof(void*), "slot 4");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, NextAttributeName5) ==
                           BOT_SLOT_NEXT_ATTRIBUTE_NAME_5 * sizeof(void*), "slot 5");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, AppendText) ==
                           BOT_SLOT_APPEND_TEXT * sizeof(void*), "slot 7");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, GetAttribute) ==
                           BOT_SLOT_GET_ATTRIBUTE * sizeof(void*), "slot 10");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, SetAttribute) ==
                           BOT_SLOT_SET_ATTRIBUTE * sizeof(void*), "slot 12");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, NextAttributeName) ==
                           BOT_SLOT_NEXT_ATTRIBUTE_NAME * sizeof(void*), "slot 14");
BOT_HOST_STATIC_ASSERT(offsetof(BotHostCallbacks, RemoveAttribute) ==
                           BOT_SLOT_REMOVE_ATTRIBUTE * sizeof(void*), "slot 15");
#undef BOT_HOST_STATIC_ASSERT

#endif /* GLINTMERE_RUNNER_BOT_HOST_H_ */
