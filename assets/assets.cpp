// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"

#include "assets/pointershape.h"

#include <QString>
#include <mutex>

// The resource's start function is declared at global scope, so it must be called from there.
static void initAssetsResource()
{
    Q_INIT_RESOURCE(assets);
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

QPixmap picture(const char *name)
{
    initialize();
    return QPixmap(QStringLiteral(":/images/") + QLatin1String(name));
}

} // namespace

void initialize()
{
    static std::once_flag once;
    std::call_once(once, initAssetsResource);
}

QPixmap mainBackground()
{
    return picture("background.png");
}

QPixmap helpGlyph()
{
    return picture("helpglyph.png");
}

QCursor pointerCursor()
{
    const QPoint hotSpot = PointerShape::hotSpot(pointerSize);
    return QCursor(picture(pointerSize == 16 ? "pointer16.png" : "pointer32.png"), hotSpot.x(),
                   hotSpot.y());
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(picture("pomerel32.png"));
    icon.addPixmap(picture("pomerel64.png"));
    return icon;
}

} // namespace Assets
