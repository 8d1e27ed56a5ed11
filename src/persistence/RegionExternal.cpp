#include "persistence/RegionExternal.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <new>
#include <vector>

#include "persistence/InlineBitmaps.h"
#include "persistence/ListFile.h"
#include "platform/ByteOrder.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "regions/RegionFileRecords.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionSubject.h"
#include "render/ImageFiles.h"

namespace {

// Where the numbers of a descriptor lie, relative to its first number
// (hueOffset).  The scanned half of the Old record has no reserved bytes
// between valOffset and pixelCount, so everything after them sits two
// bytes earlier.
struct DescriptorLayout {
  size_t start;
  size_t shift;  // 0, or 2 for the scanned half of the Old record
};

constexpr DescriptorLayout kSmallAuto{8, 0};
constexpr DescriptorLayout kSmallScanned{64, 0};
constexpr DescriptorLayout kOldAuto{524, 0};
constexpr DescriptorLayout kOldScanned{1090, 2};

// Offsets of the Old record's texts.
constexpr size_t kOldAutoBitmapPath = 14;
constexpr size_t kOldAutoParentPath = 269;
constexpr size_t kOldScannedBitmapPath = 580;
constexpr size_t kOldScannedParentPath = 835;
constexpr size_t kOldExtraText = 1144;

void Pack_Descriptor(const RegionDescriptorFields& d, DescriptorLayout at, uint8_t* record) {
  uint8_t* p = record + at.start;
  Put_LE16(p + 0, d.hueOffset);
  Put_LE16(p + 2, d.satOffset);
  Put_LE16(p + 4, d.valOffset);
  p -= at.shift;
  Put_LE32(p + 8, d.pixelCount);
  Put_LE16(p + 16, d.seedX);
  Put_LE16(p + 18, d.seedY);
  Put_LE16(p + 20, d.centroidX);
  Put_LE16(p + 22, d.centroidY);
  Put_LE32(p + 24, static_cast<int32_t>(d.color));
  Put_LE32(p + 28, d.hidden);
  Put_LE32(p + 40, d.frameX);
  Put_LE32(p + 44, d.frameY);
  Put_LE32(p + 48, d.frameWidth);
  Put_LE32(p + 52, d.frameHeight);
}

void Unpack_Descriptor(const uint8_t* record, DescriptorLayout at, RegionDescriptorFields& d) {
  const uint8_t* p = record + at.start;
  d.hueOffset = Get_LE16(p + 0);
  d.satOffset = Get_LE16(p + 2);
  d.valOffset = Get_LE16(p + 4);
  p -= at.shift;
  d.pixelCount = Get_LE32(p + 8);
  d.seedX = Get_LE16(p + 16);
  d.seedY = Get_LE16(p + 18);
  d.centroidX = Get_LE16(p + 20);
  d.centroidY = Get_LE16(p + 22);
  d.color = static_cast<uint32_t>(Get_LE32(p + 24));
  d.hidden = Get_LE32(p + 28);
  d.frameX = Get_LE32(p + 40);
  d.frameY = Get_LE32(p + 44);
  d.frameWidth = Get_LE32(p + 48);
  d.frameHeight = Get_LE32(p + 52);
}

}  // namespace

// ---------------------------------------------------------------------------
// The records as bytes

void RegionExternal::Pack_Small(const RegionRecordSmall& record, uint8_t* out) {
  std::memset(out, 0, RegionRecordSmall::kBytes);
  Put_LE16(out + 0, record.headerWord);
  Put_LE16(out + 2, record.renderStyle);
  Put_LE16(out + 4, record.substitutionMode);
  Put_LE16(out + 6, record.generationCode);
  Pack_Descriptor(record.autoDescriptor, kSmallAuto, out);
  Pack_Descriptor(record.scannedDescriptor, kSmallScanned, out);
  Put_LE16(out + 120, record.separationID);
  Put_LE16(out + 122, record.huntColorIndex);
  Put_LE16(out + 124, record.serialNumber);
}

void RegionExternal::Unpack_Small(const uint8_t* in, RegionRecordSmall& record) {
  record = RegionRecordSmall();
  record.headerWord = Get_LE16(in + 0);
  record.renderStyle = Get_LE16(in + 2);
  record.substitutionMode = Get_LE16(in + 4);
  record.generationCode = Get_LE16(in + 6);
  Unpack_Descriptor(in, kSmallAuto, record.autoDescriptor);
  Unpack_Descriptor(in, kSmallScanned, record.scannedDescriptor);
  record.separationID = Get_LE16(in + 120);
  record.huntColorIndex = Get_LE16(in + 122);
  record.serialNumber = Get_LE16(in + 124);
}

void RegionExternal::Pack_Old(const RegionRecordOld& record, uint8_t* out) {
  constexpr size_t kPath = RegionDescriptorFieldsOld::kPathBytes;
  std::memset(out, 0, RegionRecordOld::kBytes);
  Put_LE16(out + 0, record.headerWord);
  Put_LE32(out + 4, 1);
  Put_LE16(out + 8, record.renderStyle);
  Put_LE16(out + 10, record.substitutionMode);
  Put_LE16(out + 12, record.generationCode);
  Put_Text(out + kOldAutoBitmapPath, kPath, record.autoDescriptor.bitmapPath);
  Put_Text(out + kOldAutoParentPath, kPath, record.autoDescriptor.parentPath);
  Pack_Descriptor(record.autoDescriptor, kOldAuto, out);
  Put_Text(out + kOldScannedBitmapPath, kPath, record.scannedDescriptor.bitmapPath);
  Put_Text(out + kOldScannedParentPath, kPath, record.scannedDescriptor.parentPath);
  Pack_Descriptor(record.scannedDescriptor, kOldScanned, out);
  Put_Text(out + kOldExtraText, RegionRecordOld::kExtraTextBytes, record.extraText);
  Put_LE16(out + 1400, record.separationID);
  Put_LE16(out + 1402, record.huntColorIndex);
  Put_LE16(out + 1404, record.serialNumber);
}

void RegionExternal::Unpack_Old(const uint8_t* in, RegionRecordOld& record) {
  constexpr size_t kPath = RegionDescriptorFieldsOld::kPathBytes;
  record = RegionRecordOld();
  record.headerWord = Get_LE16(in + 0);
  record.renderStyle = Get_LE16(in + 8);
  record.substitutionMode = Get_LE16(in + 10);
  record.generationCode = Get_LE16(in + 12);
  record.autoDescriptor.bitmapPath = Get_Text(in + kOldAutoBitmapPath, kPath);
  record.autoDescriptor.parentPath = Get_Text(in + kOldAutoParentPath, kPath);
  Unpack_Descriptor(in, kOldAuto, record.autoDescriptor);
  record.scannedDescriptor.bitmapPath = Get_Text(in + kOldScannedBitmapPath, kPath);
  record.scannedDescriptor.parentPath = Get_Text(in + kOldScannedParentPath, kPath);
  Unpack_Descriptor(in, kOldScanned, record.scannedDescriptor);
  record.extraText = Get_Text(in + kOldExtraText, RegionRecordOld::kExtraTextBytes);
  record.separationID = Get_LE16(in + 1400);
  record.huntColorIndex = Get_LE16(in + 1402);
  record.serialNumber = Get_LE16(in + 1404);
}

// ---------------------------------------------------------------------------
// The external

RegionExternal::RegionExternal(RegionSubject* subject, Platform& platform)
    : ComponentExternal(subject), m_platform(platform) {}

bool RegionExternal::Goto_My_Files_Header(ListFile& /*file*/, uint8_t& /*version*/, int32_t& /*length*/,
                                          std::string& err) {
  err = "RegionExternal does NOT have a File Type.";
  return false;
}

bool RegionExternal::Emit(ListFile& file, int32_t /*options*/, std::string& err) {
  err.clear();
  if (m_subject == nullptr) {
    err = "RegionExternal::Emit  failed,  m_subject is NULL.";
    return false;
  }
  const auto* region = dynamic_cast<const RegionSubject*>(m_subject);
  if (region == nullptr) {
    err = "RegionExternal::Emit failed,  bad dynamic cast for RegionSubject.";
    return false;
  }
  // A separation region's map is the whole separation; lists with inline
  // bitmaps hold sub-regions only.
  if (m_filesBitmapMode != kBitmapsInFiles && region->Get_Generation_Code() != RegionSubject::kSubRegion) {
    err =
        "RegionExternal::Emit FAILED,  there are ASeps in this SUBregion list. New RegionList file would "
        "CRASH "
        "app on re-load.";
    return false;
  }

  if (m_oldFormat) {
    RegionRecordOld record;
    region->Emit_to_FileObject_Old(record);
    std::vector<uint8_t> bytes(RegionRecordOld::kBytes);
    Pack_Old(record, bytes.data());
    file.Write(bytes.data(), bytes.size());
  } else {
    RegionRecordSmall record;
    region->Emit_to_FileObject_Small(record);
    uint8_t bytes[RegionRecordSmall::kBytes];
    Pack_Small(record, bytes);
    file.Write(bytes, sizeof bytes);
  }
  if (m_filesBitmapMode != kBitmapsInline) return true;
  return Emit_Region_Bitmap(*region, file, err);
}

bool RegionExternal::Emit_Region_Bitmap(const RegionSubject& region, ListFile& file, std::string& err) {
  if (region.Get_Region_Map() == nullptr) {
    err = "RegionExternal::Emit FAILED,  m_SRCoffMap is NULL.";
    return false;
  }
  const OffMap& map = *region.Get_Region_Map();
  std::unique_ptr<OffMap> converted;
  switch (region.Get_Substitution_Mode()) {
    case 0:
      return Save_OffMap_to_Inside_ListFile(map, file, kInlineRawBlock, kInlineRegionColor, err);
    case 1:
      converted = OffMap::Alloc_A_1bit_MaskMap_from_24Bit_ColorMap(err, map);
      if (converted == nullptr) return false;
      return Save_OffMap_to_Inside_ListFile(*converted, file, kInlineRunLength, kInlineRegionMask, err);
    case 2:
    case 3:
    case 4:
      converted = OffMap::Alloc_A_8bit_TonalMap_from_24Bit_Greyscale_Bitmap(err, map);
      if (converted == nullptr) return false;
      return Save_OffMap_to_Inside_ListFile(*converted, file, kInlineRawBlock, kInlineRegionTonal, err);
    default:
      err = "RegionExternal::Emit FAILED,  substitutionMode had a bad value.";
      return false;
  }
}

bool RegionExternal::Receive(ListFile& file, ComponentSubject*& result, std::string& err) {
  err.clear();
  result = nullptr;
  std::unique_ptr<RegionSubject> region(new (std::nothrow) RegionSubject());
  if (region == nullptr) {
    err = "ComponentExternal::Load_Lists_Elements  failed,  could not allocate new ListObject.";
    return false;
  }

  // A record cut short by the end of the file is refused: its missing bytes
  // would otherwise read as a record of zeros.
  const size_t recordBytes = m_oldFormat ? RegionRecordOld::kBytes : RegionRecordSmall::kBytes;
  std::vector<uint8_t> bytes(recordBytes);
  if (file.Read(bytes.data(), recordBytes) < recordBytes) {
    err = "RegionExternal::Receive FAILED,  the file ends inside a region record. \n File may be corrupt.";
    return false;
  }
  if (m_oldFormat) {
    RegionRecordOld record;
    Unpack_Old(bytes.data(), record);
    if (!region->AssignMe_from_FileObject_Old(record, err)) return false;
  } else {
    RegionRecordSmall record;
    Unpack_Small(bytes.data(), record);
    if (!region->AssignMe_from_FileObject_Small(record, err)) return false;
  }
  m_highestSerialNumber = std::max(m_highestSerialNumber, region->Get_Serial_Number());

  std::unique_ptr<OffMap> map = Receive_Region_Bitmap(*region, file, err);
  if (map == nullptr) return false;
  const RegionDescriptor& d = region->Get_Current_Descriptor();
  std::unique_ptr<OffMap> display =
      map->Make_ScaledDown_ColorModified_Copy(d.hueOffset, d.satOffset, d.valOffset, err);
  if (display == nullptr) return false;
  region->Set_Maps(std::move(map), std::move(display));
  result = region.release();
  return true;
}

std::unique_ptr<OffMap> RegionExternal::Receive_Region_Bitmap(const RegionSubject& region, ListFile& file,
                                                              std::string& err) {
  std::unique_ptr<OffMap> map;
  if (m_filesBitmapMode == kBitmapsInFiles) {
    std::string path;
    if (!region.Get_Current_Bitmaps_Path(path, m_platform.Messages())) {
      err = "RegionExternal::Receive FAILED, Get_Current_Bitmaps_Path  was empty.";
      return nullptr;
    }
    // Only a plain file is opened: a path a damaged file names may lead
    // anywhere, and reading a device or a pipe could block for good.
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
      bool fileProblem = false;
      std::string loadErr;
      std::string loadPath = path;
      map = Load_Bitmap_File_Dialog_STATIC(m_platform, loadPath, fileProblem, loadErr);
    }
    if (map == nullptr) {
      err = Text_Format("RegionExternal::Receive FAILED, all bitmaps may be missing from folder [  %s  ] ",
                        path.c_str());
      return nullptr;
    }
  } else if (m_filesBitmapMode == kBitmapsInline) {
    map = Load_Bitmap_from_Inside_ListFile(file, err);
    if (map == nullptr) return nullptr;
  } else {
    err = "RegionExternal::Receive FAILED,  filesBitmapMode had a bad value.";
    return nullptr;
  }

  // The colour map and its display copy are what the pixels cost; a mask
  // of a few coded bytes may stand for a large map, so the total is kept
  // within the budget before anything that large is made.
  const int64_t pixels = static_cast<int64_t>(map->Get_Width()) * map->Get_Height();
  if (pixels > m_pixelBudget - m_pixelsLoaded) {
    err =
        "RegionExternal::Receive FAILED,  the region bitmaps of this file are larger than a region list can "
        "hold. \n File may be corrupt.";
    return nullptr;
  }
  m_pixelsLoaded += pixels;

  if (map->Get_Depth() == 1) {
    int16_t red = 0, green = 0, blue = 0;
    if (!region.Get_Original_HuntColor_from_SeparationCreation(red, green, blue)) {
      err = "RegionExternal::Receive FAILED,  Get_Original_HuntColor_from_SeparationCreation";
      return nullptr;
    }
    return OffMap::Alloc_A_24bit_OffMap_from_1bit_MaskMap(err, *map, red, green, blue);
  }
  if (map->Get_Depth() == 8) return OffMap::Alloc_A_24bit_OffMap_from_8bit_TonalMap(*map, err);
  return map;
}

// ---------------------------------------------------------------------------
// The region list's part in writing its regions.  It is defined here, with
// the list file, because the region layer knows nothing of externals.

bool RegionListSubject::Initialize_ComponentExternal_for_FileSave(External* external, std::string& err) {
  err.clear();
  auto* regionExternal = dynamic_cast<RegionExternal*>(external);
  if (regionExternal == nullptr) {
    err =
        "RegionListSubject::Initialize_ComponentExternal_for_FileSave  FAILED,  RegionExternal had bad "
        "dynamic cast.";
    return false;
  }
  regionExternal->Set_Files_Bitmap_Mode(filesBitmapMode);
  regionExternal->Set_Old_Format(m_fileFormatVersion < 3);
  return true;
}
