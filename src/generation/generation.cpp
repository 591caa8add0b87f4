#include "generation/generation.h"

#include "generation/browser.h"

namespace pomerel {

void generatePage(RunData &data, GenerationWindow &window)
{
    generatePageWith(kBrowserProgram, data, window);
}

void generatePageWith(std::string_view browserProgram, RunData &data, GenerationWindow &window)
{
    // Without a destination the run only warns: the window stays where the user picks one.
    if (data.oa.empty()) {
        window.warn(kNoDestinationWarning);
        return;
    }
    prepareDestination(data.oa, data.depart, data.OB, data.OC);
    fillTemplate(data.depart, data.oa, buildCvFields(data.OC, data.texts));
    window.showFinished();
    openPageWith(browserProgram, data.oa, window);
}

} // namespace pomerel
