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
//   line is read as Windows-1252;
// - in UTF-16 a surrogate pair is one character, and an unpaired surrogate
//   reads as U+FFFD, the unit after it read normally.
// LF, CR LF and a lone CR each end a line.
// Memory stays bounded on any file: a line keeps at most kMaxLineBytes of
// UTF-8, cut on a character boundary, and the rest of it is skipped, so a
// binary file or one without line ends cannot take the machine's memory.
// The skipped bytes still count in telling UTF-8 from Windows-1252.
// Time stays bounded when the caller gives a budget: the stream reads at most
// that many bytes of the file (its mark and skipped bytes included) and takes
// the file as ending there, so the line being read ends at the budget and
// every read after it gives "". A file no larger than the budget reads whole.
class TextInputStream {
 public:
  static constexpr std::size_t kMaxLineBytes = 1 << 20;
  static constexpr std::uint64_t kWholeFile = UINT64_MAX;

  // Opens `item` positioned at its start, to read at most `budget` bytes of
  // it; raises IOException (with the system's error number, also stored as
  // the item's LastErrorCode) when it cannot be opened or is no ordinary file
  // (a folder, a device, a named pipe, a socket). Never waits: a pipe without
  // a writer is refused at once.
  static std::unique_ptr<TextInputStream> Open(FolderItem& item, std::uint64_t budget = kWholeFile);
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
  TextInputStream(std::FILE* file, std::string fileName, std::uint64_t budget);

  void ReadMark();
  bool Fill();                         // false at the end of the file
  bool NextByte(unsigned char& byte);  // false at the end of the file
  std::string ReadByteLine();
  std::string ReadUtf16Line();
  // UTF-16: the next code unit, and the next character (false at the end).
  bool NextCodeUnit(std::uint32_t& unit);
  bool NextChar(std::uint32_t& code);
  [[noreturn]] void ReadFailed(int error);

  std::FILE* m_file;
  std::string m_fileName;
  Encoding m_encoding = Encoding::Bytes;
  std::unique_ptr<unsigned char[]> m_buffer;
  std::size_t m_size = 0;
  std::size_t m_pos = 0;
  std::uint64_t m_budget;     // the bytes of the file that may be read
  std::uint64_t m_taken = 0;  // the bytes read from it so far
  bool m_markRead = false;
  bool m_atEnd = false;
  // UTF-16 read ahead: the code unit after an unpaired high surrogate, and
  // the character after a CR. Two slots, since a CR can be followed by both.
  bool m_hasPendingUnit = false;
  std::uint32_t m_pendingUnit = 0;
  bool m_hasPendingChar = false;
  std::uint32_t m_pendingChar = 0;
  int m_lastErrorCode = 0;
};

}  // namespace fw
