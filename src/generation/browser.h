#pragma once

#include "generation/generation.h"

#include <string_view>

namespace pomerel {

inline constexpr std::string_view kBrowserProgram =
    "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";

// openPage and generatePage with the browser program given, so that tests choose whether
// one exists.
void openPageWith(std::string_view browserProgram, std::string_view oa, GenerationWindow &window);
void generatePageWith(std::string_view browserProgram, RunData &data, GenerationWindow &window);

} // namespace pomerel
