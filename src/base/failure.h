// The one way a conversion run stops: a Failure, thrown where the fault is met
// and caught once, at the top of the run.
#pragma once

#include <cstddef>
#include <exception>
#include <string>
#include <string_view>

namespace ferry {

class Failure : public std::exception {
 public:
  // A file operation failed with `error_number` (Windows numbering) on `file`.
  static Failure Io(int error_number, std::string file);
  // A converter read or replaced a field that the statement does not have.
  static Failure MissingField(std::size_t index);

  // The system's message, before the full-stop rule: "File not found",
  // "List index out of bounds (12)".
  const std::string& message() const { return message_; }
  // The file whose operation failed; empty for a missing field.
  const std::string& file() const { return file_; }
  bool is_io() const { return io_; }

  const char* what() const noexcept override { return message_.c_str(); }

 private:
  Failure(std::string message, std::string file, bool io)
      : message_(std::move(message)), file_(std::move(file)), io_(io) {}

  std::string message_;
  std::string file_;
  bool io_;
};

// The message of an input/output failure with the given error number.
std::string IoErrorMessage(int error_number);

// The text the user reads: a full stop is appended when the message's last
// character sorts after '.'.
std::string UserMessage(std::string_view message);

}  // namespace ferry
