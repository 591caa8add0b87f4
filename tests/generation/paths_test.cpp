#include "generation/error.h"
#include "generation/generation.h"
#include "generation/paths.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

using pomerel::PathStyle;
using namespace testing_support;

struct JoinCase
{
    std::string name;
    PathStyle style;
    std::string folder;
    std::string file;
    std::string expected;
};

class FolderAndFileJoin : public testing::TestWithParam<JoinCase>
{
};

TEST_P(FolderAndFileJoin, AddsOneSeparatorOnlyWhenMissing)
{
    const JoinCase &c = GetParam();
    EXPECT_EQ(pomerel::joinFolderAndFile(c.folder, c.file, c.style), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    BothStyles, FolderAndFileJoin,
    testing::Values(
        JoinCase{"WindowsFolder", PathStyle::Windows, "C:\\CV", "photo.jpg", "C:\\CV\\photo.jpg"},
        JoinCase{"WindowsDriveRoot", PathStyle::Windows, "C:\\", "photo.jpg", "C:\\photo.jpg"},
        JoinCase{"WindowsFolderAndNoName", PathStyle::Windows, "D:\\Mes Documents\\été", "",
                 "D:\\Mes Documents\\été\\"},
        JoinCase{"WindowsFolderWithItsSeparator", PathStyle::Windows, "C:\\CV\\", "", "C:\\CV\\"},
        JoinCase{"PosixFolder", PathStyle::Posix, "/home/moi/cv", "photo.jpg",
                 "/home/moi/cv/photo.jpg"},
        JoinCase{"PosixRoot", PathStyle::Posix, "/", "photo.jpg", "/photo.jpg"},
        JoinCase{"PosixFolderAndNoName", PathStyle::Posix, "/home/moi/Łódź", "", "/home/moi/Łódź/"},
        JoinCase{"NoFolder", PathStyle::Posix, "", "photo.jpg", "photo.jpg"},
        // A backslash is an ordinary character of a POSIX name.
        JoinCase{"PosixBackslash", PathStyle::Posix, "/tmp/a\\", "b", "/tmp/a\\/b"}),
    CaseName());

struct RootCase
{
    std::string name;
    PathStyle style;
    std::string currentDirectory;
    std::string expected;
};

class ResourceFolder : public testing::TestWithParam<RootCase>
{
};

TEST_P(ResourceFolder, DriveRootGetsTheProgramFolder)
{
    const RootCase &c = GetParam();
    EXPECT_EQ(pomerel::resourceFolderFor(c.currentDirectory, c.style), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    BothStyles, ResourceFolder,
    testing::Values(RootCase{"DriveC", PathStyle::Windows, "C:\\", "C:\\Pomerel"},
                    RootCase{"DriveD", PathStyle::Windows, "D:\\", "D:\\Pomerel"},
                    RootCase{"ThreeCharacterFolder", PathStyle::Windows, "C:\\A", "C:\\A"},
                    RootCase{"WindowsFolder", PathStyle::Windows, "C:\\Work", "C:\\Work"},
                    RootCase{"AccentedThreeCharacterFolder", PathStyle::Windows, "C:\\é", "C:\\é"},
                    RootCase{"NetworkShare", PathStyle::Windows, "\\\\serveur\\partage",
                             "\\\\serveur\\partage"},
                    RootCase{"PosixRoot", PathStyle::Posix, "/", "/Pomerel"},
                    RootCase{"PosixFolder", PathStyle::Posix, "/usr", "/usr"},
                    RootCase{"FolderNamedPomerel", PathStyle::Posix, "/opt/Pomerel",
                             "/opt/Pomerel"},
                    RootCase{"PosixSubfolder", PathStyle::Posix, "/a/b", "/a/b"}),
    CaseName());

TEST(CurrentResourceFolder, IsTheWorkingFolderEvenWithAccentsAndBlanks)
{
    const TempFolder folder("pomerel départ ł");
    const WorkingFolder inside(folder.path());
    EXPECT_EQ(pomerel::currentResourceFolder(), utf8Of(std::filesystem::current_path()));
    EXPECT_NE(pomerel::currentResourceFolder().find("départ ł"), std::string::npos);
}

TEST(CurrentResourceFolder, FromTheRootIsTheProgramFolderUnderIt)
{
    const std::filesystem::path root = std::filesystem::current_path().root_path();
    const WorkingFolder atRoot(root);
    EXPECT_EQ(pomerel::currentResourceFolder(), utf8Of(root) + "Pomerel");
}

TEST(CurrentResourceFolder, DoesNotRequireTheResourcesToExist)
{
    const TempFolder empty;
    const WorkingFolder inside(empty.path());
    EXPECT_FALSE(pomerel::currentResourceFolder().empty());
}

TEST(ResourcePath, RefusesAnUnknownResourceFolder)
{
    // Not "/brt.ggg" at the root of the disk.
    try {
        (void)pomerel::resourcePath("", "brt.ggg");
        FAIL() << "no error";
    } catch (const pomerel::Error &error) {
        EXPECT_EQ(error.number(), pomerel::ErrorNumber::PathNotFound);
    }
}

} // namespace
