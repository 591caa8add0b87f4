// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/linebox.h"

#include "controls/parentfontasdefault.h"

#include <QPainter>
#include <QStringView>
#include <QStyleOptionFrame>
#include <QTextLayout>

// The line edit's scroll offsets and laid out text, which its own painting keeps to itself.
#include <QtWidgets/private/qlineedit_p.h>
#include <QtWidgets/private/qwidgetlinecontrol_p.h>

namespace {

// Characters laid out on either side of what shows, so that nothing at the box's edges is
// drawn differently from the whole line.
constexpr int kContext = 32;

// The line edit's margins around its line, which its library keeps to itself.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;

// Whether the text holds a character that can change the order in which the line is drawn:
// then what shows is not one run of the text, and the line edit draws it whole.
bool mayReorder(QStringView text)
{
    constexpr char16_t kFirstRightToLeft = 0x0590; // Hebrew
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.unicode() < kFirstRightToLeft)
            continue;
        char32_t character = unit.unicode();
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            character = QChar::surrogateToUcs4(unit, text[++i]);
        switch (QChar::direction(character)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            return true;
        default:
            break;
        }
    }
    return false;
}

// The line edit's horizontal scrolling: the cursor stays in sight, and a text that fits is
// aligned as the box asks.
int scrolled(int scroll, int cursorX, int textWidth, int lineWidth, Qt::Alignment alignment)
{
    if (textWidth <= lineWidth) {
        switch (alignment & ~(Qt::AlignAbsolute | Qt::AlignVertical_Mask)) {
        case Qt::AlignRight:
            return textWidth - lineWidth + 1;
        case Qt::AlignHCenter:
            return (textWidth - lineWidth) / 2;
        default:
            return 0;
        }
    }
    if (cursorX - scroll >= lineWidth)
        return cursorX - lineWidth + 1;
    if (cursorX - scroll < 0 && scroll < textWidth)
        return cursorX;
    if (textWidth - scroll < lineWidth)
        return textWidth - lineWidth + 1;
    return qMax(0, scroll);
}

} // namespace

// The temporary lasts until the box is made, whether it is made or not.
LineBox::LineBox(QWidget *parent)
    : LineBox(parent, ParentFontAsDefault(parent))
{
}

LineBox::LineBox(QWidget *parent, const ParentFontAsDefault &)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &LineBox::followLength);
}

// Past kLongText characters, of which the box shows a few dozen, the kerning of scripts that
// need no shaping is skipped, which halves the work of laying the line out on every key.
void LineBox::followLength()
{
    const bool longText = text().size() > kLongText;
    m_mayReorder = longText && mayReorder(text());
    QFont quick = font();
    if (longText == ((quick.styleStrategy() & QFont::PreferNoShaping) != 0))
        return;
    quick.setStyleStrategy(longText ? QFont::PreferNoShaping : QFont::PreferDefault);
    setFont(quick);
}

bool LineBox::paintsVisiblePartOnly() const
{
    const QWidgetLineControl *control = QLineEditPrivate::get(const_cast<LineBox *>(this))->control;
    return text().size() > kLongText && !m_mayReorder && echoMode() == Normal &&
           actions().isEmpty() && inputMask().isEmpty() && control->preeditAreaText().isEmpty() &&
           control->layoutDirection() == Qt::LeftToRight;
}

// The line edit's own painting, step for step, but for the text: only the part that shows is
// laid out again and drawn, where the whole line would have drawn it.
void LineBox::paintEvent(QPaintEvent *event)
{
    if (!paintsVisiblePartOnly()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QLineEditPrivate *d = QLineEditPrivate::get(this);
    QWidgetLineControl *control = d->control;
    const QTextLine line = control->textLayout()->lineAt(0);

    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    // The boxes carry no side buttons, whose room the line edit would also leave.
    contents = contents.marginsRemoved(textMargins());
    painter.setClipRect(contents);

    // The line edit measures the whole text here; the line it laid out is as high, unless a
    // glyph out of sight reaches past its font, which would move the text by a pixel.
    const QFontMetrics metrics = fontMetrics();
    const int height = qMax(qRound(line.ascent() + line.descent()), metrics.height());
    const Qt::Alignment alignment =
        QStyle::visualAlignment(control->layoutDirection(), QFlag(d->alignment));
    switch (alignment & Qt::AlignVertical_Mask) {
    case Qt::AlignBottom:
        d->vscroll = contents.bottom() + 1 - height - kVerticalMargin;
        break;
    case Qt::AlignTop:
        d->vscroll = contents.y() + kVerticalMargin;
        break;
    default:
        d->vscroll = contents.y() + (contents.height() - height + 1) / 2;
        break;
    }
    const QRect lineRect(contents.x() + kHorizontalMargin, d->vscroll,
                         contents.width() - 2 * kHorizontalMargin, height);
    d->hscroll = scrolled(d->hscroll, qRound(control->cursorToX()),
                          qRound(control->naturalTextWidth()) + 1, lineRect.width(), alignment);
    const QPoint topLeft =
        lineRect.topLeft() - QPoint(d->hscroll, control->ascent() - metrics.ascent());

    // What shows, with some context on either side.
    const QString &shown = control->textLayout()->text();
    const int first = qMax(0, control->xToPos(contents.left() - topLeft.x()) - kContext);
    const int last =
        qMin(int(shown.size()), control->xToPos(contents.right() + 1 - topLeft.x()) + kContext);
    QTextLayout part(shown.mid(first, last - first), font());
    part.setTextOption(control->textLayout()->textOption());
    part.beginLayout();
    const QTextLine partLine = part.createLine();
    part.endLayout();
    const QPointF origin(topLeft.x() + control->cursorToX(first),
                         topLeft.y() + line.ascent() - partLine.ascent());

    QPalette palette = this->palette();
    painter.setPen(palette.text().color());
    QList<QTextLayout::FormatRange> selections;
    const int selectionStart = qMax(control->selectionStart(), first);
    const int selectionEnd = qMin(control->selectionEnd(), last);
    if (control->hasSelectedText() && selectionStart < selectionEnd) {
        QTextLayout::FormatRange selection;
        selection.start = selectionStart - first;
        selection.length = selectionEnd - selectionStart;
        selection.format.setBackground(palette.brush(QPalette::Highlight));
        selection.format.setForeground(palette.brush(QPalette::HighlightedText));
        selections.append(selection);
    }
    part.draw(&painter, origin, selections, contents);

    const int cursorWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, &panel, this);
    control->setCursorWidth(cursorWidth);
    const int cursor = cursorPosition();
    if (d->cursorVisible && !isReadOnly() && control->cursorBlinkStatus() && cursor >= first &&
        cursor <= last)
        part.drawCursor(&painter, origin, cursor - first, cursorWidth);
}
