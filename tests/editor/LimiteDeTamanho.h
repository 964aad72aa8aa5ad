#pragma once

#include <gtest/gtest.h>

#include <QtGlobal>

#include <sys/resource.h>

// Lowers this process's file-size limit while it lives, as `prlimit --fsize` does to the program.
// The application object makes a write past the limit fail instead of ending the process, so a
// test binary that lacked that would die here.
class LimiteDeTamanho {
public:
    explicit LimiteDeTamanho(qint64 bytes)
    {
        EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &antes_), 0);
        struct rlimit limite = antes_;
        limite.rlim_cur = rlim_t(bytes);
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);
    }
    ~LimiteDeTamanho() { ::setrlimit(RLIMIT_FSIZE, &antes_); }
    LimiteDeTamanho(const LimiteDeTamanho&) = delete;
    LimiteDeTamanho& operator=(const LimiteDeTamanho&) = delete;

private:
    struct rlimit antes_{};
};
