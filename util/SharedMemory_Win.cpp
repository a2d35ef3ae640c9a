// Windows implementation of the shared-memory layer: named file mappings.
#include "util/SharedMemory.h"

#include <cstring>

#include <windows.h>

namespace morva {

std::optional<std::vector<unsigned char>> SharedMemory::read(const std::string& name, std::size_t size)
{
    const HANDLE mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str());
    if (!mapping)
        return std::nullopt;
    std::optional<std::vector<unsigned char>> out;
    // The view fails when the block is smaller than size; a mapping's size never changes once it exists.
    if (const void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, size)) {
        out.emplace(size);
        std::memcpy(out->data(), view, size);
        ::UnmapViewOfFile(view);
    }
    ::CloseHandle(mapping);
    return out;
}

bool SharedMemory::create(const std::string& name, std::size_t size)
{
    close();
    const unsigned long long size64 = size;
    const HANDLE mapping =
        ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(size64 >> 32),
                             static_cast<DWORD>(size64), name.c_str());
    if (!mapping)
        return false;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(mapping);
        return false;
    }
    void* view = ::MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, size);
    if (!view) {
        ::CloseHandle(mapping);
        return false;
    }
    m_handle = mapping;
    m_view = view;
    m_size = size;
    return true;
}

void SharedMemory::close()
{
    if (m_view)
        ::UnmapViewOfFile(m_view);
    if (m_handle)
        ::CloseHandle(static_cast<HANDLE>(m_handle));
    m_view = nullptr;
    m_handle = nullptr;
    m_size = 0;
}

SharedMemory::~SharedMemory()
{
    close();
}

} // namespace morva
