#include "generation/generation.h"

namespace pomerel {

void generatePage(RunData &data, GenerationWindow &window)
{
    // Without a destination the run only warns: the window stays where the user picks one.
    if (data.oa.empty()) {
        window.warn(kNoDestinationWarning);
        return;
    }
    prepareDestination(data.oa, data.depart, data.OB, data.OC);
    fillTemplate(data.depart, data.oa, buildCvFields(data.OC, data.texts));
    window.showFinished();
    openPage(data.oa, window);
}

} // namespace pomerel
