#pragma once

// The page generation run, from the typed values to the page opened in the browser.
// Strings are UTF-8 in memory; the page is written in Windows-1252.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace pomerel {

inline constexpr std::size_t kFieldCount = 27;
using CvFields = std::array<std::string, kFieldCount>;

// The texts of the main window's boxes: Text1 at index 0 to Text14 at index 13.
// The five section texts (Text1 to Text5) carry CR LF line ends.
inline constexpr std::size_t kBoxCount = 14;
using BoxTexts = std::array<std::string, kBoxCount>;

inline constexpr std::string_view kNoDestinationWarning =
    "Attention vous n'avez pas choisi de chemin pour la création de votre page";

// Windows paths ("C:\CV\") or POSIX ones ("/home/moi/cv/").
enum class PathStyle { Windows, Posix };
PathStyle nativePathStyle() noexcept;
char separator(PathStyle style = nativePathStyle()) noexcept;

// The folder, then a separator unless the folder already ends with one (a drive root),
// then the name.
std::string joinFolderAndFile(std::string_view folder, std::string_view name,
                              PathStyle style = nativePathStyle());

// `depart` for a given working folder: a drive root gets "Pomerel" appended.
std::string resourceFolderFor(std::string_view currentDirectory,
                              PathStyle style = nativePathStyle());
// `depart` for this process, from its current working folder.
std::string currentResourceFolder();

// The 27 values the template's placeholders take, in order. Slot 0 is OC as a link to the
// picture beside the page (pictureLink).
CvFields buildCvFields(std::string_view OC, const BoxTexts &texts);

// Fills depart/brt.ggg into oa + "CV.html", written in Windows-1252. The page replaces an
// earlier one only once complete: a failure leaves it as it was. Throws pomerel::Error.
void fillTemplate(std::string_view depart, std::string_view oa, const CvFields &cvFields);

// Clears the attributes of the files directly in oa, copies the resource pictures and the
// photo there, and gives an empty OC its default "logo.jpg". Throws pomerel::Error.
void prepareDestination(std::string_view oa, std::string_view depart, std::string_view OB,
                        std::string &OC);

// What the window does for a generation run.
class GenerationWindow
{
public:
    virtual ~GenerationWindow() = default;
    // A modal box with the text and an OK button, titled "Pomerel".
    virtual void warn(std::string_view message) = 0;
    // The window's finished look.
    virtual void showFinished() = 0;
    // Opens the page (a UTF-8 path) in the desktop's default browser.
    virtual void openInDefaultBrowser(const std::string &page) = 0;
};

// The browser's command line for the page in oa.
std::string browserCommandLine(std::string_view oa);

// Starts the browser on the page in oa, without waiting for it. Throws pomerel::Error.
void openPage(std::string_view oa, GenerationWindow &window);

// Everything a run reads from the main window. OC may be given its default.
struct RunData
{
    std::string depart;
    std::string oa;
    std::string OB;
    std::string OC;
    BoxTexts texts;
};

// The whole "SUITE" run. Throws pomerel::Error at the first failing step.
void generatePage(RunData &data, GenerationWindow &window);

} // namespace pomerel
