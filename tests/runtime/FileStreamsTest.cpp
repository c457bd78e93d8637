#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ResourceSample.h"
#include "runtime/Streams.h"
#include "support/TempFolder.h"

namespace {

class TFileStreamTest : public testing::Test {
protected:
  TempFolder Folder;
  std::wstring Path = Folder / L"stream.bin";
};

// Whether a second opener with the given access and full sharing gets in.
bool OthersCanOpen(const std::wstring &path, DWORD access) {
  HANDLE h = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

TEST_F(TFileStreamTest, CreateTruncatesAndGivesReadWriteAccess) {
  WriteFileBytes(Path, "a much longer earlier content");
  {
    TFileStream f(Path, fmCreate);
    EXPECT_EQ(f.Size(), 0);
    f.WriteBuffer("new", 3);
    EXPECT_EQ(f.Position(), 3);
    f.SetPosition(0);
    char buf[3];
    f.ReadBuffer(buf, 3);
    EXPECT_EQ(std::string(buf, 3), "new");
  }
  EXPECT_EQ(ReadWholeFile(Path), "new");
}

TEST_F(TFileStreamTest, CreateWorksByWideName) {
  const std::wstring path = Folder / L"Vorlage \u00DCbersicht \u8A9E.txt";
  { TFileStream(path, fmCreate).WriteBuffer("x", 1); }
  EXPECT_EQ(ReadWholeFile(path), "x");
}

TEST_F(TFileStreamTest, OpeningAMissingFileRaisesEAbort) {
  try {
    TFileStream f(Folder / L"missing.txt", fmOpenRead);
    FAIL() << "no exception";
  } catch (const EAbort &e) {
    EXPECT_STREQ(e.what(), "Operation aborted");
  }
  EXPECT_THROW(TFileStream(Folder / L"missing.txt", fmOpenReadWrite), EAbort);
  EXPECT_EQ(ReadWholeFile(Folder / L"missing.txt"), "<missing>");
}

TEST_F(TFileStreamTest, ModesOutsideTheTablesRaise) {
  WriteFileBytes(Path, "abc");
  EXPECT_THROW(TFileStream(Path, 0x0003), EAbort);
  EXPECT_THROW(TFileStream(Path, 0x0050), EAbort);
}

TEST_F(TFileStreamTest, SharingFollowsTheMode) {
  WriteFileBytes(Path, "abc");
  const struct {
    const char *name;
    uint16_t mode;
    bool reader, writer;
  } cases[] = {
      {"fmOpenRead", fmOpenRead, false, false},
      {"fmOpenRead|fmShareExclusive", fmOpenRead | fmShareExclusive, false, false},
      {"fmOpenRead|fmShareDenyWrite", fmOpenRead | fmShareDenyWrite, true, false},
      {"fmOpenRead|fmShareDenyRead", fmOpenRead | fmShareDenyRead, false, true},
      {"fmOpenWrite|fmShareDenyNone", fmOpenWrite | fmShareDenyNone, true, true},
      {"fmCreate", fmCreate, false, false},
  };
  for (const auto &c : cases) {
    auto f = std::make_unique<TFileStream>(Path, c.mode);
    EXPECT_EQ(OthersCanOpen(Path, GENERIC_READ), c.reader) << c.name;
    EXPECT_EQ(OthersCanOpen(Path, GENERIC_WRITE), c.writer) << c.name;
    f.reset();
    EXPECT_TRUE(OthersCanOpen(Path, GENERIC_READ | GENERIC_WRITE)) << c.name << ": the handle must be closed";
  }
}

TEST_F(TFileStreamTest, AReadOnlyStreamDeniesASecondStream) {
  WriteFileBytes(Path, "abc");
  TFileStream first(Path, fmOpenRead);
  EXPECT_THROW(TFileStream(Path, fmOpenRead), EAbort);
}

TEST_F(TFileStreamTest, ReadAndWriteReportWhatTheSystemMoved) {
  WriteFileBytes(Path, "abcdef");
  char buf[10];
  {
    TFileStream f(Path, fmOpenRead);
    EXPECT_EQ(f.Read(buf, 4), 4);
    EXPECT_EQ(f.Read(buf + 4, 10), 2);
    EXPECT_EQ(std::string(buf, 6), "abcdef");
    EXPECT_EQ(f.Read(buf, 10), 0);
    EXPECT_THROW(f.ReadBuffer(buf, 1), EAbort);
    EXPECT_EQ(f.Write("x", 1), 0) << "no write access";
    EXPECT_THROW(f.WriteBuffer("x", 1), EAbort);
  }
  {
    TFileStream f(Path, fmOpenWrite);
    EXPECT_EQ(f.Read(buf, 1), 0) << "no read access";
    EXPECT_EQ(f.Write("AB", 2), 2);
  }
  EXPECT_EQ(ReadWholeFile(Path), "ABcdef");
}

TEST_F(TFileStreamTest, SeekReturnsTheNewPositionOrMinusOne) {
  WriteFileBytes(Path, "0123456789");
  TFileStream f(Path, fmOpenRead);
  EXPECT_EQ(f.Seek(3, soFromBeginning), 3);
  EXPECT_EQ(f.Seek(2, soFromCurrent), 5);
  EXPECT_EQ(f.Seek(-1, soFromEnd), 9);
  EXPECT_EQ(f.Seek(20, soFromBeginning), 20) << "past the end is allowed";
  EXPECT_EQ(f.Seek(-1, soFromBeginning), -1);
  EXPECT_EQ(f.Size(), 10);
}

TEST_F(TFileStreamTest, SetSizeEndsTheFile) {
  {
    TFileStream f(Path, fmCreate);
    f.WriteBuffer("0123456789", 10);
    f.SetSize(4);
    EXPECT_EQ(f.Size(), 4);
    EXPECT_EQ(f.Position(), 4);
  }
  EXPECT_EQ(ReadWholeFile(Path), "0123");
  {
    TFileStream f(Path, fmOpenReadWrite);
    f.SetSize(6);
    EXPECT_EQ(f.Size(), 6);
  }
  EXPECT_EQ(ReadWholeFile(Path).size(), 6u);
}

TEST_F(TFileStreamTest, AHandleStreamLeavesItsHandleOpen) {
  HANDLE h = CreateFileW(Path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  {
    THandleStream s(h);
    s.WriteBuffer("abc", 3);
    EXPECT_EQ(s.Handle(), h);
  }
  DWORD done = 0;
  EXPECT_TRUE(WriteFile(h, "d", 1, &done, nullptr));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(ReadWholeFile(Path), "abcd");
}

const std::string Sample(reinterpret_cast<const char *>(ResourceSample), sizeof ResourceSample);

TEST(TResourceStreamTest, ReadsTheLinkedBytesInPlace) {
  HMODULE self = GetModuleHandleW(nullptr);
  for (const char *type : {static_cast<const char *>(MAKEINTRESOURCEA(10)), "PNG"}) {
    TResourceStream r(self, "SAMPLE", type);
    ASSERT_EQ(r.Size(), static_cast<int32_t>(Sample.size()));
    std::string bytes(Sample.size(), '\0');
    r.ReadBuffer(bytes.data(), static_cast<int32_t>(bytes.size()));
    EXPECT_EQ(bytes, Sample);
    EXPECT_EQ(r.Memory(), LockResource(LoadResource(self, FindResourceA(self, "SAMPLE", type))));
  }
}

TEST(TResourceStreamTest, WriteDoesNothing) {
  TResourceStream r(GetModuleHandleW(nullptr), "SAMPLE", "PNG");
  EXPECT_EQ(r.Write("xyz", 3), 0);
  EXPECT_THROW(r.WriteBuffer("xyz", 3), EAbort);
  EXPECT_EQ(r.Position(), 0);
  EXPECT_EQ(r.Size(), static_cast<int32_t>(Sample.size()));
  EXPECT_EQ(std::string(static_cast<const char *>(r.Memory()), 3), Sample.substr(0, 3));
}

TEST(TResourceStreamTest, AMissingResourceReadsAsEmpty) {
  HMODULE self = GetModuleHandleW(nullptr);
  for (auto [name, type] : {std::pair<const char *, const char *>{"NOSUCH", "PNG"}, {"SAMPLE", "FILES"}}) {
    TResourceStream r(self, name, type);
    EXPECT_EQ(r.Size(), 0) << name << " " << type;
    char c;
    EXPECT_EQ(r.Read(&c, 1), 0);
    EXPECT_NO_THROW(r.ReadBuffer(&c, 0));
  }
}

}  // namespace
