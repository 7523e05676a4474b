// SPDX-License-Identifier: MIT
// The block classifier's AVX2 instance. This file alone is compiled for AVX2 (and the population
// count that every AVX2 processor has); the others call it only where the processor runs it.
#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "core/scanner/block_kernel_loop.h"
#include "core/scanner/block_kernels.h"

namespace korvexer::block_kernels {

namespace {

struct Avx2Vector {
    using Reg = __m256i;
    static constexpr std::size_t kWidth = 32;
    static Reg Load(const char* at) { return _mm256_loadu_si256(reinterpret_cast<const Reg*>(at)); }
    static Reg Splat(char byte) { return _mm256_set1_epi8(byte); }
    static Reg Eq(Reg a, Reg b) { return _mm256_cmpeq_epi8(a, b); }
    static Reg Or(Reg a, Reg b) { return _mm256_or_si256(a, b); }
    static Reg And(Reg a, Reg b) { return _mm256_and_si256(a, b); }
    static std::uint64_t Mask(Reg a) { return static_cast<std::uint32_t>(_mm256_movemask_epi8(a)); }
    static unsigned Count(std::uint64_t mask) {
        return static_cast<unsigned>(__builtin_popcountll(mask));
    }
};

}  // namespace

bool ProcessorRunsAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
}

bool ClassifyBlocksAvx2(const char* first, std::size_t blocks, const PairPattern* patterns,
                        const std::uint8_t* channels, std::size_t count, BlockClass* out) {
    return ClassifyBlocksWith<Avx2Vector>(first, blocks, patterns, channels, count, out);
}

void CountRunningBitsAvx2(const BlockClass* classes, std::size_t blocks, std::size_t channel,
                          std::size_t* counts) {
    CountRunningBitsWith<Avx2Vector>(classes, blocks, channel, counts);
}

}  // namespace korvexer::block_kernels
