// SPDX-License-Identifier: MIT
// Fuzz target: the settings file parser; reads of any file, and a write that keeps every other
// line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "core/platform/profile_store.h"

using namespace korvexer;

namespace {

std::string ScratchFile() {
    static const std::string path = [] {
        char pattern[] = "/tmp/korvexer-fuzz-ini-XXXXXX";
        int descriptor = ::mkstemp(pattern);
        if (descriptor >= 0) ::close(descriptor);
        return std::string(pattern);
    }();
    return path;
}

void Store(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string path = ScratchFile();
    Store(path, bytes);
    ProfileStore store(FileSystem::Real(), path);
    // Names taken from the input itself reach the interesting matching paths.
    std::string section = bytes.substr(0, std::min<std::size_t>(size, 8));
    std::string key = size > 8 ? bytes.substr(8, 6) : "key";
    (void)store.GetString(section, key, "default");
    (void)store.GetInt(section, key, 7);
    (void)store.GetString("Common Data", "CompanyID", "");

    // A write of a new key into a new section appends; everything before it stays byte for byte.
    if (store.WriteString("fuzz section \x01", "fuzzkey", "value")) {
        Expected<FileContent> after = FileSystem::Real().Read(path);
        if (!after || after->bytes.compare(0, bytes.size(), bytes) != 0) std::abort();
        if (store.GetString("fuzz section \x01", "fuzzkey", "") != "value") std::abort();
    }
    return 0;
}
