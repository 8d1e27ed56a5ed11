#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "platform/PictureData.h"
#include "platform/PlatformServices.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

namespace {

// Empty for data that passes, else the reason given.
std::string Problem(const std::string& bytes, size_t length = std::string::npos) {
  std::string reason = "not cleared";
  const bool complete = Check_Picture_Complete(reinterpret_cast<const uint8_t*>(bytes.data()),
                                               std::min(length, bytes.size()), reason);
  EXPECT_EQ(complete, reason.empty()) << reason;
  return reason;
}

PictureKind Kind(const std::string& bytes) {
  return Picture_Kind(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// Every cut of `bytes` shorter than `end` is refused with `reason`, every
// longer one passes.  `from` is the shortest cut still of the format.
void Expect_Complete_From(const std::string& bytes, size_t from, size_t end, const std::string& reason) {
  for (size_t length = from; length <= bytes.size(); ++length)
    ASSERT_EQ(Problem(bytes, length), length < end ? reason : "") << "cut at " << length;
}

std::string LE16(uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string LE32(uint32_t v) {
  return LE16(v) + LE16(v >> 16);
}

// The headers of a BMP file with a 40-byte information header; the rows
// follow at offset 54.
std::string Bmp_Headers(int32_t width, int32_t height, int bitCount, uint32_t compression = 0,
                        uint32_t imageBytes = 0) {
  return "BM" + LE32(0) + LE32(0) + LE32(54) + LE32(40) + LE32(static_cast<uint32_t>(width)) +
         LE32(static_cast<uint32_t>(height)) + LE16(1) + LE16(static_cast<uint32_t>(bitCount)) +
         LE32(compression) + LE32(imageBytes) + std::string(16, '\0');
}

TEST(PictureData, KindsFromTheFirstBytes) {
  EXPECT_EQ(Kind("\xFF\xD8"), PictureKind::Jpeg);
  EXPECT_EQ(Kind(std::string("\x89PNG\r\n\x1A\n", 8)), PictureKind::Png);
  EXPECT_EQ(Kind("GIF87a"), PictureKind::Gif);
  EXPECT_EQ(Kind("GIF89a..."), PictureKind::Gif);
  EXPECT_EQ(Kind("BM"), PictureKind::Bmp);
  EXPECT_EQ(Kind(std::string("II*\0", 4)), PictureKind::Tiff);
  EXPECT_EQ(Kind(std::string("MM\0*", 4)), PictureKind::Tiff);
  for (const char* other : {"", "\xFF", "GIF88a", "\x89PNG\r\n\x1A", "B", "II*"})
    EXPECT_EQ(Kind(other), PictureKind::Unknown) << other;
  // Data of the other kinds is the decoder's to judge.
  EXPECT_EQ(Problem(std::string("\x89PNG\r\n\x1A\n", 8)), "");
  EXPECT_EQ(Problem("II*"), "");
}

TEST(PictureData, JpegRunsToItsEndMarker) {
  const std::string head = std::string("\xFF\xD8", 2) +
                           // APP1 whose payload holds an end marker: skipped by its length
                           std::string("\xFF\xE1\x00\x08\xFF\xD9\xFF\xD9\x00\x00", 10) +
                           // bytes between segments and fill bytes, as cameras write them
                           std::string("\x00\x13\x37\xFF\xFF", 5) +
                           std::string("\xFF\xDB\x00\x05\x01\x02\x03", 7) +  // a table
                           std::string("\xFF\xDA\x00\x04\x00\x00", 6) +      // start of scan
                           // entropy-coded data with a stuffed byte, a restart
                           // marker and a stuffed byte after fill bytes
                           std::string("\x12\xFF\x00\x56\xFF\xD0\x78\xFF\xFF\x00\x9A", 11);
  const std::string jpeg = head + std::string("\xFF\xD9", 2) + "anything after the end";
  Expect_Complete_From(jpeg, 2, head.size() + 2, "the JPEG data ends before its end-of-image marker");
  // A segment length below its own two bytes counts as an empty segment.
  EXPECT_EQ(Problem(std::string("\xFF\xD8\xFF\xFE\x00\x01\xFF\xD9", 8)), "");
  EXPECT_EQ(Problem(std::string("\xFF\xD8\xFF\xFE\x00\x05\xFF\xD9", 8)),
            "the JPEG data ends before its end-of-image marker");
}

TEST(PictureData, GifHoldsItsFirstImage) {
  const std::string first = std::string("GIF89a") +
                            std::string("\x02\x00\x02\x00\x80\x00\x00", 7) +  // screen, 2-colour table
                            std::string(6, '\x11') +                          // the table
                            std::string(
                                "\x21\xFE\x03"
                                "abc"
                                "\x02"
                                "de"
                                "\x00",
                                10) +                                          // comment
                            std::string("\x2C\0\0\0\0\x02\0\x02\0\x81", 10) +  // image, 4-colour table
                            std::string(12, '\x22') +
                            "\x02" +                             // table, code size
                            std::string("\x02\x4C\x01\x00", 4);  // data, terminator
  const std::string gif = first + std::string("\x2C\0\0\0\0\x02\0\x02\0\0\x02\x02\x4C\x01\0\x3B", 16);
  Expect_Complete_From(gif, 6, first.size(), "the GIF data ends before its first image is complete");
  // No image, or a block this check does not know: the decoder decides.
  EXPECT_EQ(Problem(std::string("GIF87a\x01\0\x01\0\0\0\0\x3B", 14)), "");
  EXPECT_EQ(Problem(std::string("GIF87a\x01\0\x01\0\0\0\0\x99", 14)), "");
}

TEST(PictureData, BmpHoldsTheRowsItsHeaderCallsFor) {
  // 3 x 2 at 24 bits: rows of 9 bytes padded to 12; the last row's padding
  // may be missing.
  const std::string bmp = Bmp_Headers(3, 2, 24) + std::string(24, '\x7F');
  for (size_t length = 2; length <= bmp.size(); ++length) {
    const uint64_t needed = length < 18 ? 18 : length < 54 ? 54 : 54 + 12 + 9;
    ASSERT_EQ(Problem(bmp, length), length < needed
                                        ? Text_Format("the BMP file has %zu bytes; its header calls for %llu",
                                                      length, static_cast<unsigned long long>(needed))
                                        : "")
        << length;
  }
  EXPECT_EQ(Problem(Bmp_Headers(3, -2, 24) + std::string(20, '\0')),
            "the BMP file has 74 bytes; its header calls for 75");       // top-down rows
  EXPECT_EQ(Problem(Bmp_Headers(17, 1, 1) + std::string(3, '\0')), "");  // 17 pixels in 3 bytes

  // A kilobyte that says 9999 x 10000, and sizes whose products pass 32 bits.
  std::string big = Bmp_Headers(9999, 10000, 24);
  big.resize(1024, '\0');
  EXPECT_EQ(Problem(big), "the BMP file has 1024 bytes; its header calls for 300000051");
  EXPECT_EQ(Problem(Bmp_Headers(0x7FFFFFFF, INT32_MIN, 32)),
            "the BMP file has 54 bytes; its header calls for 18446744065119617078");

  // Run-length data to the size the header gives; without one, and for
  // codings this check does not know, the decoder decides.
  const std::string rle = Bmp_Headers(100, 100, 8, 1, 10) + std::string(10, '\0');
  EXPECT_EQ(Problem(rle), "");
  EXPECT_EQ(Problem(rle, rle.size() - 1), "the BMP file has 63 bytes; its header calls for 64");
  EXPECT_EQ(Problem(Bmp_Headers(100, 100, 8, 1, 0)), "");
  EXPECT_EQ(Problem(Bmp_Headers(100, 100, 24, 4, 0)), "");
  EXPECT_EQ(Problem(Bmp_Headers(100, 100, 7)), "");
  EXPECT_EQ(Problem(Bmp_Headers(0, 100, 24)), "");
}

TEST(PictureData, ReadsPlainFilesOnly) {
  TempDir dir;
  std::vector<uint8_t> bytes{1, 2, 3};
  std::string reason;
  Write_File_Bytes(dir.File("a.bin"), std::string("pic\0ture", 8));
  EXPECT_EQ(Read_Picture_File(dir.File("a.bin"), bytes, reason), 0);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), std::string("pic\0ture", 8));
  EXPECT_EQ(reason, "");

  const auto refused = [&](const std::string& path) {
    bytes = {1};
    const int32_t status = Read_Picture_File(path, bytes, reason);
    EXPECT_TRUE(bytes.empty()) << path;
    return std::make_pair(status, reason);
  };
  using Refusal = std::pair<int32_t, std::string>;
  EXPECT_EQ(refused(dir.File("missing.png")), Refusal(-1, "No such file or directory"));
  EXPECT_EQ(refused(dir.Path()), Refusal(-1, "Is a directory"));
  EXPECT_EQ(refused("/dev/null"), Refusal(-1, "not a plain file"));
  FifoWatch fifo(dir.File("pipe.png"));
  EXPECT_EQ(refused(fifo.Path()), Refusal(-1, "not a plain file"));
  EXPECT_FALSE(fifo.Finish());

  // One byte above the cap, without the disk space: the file is sparse.
  const std::string huge = dir.File("huge.jpg");
  Write_File_Bytes(huge, "");
  ASSERT_EQ(::truncate(huge.c_str(), kMaxPictureFileBytes + 1), 0);
  EXPECT_EQ(refused(huge), Refusal(kImageLoadTooLarge,
                                   "the file is 1073741825 bytes; picture files above 1 GiB are not loaded"));
}

}  // namespace
