// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/folderlistbox.h"
#include "help_window/form2.h"
#include "main_window/form1.h"
#include "support/modalanswerer.h"
#include "support/windowtest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString introductionStart = u"Ce programme vous permet de créer un curriculum vitae\r"_s;
const QString sectionsStart = u"Vous avez cinq boutons \r"_s;

void clickOn(QWidget *window, const QString &name)
{
    QWidget *target = control(window, name);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      target->mapTo(window, target->rect().center()));
}

// Ends an event loop that a test runs, should the program fail to end it; gone with the test.
std::unique_ptr<QTimer> exitAfterAWhile()
{
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(true);
    QObject::connect(timer.get(), &QTimer::timeout, [] { QCoreApplication::exit(1); });
    timer->start(5000);
    return timer;
}

// The help windows that are open, whichever way they were made.
QList<Form2 *> openHelpWindows()
{
    QList<Form2 *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *help = qobject_cast<Form2 *>(window); help && help->isVisible())
            found.append(help);
    }
    return found;
}

} // namespace

class TestHelpOpening : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void opensOnTheIntroduction();
    void secondClickKeepsTheTopic();
    void f1OpensTheHelpInEditingOnly_data();
    void f1OpensTheHelpInEditingOnly();
    void windowsAreAnnouncedAsWindows();
    void reopeningStartsAfresh_data();
    void reopeningStartsAfresh();
    void quittingClosesBoth();
    void closeBoxLeavesHelpRunning();

private:
    Form2 *openHelp(bool byKey = false);
    void makePage(const QString &destination);

    std::unique_ptr<Form1> m_main;
    BrowserCatcher m_browser;
};

// The main window reads the shipped resources from the folder it starts in; it only reads.
void TestHelpOpening::initTestCase()
{
    QVERIFY(QDir::setCurrent(QStringLiteral(POMEREL_RESOURCE_DIR)));
    QDesktopServices::setUrlHandler(u"file"_s, &m_browser, "open");
}

void TestHelpOpening::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(u"file"_s);
}

void TestHelpOpening::init()
{
    m_main = std::make_unique<Form1>();
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

void TestHelpOpening::cleanup()
{
    m_main.reset();
    qDeleteAll(openHelpWindows());
}

// By a click on the help picture, or by F1 where the focus is.
Form2 *TestHelpOpening::openHelp(bool byKey)
{
    if (byKey)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    else
        clickOn(m_main.get(), u"Image1"_s);
    const QList<Form2 *> help = openHelpWindows();
    return help.size() == 1 ? help.first() : nullptr;
}

// "Création de la page." and "SUITE" into destination: the main window's finished look.
void TestHelpOpening::makePage(const QString &destination)
{
    control<QAbstractButton>(m_main.get(), u"Command6"_s)->click();
    control<FolderListBox>(m_main.get(), u"dirList1"_s)
        ->setPath(QDir::toNativeSeparators(destination));
    const ModalAnswerer answerer;
    control<QAbstractButton>(m_main.get(), u"Command8"_s)->click();
    QCOMPARE(answerer.seen().size(), 0);
}

void TestHelpOpening::opensOnTheIntroduction()
{
    Form2 *help = openHelp();
    QVERIFY(help);
    QVERIFY(help->isWindow());
    QVERIFY(QTest::qWaitForWindowActive(help));
    QVERIFY(control<QLabel>(help, u"Label1"_s)->text().startsWith(introductionStart));
    // Not modal: the main window still takes input.
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(!help->isModal());
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

// A click while the help is open brings it to the front on the topic it shows.
void TestHelpOpening::secondClickKeepsTheTopic()
{
    QPointer<Form2> help = openHelp();
    QVERIFY(help);
    clickOn(help, u"Image3"_s);
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));

    QCOMPARE(openHelp(), help.data());
    QVERIFY(QTest::qWaitForWindowActive(help));
    QVERIFY(control<QLabel>(help, u"Label1"_s)->text().startsWith(sectionsStart));
}

void TestHelpOpening::f1OpensTheHelpInEditingOnly_data()
{
    QTest::addColumn<QString>("state");

    QTest::newRow("editing, in a section: opens") << u"editing"_s;
    QTest::newRow("choosing the destination: the picture is hidden") << u"choosing"_s;
    QTest::newRow("finished: the picture is hidden") << u"finished"_s;
}

// F1 does what a click on the help picture does, and only where the picture is shown.
void TestHelpOpening::f1OpensTheHelpInEditingOnly()
{
    QFETCH(QString, state);

    const QTemporaryDir destination;
    QVERIFY(destination.isValid());
    clickOn(m_main.get(), u"Command2"_s); // the focus in a section editor
    if (state == u"choosing")
        control<QAbstractButton>(m_main.get(), u"Command6"_s)->click();
    else if (state == u"finished")
        makePage(destination.path());

    Form2 *help = openHelp(true);
    QCOMPARE(help != nullptr, state == u"editing");
    QCOMPARE(openHelpWindows().size(), state == u"editing" ? 1 : 0);
    if (help)
        QVERIFY(control<QLabel>(help, u"Label1"_s)->text().startsWith(introductionStart));
}

// Screen readers meet both windows as windows, under their titles, with their controls inside.
void TestHelpOpening::windowsAreAnnouncedAsWindows()
{
    Form2 *help = openHelp(true);
    QVERIFY(help);
    const std::initializer_list<std::pair<QWidget *, QString>> windows{
        {m_main.get(), u"      Pomerel"_s}, {help, u"                  Aide"_s}};
    for (const auto &[window, title] : windows) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(window);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Window);
        QCOMPARE(accessible->text(QAccessible::Name), title);
        QAccessibleInterface *picture =
            QAccessible::queryAccessibleInterface(control(window, u"Image1"_s));
        QVERIFY(accessible->indexOfChild(picture) >= 0);
        QCOMPARE(picture->parent()->object(), window);
    }
}

void TestHelpOpening::reopeningStartsAfresh_data()
{
    QTest::addColumn<bool>("byButton");

    QTest::newRow("Quitter l'aide") << true;
    QTest::newRow("close box") << false;
}

// Closed help is gone; the next opening loads it again, on the introduction, with the banner
// and the illustrations hidden whatever was shown before.
void TestHelpOpening::reopeningStartsAfresh()
{
    QFETCH(bool, byButton);

    QPointer<Form2> help = openHelp();
    QVERIFY(help);
    clickOn(help, u"Image4"_s);
    clickOn(help, u"Image5"_s);
    if (byButton)
        clickOn(help, u"Command1"_s);
    else
        help->close();
    // qWaitFor, not QTRY_*: with Qt 6.8 these narrow a std::chrono count and -Wconversion fires.
    QVERIFY(QTest::qWaitFor([&help] { return help.isNull(); }));

    Form2 *again = openHelp();
    QVERIFY(again);
    QVERIFY(control<QLabel>(again, u"Label1"_s)->text().startsWith(introductionStart));
    for (const QString &name : {u"Label3"_s, u"Label4"_s, u"Image7"_s, u"Image6"_s})
        QVERIFY2(control(again, name)->isHidden(), qPrintable(name));
}

void TestHelpOpening::quittingClosesBoth()
{
    QPointer<Form2> help = openHelp();
    QVERIFY(help);
    clickOn(help, u"Image2"_s);
    m_main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));

    // A page made in a scratch folder brings "Quitter l'application".
    const QTemporaryDir destination;
    QVERIFY(destination.isValid());
    makePage(destination.path());
    QVERIFY(control(m_main.get(), u"Command10"_s)->isVisible());
    QVERIFY(help->isVisible());

    // "Quitter l'application" ends the program's event loop and closes every window.
    QTimer::singleShot(0, this, [this] { clickOn(m_main.get(), u"Command10"_s); });
    const auto guard = exitAfterAWhile();
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(QTest::qWaitFor([&help] { return help.isNull(); }));
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

// The main window's close box while the help window is open: the program goes on until the
// help window is closed too.
void TestHelpOpening::closeBoxLeavesHelpRunning()
{
    QVERIFY(openHelp());
    bool helpAloneRunning = false;
    QTimer::singleShot(0, this, [this] { m_main->close(); });
    QTimer::singleShot(50, this, [&helpAloneRunning] {
        for (Form2 *help : openHelpWindows()) {
            helpAloneRunning = true;
            help->close();
        }
    });
    const auto guard = exitAfterAWhile();
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(helpAloneRunning);
}

QTEST_MAIN(TestHelpOpening)
#include "helpopening_test.moc"
