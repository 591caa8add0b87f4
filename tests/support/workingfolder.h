// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>

namespace testing_support {

// Runs the process in another current folder for the life of the object.
class WorkingFolder
{
public:
    explicit WorkingFolder(const std::filesystem::path &folder);
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder &) = delete;
    WorkingFolder &operator=(const WorkingFolder &) = delete;

private:
    std::filesystem::path m_previous;
};

} // namespace testing_support
