#ifndef DRAWNPIXMAP_H
#define DRAWNPIXMAP_H

#include <QPixmap>
#include <QSize>
#include <QString>

class QWidget;

// Renders a compiled-in image at the pixel density of the screen that shows
// `widget`.  The images are drawings (SVG), so they are rendered at
// size x density instead of being scaled up from a small bitmap; a bitmap image
// is scaled the same way.  Returns a null pixmap when the image cannot be read.
QPixmap DrawnPixmap(const QString &path, const QSize &size, const QWidget *widget);

#endif // DRAWNPIXMAP_H
