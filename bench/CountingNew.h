// SPDX-License-Identifier: GPL-3.0-or-later
// CountingNew.h: replaces the global operator new and delete of a benchmark program with ones
// that count every allocation, so that a benchmark can report how many allocations one call
// makes. Include it in exactly one source file of a program.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::int64_t> gAllocations{0};

void* CountedAlloc(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

void* CountedAlignedAlloc(std::size_t size, std::align_val_t align) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    const std::size_t a = static_cast<std::size_t>(align);
    const std::size_t rounded = (std::max<std::size_t>(size, 1) + a - 1) / a * a;
    return std::aligned_alloc(a, rounded);
}

// Kept out of line: inlined into a replaced operator delete, a direct free() makes GCC warn about
// a pointer that came from operator new.
[[gnu::noinline]] void Release(void* p) noexcept {
    std::free(p);
}

std::int64_t Allocations() {
    return gAllocations.load(std::memory_order_relaxed);
}

} // namespace

void* operator new(std::size_t size) {
    if (void* p = CountedAlloc(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = CountedAlloc(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return CountedAlloc(size);
}
void* operator new(std::size_t size, std::align_val_t align) {
    if (void* p = CountedAlignedAlloc(size, align)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t align) {
    if (void* p = CountedAlignedAlloc(size, align)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return CountedAlignedAlloc(size, align);
}
void* operator new[](std::size_t size, std::align_val_t align, const std::nothrow_t&) noexcept {
    return CountedAlignedAlloc(size, align);
}

void operator delete(void* p) noexcept {
    Release(p);
}
void operator delete[](void* p) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    Release(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    Release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    Release(p);
}
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    Release(p);
}
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept {
    Release(p);
}

namespace {

// The allocations per iteration since `before`, as the counter "allocs_per_call".
void ReportAllocations(benchmark::State& state, std::int64_t before) {
    const double calls = std::max<double>(1.0, static_cast<double>(state.iterations()));
    state.counters["allocs_per_call"] = static_cast<double>(Allocations() - before) / calls;
}

} // namespace
