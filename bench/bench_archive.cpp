// Archive throughput: 10 million int32 fields and large raw blocks through a memory
// archive, beside memcpy of the same bytes.
#include "framework/core/CArchive.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

namespace {
constexpr int kInts = 10'000'000;
constexpr std::size_t kBlock = 64u << 20;

void BM_ArchiveWriteInt32(benchmark::State& state)
{
    CMemFile f(kInts * 4);
    for (auto _ : state) {
        f.SetLength(0);
        f.SeekToBegin();
        CArchive ar(&f, CArchive::store);
        for (int i = 0; i < kInts; ++i)
            ar << std::int32_t(i);
        ar.Close();
        benchmark::DoNotOptimize(f.Data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kInts * 4);
}

void BM_ArchiveReadInt32(benchmark::State& state)
{
    std::vector<std::int32_t> src(kInts);
    for (int i = 0; i < kInts; ++i)
        src[size_t(i)] = i;
    for (auto _ : state) {
        CMemFile f(reinterpret_cast<const BYTE*>(src.data()), src.size() * 4);
        CArchive ar(&f, CArchive::load);
        std::int64_t sum = 0;
        std::int32_t v;
        for (int i = 0; i < kInts; ++i) {
            ar >> v;
            sum += v;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kInts * 4);
}

void BM_ArchiveWriteBlock(benchmark::State& state)
{
    std::vector<BYTE> block(kBlock, 0x5A);
    CMemFile f(kBlock + 16); // reused: measures the archive, not the page faults of fresh memory
    for (auto _ : state) {
        f.SetLength(0);
        f.SeekToBegin();
        CArchive ar(&f, CArchive::store);
        ar.Write(block.data(), block.size());
        ar.Close();
        benchmark::DoNotOptimize(f.Data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBlock));
}

void BM_ArchiveReadBlock(benchmark::State& state)
{
    std::vector<BYTE> block(kBlock, 0x5A), out(kBlock);
    for (auto _ : state) {
        CMemFile f(block.data(), block.size());
        CArchive ar(&f, CArchive::load);
        ar.Read(out.data(), out.size());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBlock));
}

void BM_Memcpy(benchmark::State& state)
{
    std::vector<BYTE> block(kBlock, 0x5A), out(kBlock);
    for (auto _ : state) {
        std::memcpy(out.data(), block.data(), block.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(kBlock));
}
} // namespace

BENCHMARK(BM_ArchiveWriteInt32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveReadInt32)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveWriteBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveReadBlock)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
