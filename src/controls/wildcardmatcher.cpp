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
        if (pattern.endsWith(QLatin1String(".*")))
            alternatives.append(expressionOf(pattern.chopped(2)) + QLatin1String("(?:\\..*)?"));
        else
            alternatives.append(expressionOf(pattern));
    }
    if (alternatives.isEmpty()) {
        m_matchesAll = true;
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
    return m_matchesAll || m_expression.match(name).hasMatch();
}
