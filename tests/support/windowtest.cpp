// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/windowtest.h"

#include "controls/filelistbox.h"
#include "generation/browser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

bool copyShippedResources(const QString &folder, const QString &shipped)
{
    const QDir from(shipped);
    const QStringList files =
        from.entryList({"brt.ggg", "*.jpg", "*.gif"}, QDir::Files | QDir::NoDotAndDotDot);
    bool copied = files.contains("brt.ggg");
    for (const QString &name : files)
        copied = QFile::copy(from.filePath(name), folder + '/' + name) && copied;
    return copied;
}

QString enterShippedResourceFolder(const QString &root)
{
    const QString resources = QDir(root).filePath("resources");
    if (!QDir().mkpath(resources) || !copyShippedResources(resources) ||
        !QDir::setCurrent(resources))
        return {};
    return resources;
}

bool selectFile(FileListBox *files, const QString &name)
{
    const QModelIndexList found = files->model()->match(files->model()->index(0, 0),
                                                        Qt::DisplayRole, name, 1, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    files->scrollTo(found.first());
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualRect(found.first()).center());
    return true;
}

QString hugeSection(int section, qsizetype size)
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

void BrowserCatcher::clear()
{
    urls.clear();
#ifdef Q_OS_WIN
    // A stand-in still starting from an earlier call writes to the file named then.
    static int calls = 0;
    m_record = QDir::temp().filePath(QStringLiteral("pomerel-browser-%1-%2.txt")
                                         .arg(QCoreApplication::applicationPid())
                                         .arg(++calls));
    qputenv("POMEREL_RECORD_FILE", QDir::toNativeSeparators(m_record).toLocal8Bit());
#endif
}

QStringList BrowserCatcher::takePages()
{
    QStringList pages;
    for (const QUrl &url : std::as_const(urls))
        pages.append(url.toLocalFile());
    urls.clear();
#ifdef Q_OS_WIN
    QFile file(m_record);
    const bool written = QTest::qWaitFor([&file] { return file.exists(); }, 3000);
    if (written && file.open(QIODevice::ReadOnly)) {
        const QString program =
            QString::fromUtf8(pomerel::kBrowserProgram.data(), pomerel::kBrowserProgram.size());
        const QString line = QString::fromUtf8(file.readAll());
        pages.append(line.startsWith(program + ' ') ? line.mid(program.size() + 1) : line);
    }
    file.close();
    file.remove();
    clear();
#endif
    return pages;
}
