#include "framework/base/Files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/base/Exceptions.h"
#include "framework/base/Text.h"

namespace fw {

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

std::string Reason(int error) { return std::strerror(error); }

// Where the bytes are not valid UTF-8, the file came from an older system:
// Windows-1252 for 0x80-0x9F, Latin-1 for the rest.
constexpr std::uint16_t kCp1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                       0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Checks UTF-8 a piece at a time: the bytes of a long line past the cap are
// skipped, yet they still decide whether the whole line is UTF-8.
class Utf8Check {
 public:
  void Feed(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size() && m_valid; ++i) {
      auto b = static_cast<unsigned char>(bytes[i]);
      if (m_needed > 0) {
        m_valid = b >= m_low && b <= m_high;
        --m_needed;
        m_low = 0x80;
        m_high = 0xBF;
      } else if (b >= 0x80) {
        // The ranges of the first continuation byte exclude overlong forms,
        // surrogates and code points past U+10FFFF.
        if (b >= 0xC2 && b <= 0xDF) m_needed = 1;
        else if (b >= 0xE0 && b <= 0xEF) m_needed = 2;
        else if (b >= 0xF0 && b <= 0xF4) m_needed = 3;
        else m_valid = false;
        if (b == 0xE0) m_low = 0xA0;
        if (b == 0xED) m_high = 0x9F;
        if (b == 0xF0) m_low = 0x90;
        if (b == 0xF4) m_high = 0x8F;
      }
    }
  }
  bool Valid() const { return m_valid && m_needed == 0; }

 private:
  bool m_valid = true;
  int m_needed = 0;  // continuation bytes still due
  unsigned char m_low = 0x80, m_high = 0xBF;  // the range of the next one
};

// The whole characters of `bytes` read as Windows-1252 whose UTF-8 fits in `limit`.
std::string FromWindows1252(std::string_view bytes, std::size_t limit) {
  std::string out;
  out.reserve(std::min(bytes.size() * 2, limit));
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80 && out.size() < limit) {
      out += c;
      continue;
    }
    const std::string utf8 = b < 0x80 ? std::string(1, c) : Chr(b < 0xA0 ? kCp1252[b - 0x80] : b);
    if (out.size() + utf8.size() > limit) break;
    out += utf8;
  }
  return out;
}

// Why a file of this kind is not read, with the error number to go with it;
// "" (and no error) for an ordinary file.
std::string NotAnOrdinaryFile(mode_t mode, int& error) {
  if (S_ISREG(mode)) return "";
  if (S_ISDIR(mode)) {
    error = EISDIR;
    return Reason(EISDIR);
  }
  error = EINVAL;
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not an ordinary file";
  if (S_ISFIFO(mode)) return "it is a named pipe, not an ordinary file";
  if (S_ISSOCK(mode)) return "it is a socket, not an ordinary file";
  return "it is not an ordinary file";
}

// `line` without a last character that a cut split: only the start of a
// multi-byte sequence left at its end.
std::string_view WithoutSplitCharacter(std::string_view line) {
  std::size_t back = 0;
  while (back < 3 && back < line.size() && (static_cast<unsigned char>(line[line.size() - 1 - back]) & 0xC0) == 0x80)
    ++back;
  if (back == line.size()) return line;
  auto lead = static_cast<unsigned char>(line[line.size() - 1 - back]);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return length > back + 1 ? line.substr(0, line.size() - 1 - back) : line;
}

// The kept bytes of a line as UTF-8: a line that is valid UTF-8 stays as it
// is (a cut one without the character the cut split), any other is read as
// Windows-1252 and keeps what fits in the cap.
std::string BytesToUtf8(std::string line, bool cut, bool utf8) {
  if (!utf8) return FromWindows1252(line, TextInputStream::kMaxLineBytes);
  if (cut) line.resize(WithoutSplitCharacter(line).size());
  return line;
}


}  // namespace

FolderItem::FolderItem(std::string path) : m_path(std::move(path)) {}

bool FolderItem::Exists() const {
  std::error_code error;
  // POSIX names a file by its bytes: the path is taken as it is, UTF-8 or not.
  return std::filesystem::exists(std::filesystem::path(m_path), error);
}

std::string FolderItem::Name() const {
  return std::filesystem::path(m_path).filename().string();
}

TextInputStream::TextInputStream(std::FILE* file, std::string fileName, std::uint64_t budget)
    : m_file(file),
      m_fileName(std::move(fileName)),
      m_buffer(std::make_unique_for_overwrite<unsigned char[]>(kBufferSize)),
      m_budget(budget) {}

TextInputStream::~TextInputStream() { Close(); }

std::unique_ptr<TextInputStream> TextInputStream::Open(FolderItem& item, std::uint64_t budget) {
  const std::string& path = item.Path();
  int error = 0;
  std::string reason;
  std::FILE* file = nullptr;
  // Only an ordinary file is opened: reading a device such as /dev/zero would
  // never end, and opening a named pipe waits for a writer, and either would
  // hang the window with every report in it.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) error = errno;
  else reason = NotAnOrdinaryFile(info.st_mode, error);
  if (!error) {
    // Checked again on what was opened, in case the name changed meanwhile;
    // O_NONBLOCK keeps even that open from waiting.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) error = errno;
    else if (::fstat(fd, &info) != 0) error = errno;
    else reason = NotAnOrdinaryFile(info.st_mode, error);
    if (!error && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) error = errno;
    if (!error && !(file = ::fdopen(fd, "rb"))) error = errno;
    if (error && fd >= 0) ::close(fd);
  }
  if (error) {
    item.SetLastErrorCode(error);
    if (reason.empty()) reason = Reason(error);
    throw IOException("The file \"" + item.Name() + "\" could not be opened: " + reason + ".", error, item.Name());
  }
  return std::unique_ptr<TextInputStream>(new TextInputStream(file, item.Name(), budget));
}

void TextInputStream::ReadMark() {
  m_markRead = true;
  if (!Fill()) return;
  // A byte-order mark tells the encoding and is not part of the text.
  const unsigned char* b = m_buffer.get();
  if (m_size >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    m_encoding = Encoding::Utf16LE;
    m_pos = 2;
  } else if (m_size >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
    m_encoding = Encoding::Utf16BE;
    m_pos = 2;
  } else if (m_size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    m_pos = 3;
  }
}

bool TextInputStream::Fill() {
  if (m_atEnd || !m_file) return false;
  // The file ends for us where the budget does: everything past it is never
  // read, so a file of gigabytes without line ends costs no more than the budget.
  const auto want = std::size_t(std::min<std::uint64_t>(kBufferSize, m_budget - m_taken));
  std::size_t got = want > 0 ? std::fread(m_buffer.get(), 1, want, m_file) : 0;
  if (got == 0) {
    if (want > 0 && std::ferror(m_file)) ReadFailed(errno ? errno : EIO);
    m_atEnd = true;
    return false;
  }
  m_taken += got;
  m_size = got;
  m_pos = 0;
  return true;
}

bool TextInputStream::NextByte(unsigned char& byte) {
  if (m_pos == m_size && !Fill()) return false;
  byte = m_buffer[m_pos++];
  return true;
}

std::string TextInputStream::ReadLine() {
  if (!m_markRead) ReadMark();
  return m_encoding == Encoding::Bytes ? ReadByteLine() : ReadUtf16Line();
}

std::string TextInputStream::ReadByteLine() {
  std::string line;
  bool cut = false;
  Utf8Check utf8;
  while (m_pos < m_size || Fill()) {
    const unsigned char* begin = m_buffer.get() + m_pos;
    const unsigned char* end = m_buffer.get() + m_size;
    const unsigned char* stop = std::find_if(begin, end, [](unsigned char b) { return b == '\n' || b == '\r'; });
    // A line keeps at most kMaxLineBytes; the rest of it is skipped, so no
    // file can make the reading take unbounded memory.
    const std::size_t length = std::size_t(stop - begin);
    const std::size_t take = std::min(length, kMaxLineBytes - line.size());
    cut = cut || take < length;
    line.append(reinterpret_cast<const char*>(begin), take);
    utf8.Feed(std::string_view(reinterpret_cast<const char*>(begin), length));
    m_pos += length;
    if (stop == end) continue;
    const bool cr = *stop == '\r';
    ++m_pos;
    // CR LF is one line end, even when the LF starts the next buffer.
    if (cr && (m_pos < m_size || Fill()) && m_buffer[m_pos] == '\n') ++m_pos;
    break;
  }
  return BytesToUtf8(std::move(line), cut, utf8.Valid());
}

bool TextInputStream::NextCodeUnit(std::uint32_t& unit) {
  if (m_hasPendingUnit) {
    m_hasPendingUnit = false;
    unit = m_pendingUnit;
    return true;
  }
  unsigned char a, b;
  if (!NextByte(a) || !NextByte(b)) return false;  // an odd last byte is dropped
  unit = m_encoding == Encoding::Utf16LE ? std::uint32_t(a | (b << 8)) : std::uint32_t((a << 8) | b);
  return true;
}

bool TextInputStream::NextChar(std::uint32_t& code) {
  if (m_hasPendingChar) {
    m_hasPendingChar = false;
    code = m_pendingChar;
    return true;
  }
  std::uint32_t unit;
  if (!NextCodeUnit(unit)) return false;
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    std::uint32_t low;
    if (NextCodeUnit(low)) {
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        return true;
      }
      // Not the pair's second half: it is read on its own next.
      m_hasPendingUnit = true;
      m_pendingUnit = low;
    }
    code = 0xFFFD;
    return true;
  }
  code = (unit >= 0xDC00 && unit <= 0xDFFF) ? 0xFFFD : unit;
  return true;
}

std::string TextInputStream::ReadUtf16Line() {
  std::string line;
  bool full = false;
  std::uint32_t code;
  while (NextChar(code)) {
    if (code == '\n') break;
    if (code == '\r') {
      std::uint32_t next;
      if (NextChar(next) && next != '\n') {
        m_hasPendingChar = true;
        m_pendingChar = next;
      }
      break;
    }
    // Whole characters only, up to kMaxLineBytes; the rest of the line is skipped.
    if (full) continue;
    if (code < 0x80 && line.size() < kMaxLineBytes) {
      line += char(code);  // most text, without a string per character
      continue;
    }
    const std::string utf8 = Chr(code);
    full = line.size() + utf8.size() > kMaxLineBytes;
    if (!full) line += utf8;
  }
  return line;
}

void TextInputStream::ReadFailed(int error) {
  m_lastErrorCode = error;
  throw IOException("The file \"" + m_fileName + "\" could not be read: " + Reason(error) + ".", error, m_fileName);
}

void TextInputStream::Close() {
  if (m_file) std::fclose(m_file);
  m_file = nullptr;
}

}  // namespace fw
