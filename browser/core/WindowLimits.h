#pragma once
// The smallest size a browser window keeps: what its bars need, as the window's minimum
// size (so the window manager keeps it when the user drags the window smaller), but never
// more than the screen holds; a screen smaller than the program asks for is told of at
// start-up, and there the window takes what the screen gives.

#include "vb/Form.h"
#include "vb/Runtime.h"

#include <QSize>
#include <QWidget>

namespace corvane {

inline void keepSmallestSize(vb::Form& form, QSize need)
{
    const vb::ScreenMetrics screen = form.runtime().screen();
    if (screen.widthTwips > 0 && screen.heightTwips > 0 && screen.twipsPerPixelX > 0 && screen.twipsPerPixelY > 0)
        need = need.boundedTo(QSize(screen.widthTwips / screen.twipsPerPixelX - vb::Form::FrameWidthPixels,
                                    screen.heightTwips / screen.twipsPerPixelY - vb::Form::FrameHeightPixels));
    form.window()->setMinimumSize(need);
}

} // namespace corvane
