// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/filelistbox.h"
#include "controls/folderreader.h"
#include "controls/wildcardmatcher.h"
#include "generation/error.h"
#include "generation/filesystem.h"
#include "support/controltest.h"

#include <QAccessible>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using ControlTest::make;
using ControlTest::native;

class FileListBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void matchesPatternsInAnyLetterCase_data();
    void matchesPatternsInAnyLetterCase();
    void patternRulesDifferFromTheCopys_data();
    void patternRulesDifferFromTheCopys();
    void listsOnlyVisibleFilesInNameOrder();
    void sortsLettersWhateverTheirForm();
    void linksCountAsWhatTheyLeadTo();
    void patternChangeKeepsSelection();

    void failureLeavesListAsItWas_data();
    void failureLeavesListAsItWas();
    void folderWithoutReadRightIsRefused();
    void resolvesRelativeFolders();

    void userSelectionRaisesFileSelected_data();
    void userSelectionRaisesFileSelected();
    void refillRaisesNothing();
    void refreshKeepsSelectionAndSeesNewFiles();

private:
    QString folder() const { return native(m_root->path()); }
    void click(int row);

    std::unique_ptr<QTemporaryDir> m_root;
    std::unique_ptr<FileListBox> m_list;
};

void FileListBoxTest::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_list = std::make_unique<FileListBox>();
    m_list->resize(200, 300);
    m_list->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_list.get()));
}

void FileListBoxTest::click(int row)
{
    const QRect rect = m_list->visualRect(m_list->model()->index(row, 0));
    QTest::mouseClick(m_list->viewport(), Qt::LeftButton, {}, rect.center());
}

void FileListBoxTest::matchesPatternsInAnyLetterCase_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("listed");

    const QStringList pictures{"a.BMP", "b.Jpg", "c.gif", "d.png", "e.jpeg", "f.jpg.txt", "jpg"};
    QTest::newRow("pictures, any case")
        << "*.bmp;*.jpg;*.gif" << pictures << QStringList{"a.BMP", "b.Jpg", "c.gif"};
    QTest::newRow("upper-case pattern")
        << "*.BMP;*.JPG;*.GIF" << pictures << QStringList{"a.BMP", "b.Jpg", "c.gif"};
    QTest::newRow("blanks round the patterns")
        << " *.gif ; *.png " << pictures << QStringList{"c.gif", "d.png"};
    QTest::newRow("star dot star takes names without a dot")
        << "*.*" << QStringList{"plain", "x.y"} << QStringList{"plain", "x.y"};
    QTest::newRow("empty pattern takes every file")
        << "" << QStringList{"plain", "x.y"} << QStringList{"plain", "x.y"};
    QTest::newRow("trailing dot star") << "notes.*" << QStringList{"notes", "notes.txt", "notesx"}
                                       << QStringList{"notes", "notes.txt"};
    QTest::newRow("question mark is one character")
        << "?.txt" << QStringList{"a.txt", "ab.txt", ".txt.bak"} << QStringList{"a.txt"};
    QTest::newRow("regular expression characters are plain")
        << "[x](1)+.txt;a^b$.txt" << QStringList{"[x](1)+.txt", "x1.txt", "a^b$.txt", "ab.txt"}
        << QStringList{"[x](1)+.txt", "a^b$.txt"};
    QTest::newRow("accented names, any case")
        << "*.ÉTÉ;photo?.jpg" << QStringList{"juin.été", "PHOTOÉ.JPG", "hiver.ete"}
        << QStringList{"juin.été", "PHOTOÉ.JPG"};
}

void FileListBoxTest::matchesPatternsInAnyLetterCase()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, files);
    QFETCH(QStringList, listed);
    make(m_root->path(), files);

    m_list->setPattern(pattern);
    m_list->setPath(folder());
    QCOMPARE(m_list->pattern(), pattern);
    QCOMPARE(m_list->fileNames(), listed);
}

// The list and the copy of the pictures share one matcher; the list adds its own rules.
void FileListBoxTest::patternRulesDifferFromTheCopys_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<bool>("copied");

    QTest::newRow("star dot star, name without a dot") << "*.*"
                                                       << "plain" << true << false;
    QTest::newRow("star dot star, name with a dot") << "*.*"
                                                    << "x.y" << true << true;
    QTest::newRow("trailing dot star, bare name") << "notes.*"
                                                  << "notes" << true << false;
    QTest::newRow("accented letter in another case") << "é.jpg"
                                                     << "É.JPG" << true << false;
    QTest::newRow("ASCII letters in another case") << "photo?.jpg"
                                                   << "PHOTO1.JPG" << true << true;
    QTest::newRow("question mark, accented letter") << "?té.gif"
                                                    << "été.gif" << true << true;
}

void FileListBoxTest::patternRulesDifferFromTheCopys()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, listed);
    QFETCH(bool, copied);

    QCOMPARE(WildcardMatcher(pattern).matches(name), listed);
    QCOMPARE(pomerel::files::matchesWildcard(name.toStdString(), pattern.toStdString()), copied);
}

void FileListBoxTest::listsOnlyVisibleFilesInNameOrder()
{
    QStringList names{"b.txt",   "A.txt",     "c.TXT",    "a.txt",    "zoe.txt",     "Zoé.txt",
                      "été.txt", "Ecole.txt", "fête.txt", "sub.txt/", ".hidden.txt", "ordinary/"};
    QStringList expected{"A.txt",   "a.txt",    "b.txt",   "c.TXT",  "Ecole.txt",
                         "été.txt", "fête.txt", "Zoé.txt", "zoe.txt"};
#ifdef Q_OS_WIN
    // a.txt would be A.txt again: Windows ignores letter case.
    names.removeOne("a.txt");
    expected.removeOne("a.txt");
#endif
    make(m_root->path(), names);
    m_list->setPath(folder());
    QCOMPARE(m_list->fileNames(), expected);
    QCOMPARE(m_list->path(), folder());
    QCOMPARE(m_list->fileName(), QString());
}

// Accents typed as separate marks, and letters that fold to two, sort as their plain letters;
// a letter with no plain form (Ł) keeps its own place, after z.
void FileListBoxTest::sortsLettersWhateverTheirForm()
{
    const QString decomposed = QStringLiteral("e\u0301te\u0301 b.txt");
    make(m_root->path(),
         {"Straße 2.txt", "Łódź.txt", "strasse 1.txt", decomposed, "été a.txt", "Lodz 0.txt"});
    m_list->setPath(folder());
    QCOMPARE(m_list->fileNames(), (QStringList{"été a.txt", decomposed, "Lodz 0.txt",
                                               "strasse 1.txt", "Straße 2.txt", "Łódź.txt"}));
}

// A link to a file is a file, a link to a folder a folder, and a broken link neither.
void FileListBoxTest::linksCountAsWhatTheyLeadTo()
{
#ifdef Q_OS_WIN
    QSKIP("Links are symbolic links in this test");
#endif
    make(m_root->path(), {"real/", "a.txt"});
    QVERIFY(QFile::link(m_root->filePath("real"), m_root->filePath("to folder")));
    QVERIFY(QFile::link(m_root->filePath("a.txt"), m_root->filePath("to file.txt")));
    QVERIFY(QFile::link(m_root->filePath("missing"), m_root->filePath("broken")));
    m_list->setPath(folder());
    QCOMPARE(m_list->fileNames(), (QStringList{"a.txt", "to file.txt"}));
    QCOMPARE(FolderReader::subfolders(folder()), (QStringList{"real", "to folder"}));
}

void FileListBoxTest::patternChangeKeepsSelection()
{
    make(m_root->path(), {"a.gif", "b.jpg", "c.txt"});
    m_list->setPath(folder());
    click(1);
    QCOMPARE(m_list->fileName(), QString("b.jpg"));

    m_list->setPattern("*.jpg;*.txt");
    QCOMPARE(m_list->fileNames(), (QStringList{"b.jpg", "c.txt"}));
    QCOMPARE(m_list->fileName(), QString("b.jpg"));
    m_list->setPattern("*.gif");
    QCOMPARE(m_list->fileNames(), QStringList{"a.gif"});
    QCOMPARE(m_list->fileName(), QString());
}

void FileListBoxTest::failureLeavesListAsItWas_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("number");

    QTest::newRow("missing folder") << "missing" << 76;
    QTest::newRow("a file, not a folder") << "a.txt" << 76;
    QTest::newRow("inside a file") << "a.txt/b" << 76;
    QTest::newRow("empty path") << "" << 76;
    QTest::newRow("drive not ready") << "cdrom/photos" << 71;
}

void FileListBoxTest::failureLeavesListAsItWas()
{
    QFETCH(QString, target);
    QFETCH(int, number);
    make(m_root->path(), {"a.txt", "b.txt", "cdrom/photos/moi.jpg"});
    const ControlTest::FixedVolumes volumes(
        {ControlTest::volumeAt(QDir::rootPath()),
         ControlTest::volumeAt(m_root->filePath("cdrom"), "CD", false)});
    m_list->setVolumes(volumes);
    m_list->setPath(folder());
    click(1);
    int selections = 0;
    connect(m_list.get(), &FileListBox::fileSelected, this, [&selections] { ++selections; });

    const QString path = target.isEmpty() ? target : folder() + QDir::separator() + target;
    QCOMPARE(ControlTest::errorNumberOf([&] { m_list->setPath(path); }), number);
    QCOMPARE(m_list->path(), folder());
    QCOMPARE(m_list->fileNames(), (QStringList{"a.txt", "b.txt"}));
    QCOMPARE(m_list->fileName(), QString("b.txt"));
    QCOMPARE(selections, 0);
}

void FileListBoxTest::folderWithoutReadRightIsRefused()
{
#ifdef Q_OS_WIN
    QSKIP("Folder rights are POSIX mode bits in this test");
#endif
    m_list->setPath(folder());
    const int number = ControlTest::errorNumberInLockedFolder(
        folder(), "locked", [this](const QString &locked) { m_list->setPath(locked); });
    QCOMPARE(number, 70);
}

void FileListBoxTest::resolvesRelativeFolders()
{
    make(m_root->path(), {"photos/moi.jpg"});
    const ControlTest::WorkingFolder current(NativePath::toFsPath(m_root->path()));
    m_list->setPath("photos/");
    QCOMPARE(m_list->path(), native(m_root->path() + "/photos"));
    QCOMPARE(m_list->fileNames(), QStringList{"moi.jpg"});
    m_list->setPath("photos/..");
    QCOMPARE(m_list->path(), folder());
}

void FileListBoxTest::userSelectionRaisesFileSelected_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("startRow"); // -1: nothing selected
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("events");

    QTest::newRow("click") << "click 2" << -1 << "c.jpg" << 1;
    QTest::newRow("click on the selected file again") << "click 1" << 1 << "b.jpg" << 1;
    QTest::newRow("down arrow") << "down" << 0 << "b.jpg" << 1;
    QTest::newRow("down arrow, nothing selected yet") << "down" << -1 << "a.jpg" << 1;
    QTest::newRow("up arrow") << "up" << 2 << "b.jpg" << 1;
    QTest::newRow("end key") << "end" << 0 << "d.jpg" << 1;
    QTest::newRow("up arrow on the first file") << "up" << 0 << "a.jpg" << 0;
    QTest::newRow("typed letter") << "type c" << 0 << "c.jpg" << 1;
    // A screen reader's only action on a row toggles its selection.
    QTest::newRow("assistive tool's action") << "toggle 2" << 0 << "c.jpg" << 1;
    QTest::newRow("assistive tool's action on the selected file")
        << "toggle 1" << 1 << "b.jpg" << 0;
}

void FileListBoxTest::userSelectionRaisesFileSelected()
{
    QFETCH(QString, input);
    QFETCH(int, startRow);
    QFETCH(QString, selected);
    QFETCH(int, events);
    make(m_root->path(), {"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    m_list->setPath(folder());
    if (startRow >= 0)
        click(startRow);

    QStringList seen; // what a handler reads, while it runs
    connect(m_list.get(), &FileListBox::fileSelected, this,
            [this, &seen] { seen.append(m_list->fileName()); });
    m_list->setFocus();
    if (input.startsWith("click"))
        click(input.mid(6).toInt());
    else if (input == "down")
        QTest::keyClick(m_list.get(), Qt::Key_Down);
    else if (input == "up")
        QTest::keyClick(m_list.get(), Qt::Key_Up);
    else if (input == "end")
        QTest::keyClick(m_list.get(), Qt::Key_End);
    else if (input.startsWith("toggle"))
        QAccessible::queryAccessibleInterface(m_list.get())
            ->child(input.mid(7).toInt())
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
    else
        QTest::keyClicks(m_list.get(), input.mid(5));
    QCoreApplication::processEvents();

    QCOMPARE(m_list->fileName(), selected);
    QCOMPARE(seen.size(), events);
    if (events > 0) {
        QCOMPARE(seen.last(), selected);
        QCOMPARE(m_list->currentIndex().row(), m_list->fileNames().indexOf(selected));
    }
}

void FileListBoxTest::refillRaisesNothing()
{
    make(m_root->path(), {"one/a.jpg", "one/b.jpg", "two/c.jpg"});
    m_list->setPath(folder() + "/one");
    click(0);
    int events = 0;
    connect(m_list.get(), &FileListBox::fileSelected, this, [&events] { ++events; });

    m_list->setPath(folder() + "/two");
    QCOMPARE(m_list->fileName(), QString());
    QCOMPARE(m_list->fileNames(), QStringList{"c.jpg"});
    m_list->setPath(folder() + "/one");
    m_list->setPattern("*.gif");
    m_list->setPattern("*.*");
    m_list->refresh();
    QCoreApplication::processEvents();
    QCOMPARE(m_list->fileName(), QString());
    QCOMPARE(events, 0);
}

void FileListBoxTest::refreshKeepsSelectionAndSeesNewFiles()
{
    make(m_root->path(), {"b.jpg", "d.jpg"});
    m_list->setPath(folder());
    click(1);
    int events = 0;
    connect(m_list.get(), &FileListBox::fileSelected, this, [&events] { ++events; });

    make(m_root->path(), {"a.jpg", "c.jpg"});
    QVERIFY(QFile::remove(m_root->filePath("b.jpg")));
    m_list->refresh();
    QCOMPARE(m_list->fileNames(), (QStringList{"a.jpg", "c.jpg", "d.jpg"}));
    QCOMPARE(m_list->fileName(), QString("d.jpg"));
    QCoreApplication::processEvents();
    QCOMPARE(events, 0);

    QVERIFY(m_root->remove());
    QVERIFY_THROWS_EXCEPTION(pomerel::Error, m_list->refresh());
    QCOMPARE(m_list->fileNames(), (QStringList{"a.jpg", "c.jpg", "d.jpg"}));
}

QTEST_MAIN(FileListBoxTest)
#include "filelistbox_test.moc"
