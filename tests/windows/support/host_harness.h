// A harness that drives the real orvara.dll as the IDE does: the stand-in
// host loads a copy of it beside the fixture modules of tests/fixtures/browser
// (so its notes folder is a scratch one), opens the lookup window through the
// menu item "ORVA", and reaches the note editor and the browsers through the
// lookup window's icons. The add-in's windows are found from outside, by
// their class names and control identifiers.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "stand_in_host/stand_in_host.h"
#include "tests/windows/support/drawn_pixels.h"
#include "tests/windows/support/message_box.h"
#include "tests/windows/support/test_paths.h"

namespace hostharness {

inline const char kNoteEditorClass[] = "ORVARA_Note";
inline const char kBrowserClass[] = "ORVARA_Browser";

class HostTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeAddinFolder(testing::UnitTest::GetInstance()->current_test_info()->name(), "browser");
    char user[257] = {};
    DWORD size = sizeof user;
    GetUserNameA(user, &size);
    notes_ = folder_ + "Orva Notes\\" + user + "\\";

    ASSERT_TRUE(standin::CreateHostWindow(0));
    ASSERT_TRUE(standin::LoadAddin(folder_ + "orvara.dll", 1)) << "cannot load " << folder_ << "orvara.dll";
    const UINT item = standin::FindMenuItem("ORVA", nullptr);
    ASSERT_NE(0u, item) << "no menu item ORVA";
    standin::ChooseMenuItem(item);
    standin::PumpMessages(20);
    ASSERT_TRUE(standin::FindLookupView(&view_)) << "no lookup window after the menu command";
  }

  void TearDown() override {
    standin::CloseHost();
    standin::PumpMessages(20);
    standin::UnloadAddin();
    RemoveTree(folder_);
  }

  // The user comes back to the lookup window, types the number into its
  // input box and presses Enter. (Windows keeps an owned window above its
  // owner; Wine does that only for popup windows, so after the host was
  // active the lookup window may lie below it until the user brings it up.)
  void LookUp(const char* number) {
    SetWindowPos(view_.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(view_.window);
    standin::EnterNumber(view_.inputBox, number);
  }

  // Clicks an icon of the lookup window while a timer stands by to answer a
  // message box (running beforeAnswer while it is up); answers whether one
  // was shown. What it showed is in g_box.
  bool ClickAnswering(HWND icon, int answer, void (*beforeAnswer)() = nullptr) {
    AnswerNextMessageBox(answer, beforeAnswer);
    standin::ClickControl(icon);
    StopAnswering();
    standin::PumpMessages(10);
    return g_box.shown;
  }

  // The note icon's click, answered Yes when the create question comes.
  HWND OpenEditorFromNoteIcon() {
    ClickAnswering(view_.noteIcon, IDYES);
    return FindWindowA(kNoteEditorClass, nullptr);
  }

  HWND OpenBrowserFromIcon(HWND icon) {
    standin::ClickControl(icon);
    standin::PumpMessages(10);
    return FindWindowA(kBrowserClass, nullptr);
  }

  // Whether the note icon shows this picture of the add-in's resources.
  bool NoteIconShows(int resource) {
    HICON shown = reinterpret_cast<HICON>(SendMessageA(view_.noteIcon, STM_GETICON, 0, 0));
    return shown != nullptr && IconPixels(shown) == ResourceIconPixels(standin::g_host.addin, resource, LR_LOADMAP3DCOLORS);
  }

  bool ClassRegistered(const char* name) {
    WNDCLASSEXA found = {};
    found.cbSize = sizeof found;
    return GetClassInfoExA(standin::g_host.addin, name, &found) != FALSE;
  }

  std::string NotePath(const std::string& name) const { return notes_ + name + ".note"; }
  void PutNote(const std::string& name, const std::string& bytes) const { WriteFileBytes(NotePath(name), bytes); }
  std::string NoteBytes(const std::string& name) const { return ReadFileBytes(NotePath(name)); }

  std::string folder_;  // the add-in's folder, ending in a backslash
  std::string notes_;   // its notes folder, ending in a backslash
  standin::LookupView view_;
};

}  // namespace hostharness
