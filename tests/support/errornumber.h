#pragma once

#include <functional>

namespace testing_support {

// The number of the pomerel::Error that call throws, or 0 when it throws none.
int errorNumberOf(const std::function<void()> &call);

} // namespace testing_support
