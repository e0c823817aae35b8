#include "framework/Files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "framework/Exceptions.h"
#include "framework/Text.h"

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

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    int extra;
    std::uint32_t cp;
    if (b < 0x80) { ++i; continue; }
    if (b >= 0xC2 && b <= 0xDF) { extra = 1; cp = b & 0x1F; }
    else if (b >= 0xE0 && b <= 0xEF) { extra = 2; cp = b & 0x0F; }
    else if (b >= 0xF0 && b <= 0xF4) { extra = 3; cp = b & 0x07; }
    else return false;
    if (i + std::size_t(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      auto c = static_cast<unsigned char>(s[i + std::size_t(k)]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += std::size_t(extra) + 1;
  }
  return true;
}

std::string FromWindows1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    out += b < 0x80 ? std::string(1, c) : Chr(b < 0xA0 ? kCp1252[b - 0x80] : b);
  }
  return out;
}

// The longest prefix of `s` of at most `limit` bytes that ends on a character boundary.
std::size_t CharBoundary(std::string_view s, std::size_t limit) {
  if (s.size() <= limit) return s.size();
  std::size_t cut = limit;
  while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
  return cut;
}

}  // namespace

FolderItem::FolderItem(std::string path) : m_path(std::move(path)) {}

bool FolderItem::Exists() const {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::u8path(m_path), error);
}

std::string FolderItem::Name() const {
  auto name = std::filesystem::u8path(m_path).filename().u8string();
  return std::string(name.begin(), name.end());
}

TextInputStream::TextInputStream(std::FILE* file, std::string fileName)
    : m_file(file), m_fileName(std::move(fileName)), m_buffer(std::make_unique_for_overwrite<unsigned char[]>(kBufferSize)) {}

TextInputStream::~TextInputStream() { Close(); }

std::unique_ptr<TextInputStream> TextInputStream::Open(FolderItem& item) {
  std::FILE* file = std::fopen(item.Path().c_str(), "rb");
  int error = file ? 0 : errno;
  struct stat info {};
  if (file && fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    std::fclose(file);
    file = nullptr;
    error = EISDIR;
  }
  if (!file) {
    item.SetLastErrorCode(error);
    throw IOException("The file \"" + item.Name() + "\" could not be opened: " + Reason(error) + ".", error, item.Name());
  }
  return std::unique_ptr<TextInputStream>(new TextInputStream(file, item.Name()));
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
  std::size_t got = std::fread(m_buffer.get(), 1, kBufferSize, m_file);
  if (got == 0) {
    if (std::ferror(m_file)) ReadFailed(errno ? errno : EIO);
    m_atEnd = true;
    return false;
  }
  m_size = got;
  m_pos = 0;
  return true;
}

bool TextInputStream::NextByte(unsigned char& byte) {
  if (m_pos == m_size && !Fill()) return false;
  byte = m_buffer[m_pos++];
  return true;
}

bool TextInputStream::NextUnit(std::uint32_t& unit) {
  if (m_hasPending) {
    m_hasPending = false;
    unit = m_pending;
    return true;
  }
  if (m_encoding == Encoding::Bytes) {
    unsigned char b;
    if (!NextByte(b)) return false;
    unit = b;
    return true;
  }
  auto codeUnit = [this](std::uint32_t& u) {
    unsigned char a, b;
    if (!NextByte(a) || !NextByte(b)) return false;  // an odd last byte is dropped
    u = m_encoding == Encoding::Utf16LE ? std::uint32_t(a | (b << 8)) : std::uint32_t((a << 8) | b);
    return true;
  };
  std::uint32_t u;
  if (!codeUnit(u)) return false;
  if (u >= 0xD800 && u <= 0xDBFF) {
    std::uint32_t low;
    if (!codeUnit(low)) {
      unit = 0xFFFD;
      return true;
    }
    if (low >= 0xDC00 && low <= 0xDFFF) {
      unit = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
      return true;
    }
    m_hasPending = true;  // an unpaired high surrogate, then whatever came after it
    m_pending = low;
    unit = 0xFFFD;
    return true;
  }
  unit = (u >= 0xDC00 && u <= 0xDFFF) ? 0xFFFD : u;
  return true;
}

std::string TextInputStream::ReadLine() {
  if (!m_markRead) ReadMark();
  std::string line;
  bool truncated = false;
  std::uint32_t unit;
  while (NextUnit(unit)) {
    if (unit == '\n') break;
    if (unit == '\r') {
      std::uint32_t next;
      if (NextUnit(next) && next != '\n') {
        m_hasPending = true;
        m_pending = next;
      }
      break;
    }
    // A line keeps at most kMaxLineBytes; the rest of it is skipped, so no
    // file can make the reading take unbounded memory.
    if (line.size() >= kMaxLineBytes) {
      truncated = true;
      continue;
    }
    if (m_encoding == Encoding::Bytes) line += char(unit);
    else line += Chr(unit);
  }
  if (m_encoding == Encoding::Bytes) {
    if (truncated) line.resize(CharBoundary(line, kMaxLineBytes));
    if (!IsValidUtf8(line)) line = FromWindows1252(line);
  }
  line.resize(CharBoundary(line, kMaxLineBytes));
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
