// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/destination.h"
#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/generation.h"
#include "generation/paths.h"
#include "generation/temporaryfile.h"
#include "test_support.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#endif

namespace {

using namespace testing_support;
using pomerel::ErrorNumber;
using std::filesystem::perms;
namespace fs = std::filesystem;

struct WildcardCase
{
    std::string name;
    std::string file;
    std::string pattern;
    bool matches;
};

class Wildcard : public testing::TestWithParam<WildcardCase>
{
};

TEST_P(Wildcard, MatchesNamesAsWindowsDoesIgnoringCase)
{
    EXPECT_EQ(pomerel::files::matchesWildcard(GetParam().file, GetParam().pattern),
              GetParam().matches)
        << GetParam().file << " ~ " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wildcard,
    testing::Values(WildcardCase{"Extension", "logo.jpg", "*.jpg", true},
                    WildcardCase{"UpperCaseName", "LOGO.JPG", "*.jpg", true},
                    WildcardCase{"MixedCaseNameAndPattern", "Puce.Gif", "*.GIF", true},
                    WildcardCase{"StarTakesNothing", ".jpg", "*.jpg", true},
                    WildcardCase{"ExtensionTwice", "a.jpg.jpg", "*.jpg", true},
                    WildcardCase{"LongerExtension", "a.jpeg", "*.jpg", false},
                    WildcardCase{"ExtensionNotLast", "a.jpg.bak", "*.jpg", false},
                    WildcardCase{"NoDot", "jpg", "*.jpg", false},
                    WildcardCase{"QuestionMarkTakesAnAccentedLetter", "été.gif", "?té.gif", true},
                    WildcardCase{"QuestionMarkTakesOneLetterOnly", "été.gif", "??té.gif", false},
                    WildcardCase{"StarGoesBackOnAMismatch", "abcabd", "*ab?", true},
                    WildcardCase{"QuestionMarkNeedsALetter", "abcab", "*ab?", false},
                    WildcardCase{"TwoStars", "x", "**", true},
                    WildcardCase{"StarTakesAnEmptyName", "", "*", true},
                    WildcardCase{"AccentedLettersKeepTheirCase", "É.jpg", "é.jpg", false}),
    testing_support::CaseName());

class Destination : public testing::Test
{
protected:
    void SetUp() override { makeResources(m_depart, "*"); }

    void prepare(const std::string &OB = {})
    {
        pomerel::prepareDestination(m_oa.asDestination(), utf8Of(m_depart), OB, m_OC);
    }

    ErrorNumber failingPrepare(const std::string &OB = {})
    {
        const int number = errorNumberOf([&] { prepare(OB); });
        EXPECT_NE(number, 0) << "the preparation did not fail";
        return static_cast<ErrorNumber>(number);
    }

    fs::path inDestination(std::string_view name) const { return m_oa.path() / u8path(name); }

    // Runs the preparation in a child without root's rights: the error number, or 0.
    int prepareAsOrdinaryUser() const
    {
        const std::string oa = m_oa.asDestination();
        const std::string depart = utf8Of(m_depart);
        return runWithoutPrivileges([&] {
            std::string OC;
            return errorNumberOf([&] { pomerel::prepareDestination(oa, depart, {}, OC); });
        });
    }

    TempFolder m_root{"pomerel-prep"};
    fs::path m_depart = m_root.makeFolder("ressources");
    TempFolder m_oa{"pomerel-destination"};
    std::string m_OC;
};

TEST_F(Destination, CopiesTheResourcePicturesAndGivesTheDefaultPicture)
{
    prepare();
    EXPECT_EQ(namesIn(m_oa.path()), (std::set<std::string>{"bandeau.gif", "logo.jpg"}));
    EXPECT_EQ(readFile(inDestination("logo.jpg")), "resource logo");
    EXPECT_EQ(m_OC, "logo.jpg");
}

TEST_F(Destination, ChosenPictureNameIsKept)
{
    m_OC = "moi.png";
    prepare();
    EXPECT_EQ(m_OC, "moi.png");
}

TEST_F(Destination, PatternIgnoresCaseAndTakesOnlyFilesDirectlyInTheFolder)
{
    writeFile(m_depart / "PHOTO.JPG", "upper");
    writeFile(m_depart / "puce.Gif", "mixed");
    writeFile(m_depart / "notes.txt", "no");
    writeFile(m_depart / "grand.jpeg", "no");
    writeFile(m_depart / "jpg", "no");
    writeFile(m_depart / "a.jpg.bak", "no");
    fs::create_directory(m_depart / "dossier.jpg");
    writeFile(m_root.makeFolder("ressources/sous") / "dedans.jpg", "no");
    prepare();
    EXPECT_EQ(namesIn(m_oa.path()),
              (std::set<std::string>{"PHOTO.JPG", "bandeau.gif", "logo.jpg", "puce.Gif"}));
    EXPECT_EQ(readFile(inDestination("puce.Gif")), "mixed");
}

TEST_F(Destination, PhotoComesLastAndReplacesAResourcePictureOfTheSameName)
{
    const fs::path photos = m_root.makeFolder("Mes photos");
    writeFile(photos / "logo.jpg", "my own logo");
    prepare(utf8Of(photos / "logo.jpg"));
    EXPECT_EQ(readFile(inDestination("logo.jpg")), "my own logo");
}

TEST_F(Destination, PhotoOfAnyFormatIsCopiedAsItIs)
{
    const fs::path photos = m_root.makeFolder("Photos d'identité");
    writeFile(photos / u8path("portrait été.bmp"), std::string("BM\0\x01\xFF", 5));
    m_OC = "portrait été.bmp";
    prepare(utf8Of(photos / u8path("portrait été.bmp")));
    EXPECT_EQ(readFile(inDestination("portrait été.bmp")), std::string("BM\0\x01\xFF", 5));
    EXPECT_EQ(m_OC, "portrait été.bmp");
}

TEST_F(Destination, PhotoAlreadyInTheDestinationStaysWhole)
{
    writeFile(inDestination("photo.jpg"), "the photo");
    prepare(utf8Of(inDestination("photo.jpg")));
    EXPECT_EQ(readFile(inDestination("photo.jpg")), "the photo");
}

TEST_F(Destination, ResourceFolderAsDestinationLosesNothing)
{
    pomerel::prepareDestination(utf8Of(m_depart) + pomerel::separator(), utf8Of(m_depart), {},
                                m_OC);
    EXPECT_EQ(readFile(m_depart / "logo.jpg"), "resource logo");
    EXPECT_EQ(readFile(m_depart / "bandeau.gif"), "resource band");
    EXPECT_EQ(namesIn(m_depart), (std::set<std::string>{"bandeau.gif", "brt.ggg", "logo.jpg"}));
}

TEST_F(Destination, SecondRunReplacesPicturesTheFirstLeftReadOnly)
{
    const perms readOnly = perms::owner_read | perms::group_read | perms::others_read;
    for (const char *name : {"logo.jpg", "bandeau.gif"})
        fs::permissions(m_depart / name, readOnly);
    fs::permissions(m_oa.path(), perms::all);
    // As an ordinary user: root would write over anything.
    ASSERT_EQ(prepareAsOrdinaryUser(), 0);
    EXPECT_EQ(permissionsOf(inDestination("logo.jpg")) & perms::owner_write, perms::none);

    fs::permissions(m_depart / "logo.jpg", perms::owner_write, fs::perm_options::add);
    writeFile(m_depart / "logo.jpg", "new logo");
    fs::permissions(m_depart / "logo.jpg", readOnly);
    EXPECT_EQ(prepareAsOrdinaryUser(), 0);
    EXPECT_EQ(readFile(inDestination("logo.jpg")), "new logo");
}

TEST_F(Destination, MissingDestinationChangesNothing)
{
    const std::string gone = m_oa.asDestination() + "absent" + pomerel::separator();
    try {
        pomerel::prepareDestination(gone, utf8Of(m_depart), {}, m_OC);
        FAIL() << "no error";
    } catch (const pomerel::Error &error) {
        EXPECT_EQ(error.number(), ErrorNumber::PathNotFound);
    }
    EXPECT_TRUE(namesIn(m_oa.path()).empty());
    EXPECT_EQ(m_OC, "");
}

TEST_F(Destination, NonAsciiNamesEverywhere)
{
    const TempFolder oa("Łódź été 😀");
    const fs::path depart = m_root.makeFolder("Ressources ŻÓŁW");
    makeResources(depart, "*");
    writeFile(depart / u8path("Ωmega.gif"), "omega");
    pomerel::prepareDestination(oa.asDestination(), utf8Of(depart), {}, m_OC);
    EXPECT_EQ(readFile(oa.path() / u8path("Ωmega.gif")), "omega");
}

// The longest names the file system takes: the temporary file beside each copy must not
// grow them past its limit.
TEST_F(Destination, NamesOfTwoHundredFiftyFiveBytesAreCopied)
{
    const std::string resource = std::string(251, 'r') + ".gif";
    std::string photo;
    while (photo.size() < 250)
        photo += "é";
    photo += "x.jpg";
    ASSERT_EQ(photo.size(), 255u);
    writeFile(m_depart / resource, "long resource");
    const fs::path photos = m_root.makeFolder("photos");
    writeFile(photos / u8path(photo), "long photo");
    prepare(utf8Of(photos / u8path(photo)));
    EXPECT_EQ(namesIn(m_oa.path()),
              (std::set<std::string>{"bandeau.gif", "logo.jpg", resource, photo}));
    EXPECT_EQ(readFile(inDestination(photo)), "long photo");
}

TEST_F(Destination, LeftoverOfAStoppedRunIsRemovedAndNothingElse)
{
    const std::set<std::string> others{".pomerel-0123abcd.tmp.bak", ".pomerel-0123ABCD.tmp",
                                       ".pomerel-0123abc.tmp",      "pomerel-0123abcd.tmp",
                                       ".CV.html.a1b2c3.tmp",       "notes.txt"};
    for (const std::string &name : others)
        writeFile(inDestination(name), "not ours");
    writeFile(inDestination(".pomerel-0123abcd.tmp"), "left by a run that was stopped");
    fs::create_directory(inDestination(".pomerel-00000000.tmp"));
    prepare();
    std::set<std::string> expected = others;
    expected.insert({".pomerel-00000000.tmp", "bandeau.gif", "logo.jpg"});
    EXPECT_EQ(namesIn(m_oa.path()), expected);
}

TEST_F(Destination, TemporaryFileStillBeingWrittenStays)
{
    const std::string target = utf8Of(inDestination(std::string(255, 'p')));
    pomerel::files::TemporaryFile page(target, 0666);
    page.write("written meanwhile");
    const std::set<std::string> before = namesIn(m_oa.path());
    ASSERT_EQ(before.size(), 1u);
    EXPECT_TRUE(pomerel::files::isTemporaryFileName(*before.begin())) << *before.begin();
    prepare();
    EXPECT_TRUE(namesIn(m_oa.path()).contains(*before.begin()));
    page.commit();
    EXPECT_EQ(readFile(u8path(target)), "written meanwhile");
}

#ifndef _WIN32

TEST_F(Destination, RunKilledWhileWritingLeavesWhatTheNextRunRemoves)
{
    writeFile(inDestination("CV.html"), "previous page");
    const std::string page = utf8Of(inDestination("CV.html"));
    EXPECT_EQ(runInChild([&] {
                  pomerel::files::TemporaryFile output(page, 0666);
                  output.write("half a page");
                  ::raise(SIGKILL);
                  return 0;
              }),
              103);
    std::set<std::string> names = namesIn(m_oa.path());
    names.erase("CV.html");
    ASSERT_EQ(names.size(), 1u);
    EXPECT_TRUE(pomerel::files::isTemporaryFileName(*names.begin())) << *names.begin();
    prepare();
    EXPECT_EQ(namesIn(m_oa.path()), (std::set<std::string>{"CV.html", "bandeau.gif", "logo.jpg"}));
    EXPECT_EQ(readFile(inDestination("CV.html")), "previous page");
}

struct ModeCase
{
    std::string name;
    perms before;
    perms after;
};

class AttributeClearing : public Destination, public testing::WithParamInterface<ModeCase>
{
};

TEST_P(AttributeClearing, AddsOwnerReadAndWriteAndChangesNothingElse)
{
    const std::string names[] = {"page.html", ".cache"}; // ordinary and hidden
    for (const std::string &name : names) {
        writeFile(inDestination(name), name);
        fs::permissions(inDestination(name), GetParam().before);
    }
    prepare();
    for (const std::string &name : names) {
        EXPECT_EQ(permissionsOf(inDestination(name)), GetParam().after) << name;
        EXPECT_EQ(readFile(inDestination(name)), name);
    }
}

constexpr perms mode(unsigned bits)
{
    return static_cast<perms>(bits);
}

INSTANTIATE_TEST_SUITE_P(Modes, AttributeClearing,
                         testing::Values(ModeCase{"ReadOnlyForAll", mode(0444), mode(0644)},
                                         ModeCase{"NoRights", mode(0000), mode(0600)},
                                         ModeCase{"OwnerReadOnly", mode(0400), mode(0600)},
                                         ModeCase{"OwnerWriteOnly", mode(0200), mode(0600)},
                                         ModeCase{"ExecuteOnly", mode(0111), mode(0711)},
                                         ModeCase{"OwnerReadAndWriteAlready", mode(0604),
                                                  mode(0604)},
                                         ModeCase{"GroupRightsKept", mode(0750), mode(0750)},
                                         ModeCase{"AllRights", mode(0777), mode(0777)}),
                         testing_support::CaseName());

TEST_F(Destination, SubfoldersAndTheirFilesKeepTheirRights)
{
    const fs::path sub = m_oa.makeFolder("archives");
    writeFile(sub / "vieux.html", "x");
    fs::permissions(sub / "vieux.html", mode(0444));
    fs::permissions(sub, mode(0555));
    prepare();
    EXPECT_EQ(permissionsOf(sub / "vieux.html"), mode(0444));
    EXPECT_EQ(permissionsOf(sub), mode(0555));
}

TEST_F(Destination, LinksAreNeverFollowed)
{
    const TempFolder elsewhere("pomerel-elsewhere");
    const fs::path outside = elsewhere.path() / "dehors.txt";
    const fs::path outsideLogo = elsewhere.path() / "logo.jpg";
    writeFile(outside, "outside");
    writeFile(outsideLogo, "outside logo");
    fs::permissions(outside, mode(0444));
    fs::permissions(outsideLogo, mode(0444));
    fs::create_symlink(outside, inDestination("lien.txt"));
    fs::create_symlink(outsideLogo, inDestination("logo.jpg"));
    fs::create_directory_symlink(elsewhere.path(), inDestination("dossier-lien"));

    prepare();

    // The link to an untouched file is still there and its target keeps its rights.
    EXPECT_TRUE(fs::is_symlink(inDestination("lien.txt")));
    EXPECT_EQ(permissionsOf(outside), mode(0444));
    // The copy replaced the link that sat where it goes, and not its target.
    EXPECT_FALSE(fs::is_symlink(inDestination("logo.jpg")));
    EXPECT_EQ(readFile(inDestination("logo.jpg")), "resource logo");
    EXPECT_EQ(readFile(outsideLogo), "outside logo");
    EXPECT_EQ(permissionsOf(outsideLogo), mode(0444));
    EXPECT_EQ(namesIn(elsewhere.path()), (std::set<std::string>{"dehors.txt", "logo.jpg"}));
}

TEST_F(Destination, CopiesKeepTheRightsOfTheirSource)
{
    fs::permissions(m_depart / "logo.jpg", mode(0440));
    prepare();
    EXPECT_EQ(permissionsOf(inDestination("logo.jpg")), mode(0440));
}

TEST_F(Destination, PhotoNameWithWildcardsIsTakenLiterally)
{
    const fs::path photos = m_root.makeFolder("photos");
    writeFile(photos / "a*b?.jpg", "literal");
    writeFile(photos / "aXbY.jpg", "other");
    prepare(utf8Of(photos / "a*b?.jpg"));
    EXPECT_EQ(namesIn(m_oa.path()), (std::set<std::string>{"a*b?.jpg", "bandeau.gif", "logo.jpg"}));
}

TEST_F(Destination, PhotoThatIsNoRegularFileIsRefusedWithoutWaiting)
{
    const fs::path pipe = m_root.path() / "tube.jpg";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    EXPECT_EQ(failingPrepare(utf8Of(pipe)), ErrorNumber::FileNotFound);
    EXPECT_EQ(failingPrepare(utf8Of(m_root.makeFolder("dossier.jpg"))), ErrorNumber::FileNotFound);
    EXPECT_EQ(namesIn(m_oa.path()), (std::set<std::string>{"bandeau.gif", "logo.jpg"}));
}

TEST_F(Destination, FileTheUserMayNotChangeIsPermissionDenied)
{
    // Owned by root: "nobody" may not change its rights.
    writeFile(inDestination("verrou.txt"), "x");
    fs::permissions(inDestination("verrou.txt"), mode(0444));
    fs::permissions(m_oa.path(), mode(0777));
    EXPECT_EQ(prepareAsOrdinaryUser(), static_cast<int>(ErrorNumber::PermissionDenied));
    EXPECT_EQ(permissionsOf(inDestination("verrou.txt")), mode(0444));
    EXPECT_EQ(namesIn(m_oa.path()), std::set<std::string>{"verrou.txt"});
}

#endif

} // namespace
