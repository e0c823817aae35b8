// Files of our framework layer: a file item and a text stream that reads it
// line by line. Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace fw {

// A file on disk, named by its path (UTF-8).
class FolderItem {
 public:
  explicit FolderItem(std::string path);

  bool Exists() const;
  // The file's name without its folder.
  std::string Name() const;
  const std::string& Path() const { return m_path; }
  // The system error number of the last failed operation on this item; 0 if none.
  int LastErrorCode() const { return m_lastErrorCode; }
  void SetLastErrorCode(int code) { m_lastErrorCode = code; }

 private:
  std::string m_path;
  int m_lastErrorCode = 0;
};

// Reads a text file line by line. Every line comes out as UTF-8:
// - a UTF-8 byte-order mark is skipped; a UTF-16 LE or BE byte-order mark
//   makes the file read as UTF-16;
// - otherwise a line whose bytes are valid UTF-8 is taken as it is, any other
//   line is read as Windows-1252.
// LF, CR LF and a lone CR each end a line.
// Memory stays bounded on any file: a line keeps at most kMaxLineBytes of
// UTF-8 and the rest of it is skipped, so a binary file or one without line
// ends cannot take the machine's memory.
class TextInputStream {
 public:
  static constexpr std::size_t kMaxLineBytes = 1 << 20;

  // Opens `item` positioned at its start; raises IOException (with the
  // system's error number, also stored as the item's LastErrorCode) when it
  // cannot be opened, a folder included.
  static std::unique_ptr<TextInputStream> Open(FolderItem& item);
  ~TextInputStream();
  TextInputStream(const TextInputStream&) = delete;
  TextInputStream& operator=(const TextInputStream&) = delete;

  // The next line without its line end; "" for every read past the end.
  // Raises IOException on a read error.
  std::string ReadLine();
  int LastErrorCode() const { return m_lastErrorCode; }
  void Close();

 private:
  enum class Encoding { Bytes, Utf16LE, Utf16BE };
  TextInputStream(std::FILE* file, std::string fileName);

  void ReadMark();
  bool Fill();                         // false at the end of the file
  bool NextByte(unsigned char& byte);  // false at the end of the file
  // The next character: a byte of the file, or a code point of UTF-16 text.
  bool NextUnit(std::uint32_t& unit);
  [[noreturn]] void ReadFailed(int error);

  std::FILE* m_file;
  std::string m_fileName;
  Encoding m_encoding = Encoding::Bytes;
  std::unique_ptr<unsigned char[]> m_buffer;
  std::size_t m_size = 0;
  std::size_t m_pos = 0;
  bool m_markRead = false;
  bool m_atEnd = false;
  bool m_hasPending = false;  // a character read ahead past a CR
  std::uint32_t m_pending = 0;
  int m_lastErrorCode = 0;
};

}  // namespace fw
