// The shared-memory layer: a snapshot of a named block published by another process, and publishing one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace morva {

// A named block of memory shared between processes. On Windows it is a named file mapping backed by the paging
// file; on POSIX systems a shared-memory object named "/" + name.
//
// Readers never keep a view: read() copies the bytes out and lets go of the block at once, so a block that the
// other process resizes or removes meanwhile cannot fault later reads. An instance is a publisher: it owns the
// block it created until close() or destruction, when the name goes away. One thread at a time.
class SharedMemory
{
public:
    SharedMemory() = default;
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    // The first size bytes of the existing block name; nullopt when there is no such block, it is smaller than
    // size, or it cannot be opened for reading. Windows sizes blocks in whole pages, so there a smaller block may
    // read with zeros past its end.
    static std::optional<std::vector<unsigned char>> read(const std::string& name, std::size_t size);

    // Creates the block name with size zero bytes, mapped for writing; false when a block of that name exists
    // already or none can be made.
    bool create(const std::string& name, std::size_t size);
    unsigned char* data() { return static_cast<unsigned char*>(m_view); }
    std::size_t size() const { return m_size; }
    void close();

private:
    void* m_handle = nullptr; // Windows: the mapping handle
    void* m_view = nullptr;
    std::size_t m_size = 0;
    std::string m_name; // POSIX: the object's name, removed by close()
};

} // namespace morva
