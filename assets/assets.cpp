// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"

#include "assets/backgroundpixels.h"
#include "assets/pointershape.h"

#include <QImage>
#include <QString>
#include <future>
#include <map>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

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
constexpr const char *pointerName = pointerSize == 16 ? "pointer16.png" : "pointer32.png";

QString picturePath(const char *name)
{
    return QStringLiteral(":/images/") + QLatin1String(name);
}

// The pictures the main window shows at first, decoded on a worker between
// prefetchStartPictures() and their first use.
struct Prefetched
{
    std::map<std::string_view, std::future<QImage>> images;
    std::future<void> worker; // waits for the worker when the program ends
};

Prefetched &prefetched()
{
    static Prefetched pictures;
    return pictures;
}

// Pixmaps belong to the window thread: the worker decodes the image, this makes it one.
QPixmap picture(const char *name)
{
    initialize();
    auto &images = prefetched().images;
    if (const auto found = images.find(name); found != images.end() && found->second.valid())
        return QPixmap::fromImage(found->second.get());
    return QPixmap(picturePath(name));
}

} // namespace

void initialize()
{
    static std::once_flag once;
    std::call_once(once, initAssetsResource);
}

QImage mainBackground()
{
    // The image reads the compiled-in pixels where they are: nothing is copied or decoded.
    return QImage(reinterpret_cast<const uchar *>(BackgroundPixels::pixels),
                  BackgroundPixels::width, BackgroundPixels::height,
                  BackgroundPixels::width * qsizetype(sizeof(BackgroundPixels::pixels[0])),
                  QImage::Format_RGB32);
}

void prefetchStartPictures()
{
    initialize();
    Prefetched &pictures = prefetched();
    if (pictures.worker.valid())
        return;
    std::vector<std::pair<const char *, std::promise<QImage>>> decoding;
    for (const char *name : {"pomerel32.png", "pomerel64.png", "helpglyph.png", pointerName}) {
        decoding.emplace_back(name, std::promise<QImage>());
        pictures.images[name] = decoding.back().second.get_future();
    }
    pictures.worker = std::async(std::launch::async, [decoding = std::move(decoding)]() mutable {
        for (auto &[name, image] : decoding)
            image.set_value(QImage(picturePath(name)));
    });
}

QPixmap helpGlyph()
{
    return picture("helpglyph.png");
}

QCursor pointerCursor()
{
    const QPoint hotSpot = PointerShape::hotSpot(pointerSize);
    return QCursor(picture(pointerName), hotSpot.x(), hotSpot.y());
}

QIcon programIcon()
{
    QIcon icon;
    icon.addPixmap(picture("pomerel32.png"));
    icon.addPixmap(picture("pomerel64.png"));
    return icon;
}

} // namespace Assets
