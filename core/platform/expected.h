// SPDX-License-Identifier: MIT
// Error, Status and Expected<T>: how core functions report failure without exceptions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace korvexer {

// Why an operation failed, as a front end words it for its user. The system's reasons come first;
// then the refusals of the core's own rules.
enum class ErrorKind : std::uint8_t {
    Other,             // none of these; `systemCode` holds the system's number when it has one
    NotFound,          // the file, or a folder on its path, does not exist
    AccessDenied,      // the system does not let this user open or change it
    DiskFull,          // no room is left on the disk (or in the user's quota)
    ReadOnlyDisk,      // the disk or the file system is read-only
    NameUnusable,      // the name is empty, too long, holds NUL, or has no form on this system
    NotRegularFile,    // a folder, a device or another thing that is no ordinary file
    NotFolder,         // a part of the path that must be a folder is none
    ChangedOnDisk,     // another program changed the file after it was read
    ReadOnlyFile,      // the file itself is marked read-only
    TooLarge,          // the file is too large to be handled
    NoFreeName,        // every name the operation may use is taken
    NoSettingsFolder,  // the environment names no folder for the settings
    RecordLimit,       // the record file cannot hold a field or a list this long
    NoCommentPrefix,   // the language has no one-line comment prefix
    NoStringQuote,     // the language has no string quote
    LineBreakInText,   // a settings value or name holds a line break, or a key is empty
    NoProject,         // no company or product names the project
    NoLanguage,        // no language is selected
    NotGbk,            // a text has no GBK form, or is not valid GBK
};

// What went wrong: `message` says it in English with its details (korvexer-cli shows it as it
// is), `kind` says why so that the window can say it in its own language, and `path` names the
// file concerned, if any.
struct Error {
    std::string message;
    std::string path;
    ErrorKind kind = ErrorKind::Other;
    int systemCode = 0;  // the system's error number, when the system reported the failure
};

// Success, or an Error.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Error error) : m_error(std::move(error)) {}

    static Status Ok() { return Status(); }

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return *m_error; }

private:
    std::optional<Error> m_error;
};

// A value of T, or an Error.
template <typename T>
class [[nodiscard]] Expected {
public:
    Expected(T value) : m_content(std::move(value)) {}
    Expected(Error error) : m_content(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_content); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<T>(m_content); }
    T& value() & { return std::get<T>(m_content); }
    T&& value() && { return std::get<T>(std::move(m_content)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    const Error& error() const { return std::get<Error>(m_content); }

    Status status() const { return ok() ? Status() : Status(error()); }

private:
    std::variant<T, Error> m_content;
};

}  // namespace korvexer
