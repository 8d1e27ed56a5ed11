// The region object: construction, creation from separation maps, the
// sub-region cut, copies, framework hooks, accessors and point mappings,
// bitmap files and the file-record mapping.  Painting and colour fitting
// are in RegionPainting.cpp.

#include "regions/RegionSubject.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <new>
#include <system_error>

#include "platform/FolderListing.h"
#include "platform/PathNames.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/ColorSpace.h"
#include "regions/RegionFileRecords.h"
#include "regions/RegionMaps.h"
#include "regions/RegionView.h"
#include "render/ImageFiles.h"
#include "views/Commands.h"
#include "views/ListComponentSubject.h"

namespace {

// The folder the sub-region bitmaps of a parent bitmap are kept in.
constexpr const char* kSubRegionFolder = "Subs/";
// Every sub-region bitmap name starts with this.
constexpr const char* kSubRegionPrefix = "xSub_";

// A non-empty run of decimal digits that fits an int32_t.
bool Parse_Decimal(const std::string& text, int32_t& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// The point a sub-region bitmap title carries: after the first five
// characters, "x-y" up to the next "_".
bool Parse_SubRegion_Title(const std::string& title, int32_t& x, int32_t& y) {
  if (title.size() <= 5) return false;
  const std::string rest = title.substr(5);
  const size_t bar = rest.find('_');
  if (bar == std::string::npos) return false;
  const std::string point = rest.substr(0, bar);
  const size_t dash = point.find('-');
  if (dash == std::string::npos) return false;
  return Parse_Decimal(point.substr(0, dash), x) && Parse_Decimal(point.substr(dash + 1), y);
}

// The Euclidean distance truncated to a whole number.
int64_t Truncated_Distance(int64_t dx, int64_t dy) {
  return static_cast<int64_t>(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

void Descriptor_to_Fields(const RegionDescriptor& d, RegionDescriptorFields& f) {
  f.hueOffset = d.hueOffset;
  f.satOffset = d.satOffset;
  f.valOffset = d.valOffset;
  f.pixelCount = d.pixelCount;
  f.seedX = d.seedPoint.x;
  f.seedY = d.seedPoint.y;
  f.centroidX = d.centroidX;
  f.centroidY = d.centroidY;
  f.color = d.color;
  f.hidden = d.hidden;
  f.frameX = d.frame.Get_Position().x;
  f.frameY = d.frame.Get_Position().y;
  f.frameWidth = d.frame.Get_Width();
  f.frameHeight = d.frame.Get_Height();
}

void Fields_to_Descriptor(const RegionDescriptorFields& f, RegionDescriptor& d) {
  d.hueOffset = f.hueOffset;
  d.satOffset = f.satOffset;
  d.valOffset = f.valOffset;
  d.pixelCount = f.pixelCount;
  d.seedPoint.x = f.seedX;
  d.seedPoint.y = f.seedY;
  d.centroidX = f.centroidX;
  d.centroidY = f.centroidY;
  d.color = f.color;
  d.hidden = f.hidden;
  d.frame.Set_Position(f.frameX, f.frameY);
  d.frame.Set_Size(f.frameWidth, f.frameHeight);
}

// A text cut to what a zero-terminated field of `bytes` bytes can hold.
std::string Field_Text(const std::string& text, int32_t bytes) {
  return text.size() < static_cast<size_t>(bytes) ? text : text.substr(0, static_cast<size_t>(bytes - 1));
}

}  // namespace

// ---------------------------------------------------------------------------
// Construction

RegionSubject::RegionSubject() = default;

RegionSubject::~RegionSubject() = default;

// ---------------------------------------------------------------------------
// Creation

std::unique_ptr<RegionSubject> RegionSubject::Create_Region_from_Separation_Map(
    std::string& err, const std::string& targetPath, std::unique_ptr<OffMap> separationMap, int16_t algoCode,
    bool inMemory, int16_t red, int16_t green, int16_t blue, const std::string& separationFileName,
    Platform& platform) {
  err.clear();
  if (separationMap == nullptr) {
    err = "RegionSubject::Create_Region_from_Separation_Map  failed,  separation map is NULL.";
    return nullptr;
  }
  // A target path without a folder puts the bitmap in the working folder.
  std::string bitmapPath = separationFileName;
  if (!inMemory) {
    bitmapPath = Path_Folder(targetPath) + separationFileName;
    bool cancelled = false;
    if (!Save_Bitmap_File(platform, cancelled, separationMap.get(), bitmapPath, err)) return nullptr;
  }
  std::unique_ptr<OffMap> display = separationMap->Make_ScaledDown_Copy(err);
  if (display == nullptr) return nullptr;

  std::unique_ptr<RegionSubject> region(new (std::nothrow) RegionSubject());
  if (region == nullptr) {
    err = "RegionSubject::Create_Region_from_Separation_Map  failed,  could not  alloc RegionSubject.";
    return nullptr;
  }
  region->Set_Substitution_Mode(1);
  region->Set_Header_Word(kCreatedHeaderWord);
  region->Set_Render_Style(algoCode == 2 ? 2 : 0);
  region->Set_Generation_Code(kSeparationRegion);
  RegionDescriptor& d = region->Get_Auto_Descriptor();
  d.frame.Set_Position(0, 0);
  d.frame.Set_Size(separationMap->Get_Width(), separationMap->Get_Height());
  d.color = Pack_RGB(red, green, blue);
  d.bitmapPath = bitmapPath;
  d.parentPath.clear();
  d.pixelCount = -1;
  region->Set_Maps(std::move(separationMap), std::move(display));
  return region;
}

std::unique_ptr<RegionSubject> RegionSubject::SeedFill_Create_New_Region(
    OffMap& separationMap, int32_t seedX, int32_t seedY, const RegionSubject* parent, int16_t seedRed,
    int16_t seedGreen, int16_t seedBlue, int32_t minPixelCount, OffMap& visitedMap,
    const std::string& parentPath, bool autoFlag, bool fullSize, bool inMemory, Platform& platform,
    std::string& err) {
  err.clear();
  if (seedX < 0 || seedY < 0) {
    err = "RegionSubject::SeedFill_Create_New_Region  failed, x or y coord is off the bitmap.";
    return nullptr;
  }
  const int32_t mapW = separationMap.Get_Width();
  const int32_t mapH = separationMap.Get_Height();
  std::unique_ptr<OffMap> mask = OffMap::Make(mapW, mapH, 8);
  if (mask == nullptr) {
    err = "RegionSubject::SeedFill_Create_New_Region  failed,  could not alloc maskMap.";
    return nullptr;
  }
  mask->Fill(255);

  RectShrt box;
  int32_t count = 0;
  int32_t maxStack = 0;
  std::string fillErr;
  const bool filled =
      separationMap.Flood_Read(seedX, seedY, *mask, &visitedMap, true, box, count, maxStack, fillErr);
  // Too small a blob, or none, is no error: the caller just goes on.
  if (!filled || count < minPixelCount || box.left < 0 || box.top < 0) return nullptr;
  if (fullSize) {
    if (box.right - box.left < 2 || box.bottom - box.top < 2) return nullptr;
    box = Make_RectShrt(0, 0, static_cast<int16_t>(mapW - 1), static_cast<int16_t>(mapH - 1));
  } else if (box.right - box.left < 1 || box.bottom - box.top < 1) {
    return nullptr;
  }

  const int32_t boxW = box.right - box.left + 1;
  const int32_t boxH = box.bottom - box.top + 1;
  std::unique_ptr<OffMap> regionMap = OffMap::Make(boxW, boxH, separationMap.Get_Depth());
  if (regionMap == nullptr) {
    err = "RegionSubject::SeedFill_Create_New_Region  failed,  could not alloc nuOffMap.";
    return nullptr;
  }
  regionMap->Fill(255);
  int64_t sumX = 0, sumY = 0, copied = 0;
  for (int32_t y = 0; y < boxH; ++y) {
    const uint8_t* maskRow = mask->Row(box.top + y) + box.left;
    for (int32_t x = 0; x < boxW; ++x) {
      if (maskRow[x] != 0) continue;
      Copy_Map_Pixel(separationMap, box.left + x, box.top + y, *regionMap, x, y);
      sumX += x;
      sumY += y;
      ++copied;
    }
  }
  mask.reset();

  int16_t centroidX = -1, centroidY = -1;
  if (copied > 0) {
    centroidX = static_cast<int16_t>(sumX / copied);
    centroidY = static_cast<int16_t>(sumY / copied);
  }
  std::unique_ptr<OffMap> display = regionMap->Make_ScaledDown_Copy(err);
  if (display == nullptr) return nullptr;

  // The name carries the blob's centroid on the canvas and the parent's
  // file name, so that sub-regions of one parent can find each other.
  const std::string coordinates = Text_Format("%d-%d", centroidX + box.left, centroidY + box.top);
  const std::string title = std::string(kSubRegionPrefix) + coordinates + "_" + Path_File_Name(parentPath);
  const std::string bitmapPath = inMemory ? title : Path_Folder(parentPath) + kSubRegionFolder + title;

  uint32_t color = Pack_RGB(seedRed, seedGreen, seedBlue);
  int32_t pixelCount = static_cast<int32_t>(copied);
  if (!autoFlag) {
    int16_t r = 0, g = 0, b = 0;
    pixelCount = regionMap->Average_NonWhite_RGB(r, g, b);
    color = Pack_RGB(r, g, b);
  }

  std::unique_ptr<RegionSubject> region(new (std::nothrow) RegionSubject());
  if (region == nullptr) {
    err = "RegionSubject::SeedFill_Create_New_Region  failed,  could not  alloc RegionSubject.";
    return nullptr;
  }
  region->Set_Substitution_Mode(autoFlag ? 1 : 0);
  region->Set_Header_Word(kCreatedHeaderWord);
  region->Set_Render_Style(0);
  region->Set_Generation_Code(kSubRegion);
  RegionDescriptor& d = region->Get_Current_Descriptor();
  d.frame.Set_Position(box.left, box.top);
  d.frame.Set_Size(boxW, boxH);
  d.bitmapPath = bitmapPath;
  d.color = color;
  d.parentPath = parentPath;
  d.pixelCount = pixelCount;
  d.seedPoint.x = static_cast<int16_t>(seedX);
  d.seedPoint.y = static_cast<int16_t>(seedY);
  d.centroidX = centroidX;
  d.centroidY = centroidY;
  if (parent != nullptr) {
    const RegionDescriptor& p = parent->Get_Current_Descriptor();
    d.hueOffset = p.hueOffset;
    d.satOffset = p.satOffset;
    d.valOffset = p.valOffset;
  }
  if (!inMemory) {
    // The "Subs" folder is made on first use.
    std::error_code ec;
    std::filesystem::create_directories(Path_Folder(bitmapPath), ec);
    std::string path = bitmapPath;
    bool cancelled = false;
    if (!Save_Bitmap_File(platform, cancelled, regionMap.get(), path, err)) return nullptr;
  }
  region->Set_Maps(std::move(regionMap), std::move(display));
  return region;
}

bool RegionSubject::Generate_SubRegions(OffMap& separationMap, ListComponentSubject& regionList,
                                        int32_t minPixelCount, bool fullSize, int16_t separationID,
                                        int16_t satOffset, bool inMemory, int16_t& serialCounter,
                                        Platform& platform, std::string& err) {
  err.clear();
  std::unique_ptr<OffMap> visited = OffMap::Make(separationMap.Get_Width(), separationMap.Get_Height(), 8);
  if (visited == nullptr) {
    err = "RegionSubject::Generate_SubRegions  failed,  could not alloc totalMaskMap.";
    return false;
  }
  visited->Fill(255);
  std::string parentPath;
  Get_Current_Bitmaps_Path(parentPath, platform.Messages());
  const bool autoFlag = Is_Auto_Descriptor_Active();

  // Row 0 never seeds a blob (a blob reaching it from below is still found
  // whole): the separation filters leave that row unreliable.
  for (int32_t y = 1; y < separationMap.Get_Height(); ++y) {
    for (int32_t x = 0; x < separationMap.Get_Width(); ++x) {
      if (visited->Row(y)[x] == 0 || Is_Light_Pixel(separationMap, x, y)) continue;
      int16_t r = 0, g = 0, b = 0;
      separationMap.Get_Pixel(x, y, r, g, b);
      std::string blobErr;
      std::unique_ptr<RegionSubject> region =
          SeedFill_Create_New_Region(separationMap, x, y, this, r, g, b, minPixelCount, *visited, parentPath,
                                     autoFlag, fullSize, inMemory, platform, blobErr);
      if (region == nullptr) {
        if (!blobErr.empty()) platform.Message(blobErr);
        continue;
      }
      region->Set_Separation_ID(separationID);
      region->Set_Hunt_Color_Index(m_huntColorIndex);
      region->Set_Serial_Number(serialCounter++);
      region->Get_Auto_Descriptor().satOffset = satOffset;
      if (satOffset != 0 && !region->Update_SmallBitmap_Bits_wColorModify(blobErr)) platform.Message(blobErr);
      if (regionList.Add_ChildSubject(region.get(), blobErr))
        region.release();  // the list owns it now
      else
        platform.Message(blobErr);
    }
  }
  separationMap.Free_SeedFill_Stack();
  return true;
}

// ---------------------------------------------------------------------------
// Copies

bool RegionSubject::Assign_From(const RegionSubject& other, std::string& err) {
  err.clear();
  while (ComponentView* view = Get_ComponentViews_List().Get_First()) Detach_ComponentView(view);
  if (&other == this) return true;
  if (other.Get_Display_Map() == nullptr) {
    err = "RegionSubject::operator=  failed,  other.m_refreshOffMap  is NULL. ";
    return false;
  }
  std::unique_ptr<OffMap> display = Copy_Of_Map(*other.Get_Display_Map());
  if (display == nullptr) {
    err = "RegionSubject::operator=  failed,   m_refreshOffMap is NULL.";
    return false;
  }
  if (other.Get_Region_Map() == nullptr) {
    err = "RegionSubject::operator=  failed,  other.m_SRCoffMap  is NULL. ";
    return false;
  }
  std::unique_ptr<OffMap> source = Copy_Of_Map(*other.Get_Region_Map());
  if (source == nullptr) {
    err = "RegionSubject::operator=  failed,   m_SRCoffMap is NULL.";
    return false;
  }
  m_refreshOffMap = std::move(display);
  m_SRCoffMap = std::move(source);
  m_autoDescriptor = other.Get_Auto_Descriptor();
  m_scannedDescriptor = other.Get_Scanned_Descriptor();
  substitutionMode = other.Get_Substitution_Mode();
  renderStyle = other.Get_Render_Style();
  generationCode = other.Get_Generation_Code();
  m_headerWord = other.Get_Header_Word();
  m_graphic = other.m_graphic;
  m_serialNumber = other.Get_Serial_Number();
  m_separationID = other.Get_Separation_ID();
  m_huntColorIndex = other.Get_Hunt_Color_Index();
  return true;
}

std::unique_ptr<ComponentSubject> RegionSubject::Clone() const {
  std::unique_ptr<RegionSubject> copy(new (std::nothrow) RegionSubject());
  std::string err;
  if (copy == nullptr || !copy->Assign_From(*this, err)) return nullptr;
  return copy;
}

// ---------------------------------------------------------------------------
// Framework

Graphic& RegionSubject::Get_Graphic() {
  return Get_Current_Descriptor().frame;
}

std::unique_ptr<ComponentView> RegionSubject::Create_ComponentView() {
  auto view = std::make_unique<RegionView>();
  view->Set_Subject(this);
  return view;
}

External* RegionSubject::Create_ComponentExternal() {
  return nullptr;
}

bool RegionSubject::Change_My_Property(Commandj* command, std::string& err) {
  err.clear();
  const int16_t code = command != nullptr ? command->Get_Property_Code() : -1;
  Graphic& frame = Get_Graphic();
  if (code == Commandj::kOffsetCode) {
    const auto* move = dynamic_cast<const OffsetGlyphCmnd*>(command);
    if (move == nullptr) {
      err = "RegionSubject::Change_My_Property() failed,  bad dynamic cast for OffsetGlyphCmnd left.";
      return false;
    }
    frame.Set_Position(frame.Get_Position().x + move->Get_Offset().x,
                       frame.Get_Position().y + move->Get_Offset().y);
    return true;
  }
  if (code == Commandj::kSizeCode) {
    const auto* size = dynamic_cast<const SizeCmnd*>(command);
    if (size == nullptr) {
      err = "RegionSubject::Change_My_Property() failed,  bad dynamic cast for SizeCommand.";
      return false;
    }
    frame.Set_Size(std::max(5, frame.Get_Width() + size->Get_Offset().x),
                   std::max(5, frame.Get_Height() + size->Get_Offset().y));
    return true;
  }
  err = "RegionSubject::Change_My_Property() failed,  bad PropertyCode.";
  return false;
}

// ---------------------------------------------------------------------------
// State

bool RegionSubject::Is_Region_Hidden() const {
  return Get_Current_Descriptor().hidden == 1;
}

void RegionSubject::Show_Region(bool show) {
  Get_Current_Descriptor().hidden = show ? 0 : 1;
}

RegionDescriptor& RegionSubject::Get_Current_Descriptor() {
  return substitutionMode == 1 ? m_autoDescriptor : m_scannedDescriptor;
}

const RegionDescriptor& RegionSubject::Get_Current_Descriptor() const {
  return substitutionMode == 1 ? m_autoDescriptor : m_scannedDescriptor;
}

bool RegionSubject::Find_Same_Region_in_List(const ListMemry<ComponentSubject>& list,
                                             int32_t& pixelDifference) const {
  pixelDifference = 0;
  const Graphic& mine = m_autoDescriptor.frame;
  for (const ComponentSubject* child : list) {
    const auto* other = dynamic_cast<const RegionSubject*>(child);
    if (other == nullptr || other->Get_Separation_ID() != m_separationID) continue;
    const Graphic& theirs = other->Get_Auto_Descriptor().frame;
    if (theirs.Get_Position().x != mine.Get_Position().x ||
        theirs.Get_Position().y != mine.Get_Position().y || theirs.Get_Width() != mine.Get_Width() ||
        theirs.Get_Height() != mine.Get_Height())
      continue;
    pixelDifference = other->Get_Current_Descriptor().pixelCount - Get_Current_Descriptor().pixelCount;
    return true;
  }
  return false;
}

// ---------------------------------------------------------------------------
// Colour and place

bool RegionSubject::Get_Original_HuntColor_from_SeparationCreation(int16_t& red, int16_t& green,
                                                                   int16_t& blue) const {
  red = static_cast<int16_t>(Packed_Red(m_autoDescriptor.color));
  green = static_cast<int16_t>(Packed_Green(m_autoDescriptor.color));
  blue = static_cast<int16_t>(Packed_Blue(m_autoDescriptor.color));
  return true;
}

int16_t RegionSubject::Get_Original_HuntColor_Hue() const {
  int16_t r = 0, g = 0, b = 0, h = -1, s = 0, v = 0;
  if (!Get_Original_HuntColor_from_SeparationCreation(r, g, b)) return -1;
  RGB_to_HSV(r, g, b, &h, &s, &v);
  return h;
}

bool RegionSubject::Get_Current_Bitmaps_Path(std::string& path, MessageService& messages) const {
  path = Get_Current_Descriptor().bitmapPath;
  if (!path.empty()) return true;
  messages.Message_Box("RegionSubject::Get_Current_Bitmaps_Path  failed,  file path is empty.");
  return false;
}

std::string RegionSubject::Get_Current_Bitmaps_FileName() const {
  return Path_File_Name(Get_Current_Descriptor().bitmapPath);
}

void RegionSubject::Get_Bounding_Rect(RectLong& rect) const {
  const Graphic& frame = Get_Current_Descriptor().frame;
  rect.left = frame.Get_Position().x;
  rect.top = frame.Get_Position().y;
  rect.right = rect.left + frame.Get_Width();
  rect.bottom = rect.top + frame.Get_Height();
}

void RegionSubject::Get_Centroid_Point(int32_t& x, int32_t& y) const {
  const RegionDescriptor& d = Get_Current_Descriptor();
  x = d.frame.Get_Position().x + d.centroidX;
  y = d.frame.Get_Position().y + d.centroidY;
}

void RegionSubject::Map_Bitmap_Point_to_Frame(PointLong& point) const {
  const Graphic& frame = Get_Current_Descriptor().frame;
  if (m_SRCoffMap == nullptr || m_SRCoffMap->Get_Width() <= 0 || m_SRCoffMap->Get_Height() <= 0) return;
  point.x = frame.Get_Position().x +
            static_cast<int32_t>(static_cast<double>(point.x) * frame.Get_Width() / m_SRCoffMap->Get_Width());
  point.y = frame.Get_Position().y + static_cast<int32_t>(static_cast<double>(point.y) * frame.Get_Height() /
                                                          m_SRCoffMap->Get_Height());
}

void RegionSubject::Map_Frame_Point_to_Bitmap(PointLong& point) const {
  const Graphic& frame = Get_Current_Descriptor().frame;
  if (m_SRCoffMap == nullptr || m_SRCoffMap->Get_Width() <= 0 || m_SRCoffMap->Get_Height() <= 0) return;
  const double scaleX = static_cast<double>(frame.Get_Width()) / m_SRCoffMap->Get_Width();
  const double scaleY = static_cast<double>(frame.Get_Height()) / m_SRCoffMap->Get_Height();
  if (scaleX != 0.0) point.x = static_cast<int32_t>((point.x - frame.Get_Position().x) / scaleX);
  if (scaleY != 0.0) point.y = static_cast<int32_t>((point.y - frame.Get_Position().y) / scaleY);
}

// ---------------------------------------------------------------------------
// Bitmaps from files

std::unique_ptr<OffMap> RegionSubject::Make_Maskmap_From_SUBregion(RectShrt& rect, Platform& platform,
                                                                   std::string& err) const {
  err.clear();
  rect = Make_RectShrt(-1, -1, -1, -1);
  const RegionDescriptor& d = Get_Current_Descriptor();
  if (!Is_SubRegion()) {
    err = "RegionSubject::Make_Maskmap_From_SUBregion failed, this is not a SUBregion.";
    return nullptr;
  }
  if (d.seedPoint.x < 0 || d.seedPoint.y < 0) {
    err =
        "RegionSubject::Make_Maskmap_From_SUBregion failed, this SUBregion was NOT created with a Seed "
        "Fillpoint.";
    return nullptr;
  }
  if (d.parentPath.empty()) {
    err = "RegionSubject::Make_Maskmap_From_SUBregion failed, parent files path is empty.";
    return nullptr;
  }
  std::unique_ptr<OffMap> parentMap = Read_Bitmap_File(platform, d.parentPath, err);
  if (parentMap == nullptr) {
    if (err.empty()) err = "RegionSubject::Make_Maskmap_From_SUBregion failed,  parentMap is NULL.";
    return nullptr;
  }
  std::unique_ptr<OffMap> bigMask = OffMap::Make(parentMap->Get_Width(), parentMap->Get_Height(), 8);
  if (bigMask == nullptr) {
    err = "RegionSubject::Make_Maskmap_From_SUBregion  failed,  could not alloc BIG maskMap.";
    return nullptr;
  }
  bigMask->Fill(255);
  constexpr int32_t kStackEntries = 20000;
  if (!parentMap->Alloc_Stack_for_SeedFill(kStackEntries, err)) {
    err = "RegionSubject::Make_Maskmap_From_SUBregion  FAILED,  could not alloc memory for SeedStack.";
    return nullptr;
  }
  int32_t stackCount = 0;
  LINESEGMENToffmap* stack = parentMap->Get_SeedFill_Stack(stackCount);
  int32_t count = 0;
  int32_t maxStack = 0;
  // A fill that ran out of stack is incomplete, and so would the mask be.
  if (!parentMap->SeedFill_Create_MaskMap_from_Blobs_of_Pixels(d.seedPoint.x, d.seedPoint.y, false, 0, 0, 0,
                                                               250, *bigMask, nullptr, rect, count, stack,
                                                               stackCount, true, maxStack, err))
    return nullptr;
  if (rect.left < 0) {
    if (err.empty())
      err = "RegionSubject::Make_Maskmap_From_SUBregion  failed,  could not find a non-white EntryPoint.";
    return nullptr;
  }
  const int32_t boxW = rect.right - rect.left + 1;
  const int32_t boxH = rect.bottom - rect.top + 1;
  std::unique_ptr<OffMap> mask = OffMap::Make(boxW, boxH, 1);
  if (mask == nullptr) {
    err = "RegionSubject::Make_Maskmap_From_SUBregion  failed,  could not  return Offmap.";
    return nullptr;
  }
  mask->Fill(255);
  for (int32_t y = 0; y < boxH; ++y) {
    const uint8_t* marks = bigMask->Row(rect.top + y) + rect.left;
    for (int32_t x = 0; x < boxW; ++x)
      if (marks[x] == 0) mask->Set_Pixel(x, y, 0, 0, 0);
  }
  return mask;
}

bool RegionSubject::Find_A_Kindred_BitmapFile_in_Folder(std::string& fileName, bool& found,
                                                        std::string& err) const {
  err.clear();
  fileName.clear();
  found = false;
  const RegionDescriptor& d = Get_Current_Descriptor();
  if (d.parentPath.empty()) {
    err =
        "RegionSubject::Find_A_Kindred_BitmapFile_in_Folder  FAILED,  Get_ParentFile_ForMask_Path is not "
        "same as parentRegionsPath.";
    return false;
  }
  const std::string ownName = Get_Current_Bitmaps_FileName();
  const std::string ownTitle = ownName.size() >= 4 ? ownName.substr(0, ownName.size() - 4) : std::string();
  int32_t centroidX = 0, centroidY = 0;
  Get_Centroid_Point(centroidX, centroidY);

  int64_t best = 99999999;
  for (const std::string& name : Plain_Files_In_Folder(Path_Folder(d.parentPath) + kSubRegionFolder)) {
    const std::string title = File_Title(name);
    if (title.find(kSubRegionPrefix) == std::string::npos || Equal_NoCase(title, ownTitle)) continue;
    int32_t x = 0, y = 0;
    if (!Parse_SubRegion_Title(title, x, y)) continue;
    const int64_t distance =
        Truncated_Distance(x - static_cast<int64_t>(centroidX), y - static_cast<int64_t>(centroidY));
    if (distance < best) {
      best = distance;
      fileName = title + ".bmp";
      found = true;
    }
  }
  return true;
}

bool RegionSubject::Replace_Maps_With(std::unique_ptr<OffMap> map, const char* copyFailure,
                                      std::string& err) {
  std::string copyErr;
  std::unique_ptr<OffMap> display = map->Make_ScaledDown_Copy(copyErr);
  if (display == nullptr) {
    err = copyFailure != nullptr ? copyFailure : copyErr;
    return false;
  }
  m_SRCoffMap = std::move(map);
  m_refreshOffMap = std::move(display);
  return true;
}

bool RegionSubject::Toggle_RegionDescriptors_ScannedOrAuto(int16_t newMode, Platform& platform,
                                                           std::string& err) {
  err.clear();
  if (m_autoDescriptor.bitmapPath.empty() || m_scannedDescriptor.bitmapPath.empty()) {
    err =
        "Toggle_RegionDescriptors_ScannedOrAuto failed,  this Region does NOT have 2 bitmaps ASSOCIATED with "
        "it.";
    return false;
  }
  std::string readErr;
  std::unique_ptr<OffMap> map = Read_Bitmap_File(platform, Get_Current_Descriptor().bitmapPath, readErr);
  if (map == nullptr) {
    err = "Toggle_RegionDescriptors_ScannedOrAuto failed, offMap is NULL.";
    return false;
  }
  if (!Replace_Maps_With(std::move(map), "Toggle_RegionDescriptors_ScannedOrAuto failed, scaledBMap is NULL.",
                         err))
    return false;
  substitutionMode = newMode;
  return true;
}

bool RegionSubject::Attach_Different_File_Bitmap(const std::string& fileName, const RegionDescriptor* values,
                                                 Platform& platform, std::string& err) {
  err.clear();
  std::string readErr;
  std::unique_ptr<OffMap> map =
      Read_Bitmap_File(platform, Path_Folder(Get_Current_Descriptor().bitmapPath) + fileName, readErr);
  if (map == nullptr) {
    err = "Attach_Different_File_Bitmap  failed, offMap is NULL.";
    return false;
  }
  if (!Replace_Maps_With(std::move(map), "Attach_Different_File_Bitmap  failed, scaledBMap is NULL.", err))
    return false;
  if (values != nullptr) {
    m_scannedDescriptor = *values;
    m_graphic = m_scannedDescriptor.frame;
  }
  return true;
}

int32_t RegionSubject::Knock_Out_Covered_Pixels(OffMap& maskMap, const RectShrt& maskRect,
                                                const OffMap& otherMask, const RectShrt& otherRect) const {
  // Both masks lie on the canvas at their boxes; only the overlap matters.
  const int32_t left = std::max(maskRect.left, otherRect.left);
  const int32_t top = std::max(maskRect.top, otherRect.top);
  const int32_t right = std::min(maskRect.right, otherRect.right);
  const int32_t bottom = std::min(maskRect.bottom, otherRect.bottom);
  int32_t knocked = 0;
  for (int32_t y = top; y <= bottom; ++y) {
    for (int32_t x = left; x <= right; ++x) {
      const int32_t mx = x - maskRect.left, my = y - maskRect.top;
      const int32_t ox = x - otherRect.left, oy = y - otherRect.top;
      if (!maskMap.Is_Inside(mx, my) || !otherMask.Is_Inside(ox, oy)) continue;
      if (!otherMask.Is_Pixel_Red_Value(ox, oy, 0) || !maskMap.Is_Pixel_Red_Value(mx, my, 0)) continue;
      maskMap.Set_Pixel(mx, my, 255, 255, 255);
      ++knocked;
    }
  }
  return knocked;
}

// ---------------------------------------------------------------------------
// File records

void RegionSubject::Emit_to_FileObject_Old(RegionRecordOld& record) const {
  record = RegionRecordOld();
  record.headerWord = m_headerWord;
  record.renderStyle = renderStyle;
  record.substitutionMode = substitutionMode;
  record.generationCode = generationCode;
  const RegionDescriptor* sources[2] = {&m_autoDescriptor, &m_scannedDescriptor};
  RegionDescriptorFieldsOld* targets[2] = {&record.autoDescriptor, &record.scannedDescriptor};
  for (int i = 0; i < 2; ++i) {
    Descriptor_to_Fields(*sources[i], *targets[i]);
    targets[i]->bitmapPath = Field_Text(sources[i]->bitmapPath, RegionDescriptorFieldsOld::kPathBytes);
    targets[i]->parentPath = Field_Text(sources[i]->parentPath, RegionDescriptorFieldsOld::kPathBytes);
  }
  record.extraText = Field_Text(m_extraText, RegionRecordOld::kExtraTextBytes);
  record.separationID = m_separationID;
  record.huntColorIndex = m_huntColorIndex;
  record.serialNumber = m_serialNumber;
}

void RegionSubject::Emit_to_FileObject_Small(RegionRecordSmall& record) const {
  record = RegionRecordSmall();
  record.headerWord = m_headerWord;
  record.renderStyle = renderStyle;
  record.substitutionMode = substitutionMode;
  record.generationCode = generationCode;
  Descriptor_to_Fields(m_autoDescriptor, record.autoDescriptor);
  Descriptor_to_Fields(m_scannedDescriptor, record.scannedDescriptor);
  record.separationID = m_separationID;
  record.huntColorIndex = m_huntColorIndex;
  record.serialNumber = m_serialNumber;
}

bool RegionSubject::Take_Record_Codes(int16_t substitution, int16_t generation, int16_t style,
                                      const RegionDescriptorFields& autoFields,
                                      const RegionDescriptorFields& scannedFields, const char* operation,
                                      std::string& err) {
  const auto bogus = [&](const char* field) {
    err = Text_Format("RegionSubject::%s FAILED, %s has a bogus value. \n File may be corrupt or out-dated.",
                      operation, field);
    return false;
  };
  // All three are checked before any is taken, so a refused record leaves
  // the region as it was.
  if (substitution < 0 || substitution > 15) return bogus("substitutionMode");
  if (generation < 0 || generation > 15) return bogus("generationCode");
  if (style < 0 || style > 15) return bogus("renderStyle");
  const auto frameFits = [](const RegionDescriptorFields& f) {
    const auto within = [](int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; };
    // x may also be the mark of a frame never placed (a descriptor not in use).
    return (within(f.frameX, -kMaxFrameReach, kMaxFrameReach) || f.frameX == Graphic::kUnsetX) &&
           within(f.frameY, -kMaxFrameReach, kMaxFrameReach) && within(f.frameWidth, 0, kMaxFrameReach) &&
           within(f.frameHeight, 0, kMaxFrameReach);
  };
  if (!frameFits(autoFields) || !frameFits(scannedFields)) return bogus("frame");
  substitutionMode = substitution >= 5 ? 1 : substitution;
  generationCode = generation >= 2 ? 1 : generation;
  renderStyle = style >= 4 ? 0 : style;
  return true;
}

void RegionSubject::Take_Record_Identity(int16_t headerWord, int16_t separationID, int16_t huntColorIndex,
                                         int16_t serialNumber) {
  m_headerWord = headerWord;
  m_separationID = separationID;
  m_huntColorIndex = huntColorIndex;
  m_serialNumber = serialNumber >= 0 && serialNumber <= 8999 ? serialNumber : 0;
}

bool RegionSubject::AssignMe_from_FileObject_Old(const RegionRecordOld& record, std::string& err) {
  err.clear();
  if (!Take_Record_Codes(record.substitutionMode, record.generationCode, record.renderStyle,
                         record.autoDescriptor, record.scannedDescriptor, "AssignMe_from_FileObject_Old",
                         err))
    return false;
  const RegionDescriptorFieldsOld* sources[2] = {&record.autoDescriptor, &record.scannedDescriptor};
  RegionDescriptor* targets[2] = {&m_autoDescriptor, &m_scannedDescriptor};
  for (int i = 0; i < 2; ++i) {
    Fields_to_Descriptor(*sources[i], *targets[i]);
    targets[i]->bitmapPath = Field_Text(sources[i]->bitmapPath, RegionDescriptorFieldsOld::kPathBytes);
    targets[i]->parentPath = Field_Text(sources[i]->parentPath, RegionDescriptorFieldsOld::kPathBytes);
  }
  m_extraText = Field_Text(record.extraText, RegionRecordOld::kExtraTextBytes);
  Take_Record_Identity(record.headerWord, record.separationID, record.huntColorIndex, record.serialNumber);
  return true;
}

bool RegionSubject::AssignMe_from_FileObject_Small(const RegionRecordSmall& record, std::string& err) {
  err.clear();
  if (!Take_Record_Codes(record.substitutionMode, record.generationCode, record.renderStyle,
                         record.autoDescriptor, record.scannedDescriptor, "AssignMe_from_FileObject_Small",
                         err))
    return false;
  Fields_to_Descriptor(record.autoDescriptor, m_autoDescriptor);
  Fields_to_Descriptor(record.scannedDescriptor, m_scannedDescriptor);
  Take_Record_Identity(record.headerWord, record.separationID, record.huntColorIndex, record.serialNumber);
  return true;
}
