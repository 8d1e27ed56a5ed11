// ColorSeparator: separation maps, their clean-up and sub-regions, and the
// subtract map that links the separation rows.

#include "separation/ColorSeparator.h"

#include <algorithm>
#include <vector>

#include "colors/StandardColors.h"
#include "filters/ConvolutionMapFilter.h"
#include "framework/WindowsUpdater.h"
#include "platform/PathNames.h"
#include "platform/Text.h"
#include "raster/ColorSpace.h"
#include "raster/OffMap.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionMaps.h"
#include "regions/RegionSubject.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

namespace {

// One morphological step of the clean-up: the undo map is loaded with the
// current map, then the filter reads it and writes the map.
void Run_Cleanup_Filter(OffMap& map, OffMap& undoMap, int16_t size, int16_t code, MessageService& messages,
                        int32_t threads) {
  undoMap.Assign_Copy(map);
  ConvolutionMapFilter filter(&undoMap, size, &map, code, messages);
  filter.Set_Threads(threads);
  filter.Filter();
}

}  // namespace

ColorSeparator::ColorSeparator(RenderMan& renderMan, WindowsUpdater& windowsUpdater, int16_t* nextSerialStore)
    : m_renderMan(renderMan),
      m_sourceMap(renderMan.Filtered_Map_Slot()),
      m_subtractionBitmapAddr(renderMan.Subtract_Map_Slot()),
      m_windowsUpdater(windowsUpdater),
      m_nextSerialStore(nextSerialStore),
      m_nextSerial(nextSerialStore != nullptr ? *nextSerialStore : 0) {}

ColorSeparator::~ColorSeparator() {
  // Later engines go on numbering where this one stopped.
  if (m_nextSerialStore != nullptr) *m_nextSerialStore = m_nextSerial;
}

void ColorSeparator::Invoke_Callback(void* argument, void (*callback)(void*)) {
  if (argument != nullptr && callback != nullptr) callback(argument);
}

void ColorSeparator::Set_FullSize_SubRegions(bool fullSize) {
  m_fullSizeSubRegions = fullSize ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Separation maps

bool ColorSeparator::Make_Color_Separation(const SeparationParms& parms, const OffMap& sourceMap,
                                           OffMap& separationMap, int16_t& red, int16_t& green, int16_t& blue,
                                           std::string& err) {
  err.clear();
  red = green = blue = -3;
  if (sourceMap.Get_Width() != separationMap.Get_Width() ||
      sourceMap.Get_Height() != separationMap.Get_Height() ||
      sourceMap.Get_Depth() != separationMap.Get_Depth()) {
    err = "ColorSeparator::Make_Color_Separation  failed,  bitmaps are NOT the same size";
    return false;
  }
  const int32_t width = sourceMap.Get_Width();
  const int32_t height = sourceMap.Get_Height();
  switch (parms.algoCode) {
    case SeparationParms::kAlgoComponentThreshold: {
      const int16_t hr = parms.huntRed, hg = parms.huntGreen, hb = parms.huntBlue;
      if (sourceMap.Get_Depth() == 24) {
        const uint8_t br = static_cast<uint8_t>(std::clamp<int16_t>(hr, 0, 255));
        const uint8_t bg = static_cast<uint8_t>(std::clamp<int16_t>(hg, 0, 255));
        const uint8_t bb = static_cast<uint8_t>(std::clamp<int16_t>(hb, 0, 255));
        for (int32_t y = 0; y < height; ++y) {
          const uint8_t* src = sourceMap.Row(y);
          uint8_t* dst = separationMap.Row(y);
          for (int32_t x = 0; x < width; ++x, src += 3, dst += 3) {
            if (src[2] > hr || src[1] > hg || src[0] > hb) continue;
            dst[0] = bb;
            dst[1] = bg;
            dst[2] = br;
          }
        }
      } else {
        for (int32_t y = 0; y < height; ++y) {
          for (int32_t x = 0; x < width; ++x) {
            int16_t r = 0, g = 0, b = 0;
            sourceMap.Get_Pixel(x, y, r, g, b);
            if (r <= hr && g <= hg && b <= hb) separationMap.Set_Pixel(x, y, hr, hg, hb);
          }
        }
      }
      red = hr;
      green = hg;
      blue = hb;
      return true;
    }
    case SeparationParms::kAlgoHueRange: {
      int32_t upper = parms.hue + parms.hueRange;
      int32_t lower = parms.hue - parms.hueRange;
      if (lower < 0) lower += 360;
      if (upper > 360) upper -= 360;
      // A window across 0 degrees: lower .. 359 and 0 .. upper.
      const bool wraps = lower > upper;
      int64_t sumR = 0, sumG = 0, sumB = 0, written = 0;
      for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
          int16_t r = 0, g = 0, b = 0;
          sourceMap.Get_Pixel(x, y, r, g, b);
          int16_t h = 0, s = 0, v = 0;
          RGB_to_HSV(r, g, b, &h, &s, &v);
          // A grey has no hue and never belongs to a hue window.
          if (h < 0) continue;
          const bool inside = wraps ? (h >= lower || h < upper) : (h >= lower && h < upper);
          if (!inside) continue;
          v = std::clamp<int16_t>(std::max(v, parms.minValue), 0, 255);
          HSV_to_RGB(h, s, v, &r, &g, &b);
          r = std::clamp<int16_t>(r, 0, 255);
          g = std::clamp<int16_t>(g, 0, 255);
          b = std::clamp<int16_t>(b, 0, 255);
          separationMap.Set_Pixel(x, y, r, g, b);
          sumR += r;
          sumG += g;
          sumB += b;
          ++written;
        }
      }
      if (written > 0) {
        red = static_cast<int16_t>(sumR / written);
        green = static_cast<int16_t>(sumG / written);
        blue = static_cast<int16_t>(sumB / written);
      }
      return true;
    }
    case SeparationParms::kAlgoOpaque:
      return true;
    default:
      err = "ColorSeparator::Make_Color_Separation  failed,  unknown algoCode";
      return false;
  }
}

std::unique_ptr<OffMap> ColorSeparator::Create_Separation_OffMap_for_RegionSubject(
    const OffMap& sourceMap, const SeparationParms& parms, const std::string& photoPath,
    uint16_t separationCounter, bool inMemoryOnly, std::string& fileName, int16_t& red, int16_t& green,
    int16_t& blue, std::string& err) {
  err.clear();
  fileName.clear();
  red = green = blue = -1;
  std::unique_ptr<OffMap> map =
      OffMap::Make(sourceMap.Get_Width(), sourceMap.Get_Height(), sourceMap.Get_Depth());
  if (map == nullptr) {
    err = " ColorSeparator::Create_Separation_OffMap_for_RegionSubject  failed,  could not  alloc Offmap.";
    return nullptr;
  }
  map->Fill(255);
  switch (parms.algoCode) {
    case SeparationParms::kAlgoRemainder:
      map->Assign_Copy(sourceMap);
      red = green = blue = -2;
      break;
    case SeparationParms::kAlgoOpaque:
      break;
    default:
      // Hue range and component threshold; any other code is refused here.
      if (!Make_Color_Separation(parms, sourceMap, *map, red, green, blue, err)) return nullptr;
      break;
  }

  std::string nickname;
  if (parms.huntColorIndex < 1 || !Get_StandardColors_Nickname(parms.huntColorIndex, nickname))
    nickname = "nickName";
  const std::string base = std::string(inMemoryOnly ? "MEM-ASep_" : "ASep_") + nickname + "_" +
                           File_Title(Path_File_Name(photoPath));
  const int counter = separationCounter;
  switch (parms.algoCode) {
    case SeparationParms::kAlgoComponentThreshold:
      fileName = Text_Format("%s_Comps%d_%d_%d_%d.bmp", base.c_str(), parms.huntRed, parms.huntGreen,
                             parms.huntBlue, counter);
      break;
    case SeparationParms::kAlgoHueRange:
      fileName = Text_Format("%s_Hue%d_%d_%d_%d.bmp", base.c_str(), parms.hue, parms.hueRange, parms.minValue,
                             counter);
      break;
    case SeparationParms::kAlgoOpaque:
      fileName = Text_Format("%s_Opaque%d_%d_%d_%d.bmp", base.c_str(), parms.hue, parms.hueRange,
                             parms.minValue, counter);
      break;
    default:
      fileName = Text_Format("%s_%s.bmp", base.c_str(), "RemainderSep");
      break;
  }
  return map;
}

// ---------------------------------------------------------------------------
// Separations into regions

bool ColorSeparator::Create_Separation_and_Generate_SubRegions(
    const SeparationParms& parms, const OffMap& sourceMap, std::string& filePath, bool keepSeparationRegion,
    int16_t separationID, RegionListSubject& list, const std::string& photoPath, std::string& err) {
  err.clear();
  filePath.clear();
  Platform& platform = m_renderMan.Get_Platform();
  MessageService& messages = platform.Messages();
  const bool inMemory = m_inMemoryOnly != 0;

  std::string fileName;
  int16_t red = 0, green = 0, blue = 0;
  std::unique_ptr<OffMap> separationMap = Create_Separation_OffMap_for_RegionSubject(
      sourceMap, parms, photoPath, m_separationCounter, inMemory, fileName, red, green, blue, err);
  if (separationMap == nullptr) return false;

  std::unique_ptr<RegionSubject> region = RegionSubject::Create_Region_from_Separation_Map(
      err, photoPath, std::move(separationMap), parms.algoCode, inMemory, red, green, blue, fileName,
      platform);
  if (region == nullptr) return false;
  region->Set_Separation_ID(separationID);
  region->Set_Hunt_Color_Index(parms.huntColorIndex);
  region->Set_Serial_Number(m_nextSerial++);

  // The paint colour as the table has it, whatever the row's adjustment:
  // holes are plugged with it, and an adjusted separation is painted with it.
  int16_t paintRed = 0, paintGreen = 0, paintBlue = 0;
  if (!Get_StandardColors_RGB_from_Table(parms.huntColorIndex, paintRed, paintGreen, paintBlue, err))
    return false;
  OffMap& map = *region->Get_Region_Map();
  if (parms.adjustment != 0) map.Colorize_Dark_Pixels(paintRed, paintGreen, paintBlue, 250);
  ++m_separationCounter;

  // Clean-up: isolated pixels, then small holes, then closing or opening
  // with the brush-sized filters.
  {
    ConvolutionMapFilter isolated(nullptr, 1, &map, ConvolutionMapFilter::kIsolatedPixel, messages);
    isolated.Filter();
  }
  int32_t plugged = 0;
  if (!map.Hole_Plug_MultiAlgo_SeedFill(parms.holePlugSize, false, paintRed, paintGreen, paintBlue, plugged,
                                        err))
    return false;
  if (parms.morphMode > 0 || parms.extraShrinkSize > 0) {
    std::unique_ptr<OffMap> undoMap = OffMap::Make(map.Get_Width(), map.Get_Height(), map.Get_Depth());
    if (undoMap == nullptr) {
      err =
          "RegionDetectorApp::Create_Separation_and_Generate_SubRegions  failed,  could not  alloc undoMap.";
      return false;
    }
    const int32_t threads = m_renderMan.Get_Work_Threads();
    if (parms.morphMode == 1) {
      Run_Cleanup_Filter(map, *undoMap, parms.minFilterSize, ConvolutionMapFilter::kLightestInDisc, messages,
                         threads);
      Run_Cleanup_Filter(map, *undoMap, parms.maxFilterSize, ConvolutionMapFilter::kDarkestInDisc, messages,
                         threads);
    } else if (parms.morphMode == 2) {
      Run_Cleanup_Filter(map, *undoMap, parms.maxFilterSize, ConvolutionMapFilter::kDarkestInDisc, messages,
                         threads);
      Run_Cleanup_Filter(map, *undoMap, parms.minFilterSize, ConvolutionMapFilter::kLightestInDisc, messages,
                         threads);
    }
    if (parms.extraShrinkSize >= 2)
      Run_Cleanup_Filter(map, *undoMap, parms.extraShrinkSize, ConvolutionMapFilter::kDarkestInDisc, messages,
                         threads);
  }

  const std::string bitmapPath = region->Get_Auto_Descriptor().bitmapPath;
  if (!inMemory) {
    std::string savePath = bitmapPath;
    bool cancelled = false;
    if (!Save_Bitmap_File(platform, cancelled, &map, savePath, err)) return false;
  }
  filePath = bitmapPath;

  if (!region->Generate_SubRegions(map, list, parms.minPixelCount, m_fullSizeSubRegions != 0, separationID,
                                   parms.subRegionSatOffset, inMemory, m_nextSerial, platform, err))
    return false;
  if (keepSeparationRegion) {
    if (!list.Add_ChildSubject(region.get(), err)) return false;
    region.release();  // the list owns it now
  }
  return true;
}

bool ColorSeparator::Make_Next_Separation(const SeparationParms& parms, std::string& separationFileName,
                                          int16_t row, RegionListSubject& list, const std::string& photoPath,
                                          std::string& err) {
  err.clear();
  separationFileName.clear();
  // Nothing is lighter than white: a white hunt colour has nothing to take.
  if (parms.huntRed == 255 && parms.huntGreen == 255 && parms.huntBlue == 255) return true;

  if (list.Sort_Regions_by_SeparationID(err) < 0) return false;
  if (!ReDraw_Subtracted_BitMap(1, row, list, err)) return false;
  if (!Create_Separation_and_Generate_SubRegions(parms, **m_subtractionBitmapAddr, separationFileName, false,
                                                 row, list, photoPath, err))
    return false;
  if (list.Sort_Regions_by_SeparationID(err) < 0) return false;
  // The subtract map still holds the image less the rows before this one:
  // only this row's new regions are taken out of it.
  if (!Take_Row_Out_of_Subtracted_BitMap(row, list, err)) return false;
  m_windowsUpdater.Redraw_Summed_Final_Window();
  return true;
}

bool ColorSeparator::Take_Row_Out_of_Subtracted_BitMap(int16_t row, RegionListSubject& list,
                                                       std::string& err) {
  OffMap* subtract = m_subtractionBitmapAddr->get();
  if (subtract == nullptr) {
    err = "ColorSeparator::ReDraw_Subtracted_BitMap failed,  NULL subtractionBitmapAddr.";
    return false;
  }
  int32_t taken = 0;
  if (!list.Subtract_Separation_SubRegions_from_Offmap(*subtract, row, taken, err)) return false;
  m_windowsUpdater.Redraw_Subtracted_Window();
  return true;
}

bool ColorSeparator::ReDraw_Subtracted_BitMap(int16_t mode, int16_t row, RegionListSubject& list,
                                              std::string& err) {
  err.clear();
  const OffMap* source = m_sourceMap->get();
  if (source == nullptr) {
    err = "Load a SOURCE bitmap.";
    return false;
  }
  if (!m_renderMan.Create_Subtract_Map(source->Get_Height(), source->Get_Width())) {
    err = "RegionDetectorApp::ReDraw_Subtracted_BitMap failed,  rendMan.Create_Subtract_Map.";
    return false;
  }
  OffMap* subtract = m_subtractionBitmapAddr->get();
  if (subtract == nullptr) {
    err = "ColorSeparator::ReDraw_Subtracted_BitMap failed,  NULL subtractionBitmapAddr.";
    return false;
  }
  subtract->Assign_Copy(*source);
  RectLong everywhere;
  everywhere.left = everywhere.top = everywhere.right = everywhere.bottom = -1;
  int32_t taken = 0;
  if (!list.Subtract_Regions_from_Offmap(*subtract, mode != 0, nullptr, row, everywhere, taken, err))
    return false;
  m_windowsUpdater.Redraw_Subtracted_Window();
  return true;
}

bool ColorSeparator::Generate_All_Separations_and_SubRegions_from_Bitmap(RegionListSubject& list,
                                                                         std::string& err) {
  err.clear();
  const OffMap* source = m_sourceMap->get();
  if (source == nullptr) {
    err =
        "ColorSeparator::Generate_All_Separations_and_SubRegions_from_Bitmap  failed,   m_sourceMap is NULL.";
    return false;
  }
  if (!m_renderMan.Initialize_SubtractMap_with_Source_Image_for_SeparationCreation(err)) return false;
  // The canvas of a new illustration is the working size, so that a list
  // saved from it reloads at the size its regions were cut from.  The list
  // only takes a size while it is empty.
  if (!list.Has_Regions() && !list.Set_Canvas_Size(source->Get_Width(), source->Get_Height(), err))
    return false;
  if (m_renderMan.Get_Layered_Map() != nullptr) m_renderMan.Get_Layered_Map()->Fill(255);
  m_windowsUpdater.Redraw_Summed_Final_Window();
  return true;
}

// ---------------------------------------------------------------------------
// Deleting regions

bool ColorSeparator::Delete_Separation_Regions(int16_t separationID, RegionListSubject& list,
                                               std::string& err) {
  err.clear();
  ListMemry<ComponentSubject>& children = list.Get_Children_List();
  if (children.Is_Empty()) return true;
  MessageService& messages = m_renderMan.Get_Platform().Messages();
  // Collected first: removing a region destroys it and its link.
  std::vector<RegionSubject*> doomed;
  for (ComponentSubject* child : children) {
    auto* region = dynamic_cast<RegionSubject*>(child);
    if (region != nullptr && region->Is_SubRegion() && region->Get_Separation_ID() == separationID)
      doomed.push_back(region);
  }
  for (RegionSubject* region : doomed) {
    region->Delete_All_ComponentViews_ThisPane(nullptr, messages);
    children.Remove_Object(region);
  }
  if (list.Sort_Regions_by_SeparationID(err) < 0) return false;
  return ReDraw_Subtracted_BitMap(1, -1, list, err);
}

bool ColorSeparator::Delete_All_Regions_and_Redraw(RegionListSubject& list, std::string& err) {
  err.clear();
  if (!list.Has_Regions()) return true;
  if (!list.Delete_All_Regions_and_Bitmap_Files(err)) return false;
  return ReDraw_Subtracted_BitMap(1, -1, list, err);
}
