#pragma once
// The two region records of the region list file, field by field, as plain
// values.  A region fills them (RegionSubject::Emit_to_FileObject_Old and
// _Small) and takes itself back from them (AssignMe_from_FileObject_Old and
// _Small); turning them into bytes and back is the list file's business.
//
// "Small" is the 188-byte record of version 3 files, "Old" the 1468-byte
// record of older files, which also carries the descriptors' paths and an
// extra text.  Reserved bytes and the Old record's constant are not kept
// here: they are written as the file layout says and ignored when read.

#include <cstdint>
#include <string>

// The numbers of one descriptor, in file order.
struct RegionDescriptorFields {
  int16_t hueOffset = 0;
  int16_t satOffset = 0;
  int16_t valOffset = 0;
  int32_t pixelCount = 0;
  int16_t seedX = 0;
  int16_t seedY = 0;
  int16_t centroidX = 0;
  int16_t centroidY = 0;
  uint32_t color = 0;  // 0x00BBGGRR
  int32_t hidden = 0;
  int32_t frameX = 0;
  int32_t frameY = 0;
  int32_t frameWidth = 0;
  int32_t frameHeight = 0;
};

// A descriptor of the Old record: its two paths come before the numbers.
// The texts never hold more than kPathBytes - 1 characters (the field ends
// with a zero byte).
struct RegionDescriptorFieldsOld : RegionDescriptorFields {
  static constexpr int32_t kPathBytes = 255;
  std::string bitmapPath;
  std::string parentPath;
};

struct RegionRecordSmall {
  static constexpr int32_t kBytes = 188;

  int16_t headerWord = 0;
  int16_t renderStyle = 0;
  int16_t substitutionMode = 0;
  int16_t generationCode = 0;
  RegionDescriptorFields autoDescriptor;
  RegionDescriptorFields scannedDescriptor;
  int16_t separationID = 0;
  int16_t huntColorIndex = 0;
  int16_t serialNumber = 0;
};

struct RegionRecordOld {
  static constexpr int32_t kBytes = 1468;
  static constexpr int32_t kExtraTextBytes = 256;

  int16_t headerWord = 0;
  int16_t renderStyle = 0;
  int16_t substitutionMode = 0;
  int16_t generationCode = 0;
  RegionDescriptorFieldsOld autoDescriptor;
  RegionDescriptorFieldsOld scannedDescriptor;
  std::string extraText;  // at most kExtraTextBytes - 1 characters
  int16_t separationID = 0;
  int16_t huntColorIndex = 0;
  int16_t serialNumber = 0;
};
