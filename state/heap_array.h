// Arrays of records from the process heap (the heap every buffer of the
// add-in comes from), zero-filled, for the browsers' fills and finds. The
// size is the count times the record's size, checked for overflow.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace orva {

// count records of T; null when the size would overflow or the heap has no
// room. Released with FreeHeapArray.
template <typename T>
T* NewHeapArray(size_t count) {
  if (count > SIZE_MAX / sizeof(T)) return nullptr;
  return static_cast<T*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, count != 0 ? count * sizeof(T) : 1));
}

// The array with room for count records, the first ones kept; null, and the
// array left as it was, when the size would overflow or the heap has no room.
template <typename T>
T* ResizeHeapArray(T* array, size_t count) {
  if (array == nullptr) return NewHeapArray<T>(count);
  if (count == 0 || count > SIZE_MAX / sizeof(T)) return nullptr;
  return static_cast<T*>(HeapReAlloc(GetProcessHeap(), 0, array, count * sizeof(T)));
}

template <typename T>
void FreeHeapArray(T*& array) {
  if (array != nullptr) HeapFree(GetProcessHeap(), 0, array);
  array = nullptr;
}

}  // namespace orva
