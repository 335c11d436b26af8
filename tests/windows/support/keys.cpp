#include "tests/windows/support/keys.h"

#include "stand_in_host/stand_in_host.h"

void PressKey(BYTE key, bool withControl) {
  if (withControl) keybd_event(VK_CONTROL, 0, 0, 0);
  keybd_event(key, 0, 0, 0);
  keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
  if (withControl) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
  standin::PumpMessages(30);
}
