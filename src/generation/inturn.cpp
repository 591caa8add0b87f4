// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/inturn.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace pomerel {

namespace {

// How long a thread waits for its turn before it sleeps.
constexpr std::chrono::microseconds kSpinTime{100};

// The turn of the next block to be taken, and the first failure, shared by the two threads.
class Turns
{
public:
    Turns(std::size_t count, const std::function<void(std::size_t, std::string &)> &make,
          const std::function<void(std::string &)> &take)
        : m_count(count)
        , m_make(make)
        , m_take(take)
    {
    }

    // Makes and hands on the blocks first, first + 2, ..., until the end or a failure.
    void run(std::size_t first) noexcept
    {
        std::string block;
        try {
            for (std::size_t index = first; index < m_count; index += 2) {
                m_make(index, block);
                if (!waitForTurn(index))
                    return;
                // Until this block is taken, the other thread waits for its turn.
                m_take(block);
                passTurn();
            }
        } catch (...) {
            const std::lock_guard lock(m_mutex);
            if (!m_failure)
                m_failure = std::current_exception();
            m_failed = true;
            m_changed.notify_all();
        }
    }

    void rethrow() const
    {
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    // False when the other thread failed meanwhile.
    bool waitForTurn(std::size_t index)
    {
        // The other thread is usually about to pass the turn: waiting a little without sleeping
        // spares the time a sleeping thread takes to wake.
        const auto deadline = std::chrono::steady_clock::now() + kSpinTime;
        while (m_next.load(std::memory_order_acquire) != index &&
               !m_failed.load(std::memory_order_relaxed) &&
               std::chrono::steady_clock::now() < deadline) {
        }
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return m_next == index || m_failure; });
        return !m_failure;
    }

    void passTurn()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_next.fetch_add(1, std::memory_order_release);
        }
        m_changed.notify_all();
    }

    const std::size_t m_count;
    const std::function<void(std::size_t, std::string &)> &m_make;
    const std::function<void(std::string &)> &m_take;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::atomic<std::size_t> m_next = 0;
    std::atomic<bool> m_failed = false; // m_failure is set
    std::exception_ptr m_failure;
};

} // namespace

void makeInTurn(std::size_t count,
                const std::function<void(std::size_t index, std::string &block)> &make,
                const std::function<void(std::string &block)> &take)
{
    Turns turns(count, make, take);
    std::thread other;
    if (count > 1)
        other = std::thread(&Turns::run, &turns, 1);
    turns.run(0);
    if (other.joinable())
        other.join();
    turns.rethrow();
}

} // namespace pomerel
