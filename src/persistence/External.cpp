#include "persistence/External.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <string_view>
#include <vector>

#include "persistence/ListFile.h"
#include "platform/ByteOrder.h"
#include "platform/Text.h"

namespace {

constexpr char kSignature[] = "VODIDIZI";

// The tags of the chunk codes 0..16.  Codes 8, 9, 15 and 16 are this
// system's; the others belong to list files of other programs of the same
// family and only need tags that cannot be mistaken for these four.
constexpr const char* kChunkTags[] = {"Chunk000", "Chunk001", "Chunk002", "Chunk003", "Chunk004", "Chunk005",
                                      "Chunk006", "Chunk007", "RegLstFl", "RegnLIST", "Chunk010", "Chunk011",
                                      "Chunk012", "Chunk013", "Chunk014", "BITmapHD", "BITmapOL"};

// The tag search reads the file in blocks of this size (plus the 7 bytes a
// tag starting at a block's last byte needs).
constexpr size_t kScanBlockBytes = 64 * 1024;

// True when the 8 bytes at `bytes` are `tag`, letter case ignored.  A zero
// byte cannot match: tags have no zero among their characters.
bool Is_Tag(const uint8_t* bytes, const std::string& tag) {
  if (std::tolower(bytes[0]) != std::tolower(static_cast<unsigned char>(tag[0]))) return false;
  return Equal_NoCase(std::string_view(reinterpret_cast<const char*>(bytes), External::kTagLength), tag);
}

// Searches the file for `tag` from `start` and, when found, reads the
// version and length that follow it, leaving the file on the chunk's body.
// The position `start` itself is always examined; a later position p only
// while p + 8 < file length, so a tag ending exactly at the end of the file
// is found only at `start`.
bool Scan_For_Tag(ListFile& file, const std::string& tag, int64_t start, uint8_t& version, int32_t& length) {
  const int64_t fileLength = file.Get_Length();
  std::vector<uint8_t> block(kScanBlockBytes + External::kTagLength - 1);
  int64_t base = start;
  for (;;) {
    file.Seek(base);
    const size_t got = file.Read(block.data(), block.size());
    for (size_t i = 0; i + External::kTagLength <= got; ++i) {
      const int64_t p = base + static_cast<int64_t>(i);
      if (p != start && p + static_cast<int64_t>(External::kTagLength) >= fileLength) return false;
      if (!Is_Tag(block.data() + i, tag)) continue;
      // A header cut short by the end of the file reads as version 0 and
      // length 0; the body's own reader then meets the end of the file.
      file.Seek(p + static_cast<int64_t>(External::kTagLength));
      uint8_t rest[5] = {};
      file.Read(rest, sizeof rest);
      version = rest[0];
      length = Get_LE32(rest + 1);
      return true;
    }
    if (got < block.size()) return false;
    base += static_cast<int64_t>(kScanBlockBytes);
  }
}

// Looks for `tag` by hopping from chunk header to chunk header by the
// stored body lengths, from the first chunk after the signature.  This
// finds the real chunk even when a text field holds the tag's characters
// (a photo in a folder named "regnlist").  It gives up, and the caller
// falls back to the byte scan, when the file has no signature, when a hop
// lands on something that is not a chunk header of the system's tags (an
// unpatched length of 0 lands inside the body), or when a length leaves
// the file.  Only a chunk whose header starts at `from` or later counts.
// On success the file is on the chunk's body.
bool Walk_For_Tag(ListFile& file, const std::string& tag, int64_t from, uint8_t& version, int32_t& length) {
  const int64_t fileLength = file.Get_Length();
  uint8_t signature[External::kTagLength] = {};
  file.Seek(0);
  if (file.Read(signature, sizeof signature) < sizeof signature || !Is_Tag(signature, kSignature))
    return false;
  int64_t position = External::kTagLength + 1;
  while (position + static_cast<int64_t>(External::kChunkHeaderBytes) <= fileLength) {
    uint8_t header[External::kChunkHeaderBytes] = {};
    file.Seek(position);
    if (file.Read(header, sizeof header) < sizeof header) return false;
    if (std::none_of(std::begin(kChunkTags), std::end(kChunkTags),
                     [&](const char* known) { return Is_Tag(header, known); }))
      return false;
    const int32_t bodyLength = Get_LE32(header + External::kTagLength + 1);
    if (position >= from && Is_Tag(header, tag)) {
      version = header[External::kTagLength];
      length = bodyLength;
      return true;
    }
    if (bodyLength < 0) return false;
    position += static_cast<int64_t>(External::kChunkHeaderBytes) + bodyLength;
  }
  return false;
}

}  // namespace

bool External::Get_Chunks_TagString(int16_t chunkCode, std::string& tag, std::string& err) {
  err.clear();
  tag.clear();
  if (chunkCode < 0 || chunkCode >= static_cast<int16_t>(std::size(kChunkTags))) {
    err = "External::Get_Chunks_TagString FAILED,  missing chunkCode case.";
    return false;
  }
  tag = kChunkTags[chunkCode];
  if (tag.size() != kTagLength) {
    tag.clear();
    err = "External::Get_Chunks_TagString FAILED,  Tag Strings can only be 8 chars in length.";
    return false;
  }
  return true;
}

void External::Write_File_Signature(ListFile& file, uint8_t version) {
  file.Write(kSignature, kTagLength);
  file.Write(&version, 1);
}

bool External::Check_File_Signature(ListFile& file, uint8_t& version, std::string& err) {
  err.clear();
  uint8_t signature[kTagLength] = {};
  uint8_t fileVersion = 0;
  // A file too short to hold the version byte is no list file either.
  if (file.Read(signature, sizeof signature) < sizeof signature || !Is_Tag(signature, kSignature) ||
      file.Read(&fileVersion, 1) < 1) {
    err = "This is not a Kestrane Labs file format. Load a file of the correct type.";
    return false;
  }
  version = fileVersion;
  return true;
}

bool External::Write_Chunks_Header(ListFile& file, int16_t chunkCode, uint8_t version,
                                   int64_t& lengthFieldPosition, std::string& err) {
  err.clear();
  lengthFieldPosition = -1;
  std::string tag;
  if (!Get_Chunks_TagString(chunkCode, tag, err)) return false;
  file.Write(tag.data(), kTagLength);
  file.Write(&version, 1);
  const int64_t position = file.Get_Position();
  const uint8_t zero[4] = {};
  file.Write(zero, sizeof zero);
  lengthFieldPosition = position;
  return true;
}

bool External::Patch_Chunks_Length(ListFile& file, int64_t lengthFieldPosition, std::string& err) {
  err.clear();
  const int64_t end = file.Get_Position();
  const int64_t bodyLength = end - lengthFieldPosition - 4;
  // Patching anywhere but a length field behind the position would
  // overwrite written data.
  if (lengthFieldPosition < 0 || bodyLength < 0) {
    err = "External::Patch_Chunks_Length FAILED,  the length field is not in the written part of the file.";
    return false;
  }
  // A wrapped length would send the chunk walk astray and lose the chunks
  // behind this one.
  if (bodyLength > std::numeric_limits<int32_t>::max()) {
    err = "External::Patch_Chunks_Length FAILED,  the chunk is too long for its 32-bit length.";
    return false;
  }
  uint8_t field[4];
  Put_LE32(field, static_cast<int32_t>(bodyLength));
  file.Seek(lengthFieldPosition);
  file.Write(field, sizeof field);
  file.Seek(end);
  return true;
}

bool External::Goto_Chunks_Header(ListFile& file, int16_t chunkCode, uint8_t& version, int32_t& length,
                                  std::string& err) {
  err.clear();
  std::string tag;
  if (!Get_Chunks_TagString(chunkCode, tag, err)) return false;
  if (Walk_For_Tag(file, tag, 0, version, length) || Scan_For_Tag(file, tag, 0, version, length)) return true;
  err = Text_Format(
      "External::Goto_Chunks_Header FAILED,  could not find tag's string [ %s ] in the file( hit eof ).",
      tag.c_str());
  return false;
}

bool External::Find_Chunks_Header_From(ListFile& file, int64_t start, uint8_t& version, int32_t& length,
                                       std::string& err) {
  err.clear();
  std::string tag;
  if (!Get_Chunks_TagString(kOutlineBitmapChunk, tag, err)) return false;
  const int64_t from = std::max<int64_t>(start, 0);
  if (Walk_For_Tag(file, tag, from, version, length) || Scan_For_Tag(file, tag, from, version, length))
    return true;
  return Goto_Chunks_Header(file, kOutlineBitmapChunk, version, length, err);
}

bool External::Walk_To_Chunk(ListFile& file, const std::string& tag, int64_t& position, std::string& err) {
  err.clear();
  position = -1;
  const int64_t fileLength = file.Get_Length();
  file.Seek(0);
  uint8_t fileVersion = 0;
  if (!Check_File_Signature(file, fileVersion, err)) {
    file.Seek(0);
    return false;
  }
  // The first chunk's tag is not compared: the walk starts behind it.
  uint8_t header[kChunkHeaderBytes] = {};
  file.Read(header, sizeof header);
  int64_t bodyStart = file.Get_Position();
  int64_t bodyLength = Get_LE32(header + kTagLength + 1);
  for (int hop = 1; hop < 199; ++hop) {
    // A negative length seeks before the start of the file, which the file
    // refuses with its exception.
    file.Seek(bodyStart + bodyLength);
    uint8_t next[kChunkHeaderBytes] = {};
    const size_t got = file.Read(next, kTagLength);
    if (got == kTagLength && Is_Tag(next, tag)) {
      position = file.Get_Position();
      break;
    }
    file.Read(next + kTagLength, kChunkHeaderBytes - kTagLength);
    bodyLength = Get_LE32(next + kTagLength + 1);
    bodyStart = file.Get_Position();
    if (bodyStart + bodyLength + static_cast<int64_t>(kTagLength) >= fileLength) break;
  }
  file.Seek(0);
  return true;
}
