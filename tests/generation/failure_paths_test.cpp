// SPDX-License-Identifier: GPL-3.0-or-later

// Every way a generation run can fail, one row each: the error's number, and what is on disk
// afterwards. A failed run keeps what its earlier steps did, never leaves a half-written or
// temporary page, and never touches the previous page.
//
// Root ignores permission bits, so the rows about rights run in a child process that has
// given them up (as "nobody"), and check the bits they rely on. A full disk is a real one as
// far as the program can tell: the child may not grow a file past a limit. Those rows need
// fork(); the others run on Windows too.

#include "generation/error.h"
#include "generation/generation.h"
#include "generation/pagetemplate.h"
#include "generation/paths.h"
#include "test_support.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

using namespace testing_support;
using pomerel::ErrorNumber;

constexpr std::string_view kOldPage = "page d'une course précédente";
constexpr std::size_t kFileSizeLimit = 64 * 1024;

// 27 placeholders: the picture, the name, then every other slot.
const std::string kTemplate =
    "<img src=\"*\">\r\n<h1>*</h1>\r\n<p>" + std::string(25, '*') + "</p>\r\n";

// A resource folder, a destination holding an earlier page and a note, and a chosen photo.
struct World
{
    TempFolder root{"pannes"};
    fs::path depart = root.makeFolder("depart");
    fs::path oa = root.makeFolder("oa");
    fs::path photos = root.makeFolder("photos");
    pomerel::RunData data;
    std::shared_ptr<void> held; // something another program keeps open during the run

    World()
    {
        makeResources(depart, kTemplate);
        writeFile(oa / "CV.html", kOldPage);
        writeFile(oa / "notes.txt", "notes");
        writeFile(photos / "moi.jpg", "photo");
        data = {utf8Of(depart),
                root.asDestination() + "oa" + pomerel::separator(),
                utf8Of(photos / "moi.jpg"),
                "moi.jpg",
                {}};
        data.texts[5] = "Zoé Dupont";
    }
};

// Where the failing step runs.
enum class Runner {
    InProcess,
#ifndef _WIN32
    WithoutRights,  // as "nobody", in a child
    LimitedFileSize // in a child that may not write a file larger than kFileSizeLimit
#endif
};

// What the run calls: the whole run, or the filling of the template alone.
enum class Step { Run, FillTemplate };

enum class Page { Kept, Missing, Written };

struct FailureCase
{
    const char *name;
    std::function<void(World &)> arrange;
    Step step;
    Runner runner;
    std::optional<ErrorNumber> error; // nothing: the run succeeds
    std::set<std::string> namesInDestination;
    Page page;
    std::function<void(const World &)> alsoCheck = {};
    // The path the report names, for a failure in this process; nothing: not checked.
    std::function<std::string(const World &)> reportedPath = {};
};

void PrintTo(const FailureCase &c, std::ostream *out)
{
    *out << c.name;
}

const std::set<std::string> kBefore{"CV.html", "notes.txt"};
const std::set<std::string> kJpgCopied{"CV.html", "notes.txt", "logo.jpg"};
const std::set<std::string> kPicturesCopied{"CV.html", "notes.txt", "logo.jpg", "bandeau.gif"};
const std::set<std::string> kEverythingCopied{"CV.html", "notes.txt", "logo.jpg", "bandeau.gif",
                                              "moi.jpg"};

#ifndef _WIN32
void setMode(const fs::path &path, fs::perms mode)
{
    fs::permissions(path, mode);
    ASSERT_EQ(permissionsOf(path), mode) << utf8Of(path);
}
#endif

// Runs the step where the case says, giving the error's number (0 for none) and, when it
// failed in this process, the path its report names.
int runStep(const FailureCase &c, World &world, FakeWindow &window, std::string &reportedPath)
{
    const auto body = [&] {
        return errorNumberOf([&] {
            try {
                if (c.step == Step::Run) {
                    pomerel::generatePage(world.data, window);
                } else {
                    pomerel::fillTemplate(world.data.depart, world.data.oa,
                                          pomerel::buildCvFields(world.data.OC, world.data.texts));
                }
            } catch (const pomerel::Error &error) {
                reportedPath = error.path();
                throw;
            }
        });
    };
    switch (c.runner) {
    case Runner::InProcess:
        return body();
#ifndef _WIN32
    case Runner::WithoutRights:
        return runWithoutPrivileges(body);
    case Runner::LimitedFileSize:
        return runInChild([&] {
            limitFileSize(kFileSizeLimit);
            return body();
        });
#endif
    }
    return -1;
}

class FailurePaths : public testing::TestWithParam<FailureCase>
{
};

TEST_P(FailurePaths, ReportTheirNumberAndLeaveTheDiskAsTheEarlierStepsMadeIt)
{
    const FailureCase &c = GetParam();
    World world;
    c.arrange(world);
    if (HasFatalFailure() || IsSkipped())
        return;
    const std::string OCBefore = world.data.OC;
    FakeWindow window;

    std::string reportedPath;
    const int result = runStep(c, world, window, reportedPath);
    world.held.reset();

    ASSERT_LT(result, 100) << "the child process did not finish normally";
    EXPECT_EQ(result, c.error ? static_cast<int>(*c.error) : 0);
    if (fs::exists(world.oa))
        EXPECT_EQ(namesIn(world.oa), c.namesInDestination);
    else
        EXPECT_TRUE(c.namesInDestination.empty());

    const fs::path page = world.oa / "CV.html";
    switch (c.page) {
    case Page::Kept:
        EXPECT_EQ(readFile(page), kOldPage);
        break;
    case Page::Missing:
        EXPECT_FALSE(fs::is_regular_file(page));
        break;
    case Page::Written:
        EXPECT_TRUE(readFile(page).starts_with("<img src=\"moi.jpg\">\r\n<h1>Zo\xe9 Dupont</h1>"));
        break;
    }
    if (c.error && c.runner == Runner::InProcess) {
        EXPECT_TRUE(window.calls.empty())
            << "a failed run gave the finished look or opened the page";
        EXPECT_EQ(world.data.OC, OCBefore);
    }
    if (c.alsoCheck)
        c.alsoCheck(world);
    if (c.reportedPath) {
        EXPECT_EQ(reportedPath, c.reportedPath(world));
    }
}

#ifdef _WIN32
// Moving the page over a folder is refused as an access.
constexpr ErrorNumber kPageOntoFolder = ErrorNumber::PermissionDenied;

// Read-only, hidden and system, as a first run's files may have been left: each of these
// keeps Windows from replacing a file.
constexpr DWORD kProtection =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

void protect(const fs::path &path)
{
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), kProtection));
}

bool isProtected(const fs::path &path)
{
    return (::GetFileAttributesW(path.c_str()) & kProtection) != 0;
}
#else
constexpr ErrorNumber kPageOntoFolder = ErrorNumber::PathFileAccessError;

// Read-only for everyone.
void protect(const fs::path &path)
{
    setMode(path, fs::perms(0444));
}

bool isProtected(const fs::path &path)
{
    return (permissionsOf(path) & fs::perms::owner_write) == fs::perms::none;
}
#endif

const FailureCase kFailures[] = {
    {"TemplateMissing", [](World &w) { fs::remove(w.depart / "brt.ggg"); }, Step::Run,
     Runner::InProcess, ErrorNumber::FileNotFound, kEverythingCopied, Page::Kept},
    {"TwentyEighthPlaceholder",
     [](World &w) { writeFile(w.depart / "brt.ggg", kTemplate + "*"); },
     Step::Run,
     Runner::InProcess,
     ErrorNumber::SubscriptOutOfRange,
     kEverythingCopied,
     Page::Kept,
     {}, // the report names the template, which is what needs mending
     [](const World &w) { return utf8Of(w.depart / "brt.ggg"); }},
    {"TwentyEighthPlaceholderWithNoEarlierPage",
     [](World &w) {
         fs::remove(w.oa / "CV.html");
         writeFile(w.depart / "brt.ggg", kTemplate + "\r\n*");
     },
     Step::Run,
     Runner::InProcess,
     ErrorNumber::SubscriptOutOfRange,
     {"notes.txt", "logo.jpg", "bandeau.gif", "moi.jpg"},
     Page::Missing},
    {"PageNameTakenByAFolder",
     [](World &w) {
         fs::remove(w.oa / "CV.html");
         fs::create_directory(w.oa / "CV.html");
     },
     Step::Run, Runner::InProcess, kPageOntoFolder, kEverythingCopied, Page::Missing,
     [](const World &w) { EXPECT_TRUE(fs::is_empty(w.oa / "CV.html")); }},
    {"DestinationRemovedAfterItWasChosen",
     [](World &w) { fs::remove_all(w.oa); },
     Step::Run,
     Runner::InProcess,
     ErrorNumber::PathNotFound,
     {},
     Page::Missing},
    {"ReadOnlyFilesAreClearedAndReplaced",
     [](World &w) {
         writeFile(w.oa / "logo.jpg", "ancien logo");
         for (const char *name : {"CV.html", "notes.txt", "logo.jpg"})
             protect(w.oa / name);
     },
     Step::Run, Runner::InProcess, std::nullopt, kEverythingCopied, Page::Written,
     [](const World &w) {
         for (const char *name : {"CV.html", "notes.txt", "logo.jpg"})
             EXPECT_FALSE(isProtected(w.oa / name)) << name;
         EXPECT_EQ(readFile(w.oa / "logo.jpg"), "resource logo");
         EXPECT_EQ(readFile(w.oa / "notes.txt"), "notes");
     }},
    {"ResourceFolderWithoutGif", [](World &w) { fs::remove(w.depart / "bandeau.gif"); }, Step::Run,
     Runner::InProcess, ErrorNumber::FileNotFound, kJpgCopied, Page::Kept},
    {"ResourceFolderWithoutJpg", [](World &w) { fs::remove(w.depart / "logo.jpg"); }, Step::Run,
     Runner::InProcess, ErrorNumber::FileNotFound, kBefore, Page::Kept},
    {"ResourceFolderMissing", [](World &w) { fs::remove_all(w.depart); }, Step::Run,
     Runner::InProcess, ErrorNumber::PathNotFound, kBefore, Page::Kept},
    {"NoResourceFolder", [](World &w) { w.data.depart.clear(); }, Step::Run, Runner::InProcess,
     ErrorNumber::PathNotFound, kBefore, Page::Kept},
    {"ChosenPhotoDeletedBeforeSuite", [](World &w) { fs::remove(w.photos / "moi.jpg"); }, Step::Run,
     Runner::InProcess, ErrorNumber::FileNotFound, kPicturesCopied, Page::Kept},
    {"ChosenPhotoFolderDeletedBeforeSuite", [](World &w) { fs::remove_all(w.photos); }, Step::Run,
     Runner::InProcess, ErrorNumber::PathNotFound, kPicturesCopied, Page::Kept},
#ifdef _WIN32
    {"PageOpenInAnotherProgram",
     [](World &w) {
         // As a word processor holds a file it shows: no sharing at all.
         const HANDLE page = ::CreateFileW((w.oa / "CV.html").c_str(), GENERIC_READ, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
         ASSERT_NE(page, INVALID_HANDLE_VALUE);
         w.held = std::shared_ptr<void>(page, ::CloseHandle);
     },
     Step::Run, Runner::InProcess, ErrorNumber::PermissionDenied, kEverythingCopied, Page::Kept},
#else
    {"PageInAFolderThatCannotBeWritten", [](World &w) { setMode(w.oa, fs::perms(0555)); },
     Step::FillTemplate, Runner::WithoutRights, ErrorNumber::PermissionDenied, kBefore, Page::Kept},
    {"DestinationThatCannotBeWritten", [](World &w) { setMode(w.oa, fs::perms(0555)); }, Step::Run,
     Runner::WithoutRights, ErrorNumber::PermissionDenied, kBefore, Page::Kept},
    {"ReadOnlyFileOfAnotherOwner",
     [](World &w) {
         // The destination is nobody's, but one file in it is root's and read-only: nobody
         // may not change its mode. Root gives the rest away before dropping its rights.
         if (::geteuid() != 0)
             GTEST_SKIP() << "only root can give a file to another owner";
         setMode(w.oa / "notes.txt", fs::perms(0444));
         constexpr uid_t nobody = 65534;
         ASSERT_EQ(::chown(w.oa.c_str(), nobody, nobody), 0);
         ASSERT_EQ(::chown((w.oa / "CV.html").c_str(), nobody, nobody), 0);
     },
     Step::Run, Runner::WithoutRights, ErrorNumber::PermissionDenied, kBefore, Page::Kept,
     [](const World &w) { EXPECT_EQ(permissionsOf(w.oa / "notes.txt"), fs::perms(0444)); }},
    {"ReadOnlyFileGetsOwnerReadAndWriteOnly",
     [](World &w) { setMode(w.oa / "notes.txt", fs::perms(0404)); }, Step::Run, Runner::InProcess,
     std::nullopt, kEverythingCopied, Page::Written,
     [](const World &w) { EXPECT_EQ(permissionsOf(w.oa / "notes.txt"), fs::perms(0604)); }},
    {"DiskFullWhileWritingThePage",
     [](World &w) { w.data.texts[0] = std::string(4 * kFileSizeLimit, 'x'); }, Step::Run,
     Runner::LimitedFileSize, ErrorNumber::DiskFull, kEverythingCopied, Page::Kept},
    {"DiskFullWhileCopyingAPicture",
     [](World &w) { writeFile(w.depart / "logo.jpg", std::string(2 * kFileSizeLimit, 'j')); },
     Step::Run, Runner::LimitedFileSize, ErrorNumber::DiskFull, kBefore, Page::Kept},
#endif
};

INSTANTIATE_TEST_SUITE_P(Generation, FailurePaths, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<FailureCase> &row) {
                             return std::string(row.param.name);
                         });

#ifndef _WIN32
// The rows about rights hold only if the child really lost them: root could write anywhere.
TEST(FailurePathsWithoutRights, ChildCannotWriteIntoAFolderItDoesNotOwn)
{
    World world;
    setMode(world.oa, fs::perms(0555));
    const int result =
        runWithoutPrivileges([&] { return ::access(world.oa.c_str(), W_OK) == 0 ? 1 : 0; });
    EXPECT_EQ(result, 0) << "the child kept the right to write";
}

// And a full disk is reported, not a process killed by the size limit.
TEST(FailurePathsWithLimitedFileSize, ChildGetsAnErrorPastTheLimit)
{
    World world;
    const int result = runInChild([&] {
        limitFileSize(kFileSizeLimit);
        try {
            writeFile(world.oa / "gros", std::string(2 * kFileSizeLimit, 'x'));
        } catch (const std::exception &) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(result, 0);
}

#endif

} // namespace
