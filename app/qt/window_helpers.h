// Helpers both windows use.
#pragma once

#include <QWidget>

namespace pannellonistica {

// Places the window in the middle of its screen: left = (screen width - window width) / 2,
// top likewise.
void CentreOnScreen(QWidget& window);

// Gives the focus to the control when it is enabled and visible; a text field also gets its
// whole text selected.
void FocusAndSelect(QWidget& control);

// Twips to pixels, rounded (15 twips per pixel).
QRect TwipsRect(int left, int top, int width, int height);

}  // namespace pannellonistica
