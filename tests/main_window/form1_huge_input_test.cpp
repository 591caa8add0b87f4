// SPDX-License-Identifier: GPL-3.0-or-later

// Sections of 20 MiB each, and lines of 1 MiB in the one-line boxes, pasted as a user pastes
// them (the clipboard, then Ctrl+V), then "SUITE": the program must neither crash nor stall,
// and the page must hold all of it. How the time grows with the size is measured in
// bench/huge_input_bench.cpp, typing into a full box in bench/typing_bench.cpp.

#include "controls/folderlistbox.h"
#include "generation/generation.h"
#include "generation/pagetemplate.h"
#include "main_window/form1.h"
#include "support/modalanswerer.h"
#include "support/windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <array>
#include <memory>

namespace {

constexpr qsizetype kSectionBytes = 20 * 1024 * 1024;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestForm1HugeInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pastedSectionsOfTwentyMebibytesReachThePage();
    void pastedLinesOfOneMebibyteReachThePage();

private:
    QTemporaryDir m_root;
    BrowserCatcher m_browser;
};

void TestForm1HugeInput::initTestCase()
{
    QVERIFY(m_root.isValid());
    QVERIFY(!enterShippedResourceFolder(m_root.path()).isEmpty());
    QDesktopServices::setUrlHandler("file", &m_browser, "open");
}

void TestForm1HugeInput::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler("file");
}

void TestForm1HugeInput::pastedSectionsOfTwentyMebibytesReachThePage()
{
    Form1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    control(&window, "Text6")->setFocus();
    QTest::keyClicks(control(&window, "Text6"), "Jean Dupont");

    pomerel::BoxTexts expected;
    expected[5] = "Jean Dupont";
    QElapsedTimer pasting;
    pasting.start();
    for (int section = 0; section < 5; ++section) {
        const QString text = hugeSection(section + 1, kSectionBytes);
        QTest::mouseClick(control(&window, QString("Command%1").arg(section + 1)), Qt::LeftButton);
        auto *editor = control<QPlainTextEdit>(&window, QString("Text%1").arg(section + 1));
        QVERIFY(editor->isVisible());
        QVERIFY(editor->hasFocus());
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(editor->document()->characterCount(), text.size() + 1);
        // A typed line end reaches the core as CR LF.
        expected[static_cast<std::size_t>(section)] =
            QString(text).replace('\n', QStringLiteral("\r\n")).toStdString();
    }
    qInfo("Pasting 5 sections of 20 MiB: %lld ms", static_cast<long long>(pasting.elapsed()));

    QTest::mouseClick(control(&window, "Command6"), Qt::LeftButton);
    const QString destination = m_root.filePath("cv");
    QVERIFY(QDir().mkpath(destination));
    control<FolderListBox>(&window, "dirList1")->setPath(destination);
    const ModalAnswerer answerer;
    QElapsedTimer generating;
    generating.start();
    QTest::mouseClick(control(&window, "Command8"), Qt::LeftButton);
    qInfo("Generating the page: %lld ms", static_cast<long long>(generating.elapsed()));
    QVERIFY2(answerer.seen().isEmpty(), qPrintable(answerer.seen().value(0).text));
    QVERIFY(control(&window, "Label9")->isVisible());
    QCOMPARE(m_browser.takePages().size(), 1);

    // The page is what the core makes of the same texts, and holds every section whole.
    const QByteArray page = readAll(destination + "/CV.html");
    const QString reference = m_root.filePath("reference");
    QVERIFY(QDir().mkpath(reference));
    pomerel::fillTemplate(window.depart().toStdString(), (reference + '/').toStdString(),
                          pomerel::buildCvFields("logo.jpg", expected));
    QVERIFY(page == readAll(reference + "/CV.html")); // QCOMPARE would print 100 MiB
    QVERIFY(page.size() > 5 * kSectionBytes);
    QVERIFY(page.contains("Section 5 : Zo\xe9 a travaill\xe9 \xe0 &#321;\xf3"
                          "d&#378;, "
                          "\xab"
                          "5 * 7\xbb <b>&</b> ; exp\xe9rience 0<BR>\n"));
}

// The one-line boxes take what memory allows: a line far past the 32,767 characters a line
// edit keeps by default reaches the page whole.
void TestForm1HugeInput::pastedLinesOfOneMebibyteReachThePage()
{
    Form1 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    pomerel::BoxTexts expected;
    for (const int number : {6, 13}) {
        const QString line = hugeSection(number, 1024 * 1024).replace('\n', ' ');
        auto *box = control<QLineEdit>(&window, QString("Text%1").arg(number));
        box->setFocus();
        QGuiApplication::clipboard()->setText(line);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text().size(), line.size());
        expected[static_cast<std::size_t>(number - 1)] = line.toStdString();
    }

    QTest::mouseClick(control(&window, "Command6"), Qt::LeftButton);
    const QString destination = m_root.filePath("lines");
    QVERIFY(QDir().mkpath(destination));
    control<FolderListBox>(&window, "dirList1")->setPath(destination);
    const ModalAnswerer answerer;
    QTest::mouseClick(control(&window, "Command8"), Qt::LeftButton);
    QVERIFY2(answerer.seen().isEmpty(), qPrintable(answerer.seen().value(0).text));
    QCOMPARE(m_browser.takePages().size(), 1);

    const QByteArray page = readAll(destination + "/CV.html");
    const QString reference = m_root.filePath("lines-reference");
    QVERIFY(QDir().mkpath(reference));
    pomerel::fillTemplate(window.depart().toStdString(), (reference + '/').toStdString(),
                          pomerel::buildCvFields("logo.jpg", expected));
    QVERIFY(page == readAll(reference + "/CV.html"));
    QVERIFY(page.size() > 2 * 1000 * 1000); // both lines, whole
}

QTEST_MAIN(TestForm1HugeInput)
#include "form1_huge_input_test.moc"
