#include "assets/fonts.h"

#include <QFont>
#include <QStringList>

void installFontSubstitutes()
{
    static const bool installed = [] {
        // Liberation Sans has Arial's widths; the classic sans serif dialog faces were
        // drawn on the same grid, so it fits their captions too.
        const QStringList standIns{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
        for (const char *family : {"MS Sans Serif", "Microsoft Sans Serif", "Arial"})
            QFont::insertSubstitutions(QString::fromLatin1(family), standIns);
        return true;
    }();
    Q_UNUSED(installed);
}
