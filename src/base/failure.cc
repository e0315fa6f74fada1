#include "base/failure.h"

namespace ferry {

Failure Failure::Io(int error_number, std::string file) {
  return Failure(IoErrorMessage(error_number), std::move(file), true);
}

Failure Failure::MissingField(std::size_t index) {
  return Failure("List index out of bounds (" + std::to_string(index) + ")", std::string(), false);
}

std::string IoErrorMessage(int error_number) {
  switch (error_number) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(error_number);
  }
}

std::string UserMessage(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace ferry
