// The test binaries that link this file take over the C library's write(): the program's own
// code and Qt's reach the disk through it (stdio's buffered writes do not, and the program uses
// none), so a full disk is met where a real one is, with no seam in the program itself.
#include "FullDisk.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <mutex>
#include <string>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace fontlathe::test {

namespace {

struct DiskState {
    std::mutex mutex;
    std::string folder; // with a trailing slash
    long long freeBytes = 0;
    FullDisk::Fault fault = FullDisk::Fault::NoSpace;
    int faults = 0;
    long long stored = 0;
};

DiskState state;
std::atomic<bool> active{false};

bool UnderFolder(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    char link[64];
    char path[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, sizeof path - 1);
    if (length <= 0) {
        return false;
    }
    return std::string(path, static_cast<std::size_t>(length)).starts_with(state.folder);
}

ssize_t SystemWrite(int fd, const void* data, size_t count) {
    return static_cast<ssize_t>(syscall(SYS_write, fd, data, count));
}

} // namespace

FullDisk::FullDisk(const QString& folder, long long freeBytes, Fault fault) {
    const std::lock_guard lock(state.mutex);
    const QString canonical = QDir(folder).canonicalPath();
    state.folder = QFile::encodeName(canonical.isEmpty() ? folder : canonical).toStdString() + '/';
    state.freeBytes = freeBytes;
    state.fault = fault;
    state.faults = 0;
    state.stored = 0;
    active = true;
}

FullDisk::~FullDisk() {
    active = false;
}

int FullDisk::faults() const {
    const std::lock_guard lock(state.mutex);
    return state.faults;
}

long long FullDisk::stored() const {
    const std::lock_guard lock(state.mutex);
    return state.stored;
}

} // namespace fontlathe::test

using fontlathe::test::FullDisk;

extern "C" ssize_t write(int fd, const void* data, size_t count) {
    using fontlathe::test::state;
    if (!fontlathe::test::active || count == 0 || !fontlathe::test::UnderFolder(fd)) {
        return fontlathe::test::SystemWrite(fd, data, count);
    }
    const std::lock_guard lock(state.mutex);
    const auto room = static_cast<size_t>(std::max(0LL, state.freeBytes));
    if (count <= room) {
        state.freeBytes -= static_cast<long long>(count);
        state.stored += static_cast<long long>(count);
        return fontlathe::test::SystemWrite(fd, data, count);
    }
    ++state.faults;
    state.freeBytes = 0;
    state.stored += static_cast<long long>(room);
    if (room > 0) {
        const ssize_t written = fontlathe::test::SystemWrite(fd, data, room);
        if (state.fault == FullDisk::Fault::NoSpace) {
            return written;
        }
    }
    if (state.fault == FullDisk::Fault::Lost) {
        return static_cast<ssize_t>(count);
    }
    errno = ENOSPC;
    return -1;
}
