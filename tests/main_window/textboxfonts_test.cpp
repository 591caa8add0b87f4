// SPDX-License-Identifier: GPL-3.0-or-later

// The window's text boxes are made with their parent's font standing in for the application's
// (ParentFontAsDefault): they must end with exactly the fonts Qt's own boxes get, and leave the
// application's font as it was.

#include "controls/linebox.h"
#include "main_window/sectionedit.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <memory>

namespace {

using Make = std::function<QWidget *(QWidget *parent)>;

// The font a box draws its text in: an editor's document has a font of its own.
QFont textFont(const QWidget *box)
{
    if (const auto *editor = qobject_cast<const QPlainTextEdit *>(box))
        return editor->document()->defaultFont();
    return box->font();
}

} // namespace

class TextBoxFontsTest : public QObject
{
    Q_OBJECT

private slots:
    void boxesEndWithTheFontsOfQtsOwn_data();
    void boxesEndWithTheFontsOfQtsOwn();
};

void TextBoxFontsTest::boxesEndWithTheFontsOfQtsOwn_data()
{
    QTest::addColumn<Make>("ours");
    QTest::addColumn<Make>("qts");
    QTest::addColumn<bool>("ownFont");
    const Make lineBox = [](QWidget *parent) { return new LineBox(parent); };
    const Make lineEdit = [](QWidget *parent) { return new QLineEdit(parent); };
    const Make section = [](QWidget *parent) { return new SectionEdit(parent); };
    const Make editor = [](QWidget *parent) { return new QPlainTextEdit(parent); };
    QTest::newRow("one-line box, in its parent's font") << lineBox << lineEdit << false;
    QTest::newRow("one-line box, in a font of its own") << lineBox << lineEdit << true;
    QTest::newRow("section editor, in its parent's font") << section << editor << false;
    QTest::newRow("section editor, in a font of its own") << section << editor << true;
}

void TextBoxFontsTest::boxesEndWithTheFontsOfQtsOwn()
{
    QFETCH(Make, ours);
    QFETCH(Make, qts);
    QFETCH(bool, ownFont);
    const QFont application = QApplication::font();
    QWidget parent;
    QFont parentFont(QStringLiteral("MS Sans Serif"), 8);
    parent.setFont(parentFont);

    QWidget *box = ours(&parent);
    QCOMPARE(QApplication::font(), application);
    QWidget *reference = qts(&parent);
    if (ownFont) {
        const QFont own(QStringLiteral("Arial"), 12, QFont::Bold, true);
        box->setFont(own);
        reference->setFont(own);
    }
    QCOMPARE(box->font(), reference->font());
    QCOMPARE(box->font().resolveMask(), reference->font().resolveMask());
    QCOMPARE(textFont(box), textFont(reference));

    // A change of the parent's font still reaches both alike.
    parentFont.setPointSize(10);
    parent.setFont(parentFont);
    QCOMPARE(box->font(), reference->font());
    QCOMPARE(textFont(box), textFont(reference));
    QCOMPARE(QApplication::font(), application);
}

QTEST_MAIN(TextBoxFontsTest)
#include "textboxfonts_test.moc"
