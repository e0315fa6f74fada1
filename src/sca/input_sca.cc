#include "sca/input_sca.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "base/failure.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace ferry {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;
// Bytes past the buffer's end that the loads of a line's last 32 bytes may
// touch.
constexpr std::size_t kPadding = 32;

// Appends [data, data + size) to `line` without its CRs.
void AppendWithoutCr(std::string& line, const char* data, std::size_t size) {
  const char* end = data + size;
  while (data < end) {
    const char* cr = static_cast<const char*>(std::memchr(data, '\r', end - data));
    const char* stop = cr ? cr : end;
    line.append(data, stop - data);
    data = cr ? cr + 1 : end;
  }
}

// The first LF, CR or Ctrl-Z in [data, data + size), or null. With SSE2,
// 32 bytes at a time; the last load may reach past `size` into bytes of
// an earlier read or the buffer's padding, and a stop found there is none.
const char* FindLineStop(const char* data, std::size_t size) {
#ifdef __SSE2__
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i z = _mm_set1_epi8(0x1A);
  const auto stops = [&](std::size_t i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)),
                                     _mm_cmpeq_epi8(v, z));
    return static_cast<unsigned>(_mm_movemask_epi8(hit));
  };
  for (std::size_t i = 0; i < size; i += 32) {
    const unsigned mask = stops(i) | (stops(i + 16) << 16);
    if (mask != 0) {
      const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
      return at < size ? data + at : nullptr;
    }
  }
  return nullptr;
#else
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n' || data[i] == '\r' || data[i] == 0x1A) return data + i;
  }
  return nullptr;
#endif
}

}  // namespace

namespace {

static_assert(std::endian::native == std::endian::little,
              "the byte trick takes the first byte lowest");

// The position of the first byte above 0x20, or the size. Eight bytes at a
// time: such a byte sets the high bit of its place in (x + 0x5F...) | x, and
// the lowest such bit is exact.
std::size_t FirstNonBlank(std::string_view text) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  const std::size_t n = text.size();
  std::size_t i = 0;
  for (; n - i >= 8; i += 8) {
    std::uint64_t x;
    std::memcpy(&x, text.data() + i, 8);
    const std::uint64_t above = ((x + kOnes * 0x5F) | x) & (kOnes * 0x80);
    if (above != 0) return i + static_cast<std::size_t>(std::countr_zero(above) / 8);
  }
  while (i < n && IsBlank(text[i])) ++i;
  return i;
}

}  // namespace

InputSca::InputSca() : buffer_(new char[kBufferSize + kPadding]()) {}

void InputSca::Open(const std::string& path) {
  Close();
  if (int error = file_.Open(path)) throw Failure::Io(error, path);
  path_ = path;
  ++opening_;
  begin_ = end_ = 0;
  at_eof_ = false;
  line_number_ = 0;
}

void InputSca::Close() {
  file_.Close();
  begin_ = end_ = 0;
  at_eof_ = true;
}

bool InputSca::Fill() {
  if (begin_ < end_) return true;
  if (at_eof_) return false;
  // The last line read stays readable after the buffer is refilled.
  if (line_in_buffer_) {
    assembled_.assign(line_);
    line_ = assembled_;
    line_in_buffer_ = false;
    SetFirstWord();
  }
  std::size_t got = 0;
  if (int error = file_.Read(buffer_.get(), kBufferSize, &got)) throw Failure::Io(error, path_);
  begin_ = 0;
  end_ = got;
  if (got == 0) at_eof_ = true;
  return got > 0;
}

void InputSca::ReadSourceLine() {
  ++line_number_;
  line_ = {};
  line_in_buffer_ = false;
  current_made_ = false;
  // Most lines lie whole in the buffer and end in LF or CR LF.
  const char* data = buffer_.get() + begin_;
  const std::size_t available = end_ - begin_;
  const char* stop = FindLineStop(data, available);
  if (stop && *stop == '\n') {
    line_ = {data, static_cast<std::size_t>(stop - data)};
    line_in_buffer_ = true;
    begin_ += line_.size() + 1;
  } else if (stop && *stop == '\r' && stop + 1 < data + available && stop[1] == '\n') {
    line_ = {data, static_cast<std::size_t>(stop - data)};
    line_in_buffer_ = true;
    begin_ += line_.size() + 2;
  } else {
    ReadLineSlowly();
  }
  SetFirstWord();
}

void InputSca::ReadLineSlowly() {
  assembled_.clear();
  char end = TakeUntilLineEnd(&assembled_);
  if (end == kCtrlZ) {
    // The Ctrl-Z is consumed, and so is the rest of its physical line, up to
    // a further Ctrl-Z.
    ++begin_;
    end = TakeUntilLineEnd(nullptr);
  }
  if (end == '\n') ++begin_;
  line_ = assembled_;
}

// Moves up to the next LF or Ctrl-Z, consuming neither, and appends what it
// passes over to `line` (when given) without its CRs. Gives the character it
// stopped at, or 0 at the end of the data.
char InputSca::TakeUntilLineEnd(std::string* line) {
  while (Fill()) {
    const char* data = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    const void* lf = std::memchr(data, '\n', available);
    std::size_t span =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : available;
    const void* z = std::memchr(data, kCtrlZ, span);
    if (z) span = static_cast<std::size_t>(static_cast<const char*>(z) - data);
    if (line) AppendWithoutCr(*line, data, span);
    begin_ += span;
    if (z) return kCtrlZ;
    if (lf) return '\n';
  }
  return 0;
}

// FirstWord of the trimmed line: from its first character that is not
// blank, up to a space, the trimmed end or 255 characters, whichever comes
// first.
void InputSca::SetFirstWord() {
  const char* text = line_.data();
  std::size_t begin = FirstNonBlank(line_);
  std::size_t end = line_.size();
  while (end > begin && IsBlank(text[end - 1])) --end;
  trimmed_ = {text + begin, end - begin};
  if (end - begin > kWordWindow) end = begin + kWordWindow;
  end = NextSpace(text, begin, end);
  first_word_ = {text + begin, end - begin};
}

const std::string& InputSca::RawLine() const {
  raw_line_.assign(line_);
  return raw_line_;
}

const std::string& InputSca::CurrentLine() const {
  if (current_made_) return current_line_;
  const std::string_view trimmed = trimmed_;
  current_line_.resize(trimmed.size());
  UpperCaseInto(current_line_.data(), trimmed);
  current_made_ = true;
  return current_line_;
}

}  // namespace ferry
