// stand-in-host.exe: plays the RadASM IDE for orvara.dll, which it loads from
// Addins\ beside itself.
//
//   stand-in-host.exe                      interactive: the menu "Tools" holds
//                                          "ORVA"; F1 or a double-click in the
//                                          text window looks up the word there
//   stand-in-host.exe [options] --lookup NUMBER | --word WORD
//
// Script mode opens ORVA through its menu item and types NUMBER into the
// input box followed by Enter (--lookup), or puts WORD into the text window
// and presses F1 there (--word); then prints the lookup window's caption and
// fields, saves a screenshot when asked, and closes the host as the IDE does.
//   --option N       the option word passed to InstallDll (default 1)
//   --data-field N   the data record's second field (default 0: submenu 6)
//   --compact        click the toggle icon after the lookup
//   --screenshot F   the host's and the add-in's windows as a .bmp
//   --addin PATH     another add-in module
//   --interactive    stay open after the steps instead of closing the host
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "stand_in_host/stand_in_host.h"

using namespace standin;

namespace {

struct Script {
  uint32_t optionWord = 1;
  uint32_t dataField = 0;
  std::string lookup;
  std::string word;
  bool compact = false;
  std::string screenshot;
  std::string addin;
  bool interactive = false;
  bool scripted() const { return !lookup.empty() || !word.empty() || !screenshot.empty(); }
};

std::string ProgramFolder() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1);
}

bool ParseArguments(int argc, char** argv, Script* script) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const bool hasValue = i + 1 < argc;
    if (option == "--compact") {
      script->compact = true;
    } else if (option == "--interactive") {
      script->interactive = true;
    } else if (option == "--option" && hasValue) {
      script->optionWord = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 0));
    } else if (option == "--data-field" && hasValue) {
      script->dataField = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 0));
    } else if (option == "--lookup" && hasValue) {
      script->lookup = argv[++i];
    } else if (option == "--word" && hasValue) {
      script->word = argv[++i];
    } else if (option == "--screenshot" && hasValue) {
      script->screenshot = argv[++i];
    } else if (option == "--addin" && hasValue) {
      script->addin = argv[++i];
    } else {
      std::fprintf(stderr, "stand-in-host: unknown or incomplete option %s\n", argv[i]);
      return false;
    }
  }
  return true;
}

void PrintLookupWindow(const LookupView& view) {
  RECT outer;
  GetWindowRect(view.window, &outer);
  std::printf("Window: %s (%ldx%ld)\n", TextOf(view.window).c_str(), outer.right - outer.left,
              outer.bottom - outer.top);
  std::printf("Error #: %s\n", TextOf(view.inputBox).c_str());
  std::printf("Type: %s\n", TextOf(view.typeField).c_str());
  std::printf("Title: %s\n", TextOf(view.titleField).c_str());
  std::printf("Tool: %s\n", TextOf(view.toolField).c_str());
  std::printf("Description:\n%s\n", TextOf(view.descriptionBox).c_str());
}

// The user's steps, one after the other, each followed by a moment of the
// message loop so that windows paint and the hover timer ticks.
int RunScript(const Script& script) {
  if (!script.word.empty()) {
    const std::string line = "    call " + script.word + "  ; picked with F1";
    const LRESULT taken = PickWord(line.c_str(), 9);
    std::printf("Word: %s (the add-in answered %ld)\n", script.word.c_str(), static_cast<long>(taken));
  } else if (!script.lookup.empty()) {
    int position = 0;
    const UINT id = FindMenuItem("ORVA", &position);
    if (id == 0) {
      std::printf("No menu item \"ORVA\": the add-in is not installed\n");
    } else {
      ChooseMenuItem(id);
      PumpMessages(100);
      TypeText(script.lookup.c_str());
      TypeText("\r");
    }
  }
  PumpMessages(200);

  LookupView view;
  const bool shown = FindLookupView(&view);
  if (shown && script.compact) {
    ClickControl(view.toggleIcon);
    PumpMessages(100);
  }
  if (shown) PrintLookupWindow(view);
  std::fflush(stdout);
  if (!script.screenshot.empty()) {
    PumpMessages(200);
    if (!SaveScreenshot(script.screenshot)) std::fprintf(stderr, "stand-in-host: no screenshot written\n");
  }
  if (!script.interactive) CloseHost();
  return shown ? 0 : 1;
}

void RunMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Script script;
  if (!ParseArguments(argc, argv, &script)) return 2;

  g_host.quitOnDestroy = true;
  if (!CreateHostWindow(script.dataField)) {
    std::fprintf(stderr, "stand-in-host: no main window (is there a display?)\n");
    return 2;
  }
  const std::string addin = script.addin.empty() ? ProgramFolder() + "Addins\\orvara.dll" : script.addin;
  if (!LoadAddin(addin, script.optionWord)) {
    std::fprintf(stderr, "stand-in-host: cannot load %s\n", addin.c_str());
    CloseHost();
    return 2;
  }

  int result = 0;
  if (script.scripted()) result = RunScript(script);
  if (!script.scripted() || script.interactive) RunMessageLoop();
  UnloadAddin();
  return result;
}
