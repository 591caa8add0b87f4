#include "controls/wildcardmatcher.h"

#include <QStringList>

namespace {

// One pattern as a regular expression, other characters taken literally.
QString expressionOf(QStringView pattern)
{
    QString expression;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*'))
            expression += QLatin1String(".*");
        else if (c == QLatin1Char('?'))
            expression += QLatin1Char('.');
        else
            expression += QRegularExpression::escape(QString(c));
    }
    return expression;
}

bool hasWildcard(QStringView text)
{
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

bool takesEveryName(QStringView pattern)
{
    return pattern == QLatin1String("*") || pattern == QLatin1String("*.*");
}

} // namespace

WildcardMatcher::WildcardMatcher(const QString &patterns)
{
    QStringList alternatives;
    for (QStringView pattern : QStringView(patterns).split(QLatin1Char(';'))) {
        pattern = pattern.trimmed();
        if (pattern.isEmpty())
            continue;
        if (takesEveryName(pattern)) {
            m_matchesAll = true;
            return;
        }
        const QStringView ending = pattern.mid(1);
        if (pattern.startsWith(QLatin1Char('*')) && !hasWildcard(ending) && !ending.isEmpty())
            m_endings.append(ending.toString());
        else if (pattern.endsWith(QLatin1String(".*")))
            alternatives.append(expressionOf(pattern.chopped(2)) + QLatin1String("(?:\\..*)?"));
        else
            alternatives.append(expressionOf(pattern));
    }
    if (alternatives.isEmpty()) {
        m_matchesAll = m_endings.isEmpty();
        return;
    }
    m_expression.setPattern(QRegularExpression::anchoredPattern(
        QLatin1String("(?:") + alternatives.join(QLatin1Char('|')) + QLatin1Char(')')));
    m_expression.setPatternOptions(QRegularExpression::CaseInsensitiveOption |
                                   QRegularExpression::DotMatchesEverythingOption);
    m_expression.optimize();
}

bool WildcardMatcher::matches(const QString &name) const
{
    if (m_matchesAll)
        return true;
    for (const QString &ending : m_endings) {
        if (name.endsWith(ending, Qt::CaseInsensitive))
            return true;
    }
    return !m_expression.pattern().isEmpty() && m_expression.match(name).hasMatch();
}
