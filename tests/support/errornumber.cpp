#include "support/errornumber.h"

#include "generation/error.h"

namespace testing_support {

int errorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const pomerel::Error &error) {
        return static_cast<int>(error.number());
    }
    return 0;
}

} // namespace testing_support
