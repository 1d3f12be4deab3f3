#pragma once

#include <QString>

namespace fontlathe::test {

// While one lives, the files under a folder are written as on a disk with freeBytes left: the
// write that reaches the limit stores what fits, and every write after it fails with ENOSPC, as
// a full disk answers. With Fault::Lost the disk instead takes every byte and keeps none past
// the limit, as a disk that fails without a word. Only files under the folder are touched (the
// process's own output and other files are written as always); one lives at a time.
class FullDisk {
public:
    enum class Fault { NoSpace, Lost };
    FullDisk(const QString& folder, long long freeBytes, Fault fault = Fault::NoSpace);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // The writes that failed or lost bytes so far, and the bytes stored.
    int faults() const;
    long long stored() const;
};

} // namespace fontlathe::test
