#include "generation/generation.h"

#include "generation/destination.h"
#include "generation/pagetemplate.h"

namespace pomerel {

void generatePage(RunData &data, GenerationWindow &window, std::string_view browserProgram)
{
    // Without a destination the run only warns: the window stays where the user picks one.
    if (data.oa.empty()) {
        window.warn(kNoDestinationWarning);
        return;
    }
    prepareDestination(data.oa, data.depart, data.OB, data.OC);
    fillTemplate(data.depart, data.oa, buildCvFields(data.OC, data.texts));
    window.showFinished();
    openPage(data.oa, window, browserProgram);
}

} // namespace pomerel
