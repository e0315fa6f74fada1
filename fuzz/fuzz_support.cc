#include "fuzz_support.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace ferry::fuzz {

namespace fs = std::filesystem;

namespace {

// Removed again when the fuzzer exits normally (at the end of its time).
struct Scratch {
  Scratch() {
    fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path d = base / ("ferry-fuzz-" + std::to_string(getpid()));
    fs::create_directories(d);
    path = d.string();
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  std::string path;
};

}  // namespace

const std::string& ScratchDir() {
  static const Scratch scratch;
  return scratch.path;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("cannot write scratch file", path);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("cannot read scratch file", path);
  in.seekg(0, std::ios::end);
  std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
  in.seekg(0);
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

bool Exists(const std::string& path) {
  std::error_code ignored;
  return fs::exists(path, ignored);
}

void Remove(const std::string& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

std::vector<std::string> ModelLines(std::string_view data) {
  constexpr char kLf = '\n', kCr = '\r', kCtrlZ = 0x1A;
  std::vector<std::string> lines;
  std::size_t pos = 0;
  const std::size_t n = data.size();
  // A pass ends when nothing is left or the next character is a Ctrl-Z.
  while (pos < n && data[pos] != kCtrlZ) {
    std::string text;
    std::size_t end = pos;
    while (end < n && data[end] != kLf && data[end] != kCtrlZ) ++end;
    for (; pos < end; ++pos)
      if (data[pos] != kCr) text += data[pos];
    if (pos < n && data[pos] == kCtrlZ) ++pos;
    // The rest of the physical line: up to and including its LF, but never
    // past a Ctrl-Z.
    while (pos < n && data[pos] != kLf && data[pos] != kCtrlZ) ++pos;
    if (pos < n && data[pos] == kLf) ++pos;
    lines.push_back(text);
  }
  return lines;
}

std::vector<std::string> ModelFields(std::string_view text) {
  std::vector<std::string> fields;
  std::size_t n = 0;
  while (n < text.size() && text[n] != '\0') ++n;
  auto separator = [&](std::size_t i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    return c >= 0x01 && c <= 0x20;
  };
  std::size_t i = 0;
  while (i < n && separator(i)) ++i;
  while (i < n) {
    std::string field;
    if (text[i] == '"') {
      ++i;
      while (i < n) {
        if (text[i] != '"') {
          field += text[i++];
        } else if (i + 1 < n && text[i + 1] == '"') {
          field += '"';
          i += 2;
        } else {
          ++i;
          break;
        }
      }
    } else {
      while (i < n && !separator(i)) field += text[i++];
    }
    fields.push_back(field);
    while (i < n && separator(i)) ++i;
  }
  return fields;
}

std::vector<std::string> ModelWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (std::size_t i = 0; i < text.size() && i < 255; ++i) {
    if (text[i] == ' ') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += text[i];
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

std::string ModelNormalise(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) --e;
  std::string out(text.substr(b, e - b));
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string FileContents(std::string_view input) {
  constexpr std::size_t kBlock = 256 * 1024;  // the reader's block
  if (input.size() < 2 || (input[0] & 1) == 0) return std::string(input);
  const std::size_t lead = static_cast<unsigned char>(input[1]);
  std::string contents(kBlock - lead - 1, 'A');
  contents += '\n';
  contents.append(input.substr(2));
  return contents;
}

}  // namespace ferry::fuzz
