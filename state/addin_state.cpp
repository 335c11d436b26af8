// The add-in state record and the resources every window shares.
#include "state/addin_state.h"

#include <objbase.h>
#include <shellapi.h>

#include "state/notes_folder.h"

namespace orva {

AddinState g_state;

namespace {

void AppendFileTypeIcon(HIMAGELIST list, const char* extension) {
  // The small icon the shell shows for files of this type, without touching
  // the disk: no such file needs to exist.
  SHFILEINFOA info = {};
  SHGetFileInfoA(extension, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES);
  // A shell without an icon for the type gets the plain application icon in
  // its place (shared by the system: not destroyed), so that the images keep
  // their positions and image 1 always exists for the trees' items.
  ImageList_ReplaceIcon(list, -1, info.hIcon != nullptr ? info.hIcon : LoadIconA(nullptr, IDI_APPLICATION));
  if (info.hIcon != nullptr) DestroyIcon(info.hIcon);
}

// notesFolder: addinFolder "Orva Notes" \ user name; both folders created.
// A folder that would not fit its buffer is left empty, and the note store
// then refuses every note rather than write to a cut path.
void MakeNotesFolder() {
  if (!NotesFolderOf(g_state.addinFolder, g_state.notesFolder)) return;
  char parent[kPathSize] = {};
  AppendText(parent, g_state.addinFolder, kNotesFolderName);  // shorter than the notes folder: it fits
  CreateDirectoryA(parent, nullptr);
  CreateDirectoryA(g_state.notesFolder, nullptr);
}

}  // namespace

void AcquireSharedResources() {
  g_state.richEditLibrary = LoadLibraryA("RichEd32");

  ZeroFill(g_state.addinFolder);
  char modulePath[kPathSize] = {};
  const DWORD length = GetModuleFileNameA(g_state.moduleInstance, modulePath, kPathSize);
  // A file name cut at the buffer's end would give a wrong folder: keep none.
  if (length > 0 && length < kPathSize - 1) PathOnly(modulePath, g_state.addinFolder);
  MakeNotesFolder();

  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  g_state.comInitialised = SUCCEEDED(com);

  g_state.imageList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
  AppendFileTypeIcon(g_state.imageList, ".exe");
  AppendFileTypeIcon(g_state.imageList, ".note");

  LOGFONTA font = {};
  font.lfHeight = -12;
  font.lfWeight = 400;
  AppendText(font.lfFaceName, "MS Sans Serif");
  g_state.sharedFont = CreateFontIndirectA(&font);
}

void ReleaseSharedResources() {
  if (g_state.sharedFont != nullptr) {
    DeleteObject(g_state.sharedFont);
    g_state.sharedFont = nullptr;
  }
  if (g_state.richEditLibrary != nullptr) {
    FreeLibrary(g_state.richEditLibrary);
    g_state.richEditLibrary = nullptr;
  }
  if (g_state.comInitialised) {
    CoUninitialize();
    g_state.comInitialised = false;
  }
  if (g_state.imageList != nullptr) {
    ImageList_Destroy(g_state.imageList);
    g_state.imageList = nullptr;
  }
}

}  // namespace orva
