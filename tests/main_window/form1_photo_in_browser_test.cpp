// SPDX-License-Identifier: GPL-3.0-or-later

// A photo whose name holds characters that mean something in a page ("#", "?", "%", "&", "\",
// quotes, blanks at the start...) is chosen in the window and made into a page, which headless
// Chromium then shows: the photo must be on the screenshot.

#include "controls/filelistbox.h"
#include "controls/folderlistbox.h"
#include "main_window/form1.h"
#include "support/modalanswerer.h"
#include "support/windowtest.h"

#include <QColor>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The photo is a plain block of a colour that nothing else in the page uses.
const QColor kPhotoColour(255, 0, 255);

bool isPhotoColour(QRgb pixel)
{
    return qRed(pixel) > 235 && qGreen(pixel) < 30 && qBlue(pixel) > 235;
}

qsizetype photoPixels(const QImage &screenshot)
{
    qsizetype count = 0;
    for (int y = 0; y < screenshot.height(); ++y)
        for (int x = 0; x < screenshot.width(); ++x)
            count += isPhotoColour(screenshot.pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace

class TestPhotoInBrowser : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void chosenPhotoShowsInChromium_data();
    void chosenPhotoShowsInChromium();

private:
    QImage screenshot(const QUrl &page, const QString &folder);

    QTemporaryDir m_root;
    QString m_chromium;
    BrowserCatcher m_browser;
};

void TestPhotoInBrowser::initTestCase()
{
    // The browser is part of the test packages: without it this test fails, it never skips.
    m_chromium = QStandardPaths::findExecutable("chromium");
    QVERIFY2(!m_chromium.isEmpty(), "chromium is not installed (scripts/setup.sh)");
    QVERIFY(m_root.isValid());
    QVERIFY(!enterShippedResourceFolder(m_root.path()).isEmpty());
    QDesktopServices::setUrlHandler("file", &m_browser, "open");
}

void TestPhotoInBrowser::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler("file");
}

void TestPhotoInBrowser::chosenPhotoShowsInChromium_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("ordinary name") << QStringLiteral("Portrait d'été (1) - copie_2.jpg");
    QTest::newRow("hash") << QStringLiteral("photo #2.jpg");
    QTest::newRow("encoded blank") << QStringLiteral("Photo%20CV.jpg");
    QTest::newRow("question mark") << QStringLiteral("a?b.jpg");
    QTest::newRow("character references") << QStringLiteral("R&eacute;sum&eacute;.jpg");
    QTest::newRow("backslash") << QStringLiteral("moi\\2.jpg");
    QTest::newRow("quotes and tab") << QStringLiteral("dit \"moi\"\t.jpg");
    QTest::newRow("colon") << QStringLiteral("mailto:moi.jpg");
    QTest::newRow("leading blank") << QStringLiteral(" moi.jpg");
}

void TestPhotoInBrowser::chosenPhotoShowsInChromium()
{
    QFETCH(QString, name);
    const QString folder = m_root.filePath(QString("run-%1").arg(QTest::currentDataTag()));
    const QString photos = folder + "/photos";
    const QString destination = folder + "/cv";
    QVERIFY(QDir().mkpath(photos));
    QVERIFY(QDir().mkpath(destination));
    QImage photo(240, 300, QImage::Format_RGB32);
    photo.fill(kPhotoColour);
    QVERIFY(photo.save(photos + '/' + name, "JPG"));

    Form1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    control<FolderListBox>(&window, "dirList")->setPath(photos);
    QVERIFY(selectFile(control<FileListBox>(&window, "filList"), name));
    QCOMPARE(window.OC(), name);
    QTest::mouseClick(control(&window, "Command6"), Qt::LeftButton);
    control<FolderListBox>(&window, "dirList1")->setPath(destination);
    m_browser.urls.clear();
    const ModalAnswerer answerer;
    QTest::mouseClick(control(&window, "Command8"), Qt::LeftButton);
    QVERIFY2(answerer.seen().isEmpty(), qPrintable(answerer.seen().value(0).text));
    QVERIFY(QFile::exists(destination + '/' + name)); // the copy keeps its name
    QCOMPARE(m_browser.urls.size(), 1);

    const QImage shot = screenshot(m_browser.urls.first(), folder);
    QVERIFY(!shot.isNull());
    // The photo box shows the picture scaled into about 160 by 200 pixels.
    QVERIFY2(photoPixels(shot) > 15000, qPrintable(QString::number(photoPixels(shot))));
}

QImage TestPhotoInBrowser::screenshot(const QUrl &page, const QString &folder)
{
    const QString picture = folder + "/screenshot.png";
    QProcess chromium;
    chromium.setProcessChannelMode(QProcess::MergedChannels);
    chromium.start(m_chromium, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                                "--no-first-run", "--disable-background-networking",
                                "--disable-component-update", "--disable-sync",
                                "--user-data-dir=" + folder + "/profile", "--window-size=1200,900",
                                "--screenshot=" + picture, QString::fromLatin1(page.toEncoded())});
    if (!chromium.waitForFinished(120000) || chromium.exitCode() != 0) {
        qWarning("%s", chromium.readAll().constData());
        return {};
    }
    return QImage(picture);
}

QTEST_MAIN(TestPhotoInBrowser)
#include "form1_photo_in_browser_test.moc"
