// The lookup window. (Being built: only the routines other windows share are
// in place so far.)
#include "ui/lookup_window/lookup_window.h"

#include "host/addin_state.h"
#include "resources/resource_ids.h"

namespace orva {

void CreateLookupWindow() {}

LRESULT CALLBACK LookupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK InputBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(g_state.inputBoxPreviousProc, window, message, wParam, lParam);
}

void PerformLookup() {}
void ResetLookupWindow() {}

void SetNoteIcon(bool hasNote) {
  // The picture shown so far goes before its replacement is loaded, so that
  // lookups never pile up icon handles.
  if (g_state.notePicture != nullptr) DestroyIcon(g_state.notePicture);
  g_state.noteExists = hasNote ? 1 : 0;
  g_state.notePicture = static_cast<HICON>(LoadImageA(g_state.moduleInstance,
                                                      MAKEINTRESOURCEA(hasNote ? IDI_NOTE_PRESENT : IDI_NO_NOTE),
                                                      IMAGE_ICON, 16, 16, LR_LOADMAP3DCOLORS));
  SendMessageA(g_state.noteIcon, STM_SETICON, reinterpret_cast<WPARAM>(g_state.notePicture), 0);
}

void DrawEtchedLine(HDC dc, int xStart, int xEnd, int y) {
  // Colours are read at every call, so a changed colour scheme shows at the next paint.
  const int colours[2] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  for (int i = 0; i < 2; ++i) {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colours[i]));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, xStart, y + i, nullptr);
    LineTo(dc, xEnd, y + i);
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
}

void ApplySharedFont(HWND control) {
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(g_state.sharedFont), TRUE);
}

void CentreOnWindow(HWND reference, HWND window) {
  RECT outer = {};
  RECT inner = {};
  GetWindowRect(reference, &outer);
  GetWindowRect(window, &inner);
  const int referenceWidth = outer.right - outer.left;
  const int referenceHeight = outer.bottom - outer.top;
  const int width = inner.right - inner.left;
  const int height = inner.bottom - inner.top;
  const int x = outer.left + (referenceWidth >> 1) - (width >> 1);
  const int y = outer.top + (referenceHeight >> 1) - (height >> 1);
  MoveWindow(window, x, y, width, height, FALSE);
}

}  // namespace orva
