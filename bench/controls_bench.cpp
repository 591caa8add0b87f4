// SPDX-License-Identifier: GPL-3.0-or-later

// How the list controls fare on a folder holding 100,000 files. The file list filled with
// every file is compared with its floor, measured in the same run: the folder read with
// readdir and the names given a plain sort. Run by hand, when the machine is quiet:
//   cmake --build build --target benchmarks && build/bench/controls_bench
#include "controls/drivelistbox.h"
#include "controls/filelistbox.h"
#include "controls/folderlistbox.h"
#include "controls/folderreader.h"
#include "ratioreporter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

#ifndef Q_OS_WIN
#include <dirent.h>
#endif

namespace {

// A folder made for the whole run: empty files, half of them pictures with extensions in
// mixed letter case, two names in five accented, made in random order; then subfolders.
class BigFolder
{
public:
    BigFolder(int files, int subfolders)
    {
        const QStringList extensions{"jpg", "GIF", "Bmp", "txt", "html", "PNG"};
        const QStringList stems{"fichier", "Photo", "Été", "IMG_", "lettre à Noël"};
        QRandomGenerator random(2007);
        for (int i = 0; i < files; ++i) {
            const QString name = QString("%1 %2 %3.%4")
                                     .arg(stems[i % stems.size()])
                                     .arg(random.bounded(1'000'000))
                                     .arg(i)
                                     .arg(extensions[i % extensions.size()]);
            QFile file(m_root.filePath(name));
            if (!file.open(QIODevice::WriteOnly))
                qFatal("cannot create %s", qPrintable(file.fileName()));
        }
        for (int i = 0; i < subfolders; ++i)
            QDir(m_root.path()).mkdir(QString("dossier %1").arg(i));
    }

    QString path() const { return QDir::toNativeSeparators(m_root.path()); }

private:
    QTemporaryDir m_root;
};

// 100,000 files and 50 folders.
const BigFolder &bigFolder()
{
    static const BigFolder folder(100'000, 50);
    return folder;
}

void fileList(benchmark::State &state, const QString &pattern)
{
    const QString folder = bigFolder().path();
    FileListBox list;
    list.setPattern(pattern);
    list.resize(163, 58);
    for (auto _ : state) {
        list.setPath(QDir::rootPath());
        list.setPath(folder);
        benchmark::DoNotOptimize(list.model()->rowCount());
    }
    state.counters["files listed"] = list.model()->rowCount();
}

void BM_FileListEveryFile(benchmark::State &state)
{
    fileList(state, "*.*");
}
BENCHMARK(BM_FileListEveryFile)->Unit(benchmark::kMillisecond);

#ifndef Q_OS_WIN
// The floor: every name of the folder read with readdir, then sorted as plain strings.
void BM_ReaddirAndPlainSort(benchmark::State &state)
{
    const QByteArray folder = QFile::encodeName(bigFolder().path());
    for (auto _ : state) {
        QStringList names;
        DIR *directory = ::opendir(folder.constData());
        while (const dirent *entry = ::readdir(directory)) {
            if (entry->d_name[0] != '.')
                names.append(QFile::decodeName(entry->d_name));
        }
        ::closedir(directory);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BM_ReaddirAndPlainSort)->Unit(benchmark::kMillisecond);
#endif

void BM_FileListPictures(benchmark::State &state)
{
    fileList(state, "*.bmp;*.jpg;*.gif");
}
BENCHMARK(BM_FileListPictures)->Unit(benchmark::kMillisecond);

// Filling the list and drawing it, as the user sees it.
void BM_FileListFillAndDraw(benchmark::State &state)
{
    const QString folder = bigFolder().path();
    FileListBox list;
    list.resize(163, 58);
    list.show();
    for (auto _ : state) {
        list.setPath(QDir::rootPath());
        list.setPath(folder);
        benchmark::DoNotOptimize(list.grab());
    }
}
BENCHMARK(BM_FileListFillAndDraw)->Unit(benchmark::kMillisecond);

void BM_FileListPatternChange(benchmark::State &state)
{
    FileListBox list;
    list.setPath(bigFolder().path());
    bool pictures = false;
    for (auto _ : state) {
        pictures = !pictures;
        list.setPattern(pictures ? "*.bmp;*.jpg;*.gif" : "*.txt");
        benchmark::DoNotOptimize(list.model()->rowCount());
    }
}
BENCHMARK(BM_FileListPatternChange)->Unit(benchmark::kMillisecond);

// The folder list has to pass over the 100,000 files to find the folders.
void BM_FolderListOpen(benchmark::State &state)
{
    const QString folder = bigFolder().path();
    FolderListBox list;
    for (auto _ : state) {
        list.setPath(QDir::rootPath());
        list.setPath(folder);
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["rows"] = list.count();
}
BENCHMARK(BM_FolderListOpen)->Unit(benchmark::kMillisecond);

// A folder holding 10,000 folders: every one of them is a row.
void BM_FolderListManySubfolders(benchmark::State &state)
{
    static const BigFolder folder(0, 10'000);
    FolderListBox list;
    for (auto _ : state) {
        list.setPath(QDir::rootPath());
        list.setPath(folder.path());
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["rows"] = list.count();
}
BENCHMARK(BM_FolderListManySubfolders)->Unit(benchmark::kMillisecond);

void BM_DriveListRefresh(benchmark::State &state)
{
    DriveListBox list;
    for (auto _ : state) {
        list.refresh();
        benchmark::DoNotOptimize(list.count());
    }
    state.counters["drives"] = list.count();
}
BENCHMARK(BM_DriveListRefresh)->Unit(benchmark::kMicrosecond);

void BM_SortNames(benchmark::State &state)
{
    const QStringList names = FolderReader::files(bigFolder().path());
    for (auto _ : state) {
        QStringList copy = names;
        FolderReader::sortNames(copy);
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK(BM_SortNames)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bigFolder();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto list = reporter.seconds("BM_FileListEveryFile");
    const auto floor = reporter.seconds("BM_ReaddirAndPlainSort");
    if (list && floor)
        std::printf("\nFile list of 100,000 files %.1f ms, readdir and plain sort %.1f ms: ratio "
                    "%.2f (ceiling 2)\n",
                    *list * 1e3, *floor * 1e3, *list / *floor);
    benchmark::Shutdown();
    return 0;
}
