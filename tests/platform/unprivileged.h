/** @file unprivileged.h Test helper: runs a block as an ordinary user, so that file permissions count. */
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

/**
 * Runs as the unprivileged user "nobody" while it lives, when the tests
 * run as root (root reads every file whatever its permissions say);
 * otherwise it does nothing.
 */
class Unprivileged {
public:
    Unprivileged()
    {
        if (geteuid() == 0)
            m_dropped = setegid(65534) == 0 && seteuid(65534) == 0;
    }
    ~Unprivileged()
    {
        if (m_dropped) {
            EXPECT_EQ(seteuid(0), 0);
            EXPECT_EQ(setegid(0), 0);
        }
    }
    /** @return whether permissions count now: not root, or root could step down. */
    bool effective() const { return m_dropped || geteuid() != 0; }
    Unprivileged(const Unprivileged &) = delete;
    Unprivileged &operator=(const Unprivileged &) = delete;

private:
    bool m_dropped = false;
};
