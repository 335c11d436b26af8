#include "tests/windows/support/keys.h"

#include <vector>

#include "stand_in_host/stand_in_host.h"

namespace {

void AddKey(std::vector<INPUT>& events, BYTE key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  events.push_back(input);
}

void AddPress(std::vector<INPUT>& events, const Key& key) {
  if (key.withControl) AddKey(events, VK_CONTROL, false);
  if (key.withShift) AddKey(events, VK_SHIFT, false);
  AddKey(events, key.vk, false);
  AddKey(events, key.vk, true);
  if (key.withShift) AddKey(events, VK_SHIFT, true);
  if (key.withControl) AddKey(events, VK_CONTROL, true);
}

void Send(std::vector<INPUT>& events) {
  SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
  standin::PumpMessages(60);
}

}  // namespace

void PressKey(BYTE key, bool withControl, bool withShift) { PressKeys({{key, withControl, withShift}}); }

void PressKeys(std::initializer_list<Key> keys) {
  std::vector<INPUT> events;
  for (const Key& key : keys) AddPress(events, key);
  Send(events);
}

void ClickAt(HWND window, POINT point) {
  ClientToScreen(window, &point);
  SetCursorPos(point.x, point.y);
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
}

void TypeKeys(const char* text) {
  std::vector<INPUT> events;
  for (const char* c = text; *c != 0; ++c) {
    const SHORT scan = VkKeyScanA(*c);  // the key, and in its high byte whether Shift is held
    AddPress(events, Key{LOBYTE(scan), false, (HIBYTE(scan) & 1) != 0});
  }
  Send(events);
}
