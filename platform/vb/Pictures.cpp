#include "Pictures.h"

#include <QFileInfo>
#include <QImageReader>

namespace vb {

std::optional<QPixmap> loadPicture(const QString& path)
{
    if (path.isEmpty())
        return QPixmap();
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    // The content decides, not the name: a PNG called .jpg is still a picture.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return QPixmap::fromImage(image);
}

} // namespace vb
