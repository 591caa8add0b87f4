// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/linebox.h"

#include <QApplication>
#include <QImage>
#include <QTest>

class LineBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void showsLongTextAsLineEditDoes();
};

namespace {

// Accented letters, letters the page writes as references, markup, blanks and digits.
QString longText(qsizetype size)
{
    QString text;
    for (int line = 0; text.size() < size; ++line)
        text += QStringLiteral("Mme Agnès Łukasiewicz <b>%1</b> « crues » — ").arg(line);
    return text.left(size);
}

// What the box shows after each step of an edit of a long text, as the main window has it.
QList<QImage> shownWhileEditing(QLineEdit &box)
{
    QList<QImage> shown;
    box.setMaxLength(std::numeric_limits<int>::max());
    box.setGeometry(0, 0, 169, 19);
    box.show();
    if (!QTest::qWaitForWindowExposed(&box))
        return shown;
    box.activateWindow();
    box.setFocus();
    box.setText(longText(3 * LineBox::kLongText));
    shown << box.grab().toImage();
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Home, Qt::Key_Z, Qt::Key_Backspace,
                              Qt::Key_Backspace, Qt::Key_End, Qt::Key_Left}) {
        QTest::keyClick(&box, key);
        shown << box.grab().toImage();
    }
    box.setCursorPosition(LineBox::kLongText + 7);
    shown << box.grab().toImage();
    // A selection reaching out of sight on the left.
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(&box, Qt::Key_Left, Qt::ShiftModifier);
    shown << box.grab().toImage();
    box.clearFocus();
    shown << box.grab().toImage();
    box.hide();
    return shown;
}

} // namespace

// The box lays out only the part of a long text that shows, and shows it exactly as a line
// edit does, at every step of an edit.
void LineBoxTest::showsLongTextAsLineEditDoes()
{
    // A cursor that does not blink is in every picture.
    QApplication::setCursorFlashTime(0);
    LineBox box;
    const QList<QImage> boxShown = shownWhileEditing(box);
    // The line edit gets the font the box takes for long texts.
    QLineEdit lineEdit;
    lineEdit.setFont(box.font());
    const QList<QImage> lineEditShown = shownWhileEditing(lineEdit);

    QCOMPARE(boxShown.size(), 11);
    QCOMPARE(lineEditShown.size(), boxShown.size());
    for (qsizetype step = 0; step < boxShown.size(); ++step)
        QVERIFY2(boxShown[step] == lineEditShown[step], qPrintable(QString::number(step)));
}

QTEST_MAIN(LineBoxTest)
#include "linebox_test.moc"
