// Times our work and its peer in the same process run, one round of each in turn (which
// goes first alternates), and reports the medians side by side. The peer does the same
// work with the same settings; both are timed by the same clock.
#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <functional>
#include <vector>

namespace benchpair {

inline double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline double ThreadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

inline double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Pair {
    double ours = 0, peer = 0; // median seconds of one run
};

// A timed step returns its own seconds (so a peer in another process can report the
// time it measured itself); Timed() wraps a plain function with a clock.
using Step = std::function<double()>;

inline Step Timed(std::function<void()> work, double (*clock)() = WallSeconds)
{
    return [work = std::move(work), clock] {
        const double start = clock();
        work();
        return clock() - start;
    };
}

// rounds of ours and the peer, alternating which goes first; one untimed warm-up each.
inline Pair Alternate(int rounds, const Step& ours, const Step& peer)
{
    ours();
    peer();
    std::vector<double> a, b;
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            a.push_back(ours());
            b.push_back(peer());
        } else {
            b.push_back(peer());
            a.push_back(ours());
        }
    }
    return {Median(a), Median(b)};
}

// Counters of a pair: milliseconds of each and how many times faster ours is (above 1:
// ours is faster). The benchmark's own time is the median of ours.
inline void Report(benchmark::State& state, const Pair& p, const char* peerName, double bytes = 0)
{
    state.SetIterationTime(p.ours);
    state.counters["ours_ms"] = p.ours * 1e3;
    state.counters[std::string(peerName) + "_ms"] = p.peer * 1e3;
    state.counters["x_" + std::string(peerName)] = p.ours > 0 ? p.peer / p.ours : 0;
    if (bytes > 0) {
        state.counters["ours_MB/s"] = p.ours > 0 ? bytes / p.ours / 1e6 : 0;
        state.counters[std::string(peerName) + "_MB/s"] = p.peer > 0 ? bytes / p.peer / 1e6 : 0;
    }
}

} // namespace benchpair
