#pragma once
// Errors carry a user-readable message (as a rule a string-table entry with its
// placeholders filled); the application's error handler shows it.

#include <exception>
#include <string>

#include "foundation/Strings.h"

namespace quillora {

class Exception : public std::exception {
public:
    explicit Exception(String message) : message_(std::move(message)), utf8_(StringToUtf8(message_)) {}
    const String& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    String message_;
    std::string utf8_;
};

// An error reported by the platform (file system, shell) with its own text.
class PlatformError : public Exception {
public:
    PlatformError(String message, long code) : Exception(std::move(message)), code_(code) {}
    long Code() const noexcept { return code_; }

private:
    long code_;
};

} // namespace quillora
