#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ArchiveFile.h"
#include "Commands.h"
#include "Extract.h"
#include "ListFile.h"
#include "archiveformat/ArchiveFormat.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class PackerTest : public testing::Test {
protected:
  void SetUp() override {
    const auto *info = testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::path(testing::TempDir()) / (std::string("lvpack-") + info->test_suite_name() + "-" + info->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  void Write(const fs::path &file, const std::string &bytes) {
    fs::create_directories(file.parent_path());
    WriteFileBytes(file, bytes);
  }

  // The fixture folder: a file at the top, one in a sub-folder with blanks in
  // its names, an empty one, and one that the list leaves out.
  void MakeFixture() {
    Write(dir / "in" / "lvx.exe", std::string("MZ\0\1\2", 5));
    Write(dir / "in" / "Clip Library" / "Headers & Footers" / "Page 1.txt", "Page 1 of 1\r\n");
    Write(dir / "in" / "Empty.txt", "");
    Write(dir / "in" / "not listed.txt", "ignored");
    Write(dir / "list",
          "# fixture\r\n"
          "2024-03-18 10:42:00  lvx.exe\r\n"
          "\r\n"
          "2024-01-02 00:00:02\tClip Library\\Headers & Footers\\Page 1.txt\r\n"
          "1999-12-31 23:59:58  Empty.txt\r\n");
  }

  std::string List(const fs::path &archive) {
    std::ostringstream out;
    ListCommand(archive, out);
    return out.str();
  }

  fs::path dir;
};

TEST_F(PackerTest, PackListExtractRoundTrip) {
  MakeFixture();
  PackCommand(dir / "in", dir / "list", dir / "out.z");

  const std::string stream = ReadFileBytes(dir / "out.z");
  ASSERT_GE(stream.size(), 2u);
  EXPECT_EQ(stream.substr(0, 2), "\x78\xDA");

  EXPECT_EQ(List(dir / "out.z"),
            "2024-03-18 10:42:00           5  lvx.exe\n"
            "2024-01-02 00:00:02          13  Clip Library\\Headers & Footers\\Page 1.txt\n"
            "1999-12-31 23:59:58           0  Empty.txt\n"
            "3 entries, 114 bytes inflated\n");

  ExtractCommand(dir / "out.z", dir / "ex");
  EXPECT_EQ(ReadFileBytes(dir / "ex" / "lvx.exe"), std::string("MZ\0\1\2", 5));
  EXPECT_EQ(ReadFileBytes(dir / "ex" / "Clip Library" / "Headers & Footers" / "Page 1.txt"), "Page 1 of 1\r\n");
  EXPECT_EQ(ReadFileBytes(dir / "ex" / "Empty.txt"), "");
  EXPECT_FALSE(fs::exists(dir / "ex" / "not listed.txt"));

  // Stored times are the listed ones, to the bit.
  const std::string archive = LoadArchive(dir / "out.z");
  TArchiveReader reader(archive.data(), archive.size());
  TArchiveRecord rec;
  ASSERT_TRUE(reader.Next(rec));
  EXPECT_EQ(rec.Time, EncodeDate(2024, 3, 18) + EncodeTime(10, 42, 0, 0));
}

TEST_F(PackerTest, PackingIsReproducible) {
  MakeFixture();
  PackCommand(dir / "in", dir / "list", dir / "first.z");
  // File system times play no part.
  fs::last_write_time(dir / "in" / "lvx.exe", fs::file_time_type::clock::now() - std::chrono::hours(100));
  PackCommand(dir / "in", dir / "list", dir / "second.z");
  EXPECT_EQ(ReadFileBytes(dir / "first.z"), ReadFileBytes(dir / "second.z"));
}

TEST_F(PackerTest, PackingFailsForAFileTheListNamesButTheFolderLacks) {
  MakeFixture();
  Write(dir / "list", "2024-03-18 10:42:00  missing.txt\n");
  EXPECT_THROW(PackCommand(dir / "in", dir / "list", dir / "out.z"), Exception);
}

struct ListCase {
  const char *name;
  const char *text;
};

class PackListErrorTest : public testing::TestWithParam<ListCase> {};

TEST_P(PackListErrorTest, NamesTheLine) {
  try {
    ParsePackList(std::string("2024-03-18 10:42:00  first.txt\n") + GetParam().text);
    FAIL() << "accepted";
  } catch (const Exception &e) {
    EXPECT_NE(e.Message.find("line 2:"), std::string::npos) << e.Message;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, PackListErrorTest,
                         testing::Values(ListCase{"OddSecond", "2024-03-18 10:42:01  a.txt"},
                                         ListCase{"NoSuchDay", "2023-02-29 10:42:00  a.txt"},
                                         ListCase{"HourOutOfRange", "2024-03-18 24:00:00  a.txt"},
                                         ListCase{"ShortDate", "2024-3-18 10:42:00  a.txt"},
                                         ListCase{"NoBlankBeforeName", "2024-03-18 10:42:00a.txt"},
                                         ListCase{"NoName", "2024-03-18 10:42:00   "},
                                         ListCase{"ListedTwiceInAnotherCase", "2024-03-18 10:42:00  FIRST.TXT"},
                                         ListCase{"ParentFolder", "2024-03-18 10:42:00  ..\\a.txt"},
                                         ListCase{"SlashInName", "2024-03-18 10:42:00  a/b.txt"}),
                         [](const auto &info) { return info.param.name; });

class ExtractRefusalTest : public PackerTest, public testing::WithParamInterface<const char *> {};

TEST_P(ExtractRefusalTest, WritesNothingForANameThatCouldEscape) {
  std::string archive;
  WriteArchiveRecord(archive, "harmless.txt", 45000.0, "ok");
  WriteArchiveRecord(archive, GetParam(), 45000.0, "escaped");
  const fs::path target = dir / "deep" / "target";
  fs::create_directories(target);
  EXPECT_THROW(ExtractArchive(archive, target), Exception);
  // Nothing at all was written, inside or next to the target.
  EXPECT_TRUE(fs::is_empty(target));
  size_t files = 0;
  for (const auto &e : fs::recursive_directory_iterator(dir)) files += e.is_regular_file();
  EXPECT_EQ(files, 0u);
}

INSTANTIATE_TEST_SUITE_P(Names, ExtractRefusalTest,
                         testing::Values("..\\x.txt", "a\\..\\..\\x.txt", "..", "\\abs.txt", "C:\\x.txt", "C:x.txt",
                                         "a/../../x.txt", "/tmp/x.txt", "a\\\\b.txt", ".\\x.txt", "", "x\\"));

// The tool itself: failures end with a message and a non-zero exit code.
struct CliCase {
  const char *name;
  const char *file;  // the argument of "list", relative to the test folder
  int exitCode;
  const char *message;  // part of what stderr says
};

class PackerCliTest : public PackerTest, public testing::WithParamInterface<CliCase> {
protected:
  int Run(const std::string &args) {
    const std::string command = "cd '" + dir.string() + "' && '" LVPACK_EXE "' " + args + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
};

TEST_P(PackerCliTest, ListFailsCleanly) {
  MakeFixture();
  PackCommand(dir / "in", dir / "list", dir / "good.z");
  const std::string good = ReadFileBytes(dir / "good.z");
  Write(dir / "cut.z", good.substr(0, good.size() / 2));
  std::string archive;
  WriteArchiveRecord(archive, "a.txt", 45000.0, "0123456789");
  Write(dir / "damaged.z", DeflateArchive(archive.substr(0, archive.size() - 1)));
  Write(dir / "junk.exe", "MZ junk");
  Write(dir / "plain.exe", std::string("MZ", 2) + std::string(0x3A, '\0') + std::string("\x40\0\0\0PE\0\0", 8) +
                               std::string(20, '\0') + std::string("\x0B\x01", 2) + std::string(0xDE, '\0'));

  EXPECT_EQ(Run("list " + std::string(GetParam().file)), GetParam().exitCode);
  const std::string err = ReadFileBytes(dir / "err.txt");
  EXPECT_NE(err.find(GetParam().message), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PackerCliTest,
    testing::Values(CliCase{"Good", "good.z", 0, ""}, CliCase{"Missing", "missing.z", 1, "lvpack: cannot open"},
                    CliCase{"CutStream", "cut.z", 1, "not an intact zlib stream"},
                    CliCase{"DamagedRecord", "damaged.z", 1, "Damaged archive: the record at offset 0"},
                    CliCase{"DamagedExecutable", "junk.exe", 1, "damaged executable"},
                    CliCase{"ExecutableWithoutPayload", "plain.exe", 1, "has no resource \"FILES\""},
                    CliCase{"NoArgument", "", 2, "usage:"}),
    [](const auto &info) { return info.param.name; });

}  // namespace
