#include "persistence/RegionListExternal.h"

#include <cstring>

#include "persistence/InlineBitmaps.h"
#include "persistence/ListFile.h"
#include "persistence/RegionExternal.h"
#include "platform/ByteOrder.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionSubject.h"
#include "render/RenderMan.h"
#include "separation/Settings.h"

namespace {

// A header cut short is refused before anything is replaced: its missing
// bytes would read as settings of zero.
constexpr char kHeaderCutShort[] =
    "RegionListExternal::Receive FAILED,  the file ends inside the list header. \n File may be corrupt.";

bool In_Range(int32_t value, int32_t lo, int32_t hi) {
  return value >= lo && value <= hi;
}

// The watercolour fields are compared as unsigned values: a negative value
// counts as a very large one.
bool Above(int16_t value, uint16_t limit) {
  return static_cast<uint16_t>(value) > limit;
}

}  // namespace

// ---------------------------------------------------------------------------
// The list header

void RegionListFileHeader::Pack(uint8_t* out) const {
  std::memset(out, 0, kBytes);
  Put_Text(out + 0, kPathBytes, projectPath);
  Put_LE16(out + 256, filesBitmapMode);
  Put_Text(out + 258, kPathBytes, sourcePhotoPath);
  Put_LE32(out + 516, canvasWidth);
  Put_LE32(out + 520, canvasHeight);
  Put_LE16(out + 524, outlineLiteness);
  Put_LE16(out + 526, outlineStyle);
  Put_LE16(out + 528, outlineContrast);
  Put_LE16(out + 530, brushSize);
  Put_LE16(out + 532, watercolorDark);
  Put_LE16(out + 534, watercolorLite);
  Put_LE16(out + 536, watercolorSat);
}

RegionListFileHeader RegionListFileHeader::Unpack(const uint8_t* in) {
  RegionListFileHeader h;
  h.projectPath = Get_Text(in + 0, kPathBytes);
  h.filesBitmapMode = Get_LE16(in + 256);
  h.sourcePhotoPath = Get_Text(in + 258, kPathBytes);
  h.canvasWidth = Get_LE32(in + 516);
  h.canvasHeight = Get_LE32(in + 520);
  h.outlineLiteness = Get_LE16(in + 524);
  h.outlineStyle = Get_LE16(in + 526);
  h.outlineContrast = Get_LE16(in + 528);
  h.brushSize = Get_LE16(in + 530);
  h.watercolorDark = Get_LE16(in + 532);
  h.watercolorLite = Get_LE16(in + 534);
  h.watercolorSat = Get_LE16(in + 536);
  return h;
}

bool Read_RegionList_File_Info(ListFile& file, RegionListFileInfo& info, std::string& err) {
  err.clear();
  info = RegionListFileInfo();
  int64_t outlineAt = -1;
  if (!External::Walk_To_Chunk(file, "BITmapOL", outlineAt, err)) return false;
  info.hasOutline = outlineAt > 0;
  if (!External::Check_File_Signature(file, info.fileVersion, err)) return false;
  int32_t length = 0;
  if (!External::Goto_Chunks_Header(file, External::kRegionListHeaderChunk, info.headerVersion, length, err))
    return false;
  uint8_t bytes[RegionListFileHeader::kBytes];
  if (file.Read(bytes, sizeof bytes) < sizeof bytes) {
    err = kHeaderCutShort;
    return false;
  }
  info.header = RegionListFileHeader::Unpack(bytes);
  uint8_t version = 0;
  if (!External::Goto_Chunks_Header(file, External::kRegionRecordsChunk, version, length, err)) return false;
  uint8_t count[4] = {};
  file.Read(count, sizeof count);
  info.regionCount = Get_LE32(count);
  return true;
}

// ---------------------------------------------------------------------------
// The external

RegionListExternal::RegionListExternal(const ListFileContext& context)
    : ComponentExternal(&context.regionList), m_context(context) {}

RegionListExternal::~RegionListExternal() = default;

std::unique_ptr<OffMap> RegionListExternal::Take_Outline_Map() {
  return std::move(m_outlineMap);
}

std::unique_ptr<External> RegionListExternal::Create_Element_External(ComponentSubject& element) {
  if (auto* region = dynamic_cast<RegionSubject*>(&element))
    return std::make_unique<RegionExternal>(region, m_context.platform);
  return ComponentExternal::Create_Element_External(element);
}

bool RegionListExternal::Goto_My_Files_Header(ListFile& file, uint8_t& version, int32_t& length,
                                              std::string& err) {
  return Goto_Chunks_Header(file, kRegionListHeaderChunk, version, length, err);
}

RegionListFileHeader RegionListExternal::Make_Header() const {
  RegionListSubject& list = m_context.regionList;
  const RenderMan& renderMan = m_context.renderMan;
  const Settings& settings = m_context.settings;
  RegionListFileHeader h;
  h.projectPath = m_projectPath.empty() ? std::string(kNoProjectPath) : m_projectPath;
  h.filesBitmapMode = list.filesBitmapMode;
  list.Get_Source_Photo_Path(h.sourcePhotoPath);
  list.Get_Canvas_Size(h.canvasWidth, h.canvasHeight);
  h.outlineLiteness = settings.sepsDialogSettings.outlineLiteness;
  h.outlineStyle = renderMan.Get_Outline_Style();
  h.outlineContrast = settings.sepsDialogSettings.outlineDarkness;
  h.brushSize = settings.sepsDialogSettings.brushSize;
  h.watercolorDark = settings.watercolorParms.darkExponent;
  h.watercolorLite = settings.watercolorParms.liteAmount;
  h.watercolorSat = settings.watercolorParms.satExponent;
  return h;
}

void RegionListExternal::Apply_Header(const RegionListFileHeader& h) {
  RegionListSubject& list = m_context.regionList;
  RenderMan& renderMan = m_context.renderMan;
  list.m_projectPath = h.projectPath;
  list.filesBitmapMode = In_Range(h.filesBitmapMode, 0, 7) ? h.filesBitmapMode : 0;
  // A bare file name cannot be found again: Get_Source_Photo_Path drops it.
  list.Set_Source_Photo_Path(h.sourcePhotoPath);
  std::string kept;
  list.Get_Source_Photo_Path(kept);
  list.Replace_Canvas_Size(In_Range(h.canvasWidth, 1, kMaxCanvasSide) ? h.canvasWidth : -1,
                           In_Range(h.canvasHeight, 1, kMaxCanvasSide) ? h.canvasHeight : -1);

  // The outline settings live both in the separation dialog's record and in
  // the render manager, which merges the outline with them.
  const int16_t contrast = In_Range(h.outlineContrast, 51, 299) ? h.outlineContrast : 100;
  m_context.settings.sepsDialogSettings.outlineLiteness = h.outlineLiteness;
  m_context.settings.sepsDialogSettings.outlineDarkness = contrast;
  renderMan.Set_Outline_Liteness(h.outlineLiteness);
  renderMan.Set_Outline_Darkness(contrast);
  renderMan.Set_Outline_Style(h.outlineStyle);
  m_context.settings.sepsDialogSettings.brushSize = In_Range(h.brushSize, 2, 69) ? h.brushSize : 6;
  m_context.settings.watercolorParms.darkExponent =
      Above(h.watercolorDark, 100) ? int16_t{20} : h.watercolorDark;
  m_context.settings.watercolorParms.liteAmount =
      Above(h.watercolorLite, 100) ? int16_t{0} : h.watercolorLite;
  m_context.settings.watercolorParms.satExponent =
      Above(h.watercolorSat, 200) ? int16_t{70} : h.watercolorSat;
}

bool RegionListExternal::Emit(ListFile& file, int32_t /*options*/, std::string& err) {
  err.clear();
  auto* list = dynamic_cast<RegionListSubject*>(m_subject);
  if (list == nullptr) {
    err = "RegionListExternal::Emit FAILED,  RegionListSubject had bad dynamic cast.";
    return false;
  }
  list->m_fileFormatVersion = m_version;
  const auto version = static_cast<uint8_t>(m_version);

  Write_File_Signature(file, version);
  int64_t lengthField = -1;
  if (!Write_Chunks_Header(file, kRegionListHeaderChunk, version, lengthField, err)) return false;
  const RegionListFileHeader header = Make_Header();
  if (!In_Range(header.filesBitmapMode, 0, 7) || !In_Range(m_reserved, 0, 7) ||
      !In_Range(header.canvasWidth, 1, kMaxCanvasSide) || !In_Range(header.canvasHeight, 1, kMaxCanvasSide)) {
    err = "RegionListExternal::Emit failed,  OLD File-FORMAT not being handled correctly.";
    return false;
  }
  // The header's field would cut a longer path, and the list could never
  // find its photo again.
  if (header.sourcePhotoPath.size() >= RegionListFileHeader::kPathBytes) {
    err = Text_Format(
        "RegionListExternal::Emit failed,  the source photo's path is %d bytes long; a list file keeps at "
        "most "
        "%d.  Move the photo to a shorter path.",
        static_cast<int>(header.sourcePhotoPath.size()),
        static_cast<int>(RegionListFileHeader::kPathBytes - 1));
    return false;
  }
  uint8_t bytes[RegionListFileHeader::kBytes];
  header.Pack(bytes);
  file.Write(bytes, sizeof bytes);
  if (!Patch_Chunks_Length(file, lengthField, err)) return false;

  if (!Save_Lists_Elements(kRegionRecordsChunk, version, list, file, 0, err)) return false;
  return Emit_Outline(file, err);
}

bool RegionListExternal::Emit_Outline(ListFile& file, std::string& err) {
  RenderMan& renderMan = m_context.renderMan;
  const OffMap* outline = renderMan.Get_Outline_Map();
  if (outline == nullptr) return true;
  int64_t lengthField = -1;
  if (!Write_Chunks_Header(file, kOutlineBitmapChunk, static_cast<uint8_t>(m_version), lengthField, err))
    return false;
  // The file keeps outlines as greys; a drawn (colour) outline becomes its
  // grey copy in the render manager too, so what is shown is what is kept.
  if (outline->Get_Depth() == 24) {
    std::unique_ptr<OffMap> grey = OffMap::Alloc_An_8bit_GreyScale_Copy(*outline, err);
    if (grey == nullptr) return false;
    renderMan.Set_Outline_Map(std::move(grey));
    outline = renderMan.Get_Outline_Map();
  }
  if (!Save_OffMap_to_Inside_ListFile(*outline, file, kInlineRunLength, kInlineOutline, err)) return false;
  return Patch_Chunks_Length(file, lengthField, err);
}

bool RegionListExternal::Receive(ListFile& file, ComponentSubject*& result, std::string& err) {
  err.clear();
  result = nullptr;
  m_outlineMap.reset();
  m_highestSerialNumber = -1;
  auto* list = dynamic_cast<RegionListSubject*>(m_subject);
  if (list == nullptr) {
    err = "RegionListExternal::Receive FAILED,  RegionListSubject had bad dynamic cast.";
    return false;
  }

  int64_t outlineAt = -1;
  if (!Walk_To_Chunk(file, "BITmapOL", outlineAt, err)) return false;
  const bool outlineExpected = outlineAt > 0;

  uint8_t fileVersion = 0;
  if (!Check_File_Signature(file, fileVersion, err)) return false;
  uint8_t version = 0;
  int32_t length = 0;
  if (!Goto_Chunks_Header(file, kRegionListHeaderChunk, version, length, err)) return false;
  uint8_t bytes[RegionListFileHeader::kBytes];
  if (file.Read(bytes, sizeof bytes) < sizeof bytes) {
    err = kHeaderCutShort;
    return false;
  }
  Apply_Header(RegionListFileHeader::Unpack(bytes));
  list->m_fileFormatVersion = version;

  list->Delete_All_Children(list->Get_ComponentViews_List());

  RegionExternal regions(nullptr, m_context.platform);
  regions.Set_Files_Bitmap_Mode(list->filesBitmapMode);
  regions.Set_Old_Format(version <= 2);
  if (!Load_Lists_Elements(kRegionRecordsChunk, version, list, regions, file, err)) return false;
  m_highestSerialNumber = regions.Get_Highest_Serial_Number();

  if (outlineExpected) {
    uint8_t outlineVersion = 0;
    int32_t outlineLength = 0;
    if (!Find_Chunks_Header_From(file, file.Get_Position(), outlineVersion, outlineLength, err)) return false;
    // An outline that cannot be read is left out; the regions stand.
    std::string outlineErr;
    m_outlineMap = Load_Bitmap_from_Inside_ListFile(file, outlineErr);
  }
  return true;
}
