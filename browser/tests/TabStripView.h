#pragma once
// A row of tab buttons as the user sees it: which buttons can be clicked whole, and where
// the close buttons that end the row stand.

#include "vb/ControlArray.h"
#include "vb/Controls.h"

#include <algorithm>

namespace corvanetest {

struct TabStripView {
    int wholeButtons = 0;    // buttons first..last whole inside the strip and clear of the close group
    bool closeWhole = false; // the close group lies whole inside the strip
    int closeGap = -1;       // from the last button to the close group
    int buttonGap = -1;      // from one button to the next
};

// strip holds buttons (elements first..last are in use) and the close group close, all in
// the strip's own unit.
inline TabStripView tabStripView(const vb::Frame& strip, const vb::ControlArray<vb::CommandButton>& buttons, int first, int last,
                                 const vb::Frame& close)
{
    TabStripView v;
    const int end = strip.width();
    v.closeWhole = close.isVisible() && close.left() >= 0 && close.left() + close.width() <= end;
    for (int i = first; i <= last; ++i) {
        const vb::CommandButton& b = buttons[i];
        const int right = b.left() + b.width();
        if (b.isVisible() && b.left() >= 0 && right <= end && right <= close.left())
            ++v.wholeButtons;
    }
    const vb::CommandButton& lastButton = buttons[last];
    v.closeGap = close.left() - (lastButton.left() + lastButton.width());
    v.buttonGap = buttons[first + 1].left() - (buttons[first].left() + buttons[first].width());
    return v;
}

} // namespace corvanetest
