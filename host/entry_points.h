// The three exports the host finds by their plain names, and the module
// entry point.
#pragma once

#include <windows.h>

#include <cstdint>

namespace orva {

// A row of the option table: the option's text, AND mask, OR mask.
struct OptionRow {
  const char* text;
  uint32_t andMask;
  uint32_t orMask;
};

// The three hook words InstallDll answers in EAX, ECX and EDX.
struct HookWords {
  uint32_t eax;
  uint32_t ecx;
  uint32_t edx;
};

// The body of InstallDll; the exported InstallDll (install_dll.S) loads the
// three words it returns into EAX, ECX and EDX.
extern "C" const HookWords* __stdcall InstallAddin(HWND hostWindow, uint32_t optionWord);

}  // namespace orva

extern "C" {
BOOL WINAPI DllEntryPoint(HINSTANCE instance, DWORD reason, LPVOID reserved);
const orva::OptionRow* __stdcall GetOptions();
uint32_t __stdcall InstallDll(HWND hostWindow, uint32_t optionWord);
LRESULT __stdcall DllProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
}
