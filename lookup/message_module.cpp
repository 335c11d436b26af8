// Message modules: open as a data file, fetch one message, walk the whole
// table; both read the one table the loader finds, within its bounds.
#include "lookup/message_module.h"

namespace orva {
namespace {

// The message table of a module: resource type 11, name 1. Its size is what
// can really be read there, never more than the resource claims. Its bytes
// come with the marks a reading of them keeps; null bytes when either is
// missing.
struct TableBytes {
  const uint8_t* bytes;
  size_t size;
  HGLOBAL handle;
  uint8_t* marks;
};

bool Readable(const MEMORY_BASIC_INFORMATION& region) {
  const DWORD access = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                       PAGE_EXECUTE_WRITECOPY;
  return region.State == MEM_COMMIT && (region.Protect & access) != 0 && (region.Protect & PAGE_GUARD) == 0;
}

// The bytes from start to the end of the readable memory the loader mapped
// for the module there, at most limit. The size the module's resource
// directory gives is the module's own word and may claim far more than its
// file holds: a module loaded as a data file is mapped flat, only as many
// pages as the file has, and behind them lies memory that is not there.
// Only committed, readable regions of the same mapping count.
size_t MappedBytesFrom(const uint8_t* start, size_t limit) {
  MEMORY_BASIC_INFORMATION region = {};
  if (VirtualQuery(start, &region, sizeof region) == 0 || !Readable(region)) return 0;
  const void* mapping = region.AllocationBase;
  size_t mapped = 0;
  const uint8_t* next = start;
  for (;;) {
    const uint8_t* end = static_cast<const uint8_t*>(region.BaseAddress) + region.RegionSize;
    mapped += static_cast<size_t>(end - next);
    if (mapped >= limit) return limit;
    next = end;
    if (VirtualQuery(next, &region, sizeof region) == 0 || region.AllocationBase != mapping || !Readable(region)) {
      return mapped;
    }
  }
}

TableBytes LockMessageTable(HMODULE module) {
  TableBytes table{nullptr, 0, nullptr, nullptr};
  HRSRC resource = module != nullptr ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(11)) : nullptr;
  if (resource == nullptr) return table;
  table.handle = LoadResource(module, resource);
  if (table.handle == nullptr) return table;
  const uint8_t* bytes = static_cast<const uint8_t*>(LockResource(table.handle));
  if (bytes == nullptr) return table;
  table.size = MappedBytesFrom(bytes, SizeofResource(module, resource));
  table.marks = static_cast<uint8_t*>(LocalAlloc(LPTR, WalkMarksSize(table.size)));
  if (table.marks != nullptr) table.bytes = bytes;
  return table;
}

void UnlockMessageTable(const TableBytes& table) {
  if (table.marks != nullptr) LocalFree(table.marks);
  if (table.handle != nullptr) FreeResource(table.handle);
}

// The text of an entry, terminated, in a buffer of its own (LocalAlloc): up
// to its terminator or the entry's end, whichever comes first. A UTF-16 text
// is given in the ANSI code page, as the platform's formatter gives it.
char* CopyEntryText(const MessageEntry& entry) {
  if (!IsUtf16Entry(entry.flags)) {
    size_t length = 0;
    while (length < entry.textSize && entry.text[length] != 0) ++length;
    char* text = static_cast<char*>(LocalAlloc(LPTR, length + 1));
    for (size_t i = 0; text != nullptr && i < length; ++i) text[i] = entry.text[i];
    return text;
  }
  size_t units = 0;
  while (units < entry.textSize / 2 && (entry.text[2 * units] != 0 || entry.text[2 * units + 1] != 0)) ++units;
  // The converter reads aligned units, and an entry may lie at any offset:
  // the units are copied behind the room for the converted text, in the same
  // buffer. A unit becomes at most two bytes in any ANSI code page.
  const size_t room = 2 * units + 2;
  char* text = static_cast<char*>(LocalAlloc(LPTR, room + 2 * units));
  if (text == nullptr) return nullptr;
  for (size_t i = 0; i < 2 * units; ++i) text[room + i] = entry.text[i];
  WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text + room), static_cast<int>(units), text,
                      static_cast<int>(room - 1), nullptr, nullptr);
  return text;
}

}  // namespace

HMODULE OpenMessageModule(const char* path) {
  return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void CloseMessageModule(HMODULE module) {
  if (module != nullptr) FreeLibrary(module);
}

char* FindMessage(HMODULE module, uint32_t number) {
  // The text is taken from the very bytes the bounds are checked on, read
  // as the walk reads them. The platform's formatter would pick its own
  // table by language, which in a module of two languages need not be the
  // one the walk reads, and it trusts the table: one that lies would have it
  // read outside the resource and take the host down.
  const TableBytes table = LockMessageTable(module);
  MessageEntry entry;
  char* text = nullptr;
  if (table.bytes != nullptr && FindMessageEntry(table.bytes, table.size, table.marks, number, &entry)) {
    text = CopyEntryText(entry);
  }
  UnlockMessageTable(table);
  return text;
}

void ReleaseMessageText(char* text) {
  if (text != nullptr) LocalFree(text);
}

void WalkMessageTable(HMODULE module, MessageVisitor visit, void* context) {
  const TableBytes table = LockMessageTable(module);
  if (table.bytes != nullptr) WalkMessageTableBytes(table.bytes, table.size, table.marks, visit, context);
  UnlockMessageTable(table);
}

}  // namespace orva
