#pragma once
// The pictures both programs draw their windows with: button faces, the Back and Forward
// pictures, the frames of the busy animation and the About badge. Painted in code at the
// screen's pixel ratio, so they stay crisp on high-density screens.

#include <QPixmap>
#include <QSize>

namespace art {

inline constexpr int ButtonFaceCount = 14;
inline constexpr int BusyFrameCount = 8;

// Face n of the button picture store (0..13); see ButtonFaceRole for their uses.
QPixmap buttonFace(int index, QSize size = QSize(20, 20), qreal dpr = 0);

enum class NavState { Normal = 0, Pressed = 1, Disabled = 2 };
QPixmap backPicture(NavState state, QSize size = QSize(24, 24), qreal dpr = 0);
QPixmap forwardPicture(NavState state, QSize size = QSize(24, 24), qreal dpr = 0);

// Frame n of the busy animation; frame 0 is the idle picture.
QPixmap busyFrame(int index, QSize size = QSize(20, 20), qreal dpr = 0);

QPixmap aboutBadge(QSize size = QSize(48, 48), qreal dpr = 0);

} // namespace art
