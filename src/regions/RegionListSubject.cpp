#include "regions/RegionListSubject.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "colors/StandardColors.h"
#include "framework/ListIntegrity.h"
#include "platform/PathNames.h"
#include "platform/Text.h"
#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"
#include "views/ListComponentView.h"

namespace {

// Two rectangles whose right and bottom lie one past their last pixel share
// at least one pixel.
bool Rects_Overlap(const RectLong& a, const RectLong& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

RectLong Bounding_Rect_of(const RegionSubject& region) {
  RectLong rect;
  region.Get_Bounding_Rect(rect);
  return rect;
}

bool Is_Paintable_SubRegion(const RegionSubject& region) {
  return region.Is_SubRegion() && region.Get_Render_Style() != 2;
}

}  // namespace

RegionListSubject::RegionListSubject(RenderMan& renderMan) : m_renderMan(renderMan) {}

RegionListSubject::~RegionListSubject() = default;

template <class Visit>
bool RegionListSubject::For_Each_Region(const char* castFailure, std::string& err, Visit visit) {
  for (ComponentSubject* child : Get_Children_List()) {
    auto* region = dynamic_cast<RegionSubject*>(child);
    if (region == nullptr) {
      err = castFailure;
      return false;
    }
    if (!visit(*region)) return false;
  }
  return true;
}

// ---- children ----------------------------------------------------------------------

bool RegionListSubject::Add_ChildSubject(ComponentSubject* subject, std::string& err) {
  err.clear();
  auto* region = dynamic_cast<RegionSubject*>(subject);
  if (region == nullptr) {
    err = "RegionListSubject::Add_ChildSubject failed, bad cast.";
    return false;
  }
  if (region->Get_Render_Style() >= 0 && region->Get_Render_Style() <= 3)
    return ListComponentSubject::Add_ChildSubject(region, err);
  // A region of an unknown render style is not listed.  The caller has
  // handed it over all the same, so it is destroyed here rather than lost.
  region->Set_Parent(this);
  delete region;
  return true;
}

bool RegionListSubject::Has_Regions() const {
  return const_cast<RegionListSubject*>(this)->Get_Children_List().Get_Count() > 0;
}

bool RegionListSubject::Has_Separation_Regions(int16_t separationID) {
  for (const ComponentSubject* child : Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region != nullptr && region->Get_Separation_ID() == separationID) return true;
  }
  return false;
}

bool RegionListSubject::Delete_All_Regions_and_Bitmap_Files(std::string& err) {
  err.clear();
  if (!Has_Regions()) return true;
  for (ComponentView* view : Get_ComponentViews_List()) {
    ListComponentView* listView = view->Get_ListComponentView();
    if (listView == nullptr) continue;
    listView->Detach_All_Child_ComponentViews();
    listView->Get_Child_ComponentViews_List()->Delete_All();
  }
  if (filesBitmapMode == 0) {
    const bool walked = For_Each_Region("", err, [&](RegionSubject& region) {
      if (std::remove(region.Get_Auto_Descriptor().bitmapPath.c_str()) != 0) {
        err =
            "RegionListSubject::Delete_All_Regions_and_Bitmap_Files  failed, could not delete AutoSep Source "
            "BMP file.";
        return false;
      }
      const std::string& scanned = region.Get_Scanned_Descriptor().bitmapPath;
      if (!scanned.empty() && std::remove(scanned.c_str()) != 0) {
        err =
            "RegionListSubject::Delete_All_Regions_and_Bitmap_Files  failed, could not delete SCANNED24bit "
            "Source BMP file.";
        return false;
      }
      return true;
    });
    if (!walked) return false;
  }
  Get_Children_List().Delete_All();
  Clear_Texts();
  if (m_renderMan.Get_Subtract_Map() != nullptr) m_renderMan.Get_Subtract_Map()->Fill(255);
  if (m_renderMan.Get_Layered_Map() != nullptr) m_renderMan.Get_Layered_Map()->Fill(255);
  return true;
}

// ---- undo copies --------------------------------------------------------------------------

bool RegionListSubject::Create_UndoList(std::string& err) {
  err.clear();
  m_UndoList.Delete_All();
  return For_Each_Region("RegionListSubject::Create_UndoList failed,  can not dynamic_cast to RegionSubject.",
                         err, [&](RegionSubject& region) {
                           std::unique_ptr<ComponentSubject> clone = region.Clone();
                           auto* copy = dynamic_cast<RegionSubject*>(clone.get());
                           if (copy == nullptr) {
                             err =
                                 "RegionListSubject::Create_UndoList failed,  could not clone RegionSubject";
                             return false;
                           }
                           clone.release();
                           m_UndoList.Add_To_Tail(copy);
                           return true;
                         });
}

bool RegionListSubject::Restore_from_UndoList(std::string& err) {
  err.clear();
  if (m_UndoList.Is_Empty()) {
    err = "RegionListSubject::Restore_from_UndoList failed,  the UndoList was empty.";
    return false;
  }
  Delete_All_Children(Get_ComponentViews_List());
  for (RegionSubject* region : m_UndoList) {
    std::unique_ptr<ComponentSubject> clone = region->Clone();
    if (clone == nullptr) {
      err = "RegionListSubject::Restore_from_UndoList failed,  could not clone RegionSubject";
      return false;
    }
    ListComponentSubject::Add_ChildSubject(clone.release(), err);
  }
  return true;
}

// ---- texts, canvas, support maps ----------------------------------------------------------------

const std::string& RegionListSubject::Get_Separation_Name(int32_t index) const {
  static const std::string none;
  if (index < 0 || index >= kSeparationNameCount) return none;
  return m_separationNames[static_cast<size_t>(index)];
}

void RegionListSubject::Set_Separation_Name(int32_t index, const std::string& name) {
  if (index < 0 || index >= kSeparationNameCount) return;
  m_separationNames[static_cast<size_t>(index)] = name;
}

void RegionListSubject::Clear_Texts() {
  for (int32_t i = 0; i < kClearedSeparationNames; ++i) m_separationNames[static_cast<size_t>(i)].clear();
}

bool RegionListSubject::Set_Canvas_Size(int32_t width, int32_t height, std::string& err) {
  err.clear();
  if (Has_Regions()) {
    err = "RegionListSubject::Set_Canvas_Size  FAILED, RegionList must be empty.";
    return false;
  }
  if (width < 1 || width > kMaxCanvasSide || height < 1 || height > kMaxCanvasSide) {
    err = "RegionListSubject::Set_Canvas_Size  FAILED, incorrect parms.";
    return false;
  }
  m_canvasWidth = width;
  m_canvasHeight = height;
  return true;
}

void RegionListSubject::Get_Canvas_Size(int32_t& width, int32_t& height) const {
  width = m_canvasWidth;
  height = m_canvasHeight;
}

bool RegionListSubject::Get_Original_Canvas_Size(int32_t& width, int32_t& height, std::string& err) {
  err.clear();
  width = -1;
  height = -1;
  if (m_canvasWidth >= 1 && m_canvasHeight >= 1) {
    width = m_canvasWidth;
    height = m_canvasHeight;
    return true;
  }
  if (!Has_Regions()) {
    err = "RegionListSubject::Get_Original_Canvas_Size  FAILED,  list is empty.";
    return false;
  }
  const auto* region = dynamic_cast<const RegionSubject*>(Get_Children_List().Get_First());
  if (region == nullptr) {
    err = "RegionListSubject::Get_Original_Canvas_Size  FAILED,  can not dynamic_cast to RegionSubject.";
    return false;
  }
  if (region->Get_Region_Map() == nullptr) {
    err = "RegionListSubject::Get_Original_Canvas_Size  FAILED,  regionSubj->m_SRCoffMap is NULL.";
    return false;
  }
  width = region->Get_Region_Map()->Get_Width();
  height = region->Get_Region_Map()->Get_Height();
  return true;
}

void RegionListSubject::Get_Source_Photo_Path(std::string& path) {
  // A folder separator at the very start of a stored name only counts on a
  // full path of this system (a file in the root folder).
  const size_t slash = m_sourcePhotoPath.find_last_of("/\\");
  const bool hasFolder = slash != std::string::npos && (slash > 0 || m_sourcePhotoPath[0] == '/');
  if (!hasFolder) m_sourcePhotoPath.clear();
  path = m_sourcePhotoPath;
}

bool RegionListSubject::Erase_Support_Bitmaps(std::string& err) {
  return m_renderMan.Erase_Support_Bitmaps(err);
}

bool RegionListSubject::Alloc_Support_Bitmaps_for_Canvas(std::string& err) {
  int32_t width = -1, height = -1;
  if (!Get_Original_Canvas_Size(width, height, err)) return false;
  return m_renderMan.Alloc_Support_Bitmaps_for_Image_Creation(height, width, err);
}

// ---- order ---------------------------------------------------------------------------------------

bool RegionListSubject::Check_Lists_Intergity(const ListMemry<ComponentSubject>& list,
                                              std::string& err) const {
  return ::Check_Lists_Intergity(list, err);
}

namespace {

// The bubble sort of the region list: passes from the whole list down to
// two elements, each exchanging neighbours that `before` says are out of
// order.  Only the elements move, never the links, and equal neighbours
// never swap, so the sort is stable.  Returns the number of exchanges.
template <class Before>
int32_t Bubble_Sort_Regions(ListMemry<ComponentSubject>& list, Before before) {
  std::vector<ListLink<ComponentSubject>*> links;
  std::vector<RegionSubject*> regions;
  for (ListLink<ComponentSubject>* link = list.Get_Head_Link(); link != nullptr; link = link->Get_Next()) {
    links.push_back(link);
    regions.push_back(dynamic_cast<RegionSubject*>(link->Get_Object()));
  }
  int32_t swaps = 0;
  for (size_t n = regions.size(); n >= 2; --n) {
    for (size_t i = 0; i + 1 < n; ++i) {
      RegionSubject* first = regions[i];
      RegionSubject* second = regions[i + 1];
      if (first == nullptr || second == nullptr || !before(*second, *first)) continue;
      std::swap(regions[i], regions[i + 1]);
      ComponentSubject* object = links[i]->Get_Object();
      links[i]->Set_Object(links[i + 1]->Get_Object());
      links[i + 1]->Set_Object(object);
      ++swaps;
    }
  }
  return swaps;
}

}  // namespace

int32_t RegionListSubject::Sort_SubRegions_by_PixelCount(bool descending, std::string& err) {
  err.clear();
  ListMemry<ComponentSubject>& list = Get_Children_List();
  if (list.Get_Count() < 2) return 0;
  if (!Check_Lists_Intergity(list, err)) return -1;
  return Bubble_Sort_Regions(list, [descending](RegionSubject& second, RegionSubject& first) {
    if (!first.Is_SubRegion() || !second.Is_SubRegion()) return false;
    const int32_t a = first.Get_Pixel_Count();
    const int32_t b = second.Get_Pixel_Count();
    if (a < 0 || b < 0) return false;
    return descending ? b > a : b < a;
  });
}

int32_t RegionListSubject::Sort_Regions_by_SeparationID(std::string& err) {
  err.clear();
  ListMemry<ComponentSubject>& list = Get_Children_List();
  if (list.Get_Count() < 2) return 0;
  if (!Check_Lists_Intergity(list, err)) return -1;
  return Bubble_Sort_Regions(list, [](RegionSubject& second, RegionSubject& first) {
    return second.Get_Separation_ID() < first.Get_Separation_ID();
  });
}

// ---- finding ---------------------------------------------------------------------------------------

RegionSubject* RegionListSubject::Find_Nearest_SubRegion_of_Parent(RegionSubject& region,
                                                                   const std::string& parentPath,
                                                                   std::string& err) {
  err.clear();
  const std::string parentName = Path_File_Name(parentPath);
  int32_t cx = 0, cy = 0;
  region.Get_Centroid_Point(cx, cy);
  RegionSubject* nearest = nullptr;
  int64_t best = 99999999;
  For_Each_Region(
      "RegionListSubject::Find_Nearest_SubRegion_of_Parent failed,  can not dynamic_cast to RegionSubject.",
      err, [&](RegionSubject& other) {
        if (!other.Is_SubRegion() || !Equal_NoCase(Path_File_Name(other.Get_Parent_Path()), parentName))
          return true;
        int32_t x = 0, y = 0;
        other.Get_Centroid_Point(x, y);
        const double dx = x - cx, dy = y - cy;
        const auto distance = static_cast<int64_t>(std::sqrt(dx * dx + dy * dy));
        if (distance < best) {
          best = distance;
          nearest = &other;
        }
        return true;
      });
  return nearest;
}

RegionSubject* RegionListSubject::Find_Region_by_Bitmap_FileName(const std::string& fileName) {
  for (ComponentSubject* child : Get_Children_List()) {
    auto* region = dynamic_cast<RegionSubject*>(child);
    if (region != nullptr && Equal_NoCase(region->Get_Current_Bitmaps_FileName(), fileName)) return region;
  }
  return nullptr;
}

bool RegionListSubject::Is_Free_of_Latter_Overlaps(RegionSubject& region) {
  const RectLong rect = Bounding_Rect_of(region);
  bool passed = false;
  for (ComponentSubject* child : Get_Children_List()) {
    auto* other = dynamic_cast<RegionSubject*>(child);
    if (other == nullptr) continue;
    if (other == &region) {
      passed = true;
      continue;
    }
    if (passed && other->Is_SubRegion() && Rects_Overlap(rect, Bounding_Rect_of(*other))) return false;
  }
  return true;
}

// ---- subtraction, masks, colour fitting --------------------------------------------------------------

bool RegionListSubject::Subtract_Regions_from_Offmap(OffMap& target, bool subRegions,
                                                     const RegionSubject* stopRegion,
                                                     int16_t stopSeparationID, const RectLong& rect,
                                                     int32_t& count, std::string& err) {
  err.clear();
  count = 0;
  const bool filter = rect.left >= 0 && rect.top >= 0 && rect.right >= 0 && rect.bottom >= 0;
  for (ComponentSubject* child : Get_Children_List()) {
    auto* region = dynamic_cast<RegionSubject*>(child);
    if (region == nullptr) {
      err = "RegionListSubject::Subtract_Regions_from_Offmap failed,  can not dynamic_cast to RegionSubject.";
      return false;
    }
    // The walk ends at the stop region, or where the (sorted) list reaches
    // the stop separation.
    if (region == stopRegion) break;
    if (stopSeparationID >= 0 && region->Get_Separation_ID() >= stopSeparationID) break;
    const OffMap* map = region->Get_Region_Map();
    if (map == nullptr) {
      err = "RegionListSubject::Subtract_Regions_from_Offmap failed,  regionsBitMap is NULL.";
      return false;
    }

    if (region->Is_SubRegion() != subRegions || region->Get_Render_Style() == 2) continue;
    if (filter && !Rects_Overlap(Bounding_Rect_of(*region), rect)) continue;
    if (!Subtract_Region_from_Offmap(target, *region, err)) return false;
    ++count;
  }
  return true;
}

bool RegionListSubject::Subtract_Separation_SubRegions_from_Offmap(OffMap& target, int16_t separationID,
                                                                   int32_t& count, std::string& err) {
  err.clear();
  count = 0;
  for (ListLink<ComponentSubject>* link = Get_Children_List().Get_Head_Link(); link != nullptr;
       link = link->Get_Next()) {
    auto* region = dynamic_cast<RegionSubject*>(link->Get_Object());
    if (region == nullptr) {
      err = "RegionListSubject::Subtract_Regions_from_Offmap failed,  can not dynamic_cast to RegionSubject.";
      return false;
    }
    if (region->Get_Separation_ID() > separationID) break;
    if (region->Get_Separation_ID() < separationID) continue;
    if (region->Get_Region_Map() == nullptr) {
      err = "RegionListSubject::Subtract_Regions_from_Offmap failed,  regionsBitMap is NULL.";
      return false;
    }
    if (!region->Is_SubRegion() || region->Get_Render_Style() == 2) continue;
    if (!Subtract_Region_from_Offmap(target, *region, err)) return false;
    ++count;
  }
  return true;
}

bool RegionListSubject::Subtract_Region_from_Offmap(OffMap& target, const RegionSubject& region,
                                                    std::string& err) {
  const OffMap& map = *region.Get_Region_Map();
  const RegionDescriptor& descriptor = region.Get_Current_Descriptor();
  const Graphic& frame = descriptor.frame;
  const bool wholeSeparation = !region.Is_SubRegion() && region.Get_Substitution_Mode() == 1 &&
                               map.Get_Width() == target.Get_Width() &&
                               map.Get_Height() == target.Get_Height() && frame.Get_Position().x == 0 &&
                               frame.Get_Position().y == 0;
  if (wholeSeparation) return target.Subtract_Separation(map, err);
  RectLong source;
  source.right = map.Get_Width() - 1;
  source.bottom = map.Get_Height() - 1;
  RectLong into;
  frame.Get_Rect(into);
  target.Subtract_Scaled_Map(map, source, into, descriptor.hueOffset, descriptor.satOffset,
                             descriptor.valOffset);
  return true;
}

bool RegionListSubject::Make_KnockoutMask_of_Latter_Regions(RegionSubject& region, const OffMap& averagingMap,
                                                            int32_t& knockedRegions, int16_t& red,
                                                            int16_t& green, int16_t& blue,
                                                            int32_t& pixelCount, bool& noMask,
                                                            int32_t& failures, std::string& err) {
  err.clear();
  knockedRegions = 0;
  red = green = blue = -1;
  pixelCount = 0;
  noMask = false;
  failures = 0;
  if (!Has_Regions()) {
    noMask = true;
    return true;
  }
  Platform& platform = m_renderMan.Get_Platform();
  RectShrt maskRect;
  std::unique_ptr<OffMap> mask = region.Make_Maskmap_From_SUBregion(maskRect, platform, err);
  if (mask == nullptr) return false;
  if (maskRect.left < 0 || maskRect.top < 0 || maskRect.right < maskRect.left ||
      maskRect.bottom < maskRect.top) {
    noMask = true;
    ++failures;
    return true;
  }

  const int32_t startPercent = mask->Percent_Black_Pixels();
  int32_t percent = startPercent;
  if (startPercent > 3) {
    const RectLong rect = Bounding_Rect_of(region);
    bool passed = false;
    for (ComponentSubject* child : Get_Children_List()) {
      auto* other = dynamic_cast<RegionSubject*>(child);
      if (other == nullptr) {
        err =
            "RegionListSubject::Make_KnockoutMask_of_Latter_Regions failed,  can not dynamic_cast to "
            "RegionSubject.";
        return false;
      }
      if (other == &region) {
        passed = true;
        continue;
      }
      if (!passed || !Is_Paintable_SubRegion(*other) || !Rects_Overlap(rect, Bounding_Rect_of(*other)))
        continue;
      // A later region whose mask cannot be rebuilt covers nothing here.
      RectShrt otherRect;
      std::string otherErr;
      std::unique_ptr<OffMap> otherMask = other->Make_Maskmap_From_SUBregion(otherRect, platform, otherErr);
      if (otherMask == nullptr) continue;
      region.Knock_Out_Covered_Pixels(*mask, maskRect, *otherMask, otherRect);
      ++knockedRegions;
      percent = mask->Percent_Black_Pixels();
      if (percent * 20 < startPercent) break;
    }
  }

  if (percent > 4) {
    RectShrt whole = Make_RectShrt(0, 0, static_cast<int16_t>(mask->Get_Width() - 1),
                                   static_cast<int16_t>(mask->Get_Height() - 1));
    int32_t covered = 0;
    pixelCount = averagingMap.Calc_Average_RGB_Components(red, green, blue, whole, maskRect, *mask, covered,
                                                          platform.Messages());
    if (pixelCount < 1) {
      noMask = true;
      ++failures;
    }
  } else {
    noMask = true;
    ++failures;
  }
  return true;
}

bool RegionListSubject::ColorFit_Regions_to_SrcMap_DeepMasking(RegionSubject& region, const OffMap& sourceMap,
                                                               OffMap& workMap, bool deepMasking,
                                                               bool& nearWhite, std::string& err) {
  err.clear();
  nearWhite = false;
  if (!Is_Paintable_SubRegion(region)) return true;
  if (region.Get_Region_Map() == nullptr) {
    err = "RegionListSubject::ColorFit_Regions_to_SrcMap_DeepMasking failed,  regionsOffMap is NULL.";
    return false;
  }
  // What the source shows of this region once every earlier region has
  // taken its paint out of it.
  workMap.Assign_Copy(sourceMap);
  int32_t count = 0;
  if (!Subtract_Regions_from_Offmap(workMap, true, &region, -1, Bounding_Rect_of(region), count, err))
    return false;

  Platform& platform = m_renderMan.Get_Platform();
  if (!deepMasking) return region.On_Fit_Color_To_RemainderMap(workMap, nearWhite, platform, err);

  int32_t knocked = 0, pixels = 0, failures = 0;
  int16_t r = -1, g = -1, b = -1;
  bool noMask = false;
  if (!Make_KnockoutMask_of_Latter_Regions(region, workMap, knocked, r, g, b, pixels, noMask, failures, err))
    return false;
  if (noMask) return true;
  int16_t hue = 0, sat = 0, val = 0;
  RGB_to_HSV(r, g, b, &hue, &sat, &val);
  return region.Fit_Color_to_Target(hue, sat, val, nearWhite, err);
}

bool RegionListSubject::ColorFit_All_Regions_to_SrcMap(const OffMap& sourceMap, bool deepMasking,
                                                       int32_t largestPixelCount, int32_t& fitted,
                                                       int32_t& failures, std::string& err) {
  err.clear();
  fitted = 0;
  failures = 0;
  std::unique_ptr<OffMap> workMap =
      OffMap::Make(sourceMap.Get_Width(), sourceMap.Get_Height(), sourceMap.Get_Depth());
  if (workMap == nullptr) {
    err = "RegionDetectorApp::ColorFit_All_Regions_to_SrcMap  failed,  could not alloc subtractMap.";
    return false;
  }
  Progress& progress = m_renderMan.Get_Platform().Progress_Box();
  progress.Open_Progress("Color-Fitting the regions...");
  const int32_t regionCount = Get_Children_List().Get_Count();
  const bool ok = For_Each_Region(
      "RegionListSubject::ColorFit_All_Regions_to_SrcMap failed,  can not dynamic_cast to RegionSubject.",
      err, [&](RegionSubject& region) {
        if (!Is_Paintable_SubRegion(region) || region.Is_Region_Hidden()) return true;
        const int32_t pixels = region.Get_Pixel_Count();
        if (largestPixelCount >= 1 && pixels >= 1 && pixels > largestPixelCount) return true;
        bool nearWhite = false;
        std::string regionErr;
        // One region that cannot be fitted (its mask cannot be rebuilt, say)
        // keeps its colour; the others are still fitted.
        if (!ColorFit_Regions_to_SrcMap_DeepMasking(region, sourceMap, *workMap, deepMasking, nearWhite,
                                                    regionErr) ||
            nearWhite)
          ++failures;
        ++fitted;
        progress.Set_Progress_Position(fitted * 100 / regionCount);
        return true;
      });
  progress.Close_Progress();
  return ok;
}

// ---- the palette behind the regions ------------------------------------------------------------------

bool RegionListSubject::Make_List_of_Colors_In_Images_Palette(int16_t colorCount,
                                                              int16_t (&colorIndexes)[kPaletteSize],
                                                              bool& greyPalette, std::string& err) {
  err.clear();
  if (!Has_Regions()) {
    err =
        "RegionListSubject::Make_List_of_Colors_In_Images_Palette  FAILED,  RegionList contains no regions.";
    return false;
  }
  if (colorCount > kPaletteSize) {
    err = "RegionListSubject::Make_List_of_Colors_In_Images_Palette  FAILED,  colorCount is out of bounds.";
    return false;
  }
  for (int16_t& index : colorIndexes) index = -9;
  int32_t strays = 0, conflicts = 0;
  bool sawChromatic = false, sawGrey = false;
  for (const ComponentSubject* child : Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region == nullptr) continue;
    const int16_t id = region->Get_Separation_ID();
    if (id < 0 || id >= kPaletteSize) {
      ++strays;
      continue;
    }
    const int16_t colorIndex = region->Get_Hunt_Color_Index();
    if (colorIndexes[id] == -9) {
      colorIndexes[id] = colorIndex;
      if (colorIndex >= 1 && colorIndex <= 19) sawChromatic = true;
      if (colorIndex >= 20) sawGrey = true;
    } else if (colorIndexes[id] != colorIndex) {
      ++conflicts;
    }
  }
  if (strays > 0 || conflicts > 0)
    m_renderMan.Get_Platform().Message(
        "RegionListSubject::Make_List_of_Colors_In_Images_Palette  Had a minor error");
  if (sawChromatic && sawGrey) {
    err = "RegionListSubject::Make_List_of_Colors_In_Images_Palette  FAILED,  has BOTH Grey and RGB colors.";
    return false;
  }
  if (sawGrey) greyPalette = true;
  if (sawChromatic) greyPalette = false;
  return true;
}

int32_t RegionListSubject::Create_List_of_Original_Separations_Colors(ListMemry<kvColorRef>& colors) {
  colors.Delete_All();
  Platform& platform = m_renderMan.Get_Platform();
  for (const ComponentSubject* child : Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region == nullptr) {
      platform.Message(
          "RegionListSubject::Create_List_of_Original_Separations_Colors FAILED,  can not dynamic_cast to "
          "RegionSubject.");
      return -1;
    }
    if (!Is_Paintable_SubRegion(*region)) continue;
    int16_t r = 0, g = 0, b = 0;
    if (!region->Get_Original_HuntColor_from_SeparationCreation(r, g, b)) {
      platform.Message(
          "RegionListSubject::Create_List_of_Original_Separations_Colors  FAILED,  "
          "Get_Original_HuntColor_from_SeparationCreation");
      continue;
    }
    const uint32_t value = Pack_RGB(r, g, b);
    bool known = false;
    for (const kvColorRef* entry : colors) {
      known = entry->color == value;
      if (known) break;
    }
    if (known) continue;
    auto* record = new kvColorRef;
    record->color = value;
    Get_StandardColors_Nickname(region->Get_Hunt_Color_Index(), record->name);
    colors.Add_To_Tail(record);
  }
  return colors.Get_Count();
}

// ---- painting and colours --------------------------------------------------------------------------------

bool RegionListSubject::Paint_All_Regions_with_TextureMaps(int16_t textureType, int16_t style,
                                                           RegionRandom& random, std::string& err) {
  err.clear();
  if (!Has_Regions()) {
    err = "Detect some painted regions.";
    return false;
  }
  Platform& platform = m_renderMan.Get_Platform();
  const std::string folder = m_renderMan.Get_TextureMap_Folder(textureType);
  // Style 1 paints with the largest texture, sampled coarser; every other
  // style with the smallest texture that covers the region.
  const int16_t pickMode = style == 1 ? 1 : 0;
  // Each texture file is read once for the whole list: regions of one size
  // class share it.
  std::map<std::string, std::unique_ptr<OffMap>> textures;
  return For_Each_Region(
      "RegionListSubject::Paint_All_Regions_with_TextureMaps failed,  can not dynamic_cast to RegionSubject.",
      err, [&](RegionSubject& region) {
        const OffMap* map = region.Get_Region_Map();
        if (!region.Is_SubRegion() || map == nullptr || map->Get_Width() <= 6 || map->Get_Height() <= 6)
          return true;
        int16_t scale = 1;
        std::string pickErr;
        const int32_t index = RenderMan::Pick_A_TextureMap(pickErr, pickMode, m_renderMan, map->Get_Width(),
                                                           map->Get_Height(), textureType, scale);
        TextureMapSpec textureEntry;
        if (index < 0 || !m_renderMan.Get_TextureMapSpec(index, textureType, textureEntry)) return true;
        const std::string path = Text_Format("%s%s", folder.c_str(), textureEntry.fileName.c_str());
        std::unique_ptr<OffMap>& texture = textures[path];
        if (texture == nullptr) {
          std::string readPath = path;
          bool fileProblem = false;
          texture = Load_Bitmap_File_Dialog_STATIC(platform, readPath, fileProblem, err);
          if (texture == nullptr) return false;
        }
        return region.Create_PseudoPainted_Bitmap(path, texture.get(), textureEntry.size, textureEntry.size,
                                                  textureType, style, platform, random, err);
      });
}

bool RegionListSubject::Randomize_All_Colors_for_Regions(int16_t range, RegionRandom& random,
                                                         std::string& err) {
  err.clear();
  if (!Has_Regions()) {
    err = "Create some regions. List is empty.";
    return false;
  }
  if (range < 1 || range > 179) {
    err = "Pick a RANGE that is between 1 and 179";
    return false;
  }
  ListMemry<kvColorRef> colors;
  if (Create_List_of_Original_Separations_Colors(colors) < 0) {
    err =
        "RegionListSubject::Create_List_of_Original_Separations_Colors FAILED,  can not dynamic_cast to "
        "RegionSubject.";
    return false;
  }
  // One shift per separation colour, drawn in the order the colours were
  // first met; the shifted colour is kept as the record's second value.
  std::map<uint32_t, int16_t> newHues;
  for (kvColorRef* entry : colors) {
    kvColorRef& record = *entry;
    int16_t hue = 0, sat = 0, val = 0;
    RGB_to_HSV(static_cast<int16_t>(Packed_Red(record.color)),
               static_cast<int16_t>(Packed_Green(record.color)),
               static_cast<int16_t>(Packed_Blue(record.color)), &hue, &sat, &val);
    int32_t shift = static_cast<int32_t>(random() % static_cast<uint32_t>(2 * range + 1)) - range;
    if (shift == 0) shift = 1;
    const int16_t newHue = Hue_In_Turn(hue + shift);
    int16_t r = 0, g = 0, b = 0;
    HSV_to_RGB(newHue, sat, val, &r, &g, &b);
    record.word = Pack_RGB(r, g, b);
    newHues[record.color] = newHue;
  }
  return For_Each_Region(
      "RegionListSubject::Randomize_All_Colors_for_Regions failed,  can not dynamic_cast to RegionSubject.",
      err, [&](RegionSubject& region) {
        if (!Is_Paintable_SubRegion(region) || region.Is_Region_Hidden()) return true;
        int16_t r = 0, g = 0, b = 0;
        if (!region.Get_Original_HuntColor_from_SeparationCreation(r, g, b)) return true;
        const auto found = newHues.find(Pack_RGB(r, g, b));
        if (found == newHues.end()) return true;
        int32_t offset = found->second - region.Get_Original_HuntColor_Hue();
        if (offset > 359) offset -= 360;
        if (offset < -359) offset += 360;
        region.Get_Auto_Descriptor().hueOffset = static_cast<int16_t>(offset);
        return region.Update_SmallBitmap_Bits_wColorModify(err);
      });
}

bool RegionListSubject::Restore_Separation_Colors(std::string& err) {
  err.clear();
  if (!Has_Regions()) {
    err = "Create some regions. List is empty.";
    return false;
  }
  return For_Each_Region(
      "RegionListSubject::Restore_Separation_Colors failed,  can not dynamic_cast to RegionSubject.", err,
      [&](RegionSubject& region) {
        if (!Is_Paintable_SubRegion(region) || region.Is_Region_Hidden()) return true;
        region.Get_Auto_Descriptor().hueOffset = 0;
        return region.Update_SmallBitmap_Bits_wColorModify(err);
      });
}

bool RegionListSubject::Enlarge_All_Region_Frames(std::string& err) {
  err.clear();
  if (!Has_Regions()) {
    err = "The region list is empty.";
    return false;
  }
  return For_Each_Region(
      "RegionListSubject::Enlarge_All_Region_Frames failed,  can not dynamic_cast to RegionSubject.", err,
      [](RegionSubject& region) {
        Graphic& frame = region.Get_Current_Descriptor().frame;
        const int32_t w = frame.Get_Width();
        const int32_t h = frame.Get_Height();
        frame.Set_Position(frame.Get_Position().x - w / 20, frame.Get_Position().y - h / 20);
        frame.Set_Size(w + w / 10, h + h / 10);
        return true;
      });
}
