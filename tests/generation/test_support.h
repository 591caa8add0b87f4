// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Helpers shared by the generation tests: temporary folders, file contents, a window that
// records what the run asks of it.

#include "generation/generation.h"
#include "support/errornumber.h"
#include "support/privileges.h"
#include "support/workingfolder.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

namespace fs = std::filesystem;

// Names parameterised cases after their "name" member.
struct CaseName
{
    template<typename Case> std::string operator()(const testing::TestParamInfo<Case> &info) const
    {
        return info.param.name;
    }
};

// A fresh folder under the system's temporary folder, removed with all it holds.
class TempFolder
{
public:
    explicit TempFolder(std::string_view nameHint = "pomerel");
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const fs::path &path() const { return m_path; }
    // The folder as the program's strings hold it (UTF-8), without and with the separator.
    std::string text() const;
    std::string asDestination() const;
    // A subfolder, created.
    fs::path makeFolder(std::string_view name) const;

private:
    fs::path m_path;
};

fs::path u8path(std::string_view utf8);
std::string utf8Of(const fs::path &path);

void writeFile(const fs::path &path, std::string_view bytes);
std::string readFile(const fs::path &path);
// Names directly in a folder.
std::set<std::string> namesIn(const fs::path &folder);

// The permission bits of a file, not following links.
fs::perms permissionsOf(const fs::path &path);

// A resource folder as the run expects it: brt.ggg, logo.jpg, one .gif.
void makeResources(const fs::path &folder, std::string_view templateBytes);

// The page fillTemplate writes for the template's bytes and the fields, from a resource folder
// and into a destination of their own.
std::string pageFor(std::string_view templateBytes, const pomerel::CvFields &fields);

#ifndef _WIN32
// In a child: files may not grow beyond bytes, and writing past that fails instead of
// ending the process.
void limitFileSize(std::size_t bytes);
#endif

// The window side of a run, recording each call in order.
class FakeWindow : public pomerel::GenerationWindow
{
public:
    void warn(std::string_view message) override;
    void showFinished() override;
    void openInDefaultBrowser(const std::string &page) override;

    std::vector<std::string> calls;
};

} // namespace testing_support
