#pragma once
// Loading picture files (.jpg, .bmp and whatever else Qt reads) for image controls.

#include <QPixmap>
#include <QString>
#include <optional>

namespace vb {

// The picture of a file; nullopt when the file is missing or not a picture. An empty path
// gives an empty picture.
std::optional<QPixmap> loadPicture(const QString& path);

} // namespace vb
