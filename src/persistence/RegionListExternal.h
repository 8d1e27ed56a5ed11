#pragma once
// RegionListExternal: the writer and reader of a whole region list file
// (extension "rgl").  The file is the signature with version 3 and three
// chunks, all of version 3:
//
//   "RegLstFl"  the 540-byte list header (RegionListFileHeader)
//   "RegnLIST"  the region count and one region entry per region
//               (RegionExternal)
//   "BITmapOL"  only when there is an outline: the outline as an 8-bit
//               inline bitmap with run-length coded rows
//
// The header carries, besides the list's own fields, the application-wide
// outline and pre-processing settings the illustration was made with;
// reading a file replaces them, each value outside its range by its
// default.  A file written by this system is never of a version below 3;
// older files are read with their 1468-byte region records.
//
// Writing goes to a file opened for writing from position 0 and checks the
// list before it writes anything that matters; reading empties the list
// once the header has been read, so a refused file of the wrong kind leaves
// the list alone, while a file that fails among its regions leaves the
// regions read so far.

#include <cstdint>
#include <memory>
#include <string>

#include "persistence/ComponentExternal.h"
#include "persistence/ListFileContext.h"

class OffMap;
class RegionListSubject;

// The body of "RegLstFl", field by field.
struct RegionListFileHeader {
  static constexpr size_t kBytes = 540;
  static constexpr size_t kPathBytes = 256;

  std::string projectPath;  // at most 255 characters
  int16_t filesBitmapMode = 0;
  std::string sourcePhotoPath;  // at most 255 characters
  int32_t canvasWidth = 0;
  int32_t canvasHeight = 0;
  int16_t outlineLiteness = 0;
  int16_t outlineStyle = 0;
  int16_t outlineContrast = 0;
  int16_t brushSize = 0;
  int16_t watercolorDark = 0;
  int16_t watercolorLite = 0;
  int16_t watercolorSat = 0;

  // The 540 bytes, little-endian, texts zero-padded, reserved bytes zero.
  void Pack(uint8_t* out) const;
  static RegionListFileHeader Unpack(const uint8_t* in);
};

// What a region list file holds, as stored (no value replaced), for a look
// at a file without loading it.
struct RegionListFileInfo {
  uint8_t fileVersion = 0;    // the version byte after the signature
  uint8_t headerVersion = 0;  // the version byte of "RegLstFl"
  RegionListFileHeader header;
  int32_t regionCount = 0;  // as stored in "RegnLIST"
  bool hasOutline = false;  // the chunk walk finds "BITmapOL"
};

// Reads the signature, the list header and the region count, with the
// same searches a load uses.  File errors arrive as ListFileException.
bool Read_RegionList_File_Info(ListFile& file, RegionListFileInfo& info, std::string& err);

class RegionListExternal : public ComponentExternal {
 public:
  // The version this system writes.
  static constexpr uint8_t kFileVersion = 3;
  // The project path written when the external has none.
  static constexpr const char* kNoProjectPath = "NOprojectFILEnecessary2017";
  // The largest canvas side a list file holds.
  static constexpr int32_t kMaxCanvasSide = 7000;

  // Bound to the context's region list; the settings and the outline are
  // the context's.
  explicit RegionListExternal(const ListFileContext& context);
  ~RegionListExternal() override;

  std::string Get_File_Extension() const override { return "rgl"; }
  std::string Get_Class_Name() const override { return "Region"; }
  int16_t Get_ChunkCode() const override { return -1; }
  bool Emit(ListFile& file, int32_t options, std::string& err) override;
  // Replaces the context's region list with the file's; `result` stays
  // null (the list is filled in place).
  bool Receive(ListFile& file, ComponentSubject*& result, std::string& err) override;
  // The "RegLstFl" chunk.
  bool Goto_My_Files_Header(ListFile& file, uint8_t& version, int32_t& length, std::string& err) override;

  // The header as the context's list and settings give it now.
  RegionListFileHeader Make_Header() const;
  // Takes a header read from a file into the list and the settings.
  void Apply_Header(const RegionListFileHeader& header);

  const std::string& Get_Project_Path() const { return m_projectPath; }
  void Set_Project_Path(const std::string& path) { m_projectPath = path; }
  int16_t Get_Version() const { return m_version; }
  // The reserved header value; writing refuses one outside 0..7.
  void Set_Reserved(int16_t value) { m_reserved = value; }
  // After a read: the highest region number read (-1 for no regions), and
  // the outline read (null when the file has none or it could not be read).
  int16_t Get_Highest_Serial_Number() const { return m_highestSerialNumber; }
  std::unique_ptr<OffMap> Take_Outline_Map();

 protected:
  // Regions get their RegionExternal here: the region layer cannot make
  // one itself.
  std::unique_ptr<External> Create_Element_External(ComponentSubject& element) override;

 private:
  bool Emit_Outline(ListFile& file, std::string& err);

  ListFileContext m_context;
  std::string m_projectPath;
  int16_t m_version = kFileVersion;
  int16_t m_reserved = 0;
  int16_t m_highestSerialNumber = -1;
  std::unique_ptr<OffMap> m_outlineMap;
};
