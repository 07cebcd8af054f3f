// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <chrono>

// When a search pass sends its request again. One lost broadcast would lose every camera behind
// it, so the request goes out a few more times within the first quiet period, at doubling gaps,
// the way multicast discovery repeats its probes; repeat i of n goes at quiet * (2^i - 1) / 2^(n+1),
// so the last leaves more than half a quiet period for its answers.
class SearchRepeats
{
public:
    using Clock = std::chrono::steady_clock;

    SearchRepeats(Clock::time_point start, std::chrono::milliseconds quiet, int count)
        : m_start(start), m_quiet(quiet), m_count(count < 0   ? 0
                                                  : count > 8 ? 8
                                                              : count)
    {
    }

    // True once for each repeat whose time has come.
    bool Due(Clock::time_point now)
    {
        if (m_sent >= m_count || now < Next())
            return false;
        ++m_sent;
        return true;
    }

    // The time of the next repeat; the far future when none is left.
    Clock::time_point Next() const
    {
        if (m_sent >= m_count)
            return Clock::time_point::max();
        const long long share = (1LL << (m_sent + 1)) - 1;
        return m_start +
               std::chrono::duration_cast<Clock::duration>(m_quiet * share / (1LL << (m_count + 1)));
    }

    int Sent() const { return m_sent; }
    // Every repeat has had its turn.
    bool Done() const { return m_sent >= m_count; }

private:
    Clock::time_point m_start;
    std::chrono::milliseconds m_quiet;
    int m_count;
    int m_sent = 0;
};
