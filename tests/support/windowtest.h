// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Helpers shared by the main window's tests and benchmarks.

#include <QObject>
#include <QString>
#include <QUrl>
#include <QWidget>

class FileListBox;

// The control called name in window. A test that names a missing control stops at once.
template<typename Control = QWidget> Control *control(const QObject *window, const QString &name)
{
    auto *found = window->findChild<Control *>(name);
    if (!found)
        qFatal("no control named %s", qPrintable(name));
    return found;
}

// Copies the shipped template and pictures into folder, which must exist. False when one of
// them could not be copied or the template is missing.
bool copyShippedResources(const QString &folder, const QString &shipped = POMEREL_RESOURCE_DIR);

// Makes the folder "resources" in root, fills it with the shipped resources and makes it the
// working folder, as the program expects at start. Returns its path, or an empty string when
// a step failed.
QString enterShippedResourceFolder(const QString &root);

// Clicks the file called name in a file list, as the user does. False when it is not listed.
bool selectFile(FileListBox *files, const QString &name);

// About size bytes of UTF-8 text in lines of ordinary length, with accented letters, letters
// Windows-1252 cannot hold, markup characters and stars: what the huge-input test and its
// benchmark paste.
QString hugeSection(int section, qsizetype size);

// Takes the pages the window hands the desktop's browser (QDesktopServices::setUrlHandler).
// On Windows the window starts the fixed browser program instead; the windows test stage puts
// a stand-in there that writes its command line into the file $POMEREL_RECORD_FILE names.
class BrowserCatcher : public QObject
{
    Q_OBJECT

public:
    BrowserCatcher() { clear(); }

    QList<QUrl> urls;

    // Forgets the pages opened so far.
    void clear();
    // The pages opened since the last call, as the browser was given them. On Windows it waits
    // a little for the stand-in, which runs in a process of its own.
    QStringList takePages();

public slots:
    void open(const QUrl &url) { urls.append(url); }

private:
    QString m_record; // the stand-in's file, a new one after each call
};
