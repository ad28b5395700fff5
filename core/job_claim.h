#pragma once

#include <atomic>

namespace qytxt::core {

// Holds a job's flag for one run and gives it back however the run ends, so that two jobs of one
// kind never run at once: the second finds the flag taken and does nothing.
class JobClaim {
public:
    explicit JobClaim(std::atomic<bool>& claimed) : m_claimed(claimed)
    {
        bool expected = false;
        m_held = m_claimed.compare_exchange_strong(expected, true);
    }
    ~JobClaim()
    {
        if (m_held)
            m_claimed.store(false);
    }
    JobClaim(const JobClaim&) = delete;
    JobClaim& operator=(const JobClaim&) = delete;

    bool held() const { return m_held; }

private:
    std::atomic<bool>& m_claimed;
    bool m_held = false;
};

} // namespace qytxt::core
