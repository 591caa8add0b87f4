// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>

// Reads what a folder holds for the folder and file lists. Hidden entries are left out, as
// the system's own file browser does by default.
class FolderReader
{
public:
    FolderReader() = delete;

    // Throws pomerel::Error when folder cannot be opened: 76 when it is missing (or is a
    // file), 70 when reading it is not allowed, and so on.
    static void check(const QString &folder);
    // Whether folder can be opened, without saying why not.
    static bool canOpen(const QString &folder);

    // The names of the folders directly in folder, in name order. Throws like check().
    static QStringList subfolders(const QString &folder);
    // The names of the files directly in folder (links to files too), in no set order: the
    // file list sorts only those it shows. Throws like check().
    static QStringList files(const QString &folder);

    // Sorts names the way the lists show them: letter case and accents ignored first ("Été"
    // among the E's), then counted, so that the order is the same on every run.
    static void sortNames(QStringList &names);
};
