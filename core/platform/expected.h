// SPDX-License-Identifier: MIT
// Error, Status and Expected<T>: how core functions report failure without exceptions.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace korvexer {

// What went wrong, in words a user can act on; `path` names the file concerned, if any.
struct Error {
    std::string message;
    std::string path;
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
