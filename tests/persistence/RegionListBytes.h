#pragma once
// Region list files built byte by byte from the file layout, for the tests
// of the list file and its commands, and small helpers to write and read
// lists through the externals.

#include <cstdint>
#include <string>

#include "ListFileBytes.h"
#include "app/RegionEditorApp.h"
#include "persistence/ListFile.h"
#include "persistence/RegionListExternal.h"
#include "raster/OffMap.h"

namespace rglbytes {

// A zero-terminated text field of `size` bytes.
inline std::string Text(const std::string& text, size_t size) {
  std::string field = text.substr(0, size - 1);
  field.resize(size, '\0');
  return field;
}

inline std::string Zeros(size_t n) {
  return std::string(n, '\0');
}

struct HeaderFields {
  std::string project = "project";
  int32_t filesBitmapMode = 1;
  std::string photo = "/photos/cat.png";
  int32_t width = 40, height = 30;
  int32_t liteness = 0, style = 0, contrast = 100, brush = 6, dark = 20, lite = 0, sat = 70;
};

// The 540-byte list header.
inline std::string Header(const HeaderFields& f) {
  return Text(f.project, 256) + Le16(f.filesBitmapMode) + Text(f.photo, 256) + Zeros(2) + Le32(f.width) +
         Le32(f.height) + Le16(f.liteness) + Le16(f.style) + Le16(f.contrast) + Le16(f.brush) + Le16(f.dark) +
         Le16(f.lite) + Le16(f.sat) + Zeros(2);
}

struct Descriptor {
  int32_t hue = 0, sat = 0, val = 0;
  int32_t pixelCount = 12;
  int32_t seedX = 1, seedY = 2, centroidX = 3, centroidY = 4;
  uint32_t color = 0x003264C8;  // (200, 100, 50)
  int32_t hidden = 0;
  int32_t frameX = 5, frameY = 6, frameWidth = 4, frameHeight = 3;
};

// The 56 bytes of a descriptor's numbers in the Small record (and in the
// auto half of the Old record).
inline std::string Descriptor_Bytes(const Descriptor& d) {
  return Le16(d.hue) + Le16(d.sat) + Le16(d.val) + Zeros(2) + Le32(d.pixelCount) + Zeros(4) + Le16(d.seedX) +
         Le16(d.seedY) + Le16(d.centroidX) + Le16(d.centroidY) + Le32(d.color) + Le32(d.hidden) + Zeros(8) +
         Le32(d.frameX) + Le32(d.frameY) + Le32(d.frameWidth) + Le32(d.frameHeight);
}

// The scanned half of the Old record: no reserved bytes before pixelCount.
inline std::string Old_Scanned_Bytes(const Descriptor& d) {
  return Le16(d.hue) + Le16(d.sat) + Le16(d.val) + Le32(d.pixelCount) + Zeros(4) + Le16(d.seedX) +
         Le16(d.seedY) + Le16(d.centroidX) + Le16(d.centroidY) + Le32(d.color) + Le32(d.hidden) + Zeros(8) +
         Le32(d.frameX) + Le32(d.frameY) + Le32(d.frameWidth) + Le32(d.frameHeight);
}

struct Record {
  int32_t headerWord = 64, renderStyle = 0, substitutionMode = 1, generationCode = 1;
  Descriptor autoD, scannedD;
  int32_t separationID = 0, huntColorIndex = 1, serialNumber = 0;
  // Old record only.
  std::string autoBitmap, autoParent, scannedBitmap, scannedParent, extraText;
};

inline std::string Small_Record(const Record& r) {
  return Le16(r.headerWord) + Le16(r.renderStyle) + Le16(r.substitutionMode) + Le16(r.generationCode) +
         Descriptor_Bytes(r.autoD) + Descriptor_Bytes(r.scannedD) + Le16(r.separationID) +
         Le16(r.huntColorIndex) + Le16(r.serialNumber) + Zeros(62);
}

inline std::string Old_Record(const Record& r) {
  return Le16(r.headerWord) + Zeros(2) + Le32(1) + Le16(r.renderStyle) + Le16(r.substitutionMode) +
         Le16(r.generationCode) + Text(r.autoBitmap, 255) + Text(r.autoParent, 255) +
         Descriptor_Bytes(r.autoD) + Text(r.scannedBitmap, 255) + Text(r.scannedParent, 255) +
         Old_Scanned_Bytes(r.scannedD) + Text(r.extraText, 256) + Le16(r.separationID) +
         Le16(r.huntColorIndex) + Le16(r.serialNumber) + Zeros(62);
}

// A 1-bit mask of width x height, every row one black run, run-length
// coded as the list file keeps region masks.
inline std::string Black_Mask(int32_t width, int32_t height) {
  const OffMap shape(width, height, 1);
  std::string s = Inline_Header(width, height, 1, shape.Get_Bytes_Per_Row(), shape.Get_Image_Bytes(),
                                shape.Get_Alloc_Bytes(), 1, 0);
  for (int32_t y = 0; y < height; ++y) s += Codes({-width, 0});
  return s;
}

// A map's whole block, as a raw inline bitmap of kind `kind`.
inline std::string Raw_Bitmap(const OffMap& map, int32_t kind) {
  return Inline_Header(map.Get_Width(), map.Get_Height(), map.Get_Depth(), map.Get_Bytes_Per_Row(),
                       map.Get_Image_Bytes(), map.Get_Alloc_Bytes(), 0, kind) +
         std::string(reinterpret_cast<const char*>(map.Get_DIB()),
                     static_cast<size_t>(map.Get_Alloc_Bytes()));
}

// A whole file: signature, header chunk, region chunk of `count` with the
// entries, and the outline chunk when one is given.
inline std::string List_File(const HeaderFields& header, int32_t count, const std::string& entries,
                             const std::string& outline = std::string(), int version = 3) {
  std::string file = Signature(version) + Chunk("RegLstFl", Header(header), version) +
                     Chunk("RegnLIST", Le32(count) + entries, version);
  if (!outline.empty()) file += Chunk("BITmapOL", outline, version);
  return file;
}

// The outcome of reading bytes with a RegionListExternal.
struct Loaded {
  bool ok = false;
  std::string err;
  int16_t highest = -2;
  std::unique_ptr<OffMap> outline;
};

inline Loaded Load_Bytes(RegionEditorApp& app, const std::string& bytes) {
  Loaded result;
  RegionListExternal external(app.List_File_Context());
  ListFile file;
  file.Open_Bytes_For_Reading(bytes);
  ComponentSubject* made = nullptr;
  try {
    result.ok = external.Receive(file, made, result.err);
  } catch (const ListFileException& e) {
    result.err = "file exception: " + e.Get_Reason();
  }
  result.highest = external.Get_Highest_Serial_Number();
  result.outline = external.Take_Outline_Map();
  return result;
}

// The bytes RegionListExternal writes for the application's list; empty
// with `err` set when the writer refuses.
inline std::string Save_Bytes(RegionEditorApp& app, std::string& err) {
  TempDir dir;
  const std::string path = dir.File("list.rgl");
  ListFile file;
  file.Open_For_Writing(path);
  RegionListExternal external(app.List_File_Context());
  if (!external.Emit(file, 0, err)) {
    file.Abort();
    return std::string();
  }
  file.Close();
  return Read_File_Bytes(path);
}

}  // namespace rglbytes
