// stand-in-host.exe: plays the RadASM IDE for orvara.dll, which it loads from
// Addins\ beside itself.
//
//   stand-in-host.exe [--build-log FILE]   interactive: the menu "Tools" holds
//                                          "ORVA"; Make > Build shows the
//                                          build log in the output pane, where
//                                          a double-click on an error number
//                                          opens ORVA on it and one elsewhere
//                                          on a message goes to its source line
//   stand-in-host.exe [options] --lookup NUMBER
//
// Script mode looks NUMBER up as a user does: when the output pane shows it,
// a double-click on it there with the mouse; otherwise through the menu item
// "ORVA", typing NUMBER into the input box followed by Enter. Then it prints
// the lookup window's caption and fields, saves a screenshot when asked, and
// closes the host as the IDE does.
//   --build-log F    the log Make > Build shows (by default
//                    Projects\hello\build.log beside the program); given,
//                    it is shown at the start, as after a build
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
  std::string buildLog;
  bool compact = false;
  std::string screenshot;
  std::string addin;
  bool interactive = false;
  bool scripted() const { return !lookup.empty() || !screenshot.empty(); }
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
    } else if (option == "--build-log" && hasValue) {
      script->buildLog = argv[++i];
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

// The ways a user looks a number up: a double-click on it in the output
// pane, where a build has left it, or typed into ORVA opened from its menu
// item.
void DoubleClickInOutput(const std::string& number, int line, int column) {
  const bool arrived = DoubleClickOutput(line, column);
  std::printf("Double-clicked %s in the output pane, line %d: ", number.c_str(), line + 1);
  if (arrived) {
    std::printf("the add-in answered %ld\n", static_cast<long>(g_host.lastAnswer));
  } else {
    std::printf("the click did not reach the pane\n");
  }
}

void TypeIntoOrva(const std::string& number) {
  int position = 0;
  const UINT id = FindMenuItem("ORVA", &position);
  if (id == 0) {
    std::printf("No menu item \"ORVA\": the add-in is not installed\n");
    return;
  }
  ChooseMenuItem(id);
  PumpMessages(100);
  TypeText(number.c_str());
  TypeText("\r");
  std::printf("Typed %s into ORVA (Tools > ORVA)\n", number.c_str());
}

// The user's steps, one after the other, each followed by a moment of the
// message loop so that windows paint and the hover timer ticks.
int RunScript(const Script& script) {
  PumpMessages(100);
  int line = 0, column = 0;
  if (!script.lookup.empty()) {
    if (FindInOutput(script.lookup.c_str(), &line, &column)) {
      DoubleClickInOutput(script.lookup, line, column);
    } else {
      TypeIntoOrva(script.lookup);
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
  g_host.buildLog = script.buildLog.empty() ? ProgramFolder() + "Projects\\hello\\build.log" : script.buildLog;
  if (!script.buildLog.empty() && !LoadBuildLog(script.buildLog)) {
    std::fprintf(stderr, "stand-in-host: cannot read the build log %s\n", script.buildLog.c_str());
    CloseHost();
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
