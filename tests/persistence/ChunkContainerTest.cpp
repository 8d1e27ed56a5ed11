#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "ListFileBytes.h"
#include "persistence/External.h"
#include "persistence/ListFile.h"

namespace {

const std::string kHitEof =
    "External::Goto_Chunks_Header FAILED,  could not find tag's string [ %s ] in the file( hit eof ).";
const std::string kNotOurs = "This is not a Kestrane Labs file format. Load a file of the correct type.";

std::string Hit_Eof(const std::string& tag) {
  std::string text = kHitEof;
  return text.replace(text.find("%s"), 2, tag);
}

// The result of a tag search over `bytes`: the body position, or -1 with the
// error text.
struct Found {
  bool ok = false;
  int64_t body = -1;
  int version = -1;
  int32_t length = -1;
  std::string err;
};

Found Goto(ListFile& file, int16_t code) {
  Found f;
  uint8_t version = 0;
  f.ok = External::Goto_Chunks_Header(file, code, version, f.length, f.err);
  if (f.ok) {
    f.body = file.Get_Position();
    f.version = version;
  }
  return f;
}

Found Goto(const std::string& bytes, int16_t code) {
  ListFile file;
  file.Open_Bytes_For_Reading(bytes);
  return Goto(file, code);
}

Found Find_From(const std::string& bytes, int64_t start) {
  ListFile file;
  file.Open_Bytes_For_Reading(bytes);
  Found f;
  uint8_t version = 0;
  f.ok = External::Find_Chunks_Header_From(file, start, version, f.length, f.err);
  if (f.ok) {
    f.body = file.Get_Position();
    f.version = version;
  }
  return f;
}

struct Walked {
  bool ok = false;
  int64_t position = -2;
  int64_t endPosition = -2;
  std::string err;
};

Walked Walk(const std::string& bytes, const std::string& tag) {
  ListFile file;
  file.Open_Bytes_For_Reading(bytes);
  file.Seek(5);
  Walked w;
  w.ok = External::Walk_To_Chunk(file, tag, w.position, w.err);
  w.endPosition = file.Get_Position();
  return w;
}

TEST(ChunkTags, CodesZeroToSixteenHaveDistinctEightCharacterTags) {
  std::string tag, err;
  const std::pair<int16_t, const char*> ours[] = {
      {8, "RegLstFl"}, {9, "RegnLIST"}, {15, "BITmapHD"}, {16, "BITmapOL"}};
  for (const auto& [code, expected] : ours) {
    ASSERT_TRUE(External::Get_Chunks_TagString(code, tag, err));
    EXPECT_EQ(tag, expected);
    EXPECT_EQ(err, "");
  }
  // The search ignores letter case, so the others must differ from ours
  // in more than case.
  std::set<std::string> lowered;
  for (int16_t code = 0; code <= 16; ++code) {
    ASSERT_TRUE(External::Get_Chunks_TagString(code, tag, err));
    EXPECT_EQ(tag.size(), 8u);
    std::string lower = tag;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    lowered.insert(lower);
  }
  EXPECT_EQ(lowered.size(), 17u);
  for (int16_t code : {-1, 17, 300}) {
    EXPECT_FALSE(External::Get_Chunks_TagString(code, tag, err));
    EXPECT_EQ(err, "External::Get_Chunks_TagString FAILED,  missing chunkCode case.");
    EXPECT_EQ(tag, "");
  }
}

TEST(FileSignature, IsWrittenAndCheckedIgnoringCase) {
  EXPECT_EQ(Written([](ListFile& f) { External::Write_File_Signature(f, 3); }), Signature(3));

  auto check = [](const std::string& bytes, int& version, std::string& err) {
    ListFile file;
    file.Open_Bytes_For_Reading(bytes);
    uint8_t v = 0;
    err = "stale";
    const bool ok = External::Check_File_Signature(file, v, err);
    version = v;
    return ok;
  };
  int version = -1;
  std::string err;
  EXPECT_TRUE(check(Signature(2) + "rest", version, err));
  EXPECT_EQ(version, 2);
  EXPECT_EQ(err, "");
  EXPECT_TRUE(check(std::string("vodidizi") + '\xC8', version, err));
  EXPECT_EQ(version, 200);
  EXPECT_TRUE(check(std::string("VoDiDiZi") + '\0', version, err));
  EXPECT_EQ(version, 0);
  for (const std::string& bad :
       {std::string("VODIDIZX\x03"), std::string("VODIDIZ\0\x03", 9), std::string("XVODIDIZI\x03")}) {
    EXPECT_FALSE(check(bad, version, err)) << bad;
    EXPECT_EQ(err, kNotOurs);
  }
  // Every file shorter than signature and version byte.
  const std::string full = Signature(3);
  for (size_t n = 0; n < full.size(); ++n) {
    EXPECT_FALSE(check(full.substr(0, n), version, err)) << n;
    EXPECT_EQ(err, kNotOurs);
  }
}

TEST(ChunkWriting, HeadersGetTheirPatchedBodyLengths) {
  int64_t first = -2, second = -2, third = -2;
  const std::string body540(540, 'b');
  const std::string big(70000, 'g');  // longer than the file's write block
  std::string err = "stale";
  const std::string bytes = Written([&](ListFile& f) {
    External::Write_File_Signature(f, 3);
    ASSERT_TRUE(External::Write_Chunks_Header(f, 8, 3, first, err));
    EXPECT_EQ(err, "");
    f.Write(body540.data(), body540.size());
    ASSERT_TRUE(External::Patch_Chunks_Length(f, first, err));
    EXPECT_EQ(f.Get_Position(), 9 + 13 + 540);
    ASSERT_TRUE(External::Write_Chunks_Header(f, 9, 3, second, err));
    f.Write(big.data(), big.size());
    ASSERT_TRUE(External::Patch_Chunks_Length(f, second, err));
    // A chunk whose length is patched at once has length 0.
    ASSERT_TRUE(External::Write_Chunks_Header(f, 16, 7, third, err));
    ASSERT_TRUE(External::Patch_Chunks_Length(f, third, err));
  });
  EXPECT_EQ(first, 18);
  EXPECT_EQ(second, 9 + 13 + 540 + 9);
  EXPECT_EQ(third, 9 + 13 + 540 + 13 + 70000 + 9);
  EXPECT_EQ(bytes,
            Signature(3) + Chunk("RegLstFl", body540) + Chunk("RegnLIST", big) + Chunk("BITmapOL", "", 7));
}

TEST(ChunkWriting, RefusesUnknownCodesAndStrayLengthFieldsBeforeWriting) {
  std::string err;
  int64_t field = -2;
  const std::string bytes = Written([&](ListFile& f) {
    for (int16_t code : {17, -1}) {
      EXPECT_FALSE(External::Write_Chunks_Header(f, code, 3, field, err));
      EXPECT_EQ(err, "External::Get_Chunks_TagString FAILED,  missing chunkCode case.");
      EXPECT_EQ(field, -1);
    }
    f.Write("abcdef", 6);
    for (int64_t stray : {-1, 3, 100}) {
      EXPECT_FALSE(External::Patch_Chunks_Length(f, stray, err));
      EXPECT_EQ(
          err,
          "External::Patch_Chunks_Length FAILED,  the length field is not in the written part of the file.");
      EXPECT_EQ(f.Get_Position(), 6);
    }
    // A field that ends right at the position: an empty body.
    ASSERT_TRUE(External::Patch_Chunks_Length(f, 2, err));
  });
  EXPECT_EQ(bytes, "ab" + Le32(0));
}

TEST(TagSearch, FindsTheChunkByItsLengthsElseTheFirstOccurrenceIgnoringCase) {
  const std::string header(540, '\0');
  const std::string file = Signature(3) + Chunk("RegLstFl", header) + Chunk("RegnLIST", Le32(0)) +
                           Chunk("BITmapOL", "outline", 3, 0);
  Found f = Goto(file, 8);
  ASSERT_TRUE(f.ok) << f.err;
  EXPECT_EQ(f.body, 22);
  EXPECT_EQ(f.version, 3);
  EXPECT_EQ(f.length, 540);
  EXPECT_EQ(f.err, "");
  f = Goto(file, 16);
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.body, static_cast<int64_t>(file.size()) - 7);
  EXPECT_EQ(f.length, 0);  // the search does not use the length

  // The tag's characters inside a body, in another letter case: the chunk
  // lengths lead past them to the real chunk.
  const std::string inBody = Chunk("bitMAPol", "", 5, 77);
  f = Goto(Signature(3) + Chunk("RegnLIST", "xx" + inBody) + Chunk("BITmapOL", "real", 3), 16);
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.body, 9 + 13 + 2 + 13 + 13);
  EXPECT_EQ(f.version, 3);
  EXPECT_EQ(f.length, 4);
  // A length left at 0 leads into the body, which holds no chunk header:
  // the byte search takes over, and its first occurrence wins.
  f = Goto(Signature(3) + Chunk("RegnLIST", "xx" + inBody, 3, 0) + Chunk("BITmapOL", "real", 3), 16);
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.body, 9 + 13 + 2 + 13);
  EXPECT_EQ(f.version, 5);
  EXPECT_EQ(f.length, 77);
  // So does a length that leaves the file, and a file without a signature.
  f = Goto(Signature(3) + Chunk("RegnLIST", "xx" + inBody, 3, 9999) + Chunk("BITmapOL", "real", 3), 16);
  EXPECT_EQ(f.version, 5);
  f = Goto("VODIDIZX" + Chunk("RegnLIST", "xx" + inBody) + Chunk("BITmapOL", "real", 3), 16);
  EXPECT_EQ(f.version, 5);
  // Even the signature is searched (code 8's tag cannot occur there, but a
  // file made of a tag alone is found at 0).
  f = Goto("RegLstFl", 8);
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.version, 0);
  EXPECT_EQ(f.length, 0);
  EXPECT_EQ(f.body, 8);

  f = Goto(file, 9);
  EXPECT_EQ(f.body, 9 + 13 + 540 + 13);
  f = Goto(file, 15);
  EXPECT_FALSE(f.ok);
  EXPECT_EQ(f.err, Hit_Eof("BITmapHD"));
  f = Goto(file, 17);
  EXPECT_FALSE(f.ok);
  EXPECT_EQ(f.err, "External::Get_Chunks_TagString FAILED,  missing chunkCode case.");
  for (const std::string& tiny : {std::string(), std::string("VODIDIZ"), Signature(3)}) {
    f = Goto(tiny, 8);
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.err, Hit_Eof("RegLstFl"));
  }
}

TEST(TagSearch, ATagEndingAtTheLastByteIsFoundOnlyAtTheStart) {
  const std::string prefix = Signature(3) + "x";
  EXPECT_FALSE(Goto(prefix + "BITmapOL", 16).ok);
  Found f = Goto(prefix + "BITmapOL" + "\x04", 16);
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.version, 4);
  EXPECT_EQ(f.length, 0);
  EXPECT_EQ(f.body, static_cast<int64_t>(prefix.size()) + 9);
  // Starting the search right at it: the start is always examined.
  f = Find_From(prefix + "BITmapOL", static_cast<int64_t>(prefix.size()));
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.body, static_cast<int64_t>(prefix.size()) + 8);
}

TEST(TagSearch, FindsTagsAcrossTheBoundariesOfItsReadBlocks) {
  // Tags around 64 KiB, where the search and the file's read-ahead both
  // change blocks, in a real file.
  TempDir dir;
  const std::string path = dir.File("long.rgl");
  for (int64_t at = 65528; at <= 65540; ++at) {
    std::string bytes = Signature(3) + std::string(static_cast<size_t>(at) - 9, 'R');
    bytes += Chunk("RegnLIST", "body", 3) + std::string(20, 'R');
    Write_File_Bytes(path, bytes);
    ListFile file;
    file.Open_For_Reading(path);
    const Found f = Goto(file, 9);
    ASSERT_TRUE(f.ok) << at;
    EXPECT_EQ(f.body, at + 13) << at;
    EXPECT_EQ(f.length, 4) << at;
  }
}

TEST(TagSearch, SearchesFromAGivenStartThenFromTheBeginning) {
  const std::string early = Chunk("BITmapOL", "one", 1);
  const std::string late = Chunk("BITmapOL", "two", 2);
  const std::string file = Signature(3) + early + Chunk("RegnLIST", "x") + late;
  const int64_t lateAt = static_cast<int64_t>(file.size() - late.size());
  Found f = Find_From(file, 9 + 1);
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.body, lateAt + 13);
  EXPECT_EQ(f.version, 2);
  f = Find_From(file, -40);  // a negative start is 0
  EXPECT_EQ(f.version, 1);
  f = Find_From(file, lateAt + 1);  // nothing after: the first one
  ASSERT_TRUE(f.ok);
  EXPECT_EQ(f.body, 9 + 13);
  f = Find_From(Signature(3) + Chunk("RegnLIST", "x"), 0);
  EXPECT_FALSE(f.ok);
  EXPECT_EQ(f.err, Hit_Eof("BITmapOL"));
}

TEST(ChunkWalk, HopsByTheLengthsAndSkipsTagsInsideBodies) {
  const std::string file = Signature(3) + Chunk("RegLstFl", std::string(540, '\0')) +
                           Chunk("RegnLIST", "BITmapOL inside a body") + Chunk("Chunk000", "") +
                           Chunk("BITmapOL", "outline");
  Walked w = Walk(file, "BITmapOL");
  ASSERT_TRUE(w.ok) << w.err;
  EXPECT_EQ(w.position, static_cast<int64_t>(file.size()) - 7 - 5);
  EXPECT_EQ(w.endPosition, 0);
  w = Walk(file, "bitmapol");
  EXPECT_EQ(w.position, static_cast<int64_t>(file.size()) - 7 - 5);
  // The first chunk's tag is never compared.
  w = Walk(file, "RegLstFl");
  EXPECT_TRUE(w.ok);
  EXPECT_EQ(w.position, -1);
  EXPECT_EQ(w.err, "");

  // Only the first chunk: success without a position.
  w = Walk(Signature(3) + Chunk("RegLstFl", std::string(540, '\0')), "BITmapOL");
  EXPECT_TRUE(w.ok);
  EXPECT_EQ(w.position, -1);
  // Lengths never patched: the walk lands in the first body and ends.
  w = Walk(Signature(3) + Chunk("RegLstFl", "abc", 3, 0) + Chunk("BITmapOL", "", 3, 0), "BITmapOL");
  EXPECT_TRUE(w.ok);
  EXPECT_EQ(w.position, -1);
  // A chunk that would end the walk: its end plus a tag reaches the end.
  w = Walk(Signature(3) + Chunk("RegLstFl", "") + Chunk("RegnLIST", "", 3, 100) + Chunk("BITmapOL", ""),
           "BITmapOL");
  EXPECT_EQ(w.position, -1);
  // A tag cut off by the end of the file.
  w = Walk(Signature(3) + Chunk("RegLstFl", "") + "BITmap", "BITmapOL");
  EXPECT_TRUE(w.ok);
  EXPECT_EQ(w.position, -1);
}

TEST(ChunkWalk, GivesUpAfterOneHundredAndNinetyEightHops) {
  // The first chunk, then empty chunks; the wanted one is chunk number n.
  auto chain = [](int n) {
    std::string bytes = Signature(3);
    for (int i = 1; i < n; ++i) bytes += Chunk("Chunk001", "");
    return bytes + Chunk("BITmapOL", "") + Chunk("Chunk002", "padding");
  };
  Walked w = Walk(chain(199), "BITmapOL");
  EXPECT_EQ(w.position, 9 + 13 * 198 + 8);
  w = Walk(chain(200), "BITmapOL");
  EXPECT_TRUE(w.ok);
  EXPECT_EQ(w.position, -1);
}

TEST(ChunkWalk, FailsOnAForeignFileAndRefusesANegativeLength) {
  Walked w = Walk("VODIDIZX" + Chunk("RegLstFl", "") + Chunk("BITmapOL", ""), "BITmapOL");
  EXPECT_FALSE(w.ok);
  EXPECT_EQ(w.err, kNotOurs);
  EXPECT_EQ(w.position, -1);
  EXPECT_EQ(w.endPosition, 0);
  w = Walk("VODIDIZI", "BITmapOL");
  EXPECT_FALSE(w.ok);
  EXPECT_EQ(w.err, kNotOurs);

  // A length pointing before the start of the file is the file's own error.
  ListFile file;
  file.Open_Bytes_For_Reading(Signature(3) + Chunk("RegLstFl", "", 3, -100) + Chunk("BITmapOL", ""));
  int64_t position = 0;
  std::string err;
  try {
    External::Walk_To_Chunk(file, "BITmapOL", position, err);
    ADD_FAILURE() << "no exception";
  } catch (const ListFileException& e) {
    EXPECT_EQ(e.Get_Reason(), "Invalid argument");
  }
}

}  // namespace
