// Reading text files line by line: line ends, encodings, errors, and a
// bounded line length on any file.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "framework/Exceptions.h"
#include "framework/Files.h"

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
