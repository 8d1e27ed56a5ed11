#pragma once
// External: the base of the objects that write a subject (a region, the
// region list) to a list file and read it back, and the chunk container all
// list files share.
//
// A list file starts with the 8 signature characters "VODIDIZI" and a
// version byte, followed by chunks.  A chunk is an 8-character tag, a
// version byte, a signed 32-bit body length and the body; the length is
// written as 0 and patched once the body is complete.  Readers find a
// chunk by hopping from header to header by those lengths; a file whose
// lengths do not lead to the chunk (one written without patching them) is
// searched for the tag byte by byte instead, where the first occurrence of
// the tag's characters wins.
//
// The chunk operations are static: they need a file, not a subject.  They
// clear `err` on entry and return false with `err` set on failure.  Errors
// of the file itself arrive as ListFileException and are not caught here.

#include <cstddef>
#include <cstdint>
#include <string>

class ComponentSubject;
class ListFile;

class External {
 public:
  // Chunk codes the system writes or knows; valid codes are 0..16.
  static constexpr int16_t kRegionListHeaderChunk = 8;  // "RegLstFl"
  static constexpr int16_t kRegionRecordsChunk = 9;     // "RegnLIST"
  static constexpr int16_t kBitmapHeaderChunk = 15;     // "BITmapHD"
  static constexpr int16_t kOutlineBitmapChunk = 16;    // "BITmapOL"
  static constexpr size_t kTagLength = 8;
  // Bytes of a chunk header: tag, version byte, body length.
  static constexpr size_t kChunkHeaderBytes = kTagLength + 1 + 4;

  explicit External(ComponentSubject* subject = nullptr) : m_subject(subject) {}
  virtual ~External() = default;
  External(const External&) = delete;
  External& operator=(const External&) = delete;

  // The extension of this external's files, without the dot.
  virtual std::string Get_File_Extension() const = 0;
  // The name used in dialog filters and messages.
  virtual std::string Get_Class_Name() const { return "Object"; }
  // The chunk code of a single-record file; -1 for externals of list files.
  virtual int16_t Get_ChunkCode() const { return -1; }
  // The subject written or filled; not owned.
  virtual ComponentSubject* Get_Subject() const { return m_subject; }
  virtual void Set_Subject(ComponentSubject* subject) { m_subject = subject; }
  // Writes the subject at the file's position.
  virtual bool Emit(ListFile& file, int32_t options, std::string& err) = 0;
  // Reads at the file's position.  An external that makes a new subject
  // hands it over in `result`; the caller owns it.
  virtual bool Receive(ListFile& file, ComponentSubject*& result, std::string& err) = 0;
  // Leaves the file on the body of the chunk that marks this external's
  // file type, with that chunk's version and length.
  virtual bool Goto_My_Files_Header(ListFile& file, uint8_t& version, int32_t& length, std::string& err) = 0;

  // ---- the chunk container ----------------------------------------------------
  // The 8-character tag of a chunk code.
  static bool Get_Chunks_TagString(int16_t chunkCode, std::string& tag, std::string& err);
  // Writes "VODIDIZI" and the file version at the position.
  static void Write_File_Signature(ListFile& file, uint8_t version);
  // Reads the signature at the position (callers seek to 0 first) and then
  // the version byte.
  static bool Check_File_Signature(ListFile& file, uint8_t& version, std::string& err);
  // Writes a chunk header at the position with a zero length;
  // `lengthFieldPosition` is where the length went (-1 on failure, when
  // nothing is written).
  static bool Write_Chunks_Header(ListFile& file, int16_t chunkCode, uint8_t version,
                                  int64_t& lengthFieldPosition, std::string& err);
  // Stores the length of the chunk whose length field is at
  // `lengthFieldPosition`: everything from behind that field to the
  // position.  The position is unchanged afterwards.
  static bool Patch_Chunks_Length(ListFile& file, int64_t lengthFieldPosition, std::string& err);
  // Finds the chunk of the code (by the chunk lengths, else the first
  // occurrence of its tag in the file) and leaves the file on the first
  // byte of that chunk's body.
  static bool Goto_Chunks_Header(ListFile& file, int16_t chunkCode, uint8_t& version, int32_t& length,
                                 std::string& err);
  // The same search for the outline bitmap chunk; the byte search starts at
  // `start` and, when nothing is found from there, at the start of the file.
  static bool Find_Chunks_Header_From(ListFile& file, int64_t start, uint8_t& version, int32_t& length,
                                      std::string& err);
  // Tells whether a chunk with the tag follows the first chunk, hopping
  // from header to header by the chunk lengths.  `position` is just after
  // the tag found, or -1 when there is none (which is no failure).  Fails
  // only when the signature is wrong.  The file is left at position 0.
  static bool Walk_To_Chunk(ListFile& file, const std::string& tag, int64_t& position, std::string& err);

 protected:
  ComponentSubject* m_subject = nullptr;
};
