#include "drawnpixmap.h"

#include <QImage>
#include <QImageReader>
#include <QWidget>

QPixmap DrawnPixmap(const QString &path, const QSize &size, const QWidget *widget)
{
    const qreal ratio = widget ? widget->devicePixelRatioF() : 1.0;
    QImageReader reader(path);
    reader.setScaledSize(size * ratio);
    const QImage image = reader.read();
    if (image.isNull())
        return QPixmap();
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}
