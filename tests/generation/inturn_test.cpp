// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/inturn.h"

#include <chrono>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Block i is "i"; the even ones take longer to make, so that the odd ones are ready first.
void makeNumbered(std::size_t index, std::string &block)
{
    if (index % 2 == 0)
        std::this_thread::sleep_for(1ms);
    block = std::to_string(index);
}

TEST(MakeInTurn, BlocksAreTakenInOrderWhateverMadeThemFirst)
{
    std::vector<std::string> taken;
    pomerel::makeInTurn(9, makeNumbered, [&](std::string &block) { taken.push_back(block); });
    EXPECT_EQ(taken, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8"}));
}

TEST(MakeInTurn, OneBlockIsMadeAndTakenOnTheCallingThread)
{
    std::vector<std::thread::id> threads;
    const auto record = [&](std::string &) { threads.push_back(std::this_thread::get_id()); };
    pomerel::makeInTurn(0, makeNumbered, record);
    EXPECT_TRUE(threads.empty());
    pomerel::makeInTurn(1, makeNumbered, record);
    EXPECT_EQ(threads, std::vector<std::thread::id>{std::this_thread::get_id()});
}

TEST(MakeInTurn, FailureOnEitherThreadStopsTheBlocksAfterIt)
{
    // Block 3 is made on the second thread, block 4 on the calling one.
    for (const std::size_t failing : {3u, 4u}) {
        std::vector<std::string> taken;
        const auto take = [&](std::string &block) {
            if (block == std::to_string(failing))
                throw std::runtime_error("disk full");
            taken.push_back(block);
        };
        EXPECT_THROW(pomerel::makeInTurn(9, makeNumbered, take), std::runtime_error);
        EXPECT_EQ(taken.size(), failing) << "failing at " << failing;
    }
    const auto failingMake = [](std::size_t index, std::string &block) {
        if (index == 5)
            throw std::length_error("too long");
        makeNumbered(index, block);
    };
    // Block 5 may fail before the slower block 4 is taken; none after it is.
    std::vector<std::string> taken;
    EXPECT_THROW(
        pomerel::makeInTurn(9, failingMake, [&](std::string &block) { taken.push_back(block); }),
        std::length_error);
    EXPECT_LE(taken.size(), 5u);
    for (std::size_t index = 0; index < taken.size(); ++index)
        EXPECT_EQ(taken[index], std::to_string(index));
}

} // namespace
