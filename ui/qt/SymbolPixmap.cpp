// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/SymbolPixmap.h"

#include <QImage>

#include "ui/SymbolPicture.h"

namespace wb::ui {

QPixmap SymbolPixmap(const res::SymbolLook& look, const QWidget* widget, int logicalScale) {
    const double ratio = widget->devicePixelRatioF();
    const RgbaImage image = DrawSymbol(look, WholeScale(ratio, logicalScale));
    QPixmap pixmap = QPixmap::fromImage(QImage(image.rgba.data(), image.width, image.height,
                                               image.width * 4, QImage::Format_RGBA8888));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

}  // namespace wb::ui
