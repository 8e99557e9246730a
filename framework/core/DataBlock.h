// An owned block of bytes that knows its length: the raw data of site objects
// (picture source bytes, movies, attached files) and other heap blocks whose size is
// their length.
#pragma once
#include "framework/core/Types.h"
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>

class CDataBlock {
public:
    CDataBlock() = default;
    CDataBlock(const void* data, std::size_t size) { Assign(data, size); }
    CDataBlock(const CDataBlock& o) { Assign(o.m_data.get(), o.m_size); }
    CDataBlock(CDataBlock&& o) noexcept : m_data(std::move(o.m_data)), m_size(o.m_size) { o.m_size = 0; }
    CDataBlock& operator=(const CDataBlock& o)
    {
        if (this != &o) {
            CDataBlock t(o);
            Swap(t);
        }
        return *this;
    }
    CDataBlock& operator=(CDataBlock&& o) noexcept
    {
        m_data = std::move(o.m_data);
        m_size = o.m_size;
        o.m_size = 0;
        return *this;
    }

    BYTE* Data() { return m_data.get(); }
    const BYTE* Data() const { return m_data.get(); }
    std::size_t Size() const { return m_size; }
    bool IsEmpty() const { return m_size == 0; }

    // Allocates a block of size bytes (contents undefined); false when memory is short,
    // in which case the old contents are kept.
    bool Allocate(std::size_t size)
    {
        if (size == 0) {
            Free();
            return true;
        }
        BYTE* p = new (std::nothrow) BYTE[size];
        if (!p)
            return false;
        m_data.reset(p);
        m_size = size;
        return true;
    }
    bool Assign(const void* data, std::size_t size)
    {
        CDataBlock t;
        if (!t.Allocate(size))
            return false;
        if (size)
            std::memcpy(t.m_data.get(), data, size);
        Swap(t);
        return true;
    }
    void Free()
    {
        m_data.reset();
        m_size = 0;
    }
    void Swap(CDataBlock& o) noexcept
    {
        std::swap(m_data, o.m_data);
        std::swap(m_size, o.m_size);
    }

private:
    std::unique_ptr<BYTE[]> m_data;
    std::size_t m_size = 0;
};
