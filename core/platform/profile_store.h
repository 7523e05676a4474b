// SPDX-License-Identifier: MIT
// ProfileStore: one INI settings file read and written as the Windows private-profile functions do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/platform/expected.h"
#include "core/platform/file_system.h"

namespace korvexer {

// Section and key names are matched without regard to case; values are GBK bytes, never converted.
// Reads never fail: a missing file, section or key gives the default. Writes replace the whole file
// atomically and keep every other line byte for byte.
class ProfileStore {
public:
    ProfileStore(FileSystem& fs, std::string path);

    const std::string& path() const { return m_path; }

    // The value of `key` in `section`; `defaultValue` (trailing spaces removed) when either is
    // missing. An empty value (`key=`) gives the empty text.
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const;
    // The value read as the platform reads integers; `defaultValue` for a missing or empty value.
    std::int32_t GetInt(std::string_view section, std::string_view key,
                        std::int32_t defaultValue) const;

    // Sets `key` in `section`, creating the file (and its folder, with the folders above it),
    // the section or the key as needed. A value that holds CR or LF is refused; a folder that
    // cannot be made is an error naming it.
    Status WriteString(std::string_view section, std::string_view key, std::string_view value);
    Status WriteInt(std::string_view section, std::string_view key, std::int32_t value);

private:
    FileSystem& m_fs;
    std::string m_path;
};

}  // namespace korvexer
