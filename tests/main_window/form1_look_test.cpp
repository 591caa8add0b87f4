// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's pixels, compared with pictures of it taken when its look was settled: at
// first show, and once "Création de la page." has brought up the destination picker. Any
// change to how the window is built or painted must leave both exactly as they were. Only
// the scroll bars are Qt's own drawing, which changes from one Qt to the next: each must be
// where the pictures have it and look as the same Qt draws a bar of its size and state.

#include "main_window/form1.h"
#include "support/controltest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRegion>
#include <QScrollBar>
#include <QTest>
#include <memory>

namespace {

// The lists show the current folder and its path: both must be the same on every machine.
const QString kFolder = QStringLiteral("/tmp/pomerel-premier-affichage");
// Where a failing test leaves what it saw.
const QString kStartFolder = QDir::currentPath();

QImage looks(const QString &name)
{
    return QImage(QStringLiteral(POMEREL_LOOKS_DIR "/") + name + QStringLiteral(".png"))
        .convertToFormat(QImage::Format_RGB32);
}

QImage picture(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A bar of the same size and state, made beside the given one, as this Qt draws it.
QImage drawnByQt(const QScrollBar *bar)
{
    QScrollBar reference(bar->orientation(), bar->parentWidget());
    reference.setRange(bar->minimum(), bar->maximum());
    reference.setPageStep(bar->pageStep());
    reference.setValue(bar->value());
    reference.setEnabled(bar->isEnabled());
    reference.resize(bar->size());
    return picture(&reference);
}

// What differs between the window and its picture, or nothing. A failing comparison saves
// what the window showed beside the test, so that it can be looked at.
QString lookDifference(QWidget *window, const QString &name)
{
    const QImage shown = picture(window);
    const QImage expected = looks(name);
    if (expected.isNull())
        return QStringLiteral("no picture %1").arg(name);
    const QString saved = kStartFolder + QLatin1Char('/') + name + QStringLiteral("-actual.png");
    if (shown.size() != expected.size()) {
        shown.save(saved);
        return QStringLiteral("size %1x%2, expected %3x%4; saved as %5")
            .arg(shown.width())
            .arg(shown.height())
            .arg(expected.width())
            .arg(expected.height())
            .arg(saved);
    }
    QRegion qtsOwn;
    for (const QScrollBar *bar : window->findChildren<QScrollBar *>()) {
        if (!bar->isVisibleTo(window))
            continue;
        const QRect place(bar->mapTo(window, QPoint()), bar->size());
        if (shown.copy(place) != drawnByQt(bar)) {
            shown.save(saved);
            return QStringLiteral(
                       "the scroll bar at (%1,%2) is not drawn as Qt draws it; saved as %3")
                .arg(place.x())
                .arg(place.y())
                .arg(saved);
        }
        qtsOwn += place;
    }
    QRect changed;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != expected.pixel(x, y) && !qtsOwn.contains(QPoint(x, y)))
                changed |= QRect(x, y, 1, 1);
        }
    }
    if (changed.isEmpty())
        return {};
    shown.save(saved);
    return QStringLiteral("pixels differ within (%1,%2) %3x%4; saved as %5")
        .arg(changed.x())
        .arg(changed.y())
        .arg(changed.width())
        .arg(changed.height())
        .arg(saved);
}

} // namespace

class TestForm1Look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void firstShowAndDestinationPicker();
    void pictureOverAScrollBarIsSeen();
};

void TestForm1Look::initTestCase()
{
    // A folder with a subfolder, two pictures and a text file.
    QDir(kFolder).removeRecursively();
    QVERIFY(QDir().mkpath(kFolder + QStringLiteral("/Photos")));
    for (const char *name : {"portrait.jpg", "bandeau.gif", "notes.txt"}) {
        QFile file(kFolder + QLatin1Char('/') + QLatin1String(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir::setCurrent(kFolder));
    // The text cursor in Text6 shows steadily instead of blinking.
    QApplication::setCursorFlashTime(0);
}

void TestForm1Look::cleanupTestCase()
{
    QDir::setCurrent(kStartFolder);
    QDir(kFolder).removeRecursively();
}

void TestForm1Look::firstShowAndDestinationPicker()
{
    // One drive.
    const ControlTest::FixedVolumes volumes({{"/", "/", {}, true}});
    const auto window = std::make_unique<Form1>();
    volumes.handTo(window.get());
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    const QString firstShow = lookDifference(window.get(), QStringLiteral("first-show"));
    QVERIFY2(firstShow.isEmpty(), qPrintable(firstShow));

    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command6")), Qt::LeftButton);
    const QString choosing = lookDifference(window.get(), QStringLiteral("choosing-destination"));
    QVERIFY2(choosing.isEmpty(), qPrintable(choosing));
}

// Leaving Qt's scroll bars to Qt must not hide what the program puts over them.
void TestForm1Look::pictureOverAScrollBarIsSeen()
{
    const auto window = std::make_unique<Form1>();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    const QScrollBar *bar = nullptr;
    for (const QScrollBar *candidate : window->findChildren<QScrollBar *>()) {
        if (candidate->isVisibleTo(window.get()))
            bar = candidate;
    }
    QVERIFY(bar);
    QLabel stray(window.get());
    QPixmap red(4, 4);
    red.fill(Qt::red);
    stray.setPixmap(red);
    stray.setGeometry(QRect(bar->mapTo(window.get(), QPoint(2, bar->height() / 2)), red.size()));
    stray.show();
    QVERIFY(lookDifference(window.get(), QStringLiteral("first-show"))
                .startsWith(QStringLiteral("the scroll bar at")));
}

QTEST_MAIN(TestForm1Look)
#include "form1_look_test.moc"
