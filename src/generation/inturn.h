// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Making a long page's blocks on two cores while keeping them in order.

#include <cstddef>
#include <functional>
#include <string>

namespace pomerel {

// Calls make(index, block) for every index below count, each on one of two threads that take
// every other index, and take(block) with each block made, one at a time and in the order of
// the indices, on whichever thread made it. A single block is made on the calling thread.
// The first exception of either thread is thrown once both have stopped, and take gets no
// block after it.
void makeInTurn(std::size_t count,
                const std::function<void(std::size_t index, std::string &block)> &make,
                const std::function<void(std::string &block)> &take);

} // namespace pomerel
