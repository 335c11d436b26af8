#include "tests/windows/support/handle_ledger.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>

namespace {

// The ledger's records: live handles with the function that made them.
struct Records {
  std::map<void*, const char*> live;
  std::map<std::string, int> created;
};
Records* g_records;

struct Originals {
  decltype(&CreatePen) createPen;
  decltype(&CreateFontIndirectA) createFont;
  decltype(&DeleteObject) deleteObject;
  decltype(&LoadImageA) loadImage;
  decltype(&DestroyIcon) destroyIcon;
  decltype(&SHGetFileInfoA) getFileInfo;
  decltype(&ImageList_Create) createImageList;
  decltype(&ImageList_Destroy) destroyImageList;
  decltype(&CreateAcceleratorTableA) createKeys;
  decltype(&DestroyAcceleratorTable) destroyKeys;
} g_original;

void Made(void* handle, const char* by) {
  if (handle == nullptr) return;
  g_records->live[handle] = by;
  ++g_records->created[by];
}

void Gone(void* handle) { g_records->live.erase(handle); }

HPEN WINAPI CountedCreatePen(int style, int width, COLORREF colour) {
  HPEN pen = g_original.createPen(style, width, colour);
  Made(pen, "CreatePen");
  return pen;
}

HFONT WINAPI CountedCreateFont(const LOGFONTA* font) {
  HFONT made = g_original.createFont(font);
  Made(made, "CreateFontIndirectA");
  return made;
}

BOOL WINAPI CountedDeleteObject(HGDIOBJ object) {
  Gone(object);
  return g_original.deleteObject(object);
}

HANDLE WINAPI CountedLoadImage(HINSTANCE module, LPCSTR name, UINT type, int width, int height, UINT flags) {
  HANDLE image = g_original.loadImage(module, name, type, width, height, flags);
  // Shared images belong to the system and are never destroyed.
  if ((flags & LR_SHARED) == 0) Made(image, "LoadImageA");
  return image;
}

BOOL WINAPI CountedDestroyIcon(HICON icon) {
  Gone(icon);
  return g_original.destroyIcon(icon);
}

DWORD_PTR WINAPI CountedGetFileInfo(LPCSTR path, DWORD attributes, SHFILEINFOA* info, UINT size, UINT flags) {
  const DWORD_PTR answer = g_original.getFileInfo(path, attributes, info, size, flags);
  if ((flags & SHGFI_ICON) != 0 && info != nullptr) Made(info->hIcon, "SHGetFileInfoA");
  return answer;
}

HIMAGELIST WINAPI CountedCreateImageList(int width, int height, UINT flags, int initial, int grow) {
  HIMAGELIST list = g_original.createImageList(width, height, flags, initial, grow);
  Made(list, "ImageList_Create");
  return list;
}

BOOL WINAPI CountedDestroyImageList(HIMAGELIST list) {
  Gone(list);
  return g_original.destroyImageList(list);
}

HACCEL WINAPI CountedCreateKeys(ACCEL* keys, int count) {
  HACCEL table = g_original.createKeys(keys, count);
  Made(table, "CreateAcceleratorTableA");
  return table;
}

BOOL WINAPI CountedDestroyKeys(HACCEL table) {
  Gone(table);
  return g_original.destroyKeys(table);
}

template <typename Function>
bool Replace(std::vector<std::unique_ptr<ImportReplaced>>& replaced, const char* dll, const char* name,
             Function counted, Function& original) {
  replaced.push_back(std::make_unique<ImportReplaced>(dll, name, reinterpret_cast<void*>(counted)));
  original = reinterpret_cast<Function>(replaced.back()->original());
  return original != nullptr;
}

}  // namespace

HandleLedger::HandleLedger() {
  g_records = new Records;
  counting_ &= Replace(replaced_, "gdi32.dll", "CreatePen", &CountedCreatePen, g_original.createPen);
  counting_ &= Replace(replaced_, "gdi32.dll", "CreateFontIndirectA", &CountedCreateFont, g_original.createFont);
  counting_ &= Replace(replaced_, "gdi32.dll", "DeleteObject", &CountedDeleteObject, g_original.deleteObject);
  counting_ &= Replace(replaced_, "user32.dll", "LoadImageA", &CountedLoadImage, g_original.loadImage);
  counting_ &= Replace(replaced_, "user32.dll", "DestroyIcon", &CountedDestroyIcon, g_original.destroyIcon);
  counting_ &= Replace(replaced_, "shell32.dll", "SHGetFileInfoA", &CountedGetFileInfo, g_original.getFileInfo);
  counting_ &= Replace(replaced_, "comctl32.dll", "ImageList_Create", &CountedCreateImageList, g_original.createImageList);
  counting_ &= Replace(replaced_, "comctl32.dll", "ImageList_Destroy", &CountedDestroyImageList, g_original.destroyImageList);
  counting_ &= Replace(replaced_, "user32.dll", "CreateAcceleratorTableA", &CountedCreateKeys, g_original.createKeys);
  counting_ &= Replace(replaced_, "user32.dll", "DestroyAcceleratorTable", &CountedDestroyKeys, g_original.destroyKeys);
}

HandleLedger::~HandleLedger() {
  replaced_.clear();  // the imports are whole again before the records go
  delete g_records;
  g_records = nullptr;
}

std::map<std::string, int> HandleLedger::Created() const { return g_records->created; }

std::string HandleLedger::Left() const {
  std::string left;
  for (const auto& entry : g_records->live) {
    char line[64];
    std::snprintf(line, sizeof line, "%s%s %p", left.empty() ? "" : ", ", entry.second, entry.first);
    left += line;
  }
  return left;
}
