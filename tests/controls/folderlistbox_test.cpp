// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/folderlistbox.h"
#include "controls/nativepath.h"
#include "support/controltest.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>

using ControlTest::make;
using ControlTest::native;

namespace {

struct Row
{
    QString name;
    int depth;
    FolderListBox::RowKind kind;
};

} // namespace

class FolderListBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsPathFromRootThenSubfolders();
    void pathsFromEveryKindOfRoot_data();
    void pathsFromEveryKindOfRoot();
    void nonAsciiFolderNames_data();
    void nonAsciiFolderNames();

    void changeEventRunsNestedWithNewPath();
    void sameFolderRaisesNothing_data();
    void sameFolderRaisesNothing();
    void failureLeavesListAsItWas_data();
    void failureLeavesListAsItWas();
    void folderWithoutReadRightIsRefused();

    void opensDrive_data();
    void opensDrive();

    void opensRowTheUserPicks_data();
    void opensRowTheUserPicks();
    void failedOpenIsReportedAndChangesNothing();
    void refreshReadsSubfoldersAgain();

private:
    QString root() const { return native(m_root->path()); }
    QString under(const QString &relative) const { return native(m_root->filePath(relative)); }
    void checkRows(const QList<Row> &expected, int from);

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<FolderListBox> m_list;
    std::unique_ptr<ControlTest::FixedVolumes> m_volumes;
};

void FolderListBoxTest::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_list = std::make_unique<FolderListBox>();
    m_list->resize(200, 400);
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list.get()));
}

void FolderListBoxTest::cleanup()
{
    m_list.reset();
    m_volumes.reset();
}

// Compares the rows from row `from` on with expected, to the last row.
void FolderListBoxTest::checkRows(const QList<Row> &expected, int from)
{
    QCOMPARE(m_list->count() - from, expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QListWidgetItem *item = m_list->item(from + i);
        QCOMPARE(item->text(), expected[i].name);
        QCOMPARE(item->data(FolderListBox::DepthRole).toInt(), expected[i].depth);
        QCOMPARE(item->data(FolderListBox::KindRole).toInt(), static_cast<int>(expected[i].kind));
    }
}

void FolderListBoxTest::showsPathFromRootThenSubfolders()
{
    using enum FolderListBox::RowKind;
    make(m_root->path(),
         {"cv/Beta/", "cv/alpha/", "cv/gamma/", "cv/.cache/", "cv/file.txt", "cv/alpha/deeper/"});
    m_list->setPath(under("cv"));

    // The root's row ("/", "c:\") comes first, then one row for each folder down to cv.
    QStringList path = native(m_root->path() + "/cv").split(QDir::separator(), Qt::SkipEmptyParts);
    if (QDir::rootPath() != QLatin1String("/"))
        path.removeFirst(); // the drive, which the root's row shows
    const int depth = static_cast<int>(path.size());
    QCOMPARE(m_list->item(0)->text(), NativePath::displayName(native(QDir::rootPath())));
    QCOMPARE(m_list->item(0)->data(FolderListBox::KindRole).toInt(), static_cast<int>(PathFolder));
    for (int i = 0; i < path.size(); ++i) {
        QCOMPARE(m_list->item(i + 1)->text(), path[i]);
        QCOMPARE(m_list->item(i + 1)->data(FolderListBox::DepthRole).toInt(), i + 1);
    }
    checkRows({{"cv", depth, PathFolder},
               {"alpha", depth + 1, Subfolder},
               {"Beta", depth + 1, Subfolder},
               {"gamma", depth + 1, Subfolder}},
              depth);
    QCOMPARE(m_list->currentFolderRow(), depth);
    QCOMPARE(m_list->currentRow(), depth);
    QVERIFY(m_list->item(depth)->isSelected());
    QCOMPARE(m_list->item(depth + 2)->data(FolderListBox::FolderRole).toString(), under("cv/Beta"));
}

// The rows' folders for the roots of every system, whichever this one is.
void FolderListBoxTest::pathsFromEveryKindOfRoot_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("rootName");

    QTest::newRow("root") << "/" << QStringList{"/"} << "/";
    QTest::newRow("folder") << "/home/zoé" << QStringList{"/", "/home", "/home/zoé"} << "/";
    QTest::newRow("drive root") << "C:/" << QStringList{"C:/"} << "c:/";
    QTest::newRow("bare drive") << "D:" << QStringList{"D:/"} << "d:/";
    QTest::newRow("folder on a drive")
        << "C:/CV/2007" << QStringList{"C:/", "C:/CV", "C:/CV/2007"} << "c:/";
    QTest::newRow("network share")
        << "//serveur/partage/cv" << QStringList{"//serveur/partage", "//serveur/partage/cv"}
        << "//serveur/partage";
}

void FolderListBoxTest::pathsFromEveryKindOfRoot()
{
    QFETCH(QString, path);
    QFETCH(QStringList, folders);
    QFETCH(QString, rootName);
    for (QString &folder : folders)
        folder = native(folder);

    QCOMPARE(NativePath::ancestry(native(path)), folders);
    QCOMPARE(NativePath::displayName(folders.first()), native(rootName));
    for (qsizetype i = 1; i < folders.size(); ++i) {
        QVERIFY(NativePath::contains(folders[i - 1], folders[i]));
        QVERIFY(!NativePath::contains(folders[i], folders[i - 1]));
        QVERIFY(!NativePath::contains(folders[i], folders[i] + "x"));
        QCOMPARE(NativePath::join(folders[i - 1], NativePath::displayName(folders[i])), folders[i]);
    }
}

void FolderListBoxTest::nonAsciiFolderNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("French") << "Été à Noël";
    QTest::newRow("Polish") << "Łódź";
    QTest::newRow("Japanese") << "写真";
#ifdef Q_OS_WIN
    QTest::newRow("blanks and symbols") << " mon cv [2007]"; // trailing blanks would be dropped
#else
    QTest::newRow("blanks and symbols") << " mon cv [2007] ";
#endif
}

void FolderListBoxTest::nonAsciiFolderNames()
{
    QFETCH(QString, name);
    make(m_root->path(), {name + "/", name + "/Ünter/"});
    m_list->setPath(root());
    QCOMPARE(m_list->item(m_list->count() - 1)->text(), name);

    m_list->setPath(under(name));
    QCOMPARE(m_list->path(), under(name));
    QCOMPARE(m_list->item(m_list->currentFolderRow())->text(), name);
    QCOMPARE(m_list->item(m_list->count() - 1)->text(), QString("Ünter"));
}

void FolderListBoxTest::changeEventRunsNestedWithNewPath()
{
    make(m_root->path(), {"a/", "b/"});
    m_list->setPath(under("a"));
    QStringList seen;
    bool returned = false;
    connect(m_list.get(), &FolderListBox::pathChanged, this, [&] {
        QVERIFY(!returned);
        seen.append(m_list->path());
        QCOMPARE(m_list->item(m_list->currentFolderRow())->text(),
                 QFileInfo(m_list->path()).fileName());
        // A handler may move the list again; that runs nested too.
        if (m_list->path() == under("b"))
            m_list->setPath(under("a"));
    });
    m_list->setPath(under("b"));
    returned = true;
    QCOMPARE(seen, (QStringList{under("b"), under("a")}));
    QCOMPARE(m_list->path(), under("a"));
}

void FolderListBoxTest::sameFolderRaisesNothing_data()
{
    QTest::addColumn<QString>("again");
    QTest::newRow("same text") << "a";
    QTest::newRow("trailing separator") << "a/";
    QTest::newRow("dot segments") << "a/./b/..";
}

void FolderListBoxTest::sameFolderRaisesNothing()
{
    QFETCH(QString, again);
    make(m_root->path(), {"a/"});
    m_list->setPath(under("a"));
    int events = 0;
    connect(m_list.get(), &FolderListBox::pathChanged, this, [&events] { ++events; });
    make(m_root->path(), {"a/b/"});

    m_list->setPath(m_root->path() + "/" + again);
    QCOMPARE(events, 0);
    QCOMPARE(m_list->path(), under("a"));
    QCOMPARE(m_list->item(m_list->count() - 1)->text(), QString("b")); // read again all the same
}

void FolderListBoxTest::failureLeavesListAsItWas_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("notReady");
    QTest::addColumn<int>("number");

    QTest::newRow("missing folder") << "missing" << false << 76;
    QTest::newRow("a file") << "a/file.txt" << false << 76;
    QTest::newRow("empty path") << "" << false << 76;
    QTest::newRow("drive not ready") << "cdrom" << true << 71;
    QTest::newRow("folder on a drive not ready") << "cdrom/photos" << true << 71;
}

void FolderListBoxTest::failureLeavesListAsItWas()
{
    QFETCH(QString, target);
    QFETCH(bool, notReady);
    QFETCH(int, number);
    make(m_root->path(), {"a/file.txt", "a/sub/", "cdrom/photos/"});
    if (notReady) {
        m_volumes = std::make_unique<ControlTest::FixedVolumes>(
            QList<Volume>{ControlTest::volumeAt(QDir::rootPath()),
                          ControlTest::volumeAt(m_root->filePath("cdrom"), "CD", false)});
        m_list->setVolumes(*m_volumes);
    }
    m_list->setPath(under("a"));
    const int rows = m_list->count();
    int events = 0;
    connect(m_list.get(), &FolderListBox::pathChanged, this, [&events] { ++events; });

    const QString path = target.isEmpty() ? target : under(target);
    QCOMPARE(ControlTest::errorNumberOf([&] { m_list->setPath(path); }), number);
    QCOMPARE(m_list->path(), under("a"));
    QCOMPARE(m_list->count(), rows);
    QCOMPARE(m_list->currentRow(), m_list->currentFolderRow());
    QCOMPARE(events, 0);
}

void FolderListBoxTest::folderWithoutReadRightIsRefused()
{
#ifdef Q_OS_WIN
    QSKIP("Folder rights are POSIX mode bits in this test");
#endif
    m_list->setPath(root());
    const int number = ControlTest::errorNumberInLockedFolder(
        root(), "locked", [this](const QString &locked) { m_list->setPath(locked); });
    QCOMPARE(number, 70);
}

void FolderListBoxTest::opensDrive_data()
{
    QTest::addColumn<QString>("current"); // the process's current folder
    QTest::addColumn<QString>("drive");
    QTest::addColumn<QString>("opened");

    QTest::newRow("current folder on that drive") << "usb/cv/2007"
                                                  << "usb"
                                                  << "usb/cv/2007";
    QTest::newRow("current folder elsewhere") << "disk/work"
                                              << "usb"
                                              << "usb";
    QTest::newRow("current folder on a drive inside") << "usb/inner/x"
                                                      << "usb"
                                                      << "usb";
    QTest::newRow("drive inside another") << "usb/inner/x"
                                          << "usb/inner"
                                          << "usb/inner/x";
}

void FolderListBoxTest::opensDrive()
{
    QFETCH(QString, current);
    QFETCH(QString, drive);
    QFETCH(QString, opened);
    make(m_root->path(), {"usb/cv/2007/", "usb/inner/x/", "disk/work/"});
    m_volumes = std::make_unique<ControlTest::FixedVolumes>(
        QList<Volume>{ControlTest::volumeAt(m_root->filePath("disk")),
                      ControlTest::volumeAt(m_root->filePath("usb")),
                      ControlTest::volumeAt(m_root->filePath("usb/inner"))});
    m_list->setVolumes(*m_volumes);
    const ControlTest::WorkingFolder inside(NativePath::toFsPath(m_root->filePath(current)));

    m_list->setPath(under(drive));
    QCOMPARE(m_list->path(), under(opened));
}

void FolderListBoxTest::opensRowTheUserPicks_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("row"); // the folder of the row opened
    QTest::addColumn<int>("events");

    for (const char *how : {"double click", "Enter", "an assistive tool's action"}) {
        QTest::addRow("%s on a subfolder", how) << how << "a/b/c2" << 1;
        QTest::addRow("%s on the parent", how) << how << "a" << 1;
        QTest::addRow("%s on the root", how) << how << QString() << 1;
        QTest::addRow("%s on the current folder", how) << how << "a/b" << 0;
    }
}

void FolderListBoxTest::opensRowTheUserPicks()
{
    QFETCH(QString, how);
    QFETCH(QString, row);
    QFETCH(int, events);
    make(m_root->path(), {"a/b/c1/", "a/b/c2/"});
    m_list->setPath(under("a/b"));
    const QString target = row.isEmpty() ? native(QDir::rootPath()) : under(row);
    const QList<QListWidgetItem *> matches =
        m_list->findItems(NativePath::displayName(target), Qt::MatchExactly);
    QCOMPARE(matches.size(), 1);
    QStringList seen;
    connect(m_list.get(), &FolderListBox::pathChanged, this,
            [this, &seen] { seen.append(m_list->path()); });

    if (how == "Enter") {
        m_list->setFocus();
        const int steps = m_list->row(matches.first()) - m_list->currentRow();
        for (int step = 0; step < std::abs(steps); ++step)
            QTest::keyClick(m_list.get(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(m_list->path(), under("a/b")); // moving the selection opens nothing
        QTest::keyClick(m_list.get(), Qt::Key_Return);
    } else if (how == "double click") {
        const QPoint centre = m_list->visualItemRect(matches.first()).center();
        QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, centre);
        QCOMPARE(m_list->path(), under("a/b")); // a single click opens nothing
        QTest::mouseDClick(m_list->viewport(), Qt::LeftButton, {}, centre);
    } else {
        // A screen reader's only action on a row toggles its selection.
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(m_list.get());
        list->child(m_list->row(matches.first()))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
        QCoreApplication::processEvents();
    }
    QCOMPARE(m_list->path(), target);
    QCOMPARE(seen.size(), events);
    if (events > 0)
        QCOMPARE(seen.first(), target);
    QCOMPARE(m_list->currentRow(), m_list->currentFolderRow());
}

void FolderListBoxTest::failedOpenIsReportedAndChangesNothing()
{
    make(m_root->path(), {"a/gone/", "a/kept/"});
    m_list->setPath(under("a"));
    QVERIFY(QDir(m_root->filePath("a/gone")).removeRecursively());
    QList<int> reported;
    connect(m_list.get(), &FolderListBox::openFailed, this,
            [&reported](const pomerel::Error &error) {
                reported.append(static_cast<int>(error.number()));
            });
    int events = 0;
    connect(m_list.get(), &FolderListBox::pathChanged, this, [&events] { ++events; });

    m_list->setFocus();
    QTest::keyClick(m_list.get(), Qt::Key_Down);
    QTest::keyClick(m_list.get(), Qt::Key_Enter);
    QCOMPARE(reported, QList<int>{76});
    QCOMPARE(m_list->path(), under("a"));
    QCOMPARE(events, 0);
}

void FolderListBoxTest::refreshReadsSubfoldersAgain()
{
    using enum FolderListBox::RowKind;
    make(m_root->path(), {"a/old/"});
    m_list->setPath(under("a"));
    int events = 0;
    connect(m_list.get(), &FolderListBox::pathChanged, this, [&events] { ++events; });
    make(m_root->path(), {"a/new/"});

    m_list->refresh();
    const int current = m_list->currentFolderRow();
    checkRows({{"a", current, PathFolder},
               {"new", current + 1, Subfolder},
               {"old", current + 1, Subfolder}},
              current);
    QCOMPARE(events, 0);

    QVERIFY(m_root->remove());
    QVERIFY_THROWS_EXCEPTION(pomerel::Error, m_list->refresh());
    QCOMPARE(m_list->count(), current + 3);
}

QTEST_MAIN(FolderListBoxTest)
#include "folderlistbox_test.moc"
