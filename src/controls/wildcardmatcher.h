#pragma once

#include <QRegularExpression>
#include <QString>

// Matches file names against wildcard patterns separated by ";", such as "*.bmp;*.jpg;*.gif",
// ignoring letter case. "*" stands for any run of characters, "?" for any one character, and a
// pattern ending in ".*" also takes names without an extension, so "*.*" takes every file.
// An empty pattern takes every file too.
class WildcardMatcher
{
public:
    explicit WildcardMatcher(const QString &patterns = QStringLiteral("*.*"));

    bool matches(const QString &name) const;

private:
    // Patterns like "*.jpg" are checked as plain endings, which is much quicker.
    QStringList m_endings;
    QRegularExpression m_expression;
    bool m_matchesAll = false;
};
