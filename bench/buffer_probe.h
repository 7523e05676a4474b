// SPDX-License-Identifier: MIT
// BufferProbe: a FileSystem that counts how many buffers of read files are alive at once.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "core/platform/forwarding_file_system.h"

namespace korvexer::bench {

// Passes every call to `inner`. The blocks that a Read allocates (the file's bytes) are followed
// until they are freed, wherever that happens, through the program's operator new and delete,
// which this file's implementation replaces. Linked into one benchmark program only.
class BufferProbe : public ForwardingFileSystem {
public:
    explicit BufferProbe(FileSystem& inner) : ForwardingFileSystem(inner) {}

    // The most file buffers alive at one time since the program started, and the largest one.
    static std::size_t MostAlive();
    static std::size_t LargestBytes();

    Expected<FileContent> Read(const std::string& path, std::size_t limit) override;
};

}  // namespace korvexer::bench
