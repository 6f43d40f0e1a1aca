#pragma once
// Errors as values for the core. A failing operation returns a CError that says
// what kind of failure it is (the window chooses its words by the kind), the
// detail in plain Spanish, and, for file data, the byte offset where it was found.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace gestalia {

// What happened, as the window tells it apart.
enum class ErrorKind {
    damaged,         // the contents of a file are not an agenda
    cannotOpen,      // a file could not be opened or read
    cannotSave,      // a file could not be written or replaced
    unstorableText,  // a text holds characters the agenda file cannot hold
    tooBig,          // a file far larger than any agenda
    notRegularFile,  // a folder, a named pipe, a device
    changedOnDisk,   // the file is no longer the one the save expected to replace
    badInput,        // a value she typed that cannot stand (a day, a length)
};

struct CError {
    ErrorKind kind;
    std::string message;  // the detail, for a person and for logs
    // Where damaged file data was found. Only errors about the contents of a
    // file carry it; a file that cannot be opened or read has none.
    std::optional<std::size_t> offset;

    friend bool operator==(const CError&, const CError&) = default;
};

// Holds either a value or a CError.
template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : m_v(std::move(value)) {}       // NOLINT: implicit by design
    Result(CError error) : m_v(std::move(error)) {}  // NOLINT: implicit by design

    bool ok() const { return std::holds_alternative<T>(m_v); }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<T>(m_v); }
    const T& value() const& { return std::get<T>(m_v); }
    T&& value() && { return std::get<T>(std::move(m_v)); }
    const CError& error() const { return std::get<CError>(m_v); }

  private:
    std::variant<T, CError> m_v;
};

// A result that carries no value on success.
class [[nodiscard]] Status {
  public:
    Status() = default;
    Status(CError error) : m_error(std::move(error)) {}  // NOLINT: implicit by design

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }
    const CError& error() const { return *m_error; }

  private:
    std::optional<CError> m_error;
};

}  // namespace gestalia
