// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace pomerel {

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

} // namespace pomerel
