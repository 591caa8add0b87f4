// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <qpa/qplatformfontdatabase.h>

void installFontSubstitutes()
{
    static const bool installed = [] {
        // Liberation Sans has Arial's widths; the classic sans serif dialog faces were
        // drawn on the same grid, so it fits their captions too.
        const QStringList families = QFontDatabase::families();
        const auto known = [&families](const QString &family) {
            return families.contains(family, Qt::CaseInsensitive);
        };
        for (const QString &standIn :
             {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")}) {
            if (!known(standIn))
                continue;
            // The stand-in answers to the missing names themselves. A QFont substitution would
            // find the same face, but only after asking fontconfig for its whole sorted list
            // of fallbacks, twice for each font the windows use.
            for (const char *classic : {"MS Sans Serif", "Microsoft Sans Serif", "Arial"}) {
                if (!known(QString::fromLatin1(classic)))
                    QPlatformFontDatabase::registerAliasToFontFamily(standIn,
                                                                     QString::fromLatin1(classic));
            }
            break;
        }
        return true;
    }();
    Q_UNUSED(installed);
}
