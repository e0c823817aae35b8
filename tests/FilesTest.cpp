// Reading text files line by line: line ends, encodings, errors, and a
// bounded line length and reading budget on any file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/base/Exceptions.h"
#include "framework/base/Files.h"
#include "framework/base/Text.h"

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
  // The first `count` lines of the file, read with that budget.
  std::vector<std::string> Read(const std::string& bytes, std::size_t count,
                                std::uint64_t budget = TextInputStream::kWholeFile) {
    FolderItem item = Write(bytes);
    auto stream = TextInputStream::Open(item, budget);
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

// The published Windows-1252 mapping of 0x80-0x9F. Its five unassigned bytes
// keep their own code points (C1 controls), so no byte is lost.
constexpr char32_t kWindows1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// `bytes` read as Windows-1252: the table above for 0x80-0x9F, Latin-1 for the rest.
std::string FromWindows1252(const std::string& bytes) {
  std::string utf8;
  for (unsigned char b : bytes) utf8 += Chr(b >= 0x80 && b < 0xA0 ? kWindows1252[b - 0x80] : b);
  return utf8;
}

TEST_F(TextFile, EveryByteBeyondAsciiReadsAsWindows1252) {
  std::string bytes;
  Lines expected;
  for (int b = 0x80; b <= 0xFF; ++b) {  // alone on a line, no such byte is UTF-8
    bytes += {char(b), '\n'};
    expected.push_back(FromWindows1252(std::string(1, char(b))));
  }
  EXPECT_EQ(Read(bytes, expected.size()), expected);
}

TEST_F(TextFile, EncodingsComeOutAsUtf8) {
  EXPECT_EQ(Read("\xEF\xBB\xBFvocab1\n", 1), (Lines{"vocab1"})) << "a UTF-8 mark is skipped";
  EXPECT_EQ(Read("caf\xC3\xA9\n", 1), (Lines{"caf\xC3\xA9"})) << "valid UTF-8 stays";
  EXPECT_EQ(Read("caf\xE9\t\x80\n", 1), (Lines{"caf\xC3\xA9\t\xE2\x82\xAC"})) << "else Windows-1252";
  // The edges of UTF-8, each after a valid "\u00E9": the extreme valid forms stay as they are...
  for (std::string s : {"\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80", "\xEF\xBF\xBF",
                        "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF"})
    EXPECT_EQ(Read("\xC3\xA9" + s + "\n", 1), (Lines{"\xC3\xA9" + s}));
  // ...while any invalid sequence makes the whole line Windows-1252.
  std::vector<std::string> invalid = {
      "\xC0\xAF", "\xC1\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF", "\xF0\x80\x80\x80", "\xF0\x8F\xBF\xBF",  // overlong
      "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80",  // surrogates, past U+10FFFF
      "ab\xC3", "\xE2\x82", "\xF0\x9F\x98", "\xE2\x82" "a",      // cut short, at the line's end or not
      "\x80", "a\xBF" "b"};                                     // a continuation byte alone
  for (int lead = 0xF5; lead <= 0xFF; ++lead) invalid.push_back(char(lead) + std::string("\x80\x80\x80"));  // no such lead byte
  for (const std::string& s : invalid) EXPECT_EQ(Read("\xC3\xA9" + s + "\n", 1), (Lines{FromWindows1252("\xC3\xA9" + s)}));
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

enum class Written { Utf8, Utf16LE, Utf16BE, Windows1252 };

// `text` as a file in that encoding stores it, without a byte-order mark.
std::string Encoded(std::u32string_view text, Written how) {
  std::string bytes;
  auto unit = [&](std::uint32_t u) {
    bytes += how == Written::Utf16LE ? std::string{char(u & 0xFF), char(u >> 8)} : std::string{char(u >> 8), char(u & 0xFF)};
  };
  for (char32_t c : text) {
    if (how == Written::Utf8) bytes += Chr(c);
    else if (how == Written::Windows1252) bytes += char(c == U'\u20AC' ? 0x80 : c);
    else if (c < 0x10000) unit(c);
    else {
      unit(0xD800 + ((c - 0x10000) >> 10));
      unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return bytes;
}

// Wherever the cap falls, on any byte of a 1- to 4-byte character or between
// two, in any encoding, the line keeps the longest run of whole characters
// whose UTF-8 fits, and the line after it is read whole.
TEST_F(TextFile, TheCapNeverSplitsACharacter) {
  const std::size_t cap = TextInputStream::kMaxLineBytes;
  struct Case {
    const char* name;
    Written how;
    std::u32string around;  // the cap falls in turn before, inside and after each of these
  };
  const Case cases[] = {
      {"UTF-8", Written::Utf8, U"a\u00E9\u2022\U0001F600a"},
      {"UTF-16 LE", Written::Utf16LE, U"a\u00E9\u2022\U0001F600a"},
      {"UTF-16 BE", Written::Utf16BE, U"a\u00E9\u2022\U0001F600a"},
      // 0xE9 0x80 at the cap looks like a 3-byte UTF-8 character cut short.
      {"Windows-1252", Written::Windows1252, U"a\u00E9\u20AC\u00E9a"},
      // These bytes are UTF-8 ("\u00E9\u2022"); the 0xE9 in the skipped tail
      // makes the line Windows-1252 all the same.
      {"Windows-1252, UTF-8 up to the cap", Written::Windows1252, U"\u00C3\u00A9\u00E2\u20AC\u00A2"},
  };
  const std::u32string tail = U"tail\u00E9";
  auto end = [](const std::string& s) { return s.substr(s.size() - std::min<std::size_t>(s.size(), 12)); };
  for (const Case& c : cases) {
    const std::string mark = c.how == Written::Utf16LE ? "\xFF\xFE" : c.how == Written::Utf16BE ? "\xFE\xFF" : "";
    const std::string xs = Encoded(std::u32string(cap, U'x'), c.how);
    const std::size_t xBytes = xs.size() / cap;
    for (std::size_t before = 0; before <= Encoded(c.around, Written::Utf8).size(); ++before) {
      const std::size_t count = cap - before;
      Lines lines = Read(mark + xs.substr(0, count * xBytes) + Encoded(c.around + tail + U"\r\nn\u00E9xt\r\n", c.how), 2);
      std::string expected(count, 'x');
      for (char32_t ch : c.around + tail) {
        if (expected.size() + Chr(ch).size() > cap) break;
        expected += Chr(ch);
      }
      SCOPED_TRACE(std::string(c.name) + ", the cap " + std::to_string(before) + " UTF-8 bytes past the x's");
      EXPECT_EQ(lines[0].size(), expected.size());
      EXPECT_EQ(end(lines[0]), end(expected));
      EXPECT_TRUE(lines[0] == expected);
      EXPECT_EQ(lines[1], "n\xC3\xA9xt") << "the rest of the long line is skipped";
    }
  }
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
    // A budget reads as the file cut there, wherever it falls near the end,
    // and one of at least the file's size reads it whole.
    const std::size_t budget = bytes.size() + 1 - next(std::uint32_t(std::min<std::size_t>(bytes.size(), 64)) + 2);
    expected = ModelLines(bytes.substr(0, budget));
    expected.insert(expected.end(), {"", ""});
    ASSERT_EQ(Read(bytes, expected.size(), budget), expected) << "round " << round << ", budget " << budget;
  }
}

TEST_F(TextFile, TheBudgetEndsTheFileWhereItRunsOut) {
  struct Case {
    std::string bytes;
    std::uint64_t budget;
    Lines lines;
  };
  const Case cases[] = {
      {"ab\ncd\n", 7, {"ab", "cd", ""}},
      {"ab\ncd\n", 6, {"ab", "cd", ""}},  // the budget is the file's size
      {"ab\ncd\n", 5, {"ab", "cd", ""}},  // only the last line end is cut
      {"ab\ncd\n", 4, {"ab", "c", ""}},   // the line being read ends at the budget
      {"ab\r\ncd", 3, {"ab", "", ""}},    // CR LF cut in two: no line after it
      {"ab", 0, {"", ""}},
      {std::string("\xFF\xFE" "a\0b\0\n\0c\0", 10), 5, {"a", ""}},  // half a code unit is dropped
      {std::string("\xFE\xFF\0a\0\r\0\n\0c", 10), 6, {"a", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(Read(c.bytes, c.lines.size(), c.budget), c.lines) << "budget " << c.budget;
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
    // The system's own text for the error, in the user's language.
    EXPECT_EQ(std::string(e.what()), "The file \"nope.txt\" could not be opened: " + std::string(std::strerror(ENOENT)) + ".");
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
    EXPECT_EQ(std::string(e.what()), "The file \"mem\" could not be read: " + std::string(std::strerror(EIO)) + ".");
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
  // POSIX names a file by its bytes: they come back as they are, UTF-8 or not.
  for (std::string name : {"matrix file.txt", "r\xC3\xA9sidus.txt", "r\xE9sidus\xFF.txt"}) {
    EXPECT_EQ(FolderItem("/tmp/data/" + name).Name(), name);
    FolderItem written = Write("x", name);
    EXPECT_EQ(written.Name(), name);
    EXPECT_TRUE(written.Exists()) << name;
  }
}

}  // namespace
}  // namespace fw
