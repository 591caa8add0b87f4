// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/fonts.h"

#include <QFont>
#include <QStringList>

void substituteClassicFonts()
{
    // Liberation Sans has Arial's widths; the classic sans serif dialog faces were drawn on
    // the same grid, so it fits their captions too. Arimo is the same face under another name.
    // A substitute is only asked for when the classic face itself is missing.
    const QStringList standIns{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    for (const char *classic : {"MS Sans Serif", "Microsoft Sans Serif", "Arial"})
        QFont::insertSubstitutions(QString::fromLatin1(classic), standIns);
}
