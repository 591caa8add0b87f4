// SPDX-License-Identifier: GPL-3.0-or-later

// The main window's graphical buttons were first drawn by a style sheet. FaceButton paints them
// itself, and must give the same pixels as that sheet in every state a button can show.

#include "assets/fonts.h"
#include "main_window/facebutton.h"

#include <QImage>
#include <QPushButton>
#include <QTest>

namespace {

// The sheet the buttons had, the reference for their look.
const char *const kFormerSheet = R"(
QPushButton {
    color: black;
    background-color: rgb(0, 192, 192);
    border-style: solid;
    border-width: 2px;
    border-color: white rgb(0, 72, 72) rgb(0, 72, 72) white;
}
QPushButton:focus { border-color: white black black white; }
QPushButton:pressed {
    border-color: rgb(0, 72, 72) white white rgb(0, 72, 72);
    padding-top: 2px;
    padding-left: 2px;
}
QPushButton#dark { background-color: rgb(0, 128, 128); })";

// A window holding the button under test and another one to take the focus away from it.
struct Stage
{
    QWidget window;
    QPushButton *button = nullptr;
    QPushButton *other = nullptr;
};

void setUp(Stage &stage, QPushButton *button, const QFont &font, const QString &caption)
{
    stage.window.setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    stage.window.resize(300, 100);
    stage.button = button;
    button->setParent(&stage.window);
    button->setGeometry(10, 10, 199, 34);
    button->setFont(font);
    button->setText(caption);
    button->setAutoDefault(false);
    stage.other = new QPushButton(&stage.window);
    stage.other->setGeometry(250, 60, 40, 20);
    stage.window.show();
}

QImage look(Stage &stage, bool focused, bool pressed)
{
    stage.window.activateWindow();
    if (!QTest::qWaitForWindowActive(&stage.window))
        return {};
    (focused ? stage.button : stage.other)->setFocus();
    stage.button->setDown(pressed);
    return stage.button->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestFaceButton : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { substituteClassicFonts(); }
    void looksAsTheFormerSheetDrewIt_data();
    void looksAsTheFormerSheetDrewIt();
};

void TestFaceButton::looksAsTheFormerSheetDrewIt_data()
{
    QTest::addColumn<bool>("dark");
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("caption");
    QFont large(QStringLiteral("MS Sans Serif"), 12);
    large.setBold(true);
    large.setItalic(true);
    QTest::newRow("section button")
        << false << QFont(QStringLiteral("MS Sans Serif"), 8) << QStringLiteral("Expériences");
    QTest::newRow("page button, dark face")
        << true << large << QStringLiteral("Création de la page.");
}

void TestFaceButton::looksAsTheFormerSheetDrewIt()
{
    QFETCH(bool, dark);
    QFETCH(QFont, font);
    QFETCH(QString, caption);
    Stage former;
    former.window.setStyleSheet(QString::fromLatin1(kFormerSheet));
    auto *sheetButton = new QPushButton;
    sheetButton->setObjectName(dark ? QStringLiteral("dark") : QString());
    setUp(former, sheetButton, font, caption);
    Stage painted;
    auto *faceButton = new FaceButton;
    if (dark)
        faceButton->setFace(QColor(0, 128, 128));
    setUp(painted, faceButton, font, caption);

    QImage plain;
    for (const bool focused : {false, true}) {
        for (const bool pressed : {false, true}) {
            const QImage expected = look(former, focused, pressed);
            QVERIFY(!expected.isNull());
            QCOMPARE(look(painted, focused, pressed), expected);
            if (!focused && !pressed)
                plain = expected;
            else // each state shows: a comparison of identical pictures would prove little
                QVERIFY(expected != plain);
        }
    }
}

QTEST_MAIN(TestFaceButton)
#include "facebutton_test.moc"
