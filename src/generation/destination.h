#pragma once

// Getting the destination folder ready for the page.

#include <string>
#include <string_view>

namespace pomerel {

// Removes what a stopped run left in oa, clears the attributes of the files directly there,
// copies the resource pictures and the photo there, and gives an empty OC its default
// "logo.jpg". Throws pomerel::Error.
void prepareDestination(std::string_view oa, std::string_view depart, std::string_view OB,
                        std::string &OC);

} // namespace pomerel
