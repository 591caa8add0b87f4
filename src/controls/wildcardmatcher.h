#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

// Matches file names against the file list's wildcard patterns, separated by ";", such as
// "*.bmp;*.jpg;*.gif". "*" stands for any run of characters and "?" for any one character,
// with the matching of pomerel::files::matchesWildcard, which the copy of the pictures uses.
// The file list's patterns follow the rules of the classic file list box, and so differ from
// the copy's in two ways:
// - letter case is ignored in every alphabet ("photo?.jpg" takes "PHOTOÉ.JPG"), where the
//   copy ignores it for ASCII letters only;
// - "*" and "*.*" take every file, and a pattern ending in ".*" also takes names without an
//   extension ("notes.*" takes "notes"), where for the copy "*.*" needs a dot in the name.
// An empty pattern takes every file too.
class WildcardMatcher
{
public:
    explicit WildcardMatcher(const QString &patterns = QStringLiteral("*.*"));

    bool matches(const QString &name) const;

private:
    // Patterns like "*.jpg" are checked as plain endings, which is much quicker.
    QStringList m_endings;
    // The other patterns, case-folded, in UTF-8.
    std::vector<std::string> m_patterns;
    bool m_matchesAll = false;
};
