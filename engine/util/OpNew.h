#pragma once
// Base of the application's utility objects: they live in engine memory, and every one of
// them starts as zero bytes before its constructor runs. Plain new throws std::bad_alloc
// when engine memory is exhausted; new (std::nothrow) answers null.
#include <cstddef>
#include <new>

class OpNew {
public:
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* data) noexcept;
    static void operator delete(void* data, const std::nothrow_t&) noexcept;
};
