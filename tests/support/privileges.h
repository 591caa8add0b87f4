#pragma once

// Running test code without root's rights, which ignore permission bits: CI runs as root.

#include <functional>

namespace testing_support {

// Runs body without root's rights: in a child process as "nobody" where processes fork,
// directly on Windows. Returns what body returned (0 to 99), or 100 and more when the child
// failed otherwise.
int runWithoutPrivileges(const std::function<int()> &body);

#ifndef _WIN32
// Runs body in a child process, returning as runWithoutPrivileges does.
int runInChild(const std::function<int()> &body);

// Makes this process "nobody", with no supplementary groups, when it runs as root. False when
// that failed; true at once for any other user.
bool dropPrivileges();
#endif

} // namespace testing_support
