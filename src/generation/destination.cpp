#include "generation/destination.h"

#include "generation/filesystem.h"
#include "generation/paths.h"

namespace pomerel {

namespace {

constexpr std::string_view kDefaultPicture = "logo.jpg";

} // namespace

void prepareDestination(std::string_view oa, std::string_view depart, std::string_view OB,
                        std::string &OC)
{
    files::removeLeftoversIn(oa);
    files::clearAttributesIn(oa);
    files::copyMatching(resourcePath(depart, "*.jpg"), oa);
    files::copyMatching(resourcePath(depart, "*.gif"), oa);
    // The photo comes last, so it replaces a resource picture of the same name.
    if (!OB.empty())
        files::copyFileInto(OB, oa);
    if (OC.empty())
        OC = kDefaultPicture;
}

} // namespace pomerel
