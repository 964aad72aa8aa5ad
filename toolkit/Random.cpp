#include "toolkit/Random.h"

#include <chrono>
#include <ctime>

quint32 RandSeed = 0;

namespace {

std::function<quint32()>& SeedSource()
{
    static std::function<quint32()> source;
    return source;
}

quint32 ClockSeed()
{
    timespec now{};
    if (clock_gettime(CLOCK_MONOTONIC, &now) == 0) {
        const quint64 ns = quint64(now.tv_sec) * 1000000000u + quint64(now.tv_nsec);
        return quint32(ns);
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return quint32(quint64(ms.count()));
}

} // namespace

int RandomBelow(int n)
{
    RandSeed = RandSeed * 134775813u + 1u;
    if (n < 1)
        return 0;
    return int((quint64(quint32(n)) * quint64(RandSeed)) >> 32);
}

void SeedRandomFromClock()
{
    RandSeed = SeedSource() ? SeedSource()() : ClockSeed();
}

void SetSeedSourceForTesting(std::function<quint32()> source)
{
    SeedSource() = std::move(source);
}
