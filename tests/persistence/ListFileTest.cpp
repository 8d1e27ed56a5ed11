#include <gtest/gtest.h>

#include "ListFileBytes.h"
#include "persistence/ListFile.h"

namespace {

// The reason of the ListFileException `action` raises ("" when none).
template <class Action>
std::string Reason_Of(Action action) {
  try {
    action();
  } catch (const ListFileException& e) {
    EXPECT_STREQ(e.what(), e.Get_Reason().c_str());
    return e.Get_Reason();
  }
  return "";
}

// Bytes 0, 1, 2, ... 250, 0, 1, ... (a prime period, so that a misplaced
// block shows).
std::string Pattern(size_t size) {
  std::string s(size, '\0');
  for (size_t i = 0; i < size; ++i) s[i] = static_cast<char>(i % 251);
  return s;
}

TEST(ListFileWriting, OverwritesAndPadsAcrossTheBlocksAlreadyStored) {
  const std::string big = Pattern(200000);
  const std::string bytes = Written([&](ListFile& f) {
    f.Write(big.data(), 100000);  // more than one block: part of it is on disk already
    EXPECT_EQ(f.Get_Length(), 100000);
    // Straddles what is stored and what is still collected.
    f.Seek(65530);
    f.Write("ABCDEFGHIJKL", 12);
    EXPECT_EQ(f.Get_Position(), 65542);
    f.Seek(10);
    f.Write("xy", 2);
    // Overwrites the last 2 bytes and appends 3.
    f.Seek(99998);
    f.Write("12345", 5);
    EXPECT_EQ(f.Get_Length(), 100003);
    // Beyond the end: the gap is zero bytes.
    f.Seek(100010);
    f.Write("Z", 1);
    EXPECT_EQ(f.Get_Length(), 100011);
  });
  std::string expected = big.substr(0, 100000);
  expected.replace(65530, 12, "ABCDEFGHIJKL");
  expected.replace(10, 2, "xy");
  expected.replace(99998, 2, "12");
  expected += "345" + std::string(7, '\0') + "Z";
  EXPECT_EQ(bytes, expected);
}

TEST(ListFileWriting, AnAbandonedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir.File("list.rgl");
  Write_File_Bytes(path, "old contents");
  {
    ListFile file;
    file.Open_For_Writing(path);
    file.Write("new", 3);
    EXPECT_EQ(Read_File_Bytes(path), "old contents");
  }
  EXPECT_EQ(Read_File_Bytes(path), "old contents");
  EXPECT_EQ(Folder_Entries(dir.Path()).size(), 1u);

  ListFile file;
  file.Open_For_Writing(path);
  file.Write("new", 3);
  file.Abort();
  EXPECT_FALSE(file.Is_Open());
  EXPECT_EQ(Read_File_Bytes(path), "old contents");

  file.Open_For_Writing(path);
  file.Write("new", 3);
  file.Close();
  EXPECT_EQ(Read_File_Bytes(path), "new");
  EXPECT_EQ(Folder_Entries(dir.Path()).size(), 1u);
}

TEST(ListFileWriting, AFailedWriteKeepsTheOldFileEvenWhenClosedAfterwards) {
  TempDir dir;
  const std::string path = dir.File("list.rgl");
  const std::string old = Pattern(1000);
  Write_File_Bytes(path, old);
  const std::string big = Pattern(300000);
  ListFile file;
  std::string reason;
  {
    FileSizeLimit limit(100000);
    file.Open_For_Writing(path);
    reason = Reason_Of([&] { file.Write(big.data(), big.size()); });
  }
  EXPECT_EQ(reason, "File too large");
  // The failure gave the file up: closing it now puts nothing in place.
  EXPECT_FALSE(file.Is_Open());
  file.Close();
  EXPECT_EQ(Read_File_Bytes(path), old);
  EXPECT_EQ(Folder_Entries(dir.Path()).size(), 1u);

  // The same when the failure comes with the last bytes, at Close.
  {
    FileSizeLimit limit(1000);
    file.Open_For_Writing(path);
    file.Write(big.data(), 5000);
    reason = Reason_Of([&] { file.Close(); });
  }
  EXPECT_EQ(reason, "File too large");
  EXPECT_EQ(Read_File_Bytes(path), old);
  EXPECT_EQ(Folder_Entries(dir.Path()).size(), 1u);
}

TEST(ListFileReading, ReadsAcrossItsReadAheadAndStopsAtTheEnd) {
  TempDir dir;
  const std::string path = dir.File("data.bin");
  const std::string data = Pattern(150000);
  Write_File_Bytes(path, data);
  ListFile file;
  file.Open_For_Reading(path);
  EXPECT_EQ(file.Get_Length(), 150000);
  EXPECT_EQ(file.Get_Path(), path);

  // Single bytes up to and across the first read-ahead block.
  file.Seek(65530);
  std::string got;
  for (int i = 0; i < 12; ++i) {
    char c = 0;
    ASSERT_EQ(file.Read(&c, 1), 1u);
    got += c;
  }
  EXPECT_EQ(got, data.substr(65530, 12));
  // A read larger than a block, partly served from the one held.
  std::string large(70000, '\0');
  ASSERT_EQ(file.Read(large.data(), large.size()), large.size());
  EXPECT_EQ(large, data.substr(65542, 70000));
  // Backwards, then a read cut short by the end of the file.
  file.Seek(3);
  char three[3] = {};
  ASSERT_EQ(file.Read(three, 3), 3u);
  EXPECT_EQ(std::string(three, 3), data.substr(3, 3));
  file.Seek(149998);
  char tail[8] = {'-', '-', '-', '-', '-', '-', '-', '-'};
  EXPECT_EQ(file.Read(tail, sizeof tail), 2u);
  EXPECT_EQ(std::string(tail, 3), data.substr(149998, 2) + "-");
  EXPECT_EQ(file.Get_Position(), 150000);
  EXPECT_EQ(file.Get_Bytes_Left(), 0);
  // Beyond the end: allowed, nothing to read.
  file.Seek(200000);
  EXPECT_EQ(file.Read(tail, 1), 0u);
  EXPECT_EQ(file.Get_Bytes_Left(), 0);

  ListFile memory;
  memory.Open_Bytes_For_Reading("abcdef");
  memory.Seek(4);
  EXPECT_EQ(memory.Get_Bytes_Left(), 2);
  EXPECT_EQ(memory.Read(tail, 8), 2u);
  EXPECT_EQ(std::string(tail, 2), "ef");
}

TEST(ListFileErrors, CarryTheSystemsReason) {
  TempDir dir;
  ListFile file;
  EXPECT_EQ(Reason_Of([&] { file.Open_For_Reading(dir.File("missing.rgl")); }), "No such file or directory");
  EXPECT_EQ(Reason_Of([&] { file.Open_For_Reading(dir.Path()); }), "Is a directory");
  EXPECT_EQ(Reason_Of([&] { file.Open_For_Writing(dir.File("no/such/folder.rgl")); }),
            "No such file or directory");
  EXPECT_FALSE(file.Is_Open());
  char c = 0;
  EXPECT_EQ(Reason_Of([&] { file.Read(&c, 1); }), "Bad file descriptor");
  EXPECT_EQ(Reason_Of([&] { file.Seek(0); }), "Bad file descriptor");
  EXPECT_EQ(Reason_Of([&] { file.Get_Length(); }), "Bad file descriptor");

  file.Open_Bytes_For_Reading("abc");
  EXPECT_EQ(Reason_Of([&] { file.Write("x", 1); }), "Bad file descriptor");
  EXPECT_EQ(Reason_Of([&] { file.Seek(-1); }), "Invalid argument");
  EXPECT_EQ(file.Get_Position(), 0);

  file.Open_For_Writing(dir.File("out.rgl"));
  EXPECT_EQ(Reason_Of([&] { file.Read(&c, 1); }), "Bad file descriptor");
  EXPECT_EQ(Reason_Of([&] { file.Seek(-5); }), "Invalid argument");
}

}  // namespace
