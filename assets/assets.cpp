// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"

#include "assets/pointershape.h"

#include <QString>

// The library is static, so its resources need an explicit start, which Q_INIT_RESOURCE gives
// only from the global scope.
static void startResources()
{
    Q_INIT_RESOURCE(assets);
    Q_INIT_RESOURCE(help);
}

namespace Assets {

namespace {

// macOS draws pointers at 16 points; elsewhere 32 px is the standard pointer canvas.
constexpr int pointerSize =
#ifdef Q_OS_MACOS
    16;
#else
    32;
#endif

QString picturePath(const char *name)
{
    registerPictures();
    return QStringLiteral(":/images/") + QLatin1String(name);
}

} // namespace

void registerPictures()
{
    static const bool registered = [] {
        startResources();
        return true;
    }();
    Q_UNUSED(registered);
}

QImage mainBackground()
{
    return QImage(picturePath("background.png"));
}

QPixmap helpGlyph()
{
    return QPixmap(picturePath("helpglyph.png"));
}

QCursor pointerCursor()
{
    const QPoint hotSpot = PointerShape::hotSpot(pointerSize);
    return QCursor(QPixmap(picturePath(pointerSize == 16 ? "pointer16.png" : "pointer32.png")),
                   hotSpot.x(), hotSpot.y());
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap(picturePath("pomerel32.png")));
    icon.addPixmap(QPixmap(picturePath("pomerel64.png")));
    return icon;
}

} // namespace Assets
