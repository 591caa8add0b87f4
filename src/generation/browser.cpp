// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/browser.h"

#include "generation/characters.h"
#include "generation/filesystem.h"
#include "generation/generationwindow.h"
#include "generation/paths.h"

#include <algorithm>

namespace pomerel {

namespace {

// The browser has always been handed the page's name in lower case. Windows file names ignore
// case, so it is the file written as kPageName.
std::string browserPageName()
{
    std::string name(kPageName);
    std::transform(name.begin(), name.end(), name.begin(), lowerAscii);
    return name;
}

} // namespace

std::string browserCommandLine(std::string_view oa)
{
    // No quotation marks: the blanks of both paths go in as they are.
    std::string commandLine(kBrowserProgram);
    commandLine += ' ';
    commandLine += oa;
    commandLine += browserPageName();
    return commandLine;
}

void openPage(std::string_view oa, GenerationWindow &window, std::string_view browserProgram)
{
#ifdef _WIN32
    if (files::isFile(browserProgram)) {
        files::startProgram(browserProgram, browserCommandLine(oa));
        return;
    }
#else
    (void)browserProgram; // that browser exists on Windows only
#endif
    // Where names are case-sensitive, open the file actually written, kPageName.
    window.openInDefaultBrowser(pagePath(oa));
}

} // namespace pomerel
