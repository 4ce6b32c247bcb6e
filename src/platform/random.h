/** @file random.h The program's one source of random numbers. */
#pragma once

#include <cstdint>

namespace platform {

/**
 * A linear congruential generator, seed times 134775813 plus 1, whose
 * sequence starts from seed 0 and is never reseeded by the program, so the
 * telephone's dialling delays follow the same sequence on every start.
 */
class Random {
public:
    /** @return a number in 0 .. range - 1 (0 for a range below 1). */
    int next(int range)
    {
        m_seed = m_seed * 134775813u + 1u;
        if (range <= 0)
            return 0;
        return static_cast<int>((static_cast<std::uint64_t>(m_seed) * static_cast<std::uint32_t>(range)) >> 32);
    }

    /** Sets the seed; only tests do this. */
    void seed(std::uint32_t s) { m_seed = s; }
    std::uint32_t currentSeed() const { return m_seed; }

private:
    std::uint32_t m_seed = 0; ///< Starts from zero at program start.
};

} // namespace platform
