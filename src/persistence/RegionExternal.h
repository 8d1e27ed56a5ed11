#pragma once
// RegionExternal: one region entry of a region list file, the region's
// record followed (when the list keeps its bitmaps inline) by the region's
// map as an inline bitmap.
//
// Two records exist: the 188-byte "Small" record that this system writes
// (version 3 files) and the 1468-byte "Old" record of version 2 and older
// files, which also carries the descriptors' paths and an extra text.  The
// record's fields are RegionRecordSmall and RegionRecordOld
// (regions/RegionFileRecords.h); this class lays them out byte for byte.
//
// The inline map takes the form the region's substitutionMode asks for:
//   0     the 24-bit colour map as it is        (raw block, kind 2)
//   1     a 1-bit mask, white stays white       (run-length rows, kind 0)
//   2..4  an 8-bit tonal map of the greys       (raw block, kind 1)
// and is turned back into a 24-bit map when read (the mask takes the
// region's hunt colour, the tonal map becomes greys).
//
// Reading guards against files that would make the program allocate far
// beyond what they hold: a run-length coded mask of a few bytes can stand
// for a large 24-bit map, so the region maps of one load share a budget of
// pixels, and a file that needs more is refused.

#include <cstdint>
#include <memory>
#include <string>

#include "persistence/ComponentExternal.h"

class OffMap;
class Platform;
class RegionSubject;
struct RegionRecordOld;
struct RegionRecordSmall;

class RegionExternal : public ComponentExternal {
 public:
  // Values of filesBitmapMode.
  static constexpr int16_t kBitmapsInFiles = 0;  // each region names its BMP file
  static constexpr int16_t kBitmapsInline = 1;   // each region's map follows its record
  // The pixels the region maps of one load may hold together (both the
  // region map and its display copy are made at this size): 64 canvases of
  // the largest working size, far more than the regions of any list cover,
  // yet little enough to be read in a moment.
  static constexpr int64_t kMaxPixelsPerLoad = 16LL * 1024 * 1024;

  // `platform` reports an empty bitmap path and loads bitmap files.
  RegionExternal(RegionSubject* subject, Platform& platform);

  std::string Get_File_Extension() const override { return "rgl"; }
  std::string Get_Class_Name() const override { return "Region"; }
  bool Emit(ListFile& file, int32_t options, std::string& err) override;
  // Makes a new region from the entry at the file's position; the caller
  // owns it.
  bool Receive(ListFile& file, ComponentSubject*& result, std::string& err) override;
  // A region entry is no file of its own.
  bool Goto_My_Files_Header(ListFile& file, uint8_t& version, int32_t& length, std::string& err) override;

  int16_t Get_Files_Bitmap_Mode() const { return m_filesBitmapMode; }
  void Set_Files_Bitmap_Mode(int16_t mode) { m_filesBitmapMode = mode; }
  bool Is_Old_Format() const { return m_oldFormat; }
  void Set_Old_Format(bool oldFormat) { m_oldFormat = oldFormat; }
  // The highest m_serialNumber of the regions read so far; -1 before any.
  int16_t Get_Highest_Serial_Number() const { return m_highestSerialNumber; }
  // The pixels the region maps read by this external may hold together
  // (kMaxPixelsPerLoad unless set).
  void Set_Pixel_Budget(int64_t pixels) { m_pixelBudget = pixels; }

  // The records as bytes (kBytes of the record) and back.  Texts are cut to
  // their fields and zero-padded; reading stops a text at its first zero or
  // at the end of its field.
  static void Pack_Small(const RegionRecordSmall& record, uint8_t* out);
  static void Unpack_Small(const uint8_t* in, RegionRecordSmall& record);
  static void Pack_Old(const RegionRecordOld& record, uint8_t* out);
  static void Unpack_Old(const uint8_t* in, RegionRecordOld& record);

 private:
  // The region's map in the form of its substitutionMode, written inline.
  bool Emit_Region_Bitmap(const RegionSubject& region, ListFile& file, std::string& err);
  // The region's 24-bit map from the inline bitmap or the region's file.
  std::unique_ptr<OffMap> Receive_Region_Bitmap(const RegionSubject& region, ListFile& file,
                                                std::string& err);

  Platform& m_platform;
  int16_t m_filesBitmapMode = kBitmapsInFiles;
  int16_t m_highestSerialNumber = -1;
  bool m_oldFormat = true;
  // Pixels of the region maps made by this external so far, and the limit.
  int64_t m_pixelsLoaded = 0;
  int64_t m_pixelBudget = kMaxPixelsPerLoad;
};
