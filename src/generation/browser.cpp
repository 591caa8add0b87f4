#include "generation/browser.h"

#include "generation/filesystem.h"
#include "generation/paths.h"

namespace pomerel {

std::string browserCommandLine(std::string_view oa)
{
    // No quotation marks: the blanks of both paths go in as they are.
    std::string commandLine(kBrowserProgram);
    commandLine += ' ';
    commandLine += oa;
    commandLine += "cv.html";
    return commandLine;
}

void openPageWith(std::string_view browserProgram, std::string_view oa, GenerationWindow &window)
{
#ifdef _WIN32
    if (files::isFile(browserProgram)) {
        files::startProgram(browserProgram, browserCommandLine(oa));
        return;
    }
#else
    (void)browserProgram; // that browser exists on Windows only
#endif
    // Where names are case-sensitive, open the file actually written, "CV.html".
    window.openInDefaultBrowser(pagePath(oa));
}

void openPage(std::string_view oa, GenerationWindow &window)
{
    openPageWith(kBrowserProgram, oa, window);
}

} // namespace pomerel
