#pragma once

// The page generation run, from the typed values to the page opened in the browser.
// Strings are UTF-8 in memory; the page is written in Windows-1252.

#include "generation/browser.h"
#include "generation/fields.h"

#include <string>
#include <string_view>

namespace pomerel {

inline constexpr std::string_view kNoDestinationWarning =
    "Attention vous n'avez pas choisi de chemin pour la création de votre page";

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

// Everything a run reads from the main window. OC may be given its default.
struct RunData
{
    std::string depart;
    std::string oa;
    std::string OB;
    std::string OC;
    BoxTexts texts;
};

// The whole "SUITE" run: prepareDestination, buildCvFields, fillTemplate, then openPage with
// the browser program given (tests choose whether one exists). Throws pomerel::Error at the
// first failing step.
void generatePage(RunData &data, GenerationWindow &window,
                  std::string_view browserProgram = kBrowserProgram);

} // namespace pomerel
