#include "generation/destination.h"
#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/generation.h"
#include "generation/paths.h"
#include "test_support.h"

#include <gtest/gtest.h>

#ifndef _WIN32
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
    std::string pattern;
    bool matches;
};

class Wildcard : public testing::TestWithParam<WildcardCase>
{
};

TEST_P(Wildcard, MatchesNamesAsWindowsDoesIgnoringCase)
{
    EXPECT_EQ(pomerel::files::matchesWildcard(GetParam().name, GetParam().pattern),
              GetParam().matches)
        << GetParam().name << " ~ " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Wildcard,
    testing::Values(
        WildcardCase{"logo.jpg", "*.jpg", true}, WildcardCase{"LOGO.JPG", "*.jpg", true},
        WildcardCase{"Puce.Gif", "*.GIF", true}, WildcardCase{".jpg", "*.jpg", true},
        WildcardCase{"a.jpg.jpg", "*.jpg", true}, WildcardCase{"a.jpeg", "*.jpg", false},
        WildcardCase{"a.jpg.bak", "*.jpg", false}, WildcardCase{"jpg", "*.jpg", false},
        WildcardCase{"été.gif", "?té.gif", true}, WildcardCase{"été.gif", "??té.gif", false},
        WildcardCase{"abcabd", "*ab?", true}, WildcardCase{"abcab", "*ab?", false},
        WildcardCase{"x", "**", true}, WildcardCase{"", "*", true},
        WildcardCase{"É.jpg", "é.jpg", false}));

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
        try {
            prepare(OB);
        } catch (const pomerel::Error &error) {
            return error.number();
        }
        ADD_FAILURE() << "the preparation did not fail";
        return {};
    }

    fs::path inDestination(std::string_view name) const { return m_oa.path() / u8path(name); }

    // Runs the preparation in a child without root's rights: the error number, or 0.
    int prepareAsOrdinaryUser() const
    {
        const std::string oa = m_oa.asDestination();
        const std::string depart = utf8Of(m_depart);
        return runWithoutPrivileges([&] {
            std::string OC;
            try {
                pomerel::prepareDestination(oa, depart, {}, OC);
            } catch (const pomerel::Error &error) {
                return static_cast<int>(error.number());
            }
            return 0;
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

TEST_F(Destination, ReadOnlyFilesAreMadeWritable)
{
    writeFile(inDestination("ancien.txt"), "old");
    fs::permissions(inDestination("ancien.txt"),
                    perms::owner_write | perms::group_write | perms::others_write,
                    fs::perm_options::remove);
    prepare();
    EXPECT_NE(permissionsOf(inDestination("ancien.txt")) & perms::owner_write, perms::none);
    EXPECT_EQ(readFile(inDestination("ancien.txt")), "old");
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

struct MissingCase
{
    std::string name;
    std::vector<std::string> removed; // from the resource folder
    ErrorNumber expected;
    std::set<std::string> copied; // what the destination holds afterwards
};

class MissingResources : public Destination, public testing::WithParamInterface<MissingCase>
{
};

TEST_P(MissingResources, StopAtTheFailingCopyWithEarlierCopiesDone)
{
    for (const std::string &name : GetParam().removed)
        fs::remove_all(m_depart / name);
    EXPECT_EQ(failingPrepare(), GetParam().expected);
    EXPECT_EQ(namesIn(m_oa.path()), GetParam().copied);
    EXPECT_EQ(m_OC, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingResources,
    testing::Values(MissingCase{"NoGif", {"bandeau.gif"}, ErrorNumber::FileNotFound, {"logo.jpg"}},
                    MissingCase{"NoJpg", {"logo.jpg"}, ErrorNumber::FileNotFound, {}},
                    MissingCase{"NoResourceFolder", {""}, ErrorNumber::PathNotFound, {}}),
    testing_support::CaseName());

TEST_F(Destination, MissingPhotoFailsAfterTheResourcesAndKeepsOC)
{
    m_OC = "";
    EXPECT_EQ(failingPrepare(utf8Of(m_root.path() / "absente.jpg")), ErrorNumber::FileNotFound);
    EXPECT_EQ(namesIn(m_oa.path()), (std::set<std::string>{"bandeau.gif", "logo.jpg"}));
    EXPECT_EQ(m_OC, "");
}

TEST_F(Destination, PhotoInAMissingFolderIsPathNotFound)
{
    EXPECT_EQ(failingPrepare(utf8Of(m_root.path() / "parti" / "photo.jpg")),
              ErrorNumber::PathNotFound);
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

#ifndef _WIN32

struct ModeCase
{
    perms before;
    perms after;
};

class AttributeClearing : public Destination, public testing::WithParamInterface<ModeCase>
{
};

TEST_P(AttributeClearing, AddsOwnerReadAndWriteAndChangesNothingElse)
{
    for (const char *name : {"page.html", ".cache"}) { // ordinary and hidden
        writeFile(inDestination(name), "x");
        fs::permissions(inDestination(name), GetParam().before);
    }
    prepare();
    EXPECT_EQ(permissionsOf(inDestination("page.html")), GetParam().after);
    EXPECT_EQ(permissionsOf(inDestination(".cache")), GetParam().after);
}

constexpr perms mode(unsigned bits)
{
    return static_cast<perms>(bits);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, AttributeClearing,
    testing::Values(ModeCase{mode(0444), mode(0644)}, ModeCase{mode(0000), mode(0600)},
                    ModeCase{mode(0400), mode(0600)}, ModeCase{mode(0200), mode(0600)},
                    ModeCase{mode(0111), mode(0711)}, ModeCase{mode(0604), mode(0604)},
                    ModeCase{mode(0750), mode(0750)}, ModeCase{mode(0777), mode(0777)}));

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
