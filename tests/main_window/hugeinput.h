#pragma once

// What the huge-input test and its benchmark paste into the window, and where the page they
// make is caught instead of opening a browser.

#include <QObject>
#include <QString>
#include <QUrl>

// About size bytes of UTF-8 text in lines of ordinary length, with accented letters, letters
// Windows-1252 cannot hold, markup characters and stars.
inline QString hugeSection(int section, qsizetype size)
{
    const QString line = QStringLiteral("Section %1 : Zoé a travaillé à Łódź, «5 * 7» <b>&</b> ; "
                                        "expérience %2\n");
    QString text;
    qsizetype bytes = 0;
    for (int number = 0; bytes < size; ++number) {
        const QString next = line.arg(section).arg(number);
        text += next;
        bytes += next.toUtf8().size();
    }
    return text;
}

// Takes the pages the window hands the desktop's browser (QDesktopServices::setUrlHandler).
class BrowserCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};
