// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/assets.h"
#include "help_window/captionlabel.h"
#include "help_window/form2.h"
#include "support/windowtest.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The text a reader should see for topic, from helptexts.txt: the lines joined by carriage
// returns, as the help window shows them.
QString expectedText(const QString &topic)
{
    QFile file(QStringLiteral(POMEREL_HELP_TEXTS));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    bool inTopic = false;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'['))
            inTopic = line == u'[' + topic + u']';
        else if (inTopic && line.endsWith(u'|'))
            lines.append(line.chopped(1));
    }
    return lines.join(u'\r');
}

const QString introduction = expectedText(u"introduction"_s);
const QString photo = expectedText(u"photo"_s);
const QString fields = expectedText(u"fields"_s);
const QString sections = expectedText(u"sections"_s);
const QString pageCreation = expectedText(u"page creation"_s);

// The controls whose visibility the topics set, in the order of the columns below.
const QStringList topicControls = {u"Label1"_s, u"Label3"_s, u"Label4"_s, u"Image7"_s, u"Image6"_s};

QString caption(QWidget *window, const QString &name)
{
    return qobject_cast<QLabel *>(control(window, name))->text();
}

// Which of the topic controls are set to show, as a string of 0 and 1 in column order.
QString visibility(QWidget *window)
{
    QString shown;
    for (const QString &name : topicControls)
        shown += control(window, name)->isHidden() ? u'0' : u'1';
    return shown;
}

// A click where a user would click: at the centre of the control, through the window, so the
// control that is in front at that point receives it.
void clickOn(QWidget *window, const QString &name)
{
    QWidget *target = control(window, name);
    const QPoint centre = target->mapTo(window, target->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, centre);
}

// Rows of text bands that hold ink, from the top: one band per drawn line of text.
int inkBands(const QImage &image, QRgb ground)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = image.pixel(x, y) != ground;
        if (ink && !inBand)
            ++bands;
        inBand = ink;
    }
    return bands;
}

// True when picture equals the pixels of background at place, shifted by at most 3 px.
bool matchesBackground(const QImage &picture, const QImage &background, QPoint place)
{
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            const QRect area(place + QPoint(dx, dy), picture.size());
            if (background.rect().contains(area) && background.copy(area) == picture)
                return true;
        }
    }
    return false;
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    // Texts
    void eachAreaHasItsOwnText();
    void captionLines_data();
    void captionLines();

    // The window as it opens
    void openingState();
    void windowLook();
    void focusStaysOnTheButton();
    void pointers_data();
    void pointers();
    void captionsFit_data();
    void captionsFit();
    void pictures_data();
    void pictures();
    void stacking_data();
    void stacking();

    // Topics
    void clicks_data();
    void clicks();
    void accessibleNames_data();
    void accessibleNames();
    void screenReaderPressesPictures();
    void arrowKeys_data();
    void arrowKeys();

    // Closing
    void closing_data();
    void closing();

private:
    QPointer<Form2> m_form;
};

void TestHelpWindow::init()
{
    m_form = new Form2;
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
}

void TestHelpWindow::cleanup()
{
    delete m_form;
}

// Each topic picture brings its own text where the reader looks: the lower area for the page
// creation, the main one for the rest.
void TestHelpWindow::eachAreaHasItsOwnText()
{
    const QList<std::pair<QString, QString>> areas{{u"Image5"_s, introduction},
                                                   {u"Image1"_s, photo},
                                                   {u"Image2"_s, fields},
                                                   {u"Image3"_s, sections},
                                                   {u"Image4"_s, pageCreation}};
    QSet<QString> texts;
    for (const auto &[picture, expected] : areas) {
        QVERIFY2(!expected.isEmpty(), qPrintable(picture));
        clickOn(m_form, picture);
        const QString where = picture == u"Image4"_s ? u"Label3"_s : u"Label1"_s;
        QCOMPARE(caption(m_form, where), expected);
        texts.insert(expected);
    }
    QCOMPARE(texts.size(), areas.size());
}

void TestHelpWindow::captionLines_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("lines");

    QTest::newRow("one line") << u"Divers"_s << 1;
    QTest::newRow("a line per CR") << u"Divers\rFormations\rExpériences"_s << 3;
    QTest::newRow("empty line between") << u"Divers\r\rFormations"_s << 2;
    QTest::newRow("long line wraps")
        << u"les champs vides ne seront pas mis ni leurs appellations et les autres non plus "
           "quand la ligne est bien trop longue pour la largeur de la zone"_s
        << 3;
    QTest::newRow("what does not fit is cut")
        << u"1\r2\r3\r4\r5\r6\r7\r8\r9\r10\r11\r12\r13"_s << 4;
}

void TestHelpWindow::captionLines()
{
    QFETCH(QString, caption);
    QFETCH(int, lines);

    CaptionLabel label;
    label.setFont(control(m_form.data(), u"Label1"_s)->font());
    label.setAutoFillBackground(true);
    QPalette colours = label.palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    label.setPalette(colours);
    label.resize(300, 4 * label.fontMetrics().lineSpacing());
    label.setText(caption);

    QCOMPARE(label.text(), caption);
    QCOMPARE(inkBands(label.grab().toImage(), qRgb(255, 255, 255)), lines);
}

void TestHelpWindow::openingState()
{
    QCOMPARE(m_form->windowTitle(), u"                  Aide"_s);
    QCOMPARE(m_form->size(), QSize(565, 617));
    QCOMPARE(caption(m_form, u"Label1"_s), introduction);
    QCOMPARE(caption(m_form, u"Label2"_s), u"Cliquez sur les endroits désirés"_s);
    QCOMPARE(caption(m_form, u"Label3"_s), u"lab3"_s);
    QCOMPARE(caption(m_form, u"Label4"_s), u"C'est l'aide  que vous avez sous le yeux"_s);
    QCOMPARE(qobject_cast<QPushButton *>(control(m_form.data(), u"Command1"_s))->text(),
             u"Quitter l'aide"_s);
    QCOMPARE(visibility(m_form), u"10000"_s);
    for (const QString &name : {u"Image1"_s, u"Image2"_s, u"Image3"_s, u"Image4"_s, u"Image5"_s,
                                u"Label2"_s, u"Command1"_s})
        QVERIFY2(control(m_form.data(), name)->isVisible(), qPrintable(name));
    QVERIFY(!m_form->windowIcon().isNull());
}

// The background screenshot at the top left at its own size, grey everywhere else, and
// nothing moves when the window grows.
void TestHelpWindow::windowLook()
{
    const QImage background(u":/help/background.png"_s);
    QCOMPARE(background.size(), QSize(564, 440));
    const QRect image1 = control(m_form.data(), u"Image1"_s)->geometry();

    m_form->resize(900, 800);
    QImage shot = m_form->grab().toImage();
    const QRgb grey = m_form->palette().color(QPalette::Button).rgb();

    QCOMPARE(shot.pixel(2, 2), background.pixel(2, 2));
    QCOMPARE(shot.pixel(563, 439), background.pixel(563, 439));
    QCOMPARE(shot.pixel(564, 10), grey);
    QCOMPARE(shot.pixel(300, 441), grey);
    QCOMPARE(shot.pixel(890, 790), grey);
    // The text area: white inside a thin black border.
    const QRect label1 = control(m_form.data(), u"Label1"_s)->geometry();
    QCOMPARE(shot.pixel(label1.bottomRight() - QPoint(3, 3)), qRgb(255, 255, 255));
    QCOMPARE(shot.pixel(label1.bottomRight()), qRgb(0, 0, 0));
    QCOMPARE(control(m_form.data(), u"Image1"_s)->geometry(), image1);
}

// Only the button takes the focus: the labels and pictures never do, so Tab cannot move it.
void TestHelpWindow::focusStaysOnTheButton()
{
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QWidget *button = control(m_form.data(), u"Command1"_s);
    // qWaitFor, not QTRY_*: with Qt 6.8 these narrow a std::chrono count and -Wconversion fires.
    QVERIFY(QTest::qWaitFor([button] { return QApplication::focusWidget() == button; }));
    QTest::keyClick(m_form, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), button);
}

void TestHelpWindow::pointers_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("pointerIcon");

    QTest::newRow("Image1") << u"Image1"_s << true;
    QTest::newRow("Image2") << u"Image2"_s << true;
    QTest::newRow("Image3 keeps the arrow") << u"Image3"_s << false;
    QTest::newRow("Image4") << u"Image4"_s << true;
    QTest::newRow("Image5") << u"Image5"_s << true;
    QTest::newRow("Image7") << u"Image7"_s << true;
    QTest::newRow("Image6 keeps the arrow") << u"Image6"_s << false;
    QTest::newRow("Command1") << u"Command1"_s << true;
    QTest::newRow("Label1 keeps the arrow") << u"Label1"_s << false;
}

void TestHelpWindow::pointers()
{
    QFETCH(QString, name);
    QFETCH(bool, pointerIcon);

    const QCursor cursor = control(m_form.data(), name)->cursor();
    if (pointerIcon) {
        const QCursor expected = Assets::pointerCursor();
        QCOMPARE(cursor.shape(), Qt::BitmapCursor);
        QCOMPARE(cursor.pixmap().toImage(), expected.pixmap().toImage());
        QCOMPARE(cursor.hotSpot(), expected.hotSpot());
    } else {
        QCOMPARE(cursor.shape(), Qt::ArrowCursor);
    }
}

void TestHelpWindow::captionsFit_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("invitation") << u"Label2"_s;
    QTest::newRow("banner") << u"Label4"_s;
    QTest::newRow("button") << u"Command1"_s;
}

// The one-line captions show whole in the fonts that stand in for the classic ones.
void TestHelpWindow::captionsFit()
{
    QFETCH(QString, name);

    QWidget *widget = control(m_form.data(), name);
    const QString text = widget->property("text").toString();
    const int room =
        qobject_cast<QPushButton *>(widget) ? widget->width() - 8 : widget->contentsRect().width();
    QVERIFY2(widget->fontMetrics().horizontalAdvance(text) <= room, qPrintable(text));
    QVERIFY(widget->fontMetrics().height() <= widget->contentsRect().height());
}

void TestHelpWindow::pictures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cutFromBackground");

    QTest::newRow("Image1 photo picker") << u"Image1"_s << true;
    QTest::newRow("Image2 identity column") << u"Image2"_s << true;
    QTest::newRow("Image3 section buttons") << u"Image3"_s << true;
    QTest::newRow("Image4 page creation") << u"Image4"_s << true;
    QTest::newRow("Image5 help picture") << u"Image5"_s << true;
    QTest::newRow("Image7 choosing the destination") << u"Image7"_s << false;
    QTest::newRow("Image6 finished") << u"Image6"_s << false;
}

// Each picture is shown at its own size, and each topic picture is the very piece of the
// background that it lies over.
void TestHelpWindow::pictures()
{
    QFETCH(QString, name);
    QFETCH(bool, cutFromBackground);

    auto *image = qobject_cast<QLabel *>(control(m_form.data(), name));
    const QPixmap picture = image->pixmap();
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.size(), image->size());
    QVERIFY(!image->hasScaledContents());
    if (cutFromBackground) {
        const QImage background =
            QImage(u":/help/background.png"_s).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(matchesBackground(picture.toImage().convertToFormat(QImage::Format_ARGB32),
                                  background, image->pos()));
    }
}

void TestHelpWindow::stacking_data()
{
    QTest::addColumn<QString>("front");
    QTest::addColumn<QString>("back");

    QTest::newRow("first illustration over the second") << u"Image7"_s << u"Image6"_s;
    QTest::newRow("first illustration over the text") << u"Image7"_s << u"Label1"_s;
    QTest::newRow("second illustration over the text") << u"Image6"_s << u"Label1"_s;
    QTest::newRow("first illustration over the sections") << u"Image7"_s << u"Image3"_s;
    QTest::newRow("banner over the help picture") << u"Label4"_s << u"Image5"_s;
    QTest::newRow("banner over page creation") << u"Label4"_s << u"Image4"_s;
    QTest::newRow("banner over the sections") << u"Label4"_s << u"Image3"_s;
}

// With both shown, the control in front is the one found where the two overlap.
void TestHelpWindow::stacking()
{
    QFETCH(QString, front);
    QFETCH(QString, back);

    for (QWidget *child : m_form->findChildren<QWidget *>())
        child->setVisible(child->objectName() == front || child->objectName() == back);
    const QRect overlap =
        control(m_form.data(), front)->geometry() & control(m_form, back)->geometry();
    QVERIFY(!overlap.isEmpty());
    QCOMPARE(m_form->childAt(overlap.center()), control(m_form.data(), front));
}

void TestHelpWindow::clicks_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("shown"); // Label1, Label3, Label4, Image7, Image6
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label3");

    const QString lab3 = u"lab3"_s;
    QTest::newRow("photo") << QStringList{u"Image1"_s} << u"10000"_s << photo << lab3;
    QTest::newRow("fields") << QStringList{u"Image2"_s} << u"10000"_s << fields << lab3;
    QTest::newRow("sections") << QStringList{u"Image3"_s} << u"10000"_s << sections << lab3;
    QTest::newRow("page creation")
        << QStringList{u"Image4"_s} << u"01010"_s << introduction << pageCreation;
    QTest::newRow("introduction with banner")
        << QStringList{u"Image5"_s} << u"10100"_s << introduction << lab3;
    QTest::newRow("illustration turned over")
        << QStringList{u"Image4"_s, u"Image7"_s} << u"01001"_s << introduction << pageCreation;
    QTest::newRow("page creation again shows both illustrations")
        << QStringList{u"Image4"_s, u"Image7"_s, u"Image4"_s} << u"01011"_s << introduction
        << pageCreation;
    QTest::newRow("banner leaves the illustration over the text")
        << QStringList{u"Image4"_s, u"Image5"_s} << u"10110"_s << introduction << pageCreation;
    QTest::newRow("banner leaves the second illustration")
        << QStringList{u"Image4"_s, u"Image7"_s, u"Image5"_s} << u"10101"_s << introduction
        << pageCreation;
    QTest::newRow("photo hides the illustration")
        << QStringList{u"Image4"_s, u"Image1"_s} << u"10000"_s << photo << pageCreation;
    QTest::newRow("fields hide both illustrations")
        << QStringList{u"Image4"_s, u"Image7"_s, u"Image4"_s, u"Image2"_s} << u"10000"_s << fields
        << pageCreation;
    QTest::newRow("sections hide the banner")
        << QStringList{u"Image5"_s, u"Image3"_s} << u"10000"_s << sections << lab3;
    QTest::newRow("page creation hides the banner")
        << QStringList{u"Image5"_s, u"Image4"_s} << u"01010"_s << introduction << pageCreation;
    QTest::newRow("a topic chosen twice")
        << QStringList{u"Image3"_s, u"Image2"_s, u"Image3"_s} << u"10000"_s << sections << lab3;
    QTest::newRow("the second illustration has no handler")
        << QStringList{u"Image4"_s, u"Image7"_s, u"Image6"_s} << u"01001"_s << introduction
        << pageCreation;
}

void TestHelpWindow::clicks()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, shown);
    QFETCH(QString, label1);
    QFETCH(QString, label3);

    for (const QString &name : clicks)
        clickOn(m_form, name);

    QCOMPARE(visibility(m_form), shown);
    QCOMPARE(caption(m_form, u"Label1"_s), label1);
    QCOMPARE(caption(m_form, u"Label3"_s), label3);
    // The topic pictures and the button are never hidden.
    for (const QString &name :
         {u"Image1"_s, u"Image2"_s, u"Image3"_s, u"Image4"_s, u"Image5"_s, u"Command1"_s})
        QVERIFY2(control(m_form.data(), name)->isVisible(), qPrintable(name));
}

void TestHelpWindow::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("description");

    const auto row = [](const char *control, const QString &name, QAccessible::Role role,
                        const QString &description) {
        QTest::newRow(control) << QString::fromLatin1(control) << name << role << description;
    };
    // The topic pictures are buttons named by their topics.
    row("Image1", u"Choix de la photo"_s, QAccessible::Button,
        u"Affiche l'aide sur le choix de la photo"_s);
    row("Image2", u"Champs d'identité"_s, QAccessible::Button,
        u"Affiche l'aide sur les champs à remplir"_s);
    row("Image3", u"Boutons des rubriques"_s, QAccessible::Button,
        u"Affiche l'aide sur les cinq rubriques"_s);
    row("Image4", u"Création de la page"_s, QAccessible::Button,
        u"Affiche l'aide sur la création de la page"_s);
    row("Image5", u"Aide"_s, QAccessible::Button, u"Affiche la présentation de l'aide"_s);
    row("Image7", u"Illustration : choix du chemin de la page"_s, QAccessible::Button,
        u"Cliquez pour tourner l'illustration et voir la page créée"_s);
    row("Image6", u"Illustration : la page est créée"_s, QAccessible::Graphic, {});
    row("Label1", introduction, QAccessible::StaticText, {});
    row("Label2", u"Cliquez sur les endroits désirés"_s, QAccessible::StaticText, {});
    row("Command1", u"Quitter l'aide"_s, QAccessible::Button, {});
}

void TestHelpWindow::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, description);

    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control(m_form, name));
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), accessibleName);
    QCOMPARE(accessible->role(), role);
    QCOMPARE(accessible->text(QAccessible::Description), description);
}

// A screen reader presses the pictures through their accessible action, as a click would.
void TestHelpWindow::screenReaderPressesPictures()
{
    const auto press = [this](const QString &name) {
        QAccessibleActionInterface *action =
            QAccessible::queryAccessibleInterface(control(m_form, name))->actionInterface();
        QVERIFY(action);
        QCOMPARE(action->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        action->doAction(QAccessibleActionInterface::pressAction());
    };
    press(u"Image4"_s);
    press(u"Image7"_s);
    QCOMPARE(visibility(m_form), u"01001"_s);
    QCOMPARE(caption(m_form, u"Label3"_s), pageCreation);
    press(u"Image2"_s);
    QCOMPARE(visibility(m_form), u"10000"_s);
    QCOMPARE(caption(m_form, u"Label1"_s), fields);
    // Hidden, the illustration cannot be pressed.
    press(u"Image7"_s);
    QCOMPARE(visibility(m_form), u"10000"_s);
}

void TestHelpWindow::arrowKeys_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QList<Qt::Key>>("keys");
    QTest::addColumn<QString>("shown"); // Label1, Label3, Label4, Image7, Image6
    QTest::addColumn<QString>("label1");
    QTest::addColumn<QString>("label3");

    const QList<Qt::Key> toTheTurn(6, Qt::Key_Down);
    QTest::newRow("down: the help picture's introduction, with its banner")
        << QStringList{} << QList{Qt::Key_Down} << u"10100"_s << introduction << u"lab3"_s;
    QTest::newRow("right goes down, to the fields")
        << QStringList{} << QList<Qt::Key>(3, Qt::Key_Right) << u"10000"_s << fields << u"lab3"_s;
    QTest::newRow("down stops at the turn, after the page creation")
        << QStringList{} << toTheTurn + toTheTurn << u"01001"_s << sections << pageCreation;
    QTest::newRow("left from the turn shows the first illustration again")
        << QStringList{} << toTheTurn + QList{Qt::Key_Left} << u"01011"_s << sections
        << pageCreation;
    QTest::newRow("up stops at the introduction")
        << QStringList{} << QList{Qt::Key_Up} << u"10000"_s << introduction << u"lab3"_s;
    QTest::newRow("on from the area clicked")
        << QStringList{u"Image2"_s} << QList{Qt::Key_Down} << u"10000"_s << sections << u"lab3"_s;
    QTest::newRow("the introduction uncovers the text the banner left covered")
        << QStringList{u"Image4"_s, u"Image5"_s} << QList{Qt::Key_Up} << u"10000"_s << introduction
        << pageCreation;
}

// The arrow keys step through the explanations as the clicks show them; the button keeps the
// focus, so that space and Enter still close the window.
void TestHelpWindow::arrowKeys()
{
    QFETCH(QStringList, clicks);
    QFETCH(QList<Qt::Key>, keys);
    QFETCH(QString, shown);
    QFETCH(QString, label1);
    QFETCH(QString, label3);

    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QWidget *button = control(m_form.data(), u"Command1"_s);
    QVERIFY(QTest::qWaitFor([button] { return QApplication::focusWidget() == button; }));
    for (const QString &name : clicks)
        clickOn(m_form, name);
    for (Qt::Key key : keys)
        QTest::keyClick(button, key);

    QCOMPARE(visibility(m_form), shown);
    QCOMPARE(caption(m_form, u"Label1"_s), label1);
    QCOMPARE(caption(m_form, u"Label3"_s), label3);
    QCOMPARE(QApplication::focusWidget(), button);
}

void TestHelpWindow::closing_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("click on the button") << u"click"_s;
    QTest::newRow("space on the button") << u"space"_s;
    QTest::newRow("Enter on the button") << u"enter"_s;
    QTest::newRow("close box") << u"close box"_s;
}

// Closing unloads the window: it is deleted, whichever way it was closed.
void TestHelpWindow::closing()
{
    QFETCH(QString, how);

    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    QWidget *button = control(m_form.data(), u"Command1"_s);
    QVERIFY(QTest::qWaitFor([button] { return QApplication::focusWidget() == button; }));

    if (how == u"click")
        clickOn(m_form, u"Command1"_s);
    else if (how == u"space")
        QTest::keyClick(button, Qt::Key_Space);
    else if (how == u"enter")
        QTest::keyClick(button, Qt::Key_Return);
    else
        m_form->close();

    QVERIFY(QTest::qWaitFor([this] { return m_form.isNull(); }));
}

QTEST_MAIN(TestHelpWindow)
#include "form2_test.moc"
