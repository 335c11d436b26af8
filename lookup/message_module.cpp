// Message modules: open as a data file, fetch one message through the
// platform's formatter, walk the whole table.
#include "lookup/message_module.h"

namespace orva {
namespace {

// The message table of a module: resource type 11, name 1. Its size is what
// can really be read there, never more than the resource claims.
struct TableBytes {
  const uint8_t* bytes;
  size_t size;
  HGLOBAL handle;
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
  TableBytes table{nullptr, 0, nullptr};
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(11));
  if (resource == nullptr) return table;
  table.handle = LoadResource(module, resource);
  if (table.handle == nullptr) return table;
  table.bytes = static_cast<const uint8_t*>(LockResource(table.handle));
  if (table.bytes != nullptr) table.size = MappedBytesFrom(table.bytes, SizeofResource(module, resource));
  return table;
}

void UnlockMessageTable(const TableBytes& table) {
  if (table.handle != nullptr) FreeResource(table.handle);
}

}  // namespace

HMODULE OpenMessageModule(const char* path) {
  return LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

void CloseMessageModule(HMODULE module) {
  if (module != nullptr) FreeLibrary(module);
}

char* FindMessage(HMODULE module, uint32_t number) {
  // The formatter trusts the table; a table that lies would have it read
  // outside the resource and take the host down. Ask it only for a message
  // it can reach within bounds.
  const TableBytes table = LockMessageTable(module);
  const bool safe = table.bytes != nullptr && FormatterCanReadMessage(table.bytes, table.size, number);
  UnlockMessageTable(table);
  if (!safe) return nullptr;

  char* text = nullptr;
  const DWORD flags = FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS;
  if (FormatMessageA(flags, module, number, 0, reinterpret_cast<char*>(&text), 1, nullptr) == 0) {
    if (text != nullptr) LocalFree(text);
    return nullptr;
  }
  return text;
}

void ReleaseMessageText(char* text) {
  if (text != nullptr) LocalFree(text);
}

void WalkMessageTable(HMODULE module, MessageVisitor visit, void* context) {
  if (module == nullptr) return;
  const TableBytes table = LockMessageTable(module);
  if (table.bytes != nullptr) WalkMessageTableBytes(table.bytes, table.size, visit, context);
  UnlockMessageTable(table);
}

}  // namespace orva
