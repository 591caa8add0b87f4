#include "support/privileges.h"

#ifndef _WIN32
#include <grp.h>
#include <stdexcept>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace testing_support {

#ifndef _WIN32
int runInChild(const std::function<int()> &body)
{
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        int status = 101;
        try {
            status = body();
        } catch (...) {
            status = 102;
        }
        ::_exit(status);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child)
        return 104;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 103;
}

bool dropPrivileges()
{
    constexpr uid_t nobody = 65534;
    if (::geteuid() != 0)
        return true;
    return ::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0;
}

int runWithoutPrivileges(const std::function<int()> &body)
{
    return runInChild([&] { return dropPrivileges() ? body() : 100; });
}
#else
int runWithoutPrivileges(const std::function<int()> &body)
{
    return body();
}
#endif

} // namespace testing_support
