// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/workingfolder.h"

#include <system_error>

namespace testing_support {

WorkingFolder::WorkingFolder(const std::filesystem::path &folder)
    : m_previous(std::filesystem::current_path())
{
    std::filesystem::current_path(folder);
}

WorkingFolder::~WorkingFolder()
{
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
}

} // namespace testing_support
