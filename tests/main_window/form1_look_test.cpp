// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's pixels, compared with pictures of it taken when its look was settled: at
// first show, and once "Création de la page." has brought up the destination picker. Any
// change to how the window is built or painted must leave both exactly as they were.

#include "main_window/form1.h"
#include "support/controltest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
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

// Where the two pictures differ, for the failure message; saves the actual one beside the
// test so that it can be looked at.
QString difference(const QImage &actual, const QImage &expected, const QString &name)
{
    const QString saved = kStartFolder + QLatin1Char('/') + name + QStringLiteral("-actual.png");
    actual.save(saved);
    if (actual.size() != expected.size())
        return QStringLiteral("size %1x%2, expected %3x%4; saved as %5")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height())
            .arg(saved);
    QRect changed;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
        }
    }
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

private:
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
    const QImage shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expected = looks(QStringLiteral("first-show"));
    QVERIFY(!expected.isNull());
    if (shown != expected)
        QFAIL(qPrintable(difference(shown, expected, "first-show")));

    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("Command6")), Qt::LeftButton);
    const QImage choosing = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage expectedChoosing = looks(QStringLiteral("choosing-destination"));
    QVERIFY(!expectedChoosing.isNull());
    if (choosing != expectedChoosing)
        QFAIL(qPrintable(difference(choosing, expectedChoosing, "choosing-destination")));
}

QTEST_MAIN(TestForm1Look)
#include "form1_look_test.moc"
