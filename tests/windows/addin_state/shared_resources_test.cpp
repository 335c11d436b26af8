// The shared resources: what AcquireSharedResources creates (observable
// effects in their order: library, folders, image list, font), that
// ReleaseSharedResources releases each of them once, and the folders of an
// add-in installed in a nested folder through the real DLL.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/addin_state.h"
#include "tests/windows/support/drawn_pixels.h"
#include "tests/windows/support/import_patch.h"
#include "tests/windows/support/test_paths.h"

using namespace orva;

namespace {

std::string UserName() {
  char name[257] = {};
  DWORD size = sizeof name;
  GetUserNameA(name, &size);
  return name;
}

class SharedResourcesTest : public testing::Test {
 protected:
  void SetUp() override {
    g_state = AddinState{};
    g_state.moduleInstance = GetModuleHandleA(nullptr);
  }
  void TearDown() override {
    ReleaseSharedResources();
    RemoveTree(TestProgramFolder() + "Orva Notes\\");
  }
};

}  // namespace

TEST_F(SharedResourcesTest, FoldersComeFromTheModulesOwnFileName) {
  AcquireSharedResources();
  EXPECT_EQ(TestProgramFolder(), g_state.addinFolder);
  const std::string notes = TestProgramFolder() + "Orva Notes\\" + UserName();
  EXPECT_EQ(notes, g_state.notesFolder);
  EXPECT_TRUE(FileExists(TestProgramFolder() + "Orva Notes"));
  EXPECT_TRUE(FileExists(notes));
}

// A 16x16 icon of one colour.
HICON SolidIcon(COLORREF colour) {
  std::vector<DWORD> pixels(16 * 16, 0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) |
                                         GetBValue(colour));
  std::vector<BYTE> mask(16 * 16 / 8, 0);
  ICONINFO info = {};
  info.fIcon = TRUE;
  info.hbmColor = CreateBitmap(16, 16, 1, 32, pixels.data());
  info.hbmMask = CreateBitmap(16, 16, 1, 1, mask.data());
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return icon;
}

// A fresh Wine prefix gives ".exe" and ".note" one and the same picture, so
// the shell's own icons cannot tell the order apart: this shell answers each
// type with a colour of its own.
DWORD_PTR WINAPI ColouredFileTypeIcon(LPCSTR path, DWORD, SHFILEINFOA* info, UINT, UINT) {
  info->hIcon = SolidIcon(lstrcmpiA(path, ".exe") == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255));
  return 1;
}

// A shell that has no icon for a file type.
DWORD_PTR WINAPI NoFileTypeIcon(LPCSTR, DWORD, SHFILEINFOA* info, UINT, UINT) {
  info->hIcon = nullptr;
  return 0;
}

// Image 0 is the .exe icon, image 1 the .note icon, both 16x16; the trees
// show image 1 for every error and note, so it must exist whatever the shell
// answers (here: nothing, and the plain application icon takes its place).
TEST_F(SharedResourcesTest, ImageListHoldsTheExeIconThenTheNoteIcon) {
  const struct {
    const char* shell;
    void* answer;
    COLORREF exe, note;  // the centre pixel of images 0 and 1
  } shells[] = {
      {"a colour per file type", reinterpret_cast<void*>(ColouredFileTypeIcon), RGB(255, 0, 0), RGB(0, 0, 255)},
      {"no icon at all", reinterpret_cast<void*>(NoFileTypeIcon), CLR_INVALID, CLR_INVALID},
  };
  for (const auto& shell : shells) {
    SCOPED_TRACE(shell.shell);
    {
      ImportReplaced replaced("shell32.dll", "SHGetFileInfoA", shell.answer);
      ASSERT_NE(nullptr, replaced.original());
      AcquireSharedResources();
    }
    ASSERT_NE(nullptr, g_state.imageList);
    EXPECT_EQ(2, ImageList_GetImageCount(g_state.imageList));
    int width = 0, height = 0;
    ImageList_GetIconSize(g_state.imageList, &width, &height);
    EXPECT_EQ(16, width);
    EXPECT_EQ(16, height);
    if (shell.exe != CLR_INVALID) {
      EXPECT_EQ(shell.exe, ImageListPixels(g_state.imageList, 0)[8 * 16 + 8]) << "image 0: the .exe icon";
      EXPECT_EQ(shell.note, ImageListPixels(g_state.imageList, 1)[8 * 16 + 8]) << "image 1: the .note icon";
    }
    ReleaseSharedResources();
  }
}

TEST_F(SharedResourcesTest, SharedFontAndRichEditClass) {
  AcquireSharedResources();
  LOGFONTA font = {};
  ASSERT_EQ(static_cast<int>(sizeof font), GetObjectA(g_state.sharedFont, sizeof font, &font));
  EXPECT_STREQ("MS Sans Serif", font.lfFaceName);
  EXPECT_EQ(-12, font.lfHeight);
  EXPECT_EQ(400, font.lfWeight);
  EXPECT_EQ(0, font.lfItalic + font.lfUnderline + font.lfStrikeOut + font.lfCharSet + font.lfWidth);
  ASSERT_NE(nullptr, g_state.richEditLibrary);
  WNDCLASSEXA richEdit = {sizeof richEdit};
  EXPECT_TRUE(GetClassInfoExA(nullptr, "RICHEDIT", &richEdit));
}

TEST_F(SharedResourcesTest, ReleaseFreesEachResourceOnceAndClearsItsHandle) {
  AcquireSharedResources();
  const HFONT font = g_state.sharedFont;
  ReleaseSharedResources();
  EXPECT_EQ(nullptr, g_state.sharedFont);
  EXPECT_EQ(nullptr, g_state.imageList);
  EXPECT_EQ(nullptr, g_state.richEditLibrary);
  EXPECT_FALSE(g_state.comInitialised);
  LOGFONTA gone = {};
  EXPECT_EQ(0, GetObjectA(font, sizeof gone, &gone));  // the font object is deleted
  // COM was uninitialised: initialising again is a first initialisation.
  EXPECT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  CoUninitialize();
  ReleaseSharedResources();  // a second run finds nothing left to release
  EXPECT_EQ(nullptr, g_state.sharedFont);
}

TEST_F(SharedResourcesTest, NoModuleFileNameMeansNoFolders) {
  g_state.moduleInstance = reinterpret_cast<HINSTANCE>(0x1000);  // not a module: no file name
  AcquireSharedResources();
  EXPECT_STREQ("", g_state.addinFolder);
  EXPECT_STREQ("", g_state.notesFolder);
}

namespace {

// Just enough of a host for InstallDll: answers the four requests.
uint32_t g_handles[4];
uint32_t g_data[4];

LRESULT CALLBACK TinyHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case 1074: return reinterpret_cast<LRESULT>(g_handles);
    case 1075: return 0;
    case 1076: return reinterpret_cast<LRESULT>(g_data);
    case 1077: return 40001;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

using InstallFn = uint32_t(__stdcall*)(HWND, uint32_t);
using DllProcFn = LRESULT(__stdcall*)(HWND, UINT, WPARAM, LPARAM);

// Copies the real orvara.dll into folder, installs it with optionWord and
// shuts it down again as the host would.
void InstallCopy(const std::string& folder, uint32_t optionWord) {
  const std::string dll = folder + "orvara.dll";
  ASSERT_TRUE(CopyFileA((BuiltAddinFolder() + "orvara.dll").c_str(), dll.c_str(), FALSE));
  WNDCLASSA host = {};
  host.lpfnWndProc = TinyHostProc;
  host.hInstance = GetModuleHandleA(nullptr);
  host.lpszClassName = "TinyHost";
  RegisterClassA(&host);
  HWND window = CreateWindowExA(0, "TinyHost", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, host.hInstance, nullptr);
  HMENU menu = CreateMenu();
  g_handles[1] = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(menu));
  HMODULE addin = LoadLibraryA(dll.c_str());
  ASSERT_NE(nullptr, addin);
  reinterpret_cast<InstallFn>(GetProcAddress(addin, "InstallDll"))(window, optionWord);
  if (optionWord != 0) reinterpret_cast<DllProcFn>(GetProcAddress(addin, "DllProc"))(window, WM_CLOSE, 0, 0);
  FreeLibrary(addin);
  DestroyMenu(menu);
  DestroyWindow(window);
}

}  // namespace

TEST(InstalledAddin, NestedFolderGetsItsNotesFolderBelowIt) {
  const std::string root = MakeScratchFolder("nested");
  const std::string addins = root + "IDE\\Addins\\";
  CreateDirectoryA((root + "IDE").c_str(), nullptr);
  CreateDirectoryA(addins.c_str(), nullptr);
  InstallCopy(addins, 1);
  EXPECT_TRUE(FileExists(addins + "Orva Notes"));
  EXPECT_TRUE(FileExists(addins + "Orva Notes\\" + UserName()));
  RemoveTree(root);
}

TEST(InstalledAddin, DisabledAddinCreatesNoFolder) {
  const std::string addins = MakeScratchFolder("disabled");
  InstallCopy(addins, 0);
  EXPECT_FALSE(FileExists(addins + "Orva Notes"));
  RemoveTree(addins);
}
