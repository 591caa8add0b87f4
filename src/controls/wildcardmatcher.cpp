#include "controls/wildcardmatcher.h"

#include "generation/filesystem.h"

#include <algorithm>

namespace {

bool hasWildcard(QStringView text)
{
    return text.contains(QLatin1Char('*')) || text.contains(QLatin1Char('?'));
}

bool takesEveryName(QStringView pattern)
{
    return pattern == QLatin1String("*") || pattern == QLatin1String("*.*");
}

std::string foldedUtf8(QStringView text)
{
    return text.toString().toCaseFolded().toStdString();
}

} // namespace

WildcardMatcher::WildcardMatcher(const QString &patterns)
{
    for (QStringView pattern : QStringView(patterns).split(QLatin1Char(';'))) {
        pattern = pattern.trimmed();
        if (pattern.isEmpty())
            continue;
        if (takesEveryName(pattern)) {
            m_matchesAll = true;
            return;
        }
        const QStringView ending = pattern.mid(1);
        if (pattern.startsWith(QLatin1Char('*')) && !hasWildcard(ending) && !ending.isEmpty()) {
            m_endings.append(ending.toString());
            continue;
        }
        if (pattern.endsWith(QLatin1String(".*")))
            m_patterns.push_back(foldedUtf8(pattern.chopped(2)));
        m_patterns.push_back(foldedUtf8(pattern));
    }
    m_matchesAll = m_endings.isEmpty() && m_patterns.empty();
}

bool WildcardMatcher::matches(const QString &name) const
{
    if (m_matchesAll)
        return true;
    for (const QString &ending : m_endings) {
        if (name.endsWith(ending, Qt::CaseInsensitive))
            return true;
    }
    if (m_patterns.empty())
        return false;
    const std::string folded = foldedUtf8(name);
    return std::any_of(m_patterns.begin(), m_patterns.end(), [&](const std::string &pattern) {
        return pomerel::files::matchesWildcard(folded, pattern);
    });
}
