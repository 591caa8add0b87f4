// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The page generation run, from the typed values to the page opened in the browser.
// Strings are UTF-8 in memory; the page is written in Windows-1252.

#include "generation/browser.h"
#include "generation/fields.h"
#include "generation/generationwindow.h"

#include <string>
#include <string_view>

namespace pomerel {

inline constexpr std::string_view kNoDestinationWarning =
    "Attention vous n'avez pas choisi de chemin pour la création de votre page";

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
