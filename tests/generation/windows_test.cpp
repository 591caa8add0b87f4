// SPDX-License-Identifier: GPL-3.0-or-later

// What only Windows does: drive roots, backslashes, file attributes, files held open, wide
// paths and the start of the browser program. Run by the cross-built suite under Wine
// (scripts/test-windows.sh) and on Windows itself.

#ifdef _WIN32

#include "generation/browser.h"
#include "generation/destination.h"
#include "generation/error.h"
#include "generation/generation.h"
#include "generation/pagetemplate.h"
#include "generation/paths.h"
#include "test_support.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <thread>
#include <windows.h>

namespace {

using namespace testing_support;
using namespace std::chrono_literals;

DWORD attributesOf(const fs::path &path)
{
    return ::GetFileAttributesW(path.c_str());
}

bool underWine()
{
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// What a cleared file shows. Wine gives every regular file the archive attribute and cannot
// take it away, so there the other attributes are what can be checked.
DWORD clearedAttributes()
{
    return underWine() ? FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_NORMAL;
}

void setAttributes(const fs::path &path, DWORD attributes)
{
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), attributes)) << utf8Of(path);
}

// --- Drive roots and backslashes ----------------------------------------------------------

struct DriveCase
{
    std::string name;
    std::string root;
};

class DriveRootAsWorkingFolder : public testing::TestWithParam<DriveCase>
{
};

TEST_P(DriveRootAsWorkingFolder, GivesThePomerelFolderOnThatDrive)
{
    const std::string root = GetParam().root;
    const WorkingFolder atRoot(u8path(root));
    EXPECT_EQ(pomerel::currentResourceFolder(), root + "Pomerel");
}

// C: is the prefix's own drive; Z: is where Wine shows the host's root.
INSTANTIATE_TEST_SUITE_P(Drives, DriveRootAsWorkingFolder,
                         testing::Values(DriveCase{"DriveC", "C:\\"}, DriveCase{"DriveZ", "Z:\\"}),
                         CaseName());

TEST(WindowsPaths, FolderOfThreeCharactersThatIsNotARootStaysAsItIs)
{
    const TempFolder folder("r");
    const WorkingFolder inside(folder.path());
    const std::string current = pomerel::currentResourceFolder();
    EXPECT_EQ(current, folder.text());
    EXPECT_EQ(current.find('/'), std::string::npos);
}

struct NativeJoin
{
    std::string name;
    const char *folder;
    const char *file;
    const char *expected;
};

class NativeJoins : public testing::TestWithParam<NativeJoin>
{
};

TEST_P(NativeJoins, UseABackslashUnlessTheFolderEndsWithOne)
{
    EXPECT_EQ(pomerel::nativePathStyle(), pomerel::PathStyle::Windows);
    const NativeJoin &c = GetParam();
    EXPECT_EQ(pomerel::joinFolderAndFile(c.folder, c.file), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, NativeJoins,
    testing::Values(NativeJoin{"DriveRoot", "C:\\", "moi.jpg", "C:\\moi.jpg"},
                    NativeJoin{"Folder", "C:\\Photos", "moi.jpg", "C:\\Photos\\moi.jpg"},
                    NativeJoin{"NoName", "D:\\CV", "", "D:\\CV\\"},
                    NativeJoin{"FolderWithItsSeparator", "D:\\CV\\", "", "D:\\CV\\"},
                    NativeJoin{"AccentsAndBlanks", "C:\\Mes Documents\\Zoé ł", "été.gif",
                               "C:\\Mes Documents\\Zoé ł\\été.gif"}),
    CaseName());

// --- Attributes ------------------------------------------------------------------------------

struct AttributeCase
{
    std::string name;
    const char *file;
    DWORD attributes;
};

class ClearedAttributes : public testing::TestWithParam<AttributeCase>
{
};

TEST_P(ClearedAttributes, BecomeTheNormalAttributeWhileSubfoldersKeepTheirs)
{
    const AttributeCase &c = GetParam();
    const TempFolder root("attributs");
    const fs::path depart = root.makeFolder("depart");
    makeResources(depart, "*");
    const fs::path oa = root.makeFolder("oa");
    const fs::path file = oa / u8path(c.file);
    const fs::path inner = root.makeFolder("oa/sous-dossier") / "garde.txt";
    writeFile(file, "contenu");
    writeFile(inner, "contenu");
    setAttributes(file, c.attributes);
    setAttributes(inner, c.attributes);
    ASSERT_EQ(attributesOf(file) & c.attributes, c.attributes) << "attributes not set";

    std::string OC;
    pomerel::prepareDestination(utf8Of(oa) + "\\", utf8Of(depart), "", OC);

    EXPECT_EQ(attributesOf(file), clearedAttributes());
    EXPECT_EQ(attributesOf(inner) & c.attributes, c.attributes);
    EXPECT_EQ(readFile(file), "contenu");
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ClearedAttributes,
    testing::Values(AttributeCase{"ReadOnly", "lecture seule.txt", FILE_ATTRIBUTE_READONLY},
                    AttributeCase{"Hidden", "caché.txt", FILE_ATTRIBUTE_HIDDEN},
                    AttributeCase{"System", "système.txt", FILE_ATTRIBUTE_SYSTEM},
                    AttributeCase{"Archive", "archive.txt", FILE_ATTRIBUTE_ARCHIVE},
                    AttributeCase{"All", "tout.txt",
                                  FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE}),
    CaseName());

// --- Wildcard copies ---------------------------------------------------------------------

TEST(WindowsWildcardCopy, TakesEveryCaseOfTheExtensionAndNothingElse)
{
    const TempFolder root("jokers");
    const fs::path depart = root.makeFolder("depart");
    writeFile(depart / "brt.ggg", "*");
    for (const char *name : {"LOGO.JPG", "Photo.Jpg", "anim.GIF", "puce.gif", "notes.txt", "jpg",
                             "image.jpeg", "été ł.jpg"})
        writeFile(depart / u8path(name), name);
    root.makeFolder("depart/dossier.jpg");
    writeFile(root.makeFolder("depart/sous") / "dedans.gif", "x");
    const fs::path oa = root.makeFolder("oa");

    std::string OC;
    pomerel::prepareDestination(utf8Of(oa) + "\\", utf8Of(depart), "", OC);

    EXPECT_EQ(namesIn(oa), (std::set<std::string>{"LOGO.JPG", "Photo.Jpg", "anim.GIF", "puce.gif",
                                                  "été ł.jpg"}));
    EXPECT_EQ(readFile(oa / u8path("été ł.jpg")), "été ł.jpg");
    EXPECT_EQ(OC, "logo.jpg");
}

// --- Bytes of the page and non-ASCII paths -------------------------------------------------

TEST(WindowsPage, IsWrittenInWindows1252WithoutLineEndTranslation)
{
    const TempFolder root("octets");
    const fs::path depart = root.makeFolder("depart");
    writeFile(depart / "brt.ggg", "<p>\xe9*</p>\r\n*|*\n*");
    const fs::path oa = root.makeFolder("oa");
    pomerel::BoxTexts texts;
    texts[0] = "ligne 1\r\nligne 2"; // Text1, section 13
    texts[5] = "Zoé € ł 😀";          // Text6, slot 1
    texts[6] = "a\nb";               // Text7, slot 2
    const pomerel::CvFields fields = pomerel::buildCvFields("moi.jpg", texts);

    pomerel::fillTemplate(utf8Of(depart), utf8Of(oa) + "\\", fields);

    EXPECT_EQ(readFile(oa / "CV.html"), "<p>\xe9moi.jpg</p>\r\n"
                                        "Zo\xe9 \x80 &#322; &#128512;|a\nb\n"
                                        "\r\n");
}

TEST(WindowsPage, WholeRunWithAccentsAndOtherScriptsInEveryPath)
{
    const TempFolder root("chemins");
    const fs::path depart = root.makeFolder("Ressources é ł 中文");
    makeResources(depart, "<img src=\"*\"><h1>*</h1>");
    const fs::path photos = root.makeFolder("Photos ß");
    writeFile(photos / u8path("Zoé ł 😀.jpg"), "ma photo");
    const fs::path oa = root.makeFolder("Dossier Zoé ł Ελλάδα");
    const std::string OB = utf8Of(photos) + "\\Zoé ł 😀.jpg";

    std::string OC = "Zoé ł 😀.jpg";
    pomerel::prepareDestination(utf8Of(oa) + "\\", utf8Of(depart), OB, OC);
    pomerel::BoxTexts texts;
    texts[5] = "Zoé Łukasiewicz";
    pomerel::fillTemplate(utf8Of(depart), utf8Of(oa) + "\\", pomerel::buildCvFields(OC, texts));

    EXPECT_EQ(namesIn(oa),
              (std::set<std::string>{"CV.html", "Zoé ł 😀.jpg", "bandeau.gif", "logo.jpg"}));
    EXPECT_EQ(readFile(oa / u8path("Zoé ł 😀.jpg")), "ma photo");
    EXPECT_EQ(readFile(oa / "CV.html"),
              "<img src=\"Zo\xe9 &#322; &#128512;.jpg\"><h1>Zo\xe9 &#321;ukasiewicz</h1>\r\n");
}

// Past MAX_PATH (260 characters) a program that is not long-path aware gets a path error on
// Windows, while Wine takes the path: either way the whole page is there or the run says why.
TEST(WindowsPage, DestinationPastMaxPathIsWrittenWholeOrReportedAsAPathError)
{
    const TempFolder root("long");
    const fs::path depart = root.makeFolder("depart");
    makeResources(depart, "<img src=\"*\"><h1>*</h1>");
    // The test itself reaches the folder through the long form of its path.
    const auto longForm = [](const fs::path &path) {
        return fs::path(L"\\\\?\\" + path.wstring());
    };
    fs::path oa = root.path();
    while (oa.wstring().size() < MAX_PATH + 40) {
        oa /= u8path("dossier été " + std::string(40, 'x'));
        ASSERT_TRUE(::CreateDirectoryW(longForm(oa).c_str(), nullptr)) << ::GetLastError();
    }
    const std::string destination = utf8Of(oa) + "\\";
    pomerel::BoxTexts texts;
    texts[5] = "Zoé";

    try {
        std::string OC;
        pomerel::prepareDestination(destination, utf8Of(depart), "", OC);
        pomerel::fillTemplate(utf8Of(depart), destination, pomerel::buildCvFields(OC, texts));
        EXPECT_EQ(readFile(longForm(oa / "CV.html")), "<img src=\"logo.jpg\"><h1>Zo\xe9</h1>\r\n");
        EXPECT_EQ(readFile(longForm(oa / "logo.jpg")), "resource logo");
    } catch (const pomerel::Error &error) {
        EXPECT_TRUE(error.number() == pomerel::ErrorNumber::PathNotFound ||
                    error.number() == pomerel::ErrorNumber::BadFileName)
            << error.what();
    }
}

TEST(WindowsPage, PathThatIsNotUtf8IsABadFileName)
{
    const TempFolder root("nom");
    const fs::path depart = root.makeFolder("depart");
    makeResources(depart, "*");
    try {
        pomerel::fillTemplate(utf8Of(depart), utf8Of(root.path()) + "\\\xff\xfe\\", {});
        FAIL() << "no error";
    } catch (const pomerel::Error &error) {
        EXPECT_EQ(error.number(), pomerel::ErrorNumber::BadFileName);
    }
}

// A helper program built beside this one.
fs::path helperProgram(const char *name)
{
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(std::wstring(self, length)).parent_path() / name;
}

// --- Files another program holds open -------------------------------------------------------

// file_holder.exe, started on a file: holds it open with no sharing from "held" on its output
// until its input closes.
class HeldFile
{
public:
    explicit HeldFile(const fs::path &file)
    {
        SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        HANDLE childInput = nullptr;
        HANDLE childOutput = nullptr;
        if (!::CreatePipe(&childInput, &m_input, &inherited, 0) ||
            !::CreatePipe(&m_output, &childOutput, &inherited, 0))
            return;
        ::SetHandleInformation(m_input, HANDLE_FLAG_INHERIT, 0);
        ::SetHandleInformation(m_output, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childInput;
        startup.hStdOutput = childOutput;
        startup.hStdError = childOutput;
        std::wstring commandLine = L"file_holder \"" + file.wstring() + L"\"";
        const std::wstring program = helperProgram("file_holder.exe").wstring();
        const BOOL started = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                              TRUE, 0, nullptr, nullptr, &startup, &m_process);
        ::CloseHandle(childInput);
        ::CloseHandle(childOutput);
        char said[4] = {};
        DWORD count = 0;
        m_held = started && ::ReadFile(m_output, said, sizeof said, &count, nullptr) &&
                 std::string_view(said, count) == "held";
    }
    ~HeldFile()
    {
        ::CloseHandle(m_input); // lets the holder go
        if (m_process.hProcess) {
            ::WaitForSingleObject(m_process.hProcess, 10000);
            ::CloseHandle(m_process.hProcess);
            ::CloseHandle(m_process.hThread);
        }
        ::CloseHandle(m_output);
    }
    HeldFile(const HeldFile &) = delete;
    HeldFile &operator=(const HeldFile &) = delete;

    bool held() const { return m_held; }

private:
    HANDLE m_input = nullptr;
    HANDLE m_output = nullptr;
    PROCESS_INFORMATION m_process{};
    bool m_held = false;
};

TEST(WindowsSharing, PageHeldOpenByAnotherProgramIsPermissionDeniedAndTheOldPageStays)
{
    const TempFolder root("partage");
    const fs::path depart = root.makeFolder("depart");
    makeResources(depart, "<p>*</p>");
    const fs::path oa = root.makeFolder("oa");
    writeFile(oa / "CV.html", "ancienne page");
    pomerel::BoxTexts texts;
    texts[5] = "Zoé";

    {
        const HeldFile held(oa / "CV.html");
        ASSERT_TRUE(held.held()) << "file_holder.exe did not hold the page";
        try {
            std::string OC;
            const std::string destination = utf8Of(oa) + "\\";
            pomerel::prepareDestination(destination, utf8Of(depart), "", OC);
            pomerel::fillTemplate(utf8Of(depart), destination, pomerel::buildCvFields(OC, texts));
            FAIL() << "the page was written while another program held it";
        } catch (const pomerel::Error &error) {
            EXPECT_EQ(error.number(), pomerel::ErrorNumber::PermissionDenied) << error.what();
        }
    }

    EXPECT_EQ(readFile(oa / "CV.html"), "ancienne page");
    EXPECT_EQ(namesIn(oa), (std::set<std::string>{"CV.html", "bandeau.gif", "logo.jpg"}))
        << "a half-written page was left beside the old one";
}

// --- The browser -------------------------------------------------------------------------

// command_line_recorder.exe writes the command line it was started with into the file named
// by POMEREL_RECORD_FILE.
fs::path recorderProgram()
{
    return helperProgram("command_line_recorder.exe");
}

TEST(WindowsBrowser, IsStartedWithTheExactUnquotedCommandLine)
{
    const TempFolder root("navigateur");
    const fs::path oa = root.makeFolder("Mes CV é ł");
    const fs::path record = root.path() / "ligne.txt";
    ASSERT_TRUE(fs::exists(recorderProgram()));
    ASSERT_TRUE(::SetEnvironmentVariableW(L"POMEREL_RECORD_FILE", record.c_str()));

    FakeWindow window;
    const std::string destination = utf8Of(oa) + "\\";
    pomerel::openPage(destination, window, utf8Of(recorderProgram()));
    ::SetEnvironmentVariableW(L"POMEREL_RECORD_FILE", nullptr);

    for (int wait = 0; wait < 200 && !fs::exists(record); ++wait)
        std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(fs::exists(record)) << "the program was not started";
    std::this_thread::sleep_for(100ms); // let it finish writing
    EXPECT_EQ(readFile(record),
              "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE " + destination + "cv.html");
    EXPECT_TRUE(window.calls.empty()) << "the default browser was asked too";
}

TEST(WindowsBrowser, MissingProgramFallsBackToTheDefaultBrowser)
{
    FakeWindow window;
    pomerel::openPage("C:\\CV\\", window, "C:\\nulle part\\absent.exe");
    EXPECT_EQ(window.calls, (std::vector<std::string>{"open: C:\\CV\\CV.html"}));
}

} // namespace

#endif // _WIN32
