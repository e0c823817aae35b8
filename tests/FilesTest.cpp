// Reading text files line by line: line ends, encodings, errors, and a
// bounded line length on any file.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/Exceptions.h"
#include "framework/Files.h"
#include "framework/Text.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

class TextFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = fs::temp_directory_path() / ("lumetra-files-test-" + std::to_string(::getpid()));
    fs::create_directories(m_folder);
  }
  void TearDown() override { fs::remove_all(m_folder); }

  FolderItem Write(const std::string& bytes, const std::string& name = "m.txt") {
    fs::path path = m_folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return FolderItem(path.string());
  }
  // Every line of the file, read until past its end, then one read more.
  std::vector<std::string> Read(const std::string& bytes, std::size_t count) {
    FolderItem item = Write(bytes);
    auto stream = TextInputStream::Open(item);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < count; ++i) lines.push_back(stream->ReadLine());
    return lines;
  }

  fs::path m_folder;
};

using Lines = std::vector<std::string>;

TEST_F(TextFile, EveryLineEndEndsALine) {
  EXPECT_EQ(Read("a\nb\n", 3), (Lines{"a", "b", ""}));
  EXPECT_EQ(Read("a\r\nb\r\n", 3), (Lines{"a", "b", ""}));
  EXPECT_EQ(Read("a\rb\r", 3), (Lines{"a", "b", ""}));
  EXPECT_EQ(Read("a\r\rb", 3), (Lines{"a", "", "b"})) << "two CRs are an empty line";
  EXPECT_EQ(Read("a\n\nb", 4), (Lines{"a", "", "b", ""})) << "blank lines keep their places";
  EXPECT_EQ(Read("last", 3), (Lines{"last", "", ""})) << "no line end after the last line";
  EXPECT_EQ(Read("", 2), (Lines{"", ""}));
}

TEST_F(TextFile, CrLfSplitAcrossTheReadBuffer) {
  std::string first(64 * 1024 - 1, 'x');
  EXPECT_EQ(Read(first + "\r\ny\n", 3), (Lines{first, "y", ""}));
}

TEST_F(TextFile, EncodingsComeOutAsUtf8) {
  EXPECT_EQ(Read("\xEF\xBB\xBFvocab1\n", 1), (Lines{"vocab1"})) << "a UTF-8 mark is skipped";
  EXPECT_EQ(Read("caf\xC3\xA9\n", 1), (Lines{"caf\xC3\xA9"})) << "valid UTF-8 stays";
  EXPECT_EQ(Read("caf\xE9\t\x80\n", 1), (Lines{"caf\xC3\xA9\t\xE2\x82\xAC"})) << "else Windows-1252";
  // UTF-16 with its mark, a spreadsheet's "Unicode text": little and big endian, a pair of surrogates.
  std::string le("\xFF\xFE" "a\0\t\0\xE9\0\r\0\n\0\x3D\xD8\x00\xDE" "b\0", 18);
  EXPECT_EQ(Read(le, 3), (Lines{"a\t\xC3\xA9", "\xF0\x9F\x98\x80" "b", ""}));
  std::string be("\xFE\xFF\0x\0\r\0y", 8);
  EXPECT_EQ(Read(be, 3), (Lines{"x", "y", ""}));
}

// UTF-16 little endian with its mark, from code units.
std::string Utf16(std::initializer_list<std::uint16_t> units) {
  std::string bytes("\xFF\xFE", 2);
  for (std::uint16_t u : units) bytes += std::string{char(u & 0xFF), char(u >> 8)};
  return bytes;
}

TEST_F(TextFile, UnpairedSurrogatesReadAsReplacementAndLoseNothing) {
  const std::string fffd = "\xEF\xBF\xBD";
  // The look-ahead for the LF after a CR must not lose the unit after the surrogate.
  EXPECT_EQ(Read(Utf16({'a', '\r', 0xD800, '\n', 'b', '\t', '1', '\n'}), 4), (Lines{"a", fffd, "b\t1", ""}));
  EXPECT_EQ(Read(Utf16({'a', 0xD800, 0xD800, 0xDC00, 'b'}), 2), (Lines{"a" + fffd + "\xF0\x90\x80\x80" "b", ""}))
      << "the unit after an unpaired surrogate can start a pair";
  EXPECT_EQ(Read(Utf16({0xDC00, 'x', 0xD800}), 2), (Lines{fffd + "x" + fffd, ""})) << "lone halves at both ends";
  EXPECT_EQ(Read(Utf16({'a', '\r', 0xD800, 0xDC00, '\r', '\n', 'c'}), 3), (Lines{"a", "\xF0\x90\x80\x80", "c"}));
}

// Where the cap falls at each byte of a multi-byte character, the line is
// cut before that character and stays UTF-8.
TEST_F(TextFile, TheCapNeverSplitsACharacter) {
  const std::size_t cap = TextInputStream::kMaxLineBytes;
  for (std::string character : {"\xC3\xA9", "\xE2\x80\xA2", "\xF0\x9F\x98\x80"}) {
    for (std::size_t before = 0; before <= character.size(); ++before) {
      std::string prefix(cap - before, 'x');
      Lines lines = Read(prefix + character + "tail\nnext\n", 2);
      std::string expected = before == character.size() ? prefix + character : prefix;
      EXPECT_EQ(lines[0].size(), expected.size()) << character.size() << " bytes, " << before << " before the cap";
      EXPECT_TRUE(lines[0] == expected) << "read as UTF-8, not as Windows-1252";
      EXPECT_EQ(lines[1], "next");
    }
  }
  // Text that is not UTF-8 is read as Windows-1252 and cut on a character of its UTF-8.
  Lines lines = Read(std::string(cap - 1, 'x') + "\xE9\xE9\n", 1);
  EXPECT_EQ(lines[0].size(), cap - 1);
  EXPECT_EQ(lines[0].find('\xC3'), std::string::npos);
}

// An independent reading of a whole file: decode all of it, then split it
// into lines. The stream, which reads in buffers, must give the same lines.
Lines ModelLines(const std::string& bytes) {
  std::vector<std::uint32_t> codes;
  std::size_t i = 0;
  auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
  bool utf16 = bytes.size() >= 2 && ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF));
  if (utf16) {
    bool le = at(0) == 0xFF;
    std::vector<std::uint32_t> units;
    for (i = 2; i + 1 < bytes.size(); i += 2) units.push_back(le ? at(i) | at(i + 1) << 8 : at(i) << 8 | at(i + 1));
    for (std::size_t k = 0; k < units.size(); ++k) {
      std::uint32_t u = units[k];
      bool high = u >= 0xD800 && u <= 0xDBFF, low = u >= 0xDC00 && u <= 0xDFFF;
      if (high && k + 1 < units.size() && units[k + 1] >= 0xDC00 && units[k + 1] <= 0xDFFF)
        codes.push_back(0x10000 + ((u - 0xD800) << 10) + (units[++k] - 0xDC00));
      else
        codes.push_back(high || low ? 0xFFFD : u);
    }
  } else {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) i = 3;
    for (; i < bytes.size(); ++i) codes.push_back(at(i));
  }
  Lines lines;
  std::vector<std::uint32_t> line;
  auto finish = [&] {
    std::string text;
    if (utf16) {
      for (std::uint32_t c : line) text += Chr(c);
    } else {
      std::string raw(line.begin(), line.end());
      // Only these bytes beyond ASCII occur: "é" and "•" in UTF-8, and 0xE9 and 0x80 alone.
      bool valid = true;
      for (std::size_t k = 0; k < raw.size() && valid; ++k) {
        if (raw.compare(k, 2, "\xC3\xA9") == 0) ++k;
        else if (raw.compare(k, 3, "\xE2\x80\xA2") == 0) k += 2;
        else valid = static_cast<unsigned char>(raw[k]) < 0x80;
      }
      if (valid) text = raw;
      else
        for (unsigned char b : raw) text += Chr(b == 0x80 ? 0x20AC : b);
    }
    lines.push_back(text);
    line.clear();
  };
  for (std::size_t k = 0; k < codes.size(); ++k) {
    if (codes[k] == '\n') finish();
    else if (codes[k] == '\r') {
      finish();
      if (k + 1 < codes.size() && codes[k + 1] == '\n') ++k;
    } else line.push_back(codes[k]);
  }
  if (!line.empty()) finish();
  return lines;
}

TEST_F(TextFile, AgreesWithAWholeFileReadingAtEveryBufferBoundary) {
  const std::vector<std::string> byteTokens = {"a", "1", "\t", "\r", "\n", "\r\n", "\xC3\xA9", "\xE2\x80\xA2", "\xE9", "\x80"};
  const std::vector<std::uint16_t> unitTokens = {'a', '\t', '\r', '\n', 0xE9, 0x2022, 0xD83D, 0xDE00, 0xD800, 0xDC00};
  std::uint32_t seed = 2026;
  auto next = [&](std::uint32_t bound) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % bound;
  };
  for (int round = 0; round < 240; ++round) {
    const int kind = round % 4;  // no mark, UTF-8 mark, UTF-16 LE, UTF-16 BE
    std::string bytes = kind == 1 ? "\xEF\xBB\xBF" : kind == 2 ? "\xFF\xFE" : kind == 3 ? "\xFE\xFF" : "";
    // Every other file puts its random part across the end of the first 64 KiB buffer.
    if (round % 2) bytes += std::string(64 * 1024 - 8 + next(8) * 2 - bytes.size() % 2, 'a');
    if (kind >= 2 && bytes.size() % 2) bytes.pop_back();
    for (std::uint32_t count = next(40); count > 0; --count) {
      if (kind < 2) {
        bytes += byteTokens[next(std::uint32_t(byteTokens.size()))];
      } else {
        std::uint16_t u = unitTokens[next(std::uint32_t(unitTokens.size()))];
        bytes += kind == 2 ? std::string{char(u & 0xFF), char(u >> 8)} : std::string{char(u >> 8), char(u & 0xFF)};
      }
    }
    if (kind >= 2 && next(4) == 0) bytes += 'z';  // an odd last byte
    Lines expected = ModelLines(bytes);
    expected.insert(expected.end(), {"", ""});
    ASSERT_EQ(Read(bytes, expected.size()), expected) << "round " << round;
  }
}

TEST_F(TextFile, OpenFailuresRaiseWithTheSystemsErrorNumber) {
  FolderItem missing((m_folder / "nope.txt").string());
  EXPECT_FALSE(missing.Exists());
  try {
    TextInputStream::Open(missing);
    FAIL() << "no exception";
  } catch (const IOException& e) {
    EXPECT_EQ(e.ErrorNumber(), ENOENT);
    EXPECT_EQ(missing.LastErrorCode(), ENOENT);
    EXPECT_EQ(e.FileName(), "nope.txt");
    EXPECT_EQ(std::string(e.what()), "The file \"nope.txt\" could not be opened: No such file or directory.");
  }
  FolderItem folder(m_folder.string());
  EXPECT_TRUE(folder.Exists());
  EXPECT_THROW(TextInputStream::Open(folder), IOException) << "a folder is not a text file";
}

TEST_F(TextFile, OnlyOrdinaryFilesAreOpenedAndNothingWaits) {
  // A pipe without a writer would block the open; /dev/zero would never end.
  fs::path fifo = m_folder / "pipe.txt";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path, message;
  };
  const Case cases[] = {
      {fifo.string(), "The file \"pipe.txt\" could not be opened: it is a named pipe, not an ordinary file."},
      {"/dev/zero", "The file \"zero\" could not be opened: it is a device, not an ordinary file."}};
  for (const Case& c : cases) {
    FolderItem item(c.path);
    try {
      TextInputStream::Open(item);
      ADD_FAILURE() << c.path << " was opened";
    } catch (const IOException& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
      EXPECT_NE(item.LastErrorCode(), 0);
    }
  }
}

TEST_F(TextFile, ReadErrorRaises) {
  // Linux answers every read of this file with an I/O error.
  FolderItem item("/proc/self/mem");
  auto stream = TextInputStream::Open(item);
  try {
    stream->ReadLine();
    FAIL() << "no exception";
  } catch (const IOException& e) {
    EXPECT_EQ(e.ErrorNumber(), EIO);
    EXPECT_EQ(stream->LastErrorCode(), EIO);
    EXPECT_EQ(std::string(e.what()), "The file \"mem\" could not be read: Input/output error.");
  }
}

TEST_F(TextFile, ALineKeepsAtMostOneMebibyte) {
  // 5 MB without a line end: one line of exactly 1 MiB, then nothing.
  std::string big(5 * 1000 * 1000, '7');
  Lines lines = Read(big, 2);
  EXPECT_EQ(lines[0].size(), TextInputStream::kMaxLineBytes);
  EXPECT_EQ(lines[1], "");
  // The cut never splits a character, and the next line is read whole.
  std::string bullets;
  while (bullets.size() < TextInputStream::kMaxLineBytes + 10) bullets += "\xE2\x80\xA2";
  lines = Read("x" + bullets + "\nnext\n", 2);
  EXPECT_EQ(lines[0].size() % 3, 1u);
  EXPECT_LE(lines[0].size(), TextInputStream::kMaxLineBytes);
  EXPECT_EQ(lines[1], "next");
}

TEST_F(TextFile, NameIsWithoutTheFolder) {
  EXPECT_EQ(FolderItem("/tmp/data/r\xC3\xA9sidus.txt").Name(), "r\xC3\xA9sidus.txt");
  EXPECT_EQ(Write("x", "matrix file.txt").Name(), "matrix file.txt");
}

}  // namespace
}  // namespace fw
