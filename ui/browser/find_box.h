// The Error Browser's find box: a small window owned by the browser with an
// edit field for the words, Find Next, Close and a status line.
#pragma once

#include <windows.h>

namespace orva {

// Ctrl+F: shows the box (made at the first use) with its words selected.
void ShowFindBox();
// F3, Enter in the box and Find Next: selects the next error that holds the
// box's words. With the box closed it stays closed while a match is found;
// it opens when there are no words yet or nothing matches, so that its
// status line can say so.
void FindAgain();
// The browser is going: the box goes (the browser owns it), and its class.
void ForgetFindBox();

// Where the box goes beside a browser with this window rectangle: right of
// it when the screen has room there, so that nothing of the browser is
// covered; otherwise over the lower right of its detail area, clear of the
// tree.
POINT FindBoxCorner(const RECT& browser, int screenWidth);

}  // namespace orva
