// SkinIcon: a built-in icon drawn in the current skin's text colour.
#pragma once

#include "skin/Skin.h"

#include <QIcon>

namespace morva {

// The ink colour the built-in icons are drawn in; their other colours (green, red, blue marks) stay as they are.
inline const QColor kIconInk{0x30, 0x36, 0x3d};

// The picture at path with its ink pixels in the skin's text colour, so that the icons stay visible on a dark
// tool bar. A picture that cannot be loaded gives a null icon.
QIcon skinIcon(const QString& path, const Skin& skin);

} // namespace morva
