#pragma once

// Opening the finished page.

#include <string>
#include <string_view>

namespace pomerel {

class GenerationWindow;

inline constexpr std::string_view kBrowserProgram =
    "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE";

// The browser's command line for the page in oa.
std::string browserCommandLine(std::string_view oa);

// Starts the browser program on the page in oa, without waiting for it. Where there is no such
// program (it exists on Windows only), the window opens the page in the desktop's default
// browser. Tests give a browser program of their choosing. Throws pomerel::Error.
void openPage(std::string_view oa, GenerationWindow &window,
              std::string_view browserProgram = kBrowserProgram);

} // namespace pomerel
