// POSIX implementation of the shared-memory layer.
#include "util/SharedMemory.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

std::string objectName(const std::string& name)
{
    return "/" + name;
}

} // namespace

std::optional<std::vector<unsigned char>> SharedMemory::read(const std::string& name, std::size_t size)
{
    const int fd = ::shm_open(objectName(name).c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    // pread rather than a mapping: an object that shrinks under a mapping raises SIGBUS, a short read does not.
    std::vector<unsigned char> out(size);
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, out.data() + got, size - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (got < size)
        return std::nullopt;
    return out;
}

bool SharedMemory::create(const std::string& name, std::size_t size)
{
    close();
    const std::string object = objectName(name);
    const int fd = ::shm_open(object.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    void* view = MAP_FAILED;
    if (::ftruncate(fd, static_cast<off_t>(size)) == 0)
        view = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    if (view == MAP_FAILED) {
        ::shm_unlink(object.c_str());
        return false;
    }
    m_view = view;
    m_size = size;
    m_name = object;
    return true;
}

void SharedMemory::close()
{
    if (m_view)
        ::munmap(m_view, m_size);
    if (!m_name.empty())
        ::shm_unlink(m_name.c_str());
    m_view = nullptr;
    m_size = 0;
    m_name.clear();
}

SharedMemory::~SharedMemory()
{
    close();
}

} // namespace morva
