// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"

#include "assets/pointershape.h"

#include <QImage>
#include <QString>
#include <future>
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

QString picturePath(const char *name)
{
    return QStringLiteral(":/images/") + QLatin1String(name);
}

QPixmap picture(const char *name)
{
    initialize();
    return QPixmap(picturePath(name));
}

// The background being decoded, between prefetchMainBackground() and mainBackground().
std::future<QImage> &decodingBackground()
{
    static std::future<QImage> decoding;
    return decoding;
}

} // namespace

void initialize()
{
    static std::once_flag once;
    std::call_once(once, initAssetsResource);
}

QPixmap mainBackground()
{
    // Pixmaps belong to the window thread: the worker decodes the image, this makes it one.
    if (std::future<QImage> &decoding = decodingBackground(); decoding.valid())
        return QPixmap::fromImage(decoding.get());
    return picture("background.png");
}

void prefetchMainBackground()
{
    initialize();
    decodingBackground() =
        std::async(std::launch::async, [] { return QImage(picturePath("background.png")); });
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
