// Message modules: open as a data file, fetch one message through the
// platform's formatter, walk the whole table.
#include "lookup/message_module.h"

namespace orva {
namespace {

// The message table of a module: resource type 11, name 1.
struct TableBytes {
  const uint8_t* bytes;
  size_t size;
  HGLOBAL handle;
};

TableBytes LockMessageTable(HMODULE module) {
  TableBytes table{nullptr, 0, nullptr};
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(11));
  if (resource == nullptr) return table;
  table.handle = LoadResource(module, resource);
  if (table.handle == nullptr) return table;
  table.bytes = static_cast<const uint8_t*>(LockResource(table.handle));
  table.size = table.bytes != nullptr ? SizeofResource(module, resource) : 0;
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
