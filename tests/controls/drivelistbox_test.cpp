// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/drivelistbox.h"
#include "controls/folderlistbox.h"
#include "support/controltest.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using ControlTest::make;
using ControlTest::native;
using ControlTest::volumeAt;

class DriveListBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsDrivesWithLabels();
    void startsOnDriveOfCurrentFolder();
    void takesDriveHoldingPath_data();
    void takesDriveHoldingPath();
    void refusesPathOnNoDrive_data();
    void refusesPathOnNoDrive();

    void changeEventRunsNestedWithNewDrive();
    void userChoiceRaisesDriveChanged();
    void refreshKeepsDriveAndRaisesNothing_data();
    void refreshKeepsDriveAndRaisesNothing();
    void driveNotReadyFallsBackToFolderListDrive();

    void systemDrivesHoldFiles();
    void screenReaderHearsNameAndDrive();

private:
    QString under(const QString &relative) const { return native(m_root->filePath(relative)); }
    void useVolumes(QList<Volume> volumes);

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<ControlTest::FixedVolumes> m_volumes;
    std::unique_ptr<DriveListBox> m_list;
};

void DriveListBoxTest::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    make(m_root->path(), {"disk/cv/", "usb/photos/", "usb/inner/x/", "usbkey/", "cdrom/"});
    // Listed out of order on purpose: a drive inside another comes before it.
    useVolumes({volumeAt(QDir::rootPath(), "system"), volumeAt(m_root->filePath("usb/inner")),
                volumeAt(m_root->filePath("disk"), "Données"),
                volumeAt(m_root->filePath("usb"), "CLÉ"),
                volumeAt(m_root->filePath("cdrom"), "CD", false)});
}

void DriveListBoxTest::cleanup()
{
    m_list.reset();
    m_volumes.reset();
}

void DriveListBoxTest::useVolumes(QList<Volume> volumes)
{
    m_list.reset();
    m_volumes.reset();
    m_volumes = std::make_unique<ControlTest::FixedVolumes>(std::move(volumes));
    m_list = std::make_unique<DriveListBox>();
    m_list->setVolumes(*m_volumes);
}

void DriveListBoxTest::listsDrivesWithLabels()
{
    const QStringList expected{native(QDir::rootPath()) + " [system]", under("usb/inner"),
                               under("disk") + " [Données]", under("usb") + " [CLÉ]",
                               under("cdrom") + " [CD]"};
    QCOMPARE(m_list->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(m_list->itemText(i), expected[i]);
}

void DriveListBoxTest::startsOnDriveOfCurrentFolder()
{
    const ControlTest::WorkingFolder current(NativePath::toFsPath(m_root->filePath("usb/photos")));
    useVolumes(m_volumes->list());
    QCOMPARE(m_list->drive(), under("usb"));
    QCOMPARE(m_list->currentText(), under("usb") + " [CLÉ]");
}

void DriveListBoxTest::takesDriveHoldingPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("drive");

    QTest::newRow("the drive itself") << "usb"
                                      << "usb";
    QTest::newRow("a folder on it") << "usb/photos"
                                    << "usb";
    QTest::newRow("a file on it, not there") << "usb/photos/moi.jpg"
                                             << "usb";
    QTest::newRow("a drive mounted inside it") << "usb/inner/x"
                                               << "usb/inner";
    QTest::newRow("a name that only starts like it") << "usbkey"
                                                     << "/";
    QTest::newRow("trailing separator") << "disk/cv/"
                                        << "disk";
    QTest::newRow("dot dot back out") << "usb/inner/.."
                                      << "usb";
    QTest::newRow("a drive not ready") << "cdrom/x"
                                       << "cdrom";
}

void DriveListBoxTest::takesDriveHoldingPath()
{
    QFETCH(QString, path);
    QFETCH(QString, drive);
    const QString expected = drive == "/" ? native(QDir::rootPath()) : under(drive);

    m_list->setDrive(m_root->filePath(path));
    QCOMPARE(m_list->drive(), expected);
    QCOMPARE(m_list->currentData().toString(), expected);
    // Relative paths go from the current folder.
    m_list->setDrive(QDir::rootPath());
    const ControlTest::WorkingFolder current(NativePath::toFsPath(m_root->path()));
    m_list->setDrive(path);
    QCOMPARE(m_list->drive(), expected);
}

void DriveListBoxTest::refusesPathOnNoDrive_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("number");
    QTest::newRow("on no drive") << "elsewhere/x" << 71;
    QTest::newRow("empty") << "" << 5;
}

void DriveListBoxTest::refusesPathOnNoDrive()
{
    QFETCH(QString, path);
    QFETCH(int, number);
    useVolumes({volumeAt(m_root->filePath("disk")), volumeAt(m_root->filePath("usb"))});
    m_list->setDrive(under("usb"));
    int events = 0;
    connect(m_list.get(), &DriveListBox::driveChanged, this, [&events] { ++events; });

    const QString target = path.isEmpty() ? path : under(path);
    QCOMPARE(ControlTest::errorNumberOf([&] { m_list->setDrive(target); }), number);
    QCOMPARE(m_list->drive(), under("usb"));
    QCOMPARE(events, 0);
}

void DriveListBoxTest::changeEventRunsNestedWithNewDrive()
{
    m_list->setDrive(under("disk"));
    QStringList seen;
    bool returned = false;
    connect(m_list.get(), &DriveListBox::driveChanged, this, [&] {
        QVERIFY(!returned);
        seen.append(m_list->drive());
        QCOMPARE(m_list->currentData().toString(), m_list->drive());
    });

    m_list->setDrive(under("usb/photos"));
    m_list->setDrive(under("usb"));       // the same drive: nothing
    m_list->setDrive(under("usb/inner")); // a drive of its own
    returned = true;
    QCOMPARE(seen, (QStringList{under("usb"), under("usb/inner")}));
}

void DriveListBoxTest::userChoiceRaisesDriveChanged()
{
    m_list->setDrive(under("disk"));
    QStringList seen;
    connect(m_list.get(), &DriveListBox::driveChanged, this,
            [this, &seen] { seen.append(m_list->drive()); });
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list.get()));
    m_list->setFocus();

    QTest::keyClick(m_list.get(), Qt::Key_Down);
    QCOMPARE(seen, QStringList{under("usb")});
    QTest::keyClick(m_list.get(), Qt::Key_Up);
    QCOMPARE(seen, (QStringList{under("usb"), under("disk")}));
    QTest::keyClick(m_list.get(), Qt::Key_End);
    QCOMPARE(m_list->drive(), under("cdrom"));
    QCOMPARE(seen.size(), 3);
}

void DriveListBoxTest::refreshKeepsDriveAndRaisesNothing_data()
{
    QTest::addColumn<bool>("byDropDown");
    QTest::newRow("refresh") << false;
    QTest::newRow("drop-down opened") << true;
}

void DriveListBoxTest::refreshKeepsDriveAndRaisesNothing()
{
    QFETCH(bool, byDropDown);
    m_list->setDrive(under("usb"));
    int events = 0;
    connect(m_list.get(), &DriveListBox::driveChanged, this, [&events] { ++events; });

    // A drive unplugged and another plugged in meanwhile; the current one stays listed.
    m_volumes->set({volumeAt(QDir::rootPath()), volumeAt(m_root->filePath("disk")),
                    volumeAt(m_root->filePath("usbkey"), "NEW")});
    if (byDropDown) {
        m_list->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_list.get()));
        m_list->showPopup();
        m_list->hidePopup();
    } else {
        m_list->refresh();
    }
    QCOMPARE(m_list->drive(), under("usb"));
    QCOMPARE(m_list->currentText(), under("usb") + " [CLÉ]");
    QCOMPARE(m_list->findData(under("usbkey")), 2);
    QCOMPARE(events, 0);
}

// The pickers' drive handler: move the folder list to the drive; when that fails, send the
// drive list back to the folder list's drive, silently.
void DriveListBoxTest::driveNotReadyFallsBackToFolderListDrive()
{
    const ControlTest::WorkingFolder current(NativePath::toFsPath(m_root->filePath("disk/cv")));
    useVolumes(m_volumes->list());
    FolderListBox folders;
    folders.setVolumes(*m_volumes);
    QList<int> failures;
    QStringList drives;
    connect(m_list.get(), &DriveListBox::driveChanged, this, [&] {
        drives.append(m_list->drive());
        try {
            folders.setPath(m_list->drive());
        } catch (const pomerel::Error &error) {
            failures.append(static_cast<int>(error.number()));
            m_list->setDrive(folders.path());
        }
    });
    m_list->setDrive(under("usb"));
    QCOMPARE(folders.path(), under("usb"));
    folders.setPath(under("usb/photos"));

    m_list->setCurrentIndex(m_list->findData(under("cdrom"))); // as the user's choice does
    QCOMPARE(failures, QList<int>{71});
    QCOMPARE(drives, (QStringList{under("usb"), under("cdrom"), under("usb")}));
    QCOMPARE(m_list->drive(), under("usb"));
    QCOMPARE(m_list->currentData().toString(), under("usb"));
    QCOMPARE(folders.path(), under("usb")); // a folder of that drive
}

void DriveListBoxTest::systemDrivesHoldFiles()
{
    const QList<Volume> volumes = Volumes::system().list();
    QVERIFY(!volumes.isEmpty());
    for (const Volume &volume : volumes) {
        QVERIFY2(QFileInfo(volume.root).isDir(), qPrintable(volume.root));
#ifdef Q_OS_WIN
        QCOMPARE(volume.drive, volume.root.left(2).toLower()); // "c:" for "C:\"
#else
        QCOMPARE(volume.drive, volume.root);
        for (const char *area : {"/proc", "/sys", "/dev"})
            QVERIFY2(!volume.root.startsWith(QLatin1String(area)), qPrintable(volume.root));
#endif
    }
    // Every folder is on one of them.
    QVERIFY(Volumes::holding(native(QDir::currentPath()), volumes).has_value());

    // What the list shows of this machine, for the log; a drive not ready says so.
    DriveListBox list;
    list.setVolumes(Volumes::system());
    QStringList shown;
    for (const Volume &volume : volumes)
        shown.append(list.itemText(list.findData(volume.drive)) +
                     (volume.ready ? "" : " (not ready)"));
    qInfo("The drive list shows: %s", qPrintable(shown.join(", ")));
}

// Its own name, the drive as its value, and a drop-down a screen reader can open.
void DriveListBoxTest::screenReaderHearsNameAndDrive()
{
    m_list->setDrive(under("disk/cv"));
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(m_list.get());
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::ComboBox);
    const QString drive = under("disk") + " [Données]";
    QCOMPARE(accessible->text(QAccessible::Name), drive); // nothing better without a name
    m_list->setAccessibleName("Lecteur");
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Lecteur"));
    QCOMPARE(accessible->text(QAccessible::Value), drive);
    QCOMPARE(accessible->childCount(), 1);
    QCOMPARE(accessible->child(0)->object(), m_list->view());

    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list.get()));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    // qWaitFor, not QTRY_*: with Qt 6.8 these narrow a std::chrono count and -Wconversion fires.
    QVERIFY(QTest::qWaitFor([this] { return m_list->view()->isVisible(); }));
    m_list->hidePopup();
}
QTEST_MAIN(DriveListBoxTest)
#include "drivelistbox_test.moc"
