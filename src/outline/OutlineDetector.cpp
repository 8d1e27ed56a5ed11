// The detection half of OutlineDetector: the working map, the Canny edges
// and their cleaning, the chains, and publishing the painted outline.

#include "outline/OutlineDetector.h"

#include <algorithm>

#include "filters/ConvolutionMapFilter.h"
#include "filters/ForkFilter.h"
#include "filters/PruneMapFilter.h"
#include "filters/ThinningMapFilter.h"
#include "outline/CannyEdgeDetector.h"
#include "outline/PixelChainSearch.h"
#include "platform/Platform.h"
#include "raster/OffMap.h"

namespace {

constexpr double kMinScale = 0.1;
constexpr double kMaxScale = 5.0;
// Rows and columns at each edge of the line map that are whitened.
constexpr int32_t kBorder = 4;
// Groups of at most this many pixels do not become chains.
constexpr int32_t kMinChainPixels = 3;

// A new map filled white, or null when it cannot be had.
std::unique_ptr<OffMap> New_White_Map(int32_t width, int32_t height, int32_t depth) {
  if (width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<OffMap> map = OffMap::Make(width, height, depth);
  if (map == nullptr) return nullptr;
  map->Fill(255);
  return map;
}

}  // namespace

OutlineDetector::OutlineDetector(ListMemry<PixelChain>* chains, const OffMap* sourceMap,
                                 std::unique_ptr<OffMap>* outlineMapAddr,
                                 std::unique_ptr<OffMap>* subtractMapAddr, ResourceBitmapUtility* brushTable,
                                 Platform& platform, OutlineDetectorViews views)
    : m_chains(chains),
      m_sourceMap(sourceMap),
      m_outlineMapAddr(outlineMapAddr),
      m_subtractBitmapAddr(subtractMapAddr),
      m_brushTable(brushTable),
      m_platform(platform),
      m_views(std::move(views)) {
  Reset_Direction_History();
}

OutlineDetector::~OutlineDetector() = default;

// ---- allocation --------------------------------------------------------------------------

bool OutlineDetector::Alloc_Outline_Map_in_RenderMan(int32_t height, int32_t width) {
  if (m_outlineMapAddr == nullptr) {
    m_platform.Message(
        "OutlineDetector::Alloc_Outline_Map_in_RenderMan  FAILED,   m_outlineMapAddr is  NULL.");
    return false;
  }
  std::unique_ptr<OffMap>& outline = *m_outlineMapAddr;
  if (outline && outline->Get_Width() == width && outline->Get_Height() == height &&
      outline->Get_Depth() == 24 && !outline->Is_Not_In_Memory()) {
    outline->Fill(255);
    return true;
  }
  outline.reset();
  outline = New_White_Map(width, height, 24);
  if (!outline) {
    m_platform.Message(
        "OutlineDetector::Alloc_Outline_Map_in_RenderMan  FAILED,   could NOT alloc newOutMap.");
    return false;
  }
  return true;
}

bool OutlineDetector::Alloc_a_New_Subtract_Map(std::string& err, int32_t width, int32_t height) {
  err.clear();
  if (m_subtractBitmapAddr == nullptr) {
    err = "OutlineDetector::Alloc_a_New_Subtract_Map FAILED,  m_subtractBitmapAddr is NULL.";
    return false;
  }
  m_subtractBitmapAddr->reset();
  *m_subtractBitmapAddr = New_White_Map(width, height, 8);
  if (!*m_subtractBitmapAddr) {
    err = "OutlineDetector::Alloc_a_New_Subtract_Map FAILED,  could not alloc OffMap.";
    return false;
  }
  return true;
}

bool OutlineDetector::Alloc_Working_Map(int32_t height, int32_t width) {
  if (m_workingMap && m_workingMap->Get_Width() == width && m_workingMap->Get_Height() == height &&
      m_workingMap->Get_Depth() == 8 && !m_workingMap->Is_Not_In_Memory()) {
    m_workingMap->Fill(255);
    return true;
  }
  m_workingMap = New_White_Map(width, height, 8);
  return m_workingMap != nullptr;
}

// ---- the first half: the line map ---------------------------------------------------------------

void OutlineDetector::Show_Stage() {
  if (m_subtractBitmapAddr != nullptr && *m_subtractBitmapAddr && m_workingMap)
    (*m_subtractBitmapAddr)->Assign_Copy(*m_workingMap);
  if (m_views.redrawSubtracted) m_views.redrawSubtracted();
}

void OutlineDetector::Make_Grey_Working_Map(double scale) {
  OffMap& working = *m_workingMap;
  const int32_t width = working.Get_Width();
  const int32_t height = working.Get_Height();
  if (scale == 1.0) {
    // The largest of r, g and b (the HSV value), read straight from the rows:
    // the working map has the source's size here.
    const bool colour = m_sourceMap->Get_Depth() == 24;
    for (int32_t y = 0; y < height; ++y) {
      uint8_t* out = working.Row(y);
      if (colour) {
        const uint8_t* in = m_sourceMap->Row(y);
        for (int32_t x = 0; x < width; ++x, in += 3) out[x] = std::max(in[0], std::max(in[1], in[2]));
      } else {
        for (int32_t x = 0; x < width; ++x) {
          int16_t r = 0, g = 0, b = 0;
          m_sourceMap->Get_Pixel(x, y, r, g, b);
          out[x] = static_cast<uint8_t>(std::max(r, std::max(g, b)));
        }
      }
    }
    return;
  }
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* out = working.Row(y);
    for (int32_t x = 0; x < width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      m_sourceMap->Get_Pixel_Bilinear(x / scale, y / scale, r, g, b, true);
      out[x] = static_cast<uint8_t>(std::clamp<int16_t>(r, 0, 255));
    }
  }
}

OffMap* OutlineDetector::Stop_Detection() {
  m_platform.Progress_Box().Close_Progress();
  return nullptr;
}

OffMap* OutlineDetector::Make_Working_Bitmap_from_Canny_Detection(std::string& err,
                                                                  const OutlineDetectParms& parms) {
  err.clear();
  if (m_outlineMapAddr == nullptr) {
    err = "Make_Working_Bitmap_from_Canny_Detection failed,  m_outlineMapAddr is NULL";
    return nullptr;
  }
  if (m_sourceMap == nullptr || m_sourceMap->Is_Not_In_Memory()) {
    err = "OutlineDetector::Make_Working_Bitmap_from_Canny_Detection failed,  there is no source map.";
    return nullptr;
  }
  const char* const kScaleOutOfBounds =
      "OutlineDetector::Make_Working_Bitmap_from_Canny_Detection failed,  m_srcBitmapScaleDownFactor is out "
      "of "
      "bounds.";
  const double scale = parms.scale;
  const double scaledWidth = m_sourceMap->Get_Width() * scale;
  const double scaledHeight = m_sourceMap->Get_Height() * scale;
  // A scale that is refused anyway is not allowed to ask for a huge (or an
  // empty) map first.
  const bool inBounds = scale >= kMinScale && scale <= kMaxScale;
  if (!inBounds && !(scale > 0 && scale <= kMaxScale && scaledWidth >= 1 && scaledHeight >= 1)) {
    err = kScaleOutOfBounds;
    return nullptr;
  }
  const int32_t width = static_cast<int32_t>(scaledWidth);
  const int32_t height = static_cast<int32_t>(scaledHeight);
  if (!Alloc_Working_Map(height, width)) {
    err =
        "OutlineDetector::Make_Working_Bitmap_from_Canny_Detection failed,  could not allocate the working "
        "map.";
    return nullptr;
  }
  if (!inBounds) {
    err = kScaleOutOfBounds;
    return nullptr;
  }
  Make_Grey_Working_Map(scale);
  if (!Alloc_a_New_Subtract_Map(err, width, height)) return nullptr;
  if (!Alloc_Outline_Map_in_RenderMan(height, width)) {
    err = "Make_Working_Bitmap_from_Canny_Detection failed,  could not do Alloc_Outline_Map_in_RenderMan.";
    return nullptr;
  }
  Show_Stage();

  OffMap* working = m_workingMap.get();
  MessageService& messages = m_platform.Messages();
  Progress& progress = m_platform.Progress_Box();
  progress.Open_Progress("Creating maps...");
  progress.Set_Progress_Position(10);
  progress.Set_Progress_Text("Edge detection...");
  {
    CannyEdgeDetector canny(working);
    const double sigma = 0.6 + 5.7 * parms.detail / 100;
    const double thigh = 0.6 + 0.38 * parms.lineCount / 255;
    if (!canny.Detect_Monochrome_Outline_toOffMap(working, err, sigma, 0.42, thigh)) return Stop_Detection();
  }
  Show_Stage();
  progress.Set_Progress_Position(30);

  progress.Set_Progress_Text("Refining...");
  ConvolutionMapFilter(nullptr, 4, working, ConvolutionMapFilter::kBrightestInDisc, messages).Filter();
  Show_Stage();
  ThinningMapFilter(working, messages).Filter();
  Show_Stage();
  ConvolutionMapFilter(nullptr, 1, working, ConvolutionMapFilter::kIsolatedPixel, messages).Filter();
  Show_Stage();

  int32_t count = 0;
  if (parms.patchSize >= 1) {
    progress.Set_Progress_Position(50);
    progress.Set_Progress_Text("Patching...");
    if (!working->Hole_Plug_MultiAlgo_SeedFill(parms.patchSize, false, 0, 0, 0, count, err))
      return Stop_Detection();
    Show_Stage();
    ThinningMapFilter(working, messages).Filter();
    Show_Stage();
  }
  if (parms.lineRemoveSize >= 1) {
    progress.Set_Progress_Position(70);
    progress.Set_Progress_Text("Line remove...");
    if (!working->Hole_Plug_MultiAlgo_SeedFill(parms.lineRemoveSize, true, 255, 255, 255, count, err))
      return Stop_Detection();
    Show_Stage();
  }
  if (parms.pruneLength >= 1) {
    progress.Set_Progress_Position(80);
    progress.Set_Progress_Text("Cleaning...");
    PruneMapFilter(working, parms.pruneLength, messages).Filter();
    Show_Stage();
  }

  for (int32_t i = 0; i < kBorder; ++i) {
    working->Fill_Row(i, 255);
    working->Fill_Row(height - 1 - i, 255);
    working->Fill_Column(i, 255);
    working->Fill_Column(width - 1 - i, 255);
  }
  Show_Stage();

  progress.Set_Progress_Position(90);
  progress.Set_Progress_Text("Intersection detect...");
  m_forks.Delete_All();
  ForkFilter(working, messages, &m_forks).Filter();
  Show_Stage();

  progress.Set_Progress_Text("");
  progress.Close_Progress();
  return working;
}

// ---- the second half: chains -----------------------------------------------------------------

bool OutlineDetector::Detect_PixelChains_from_OffMap(ListMemry<PixelChain>& chains, OffMap& workingMap,
                                                     std::string& err) {
  err.clear();
  Progress& progress = m_platform.Progress_Box();
  progress.Open_Progress("Make chains...");
  progress.Set_Progress_Position(40);
  progress.Set_Progress_Text("Detecting lines...");
  chains.Delete_All();
  int32_t count = 0;
  if (!Find_PixelChains_MultiAlgo_wSeedFill(workingMap, kMinChainPixels, chains, count, err)) {
    progress.Close_Progress();
    return false;
  }
  if (chains.Is_Empty()) {
    err = "OutlineDetector::Detect_PixelChains_from_OffMap FAILED,  could not detect one PixelChain.";
    progress.Close_Progress();
    return false;
  }
  m_chainCount = count;
  progress.Set_Progress_Text("");
  progress.Close_Progress();

  ChainSortDisplay display;
  if (m_views.displayedFilterMapAddr != nullptr) display.map = m_views.displayedFilterMapAddr->get();
  display.redraw = m_views.redrawPreProcessing;
  return PixelChain::Order_Detected_Chains(chains, m_drawnChains, err, progress, display);
}

bool OutlineDetector::Detect_Outline(std::string& err, const OutlineDetectParms& parms) {
  err.clear();
  if (m_chains == nullptr) {
    err = "OutlineDetector::Detect_Outline FAILED,  there is no list for the chains.";
    return false;
  }
  m_workingMap.reset();
  m_drawnChains.Delete_All();
  m_chains->Delete_All();

  OffMap* working = Make_Working_Bitmap_from_Canny_Detection(err, parms);
  if (working == nullptr) return false;
  if (!Detect_PixelChains_from_OffMap(*m_chains, *working, err)) return false;

  if (parms.connectShortLines) {
    std::string joinErr;
    int32_t joins = 0;
    if (!PixelChain::Assemble_Forks(joinErr, *m_chains, m_forks, joins, m_platform.Progress_Box()))
      m_platform.Message(joinErr);
  }
  if (parms.scale != 1.0) PixelChain::Scale_Coords_of_Pixels(parms.scale, *m_chains, m_platform.Messages());
  if (parms.scale >= 1.0) PixelChain::Decimate_PixelChains(*m_chains, m_decimationStep);
  PixelChain::Append_Chain_Copies(*m_chains, m_drawnChains);
  return true;
}

// ---- publishing the painted outline ----------------------------------------------------------

bool OutlineDetector::Render_PixelChains_to_OutlineMap(const ListMemry<PixelChain>& drawnChains,
                                                       std::string& err) {
  err.clear();
  if (m_sourceMap == nullptr) {
    err = "OutlineDetector::Render_PixelChains_to_OutlineMap FAILED,  there is no source map.";
    return false;
  }
  const int32_t width = static_cast<int32_t>(m_sourceMap->Get_Width() * m_outputScale);
  const int32_t height = static_cast<int32_t>(m_outputScale * m_sourceMap->Get_Height());
  std::unique_ptr<OffMap> map = New_White_Map(width, height, 8);
  if (!map) {
    err = "OutlineDetector::Render_PixelChains_to_OutlineMap FAILED,  could not allocate the outline map.";
    return false;
  }
  if (!Paint_PixelChains(drawnChains, *map, err)) return false;
  return Copy_OffMap_to_Rendermans_OutlineMap(*map, err);
}

bool OutlineDetector::Copy_OffMap_to_Rendermans_OutlineMap(const OffMap& map, std::string& err) {
  err.clear();
  if (m_outlineMapAddr == nullptr || !*m_outlineMapAddr) {
    err =
        "Copy_OffMap_to_Rendermans_OutlineMap failed,  could not get a pointer to  "
        "RenderMan.m_outlineMapOversize";
    return false;
  }
  const OffMap& outline = **m_outlineMapAddr;
  if (outline.Get_Width() != map.Get_Width() || outline.Get_Height() != map.Get_Height()) {
    Alloc_Outline_Map_in_RenderMan(map.Get_Height(), map.Get_Width());
    if (!*m_outlineMapAddr) {
      err =
          "Copy_OffMap_to_Rendermans_OutlineMap failed,  could not get a NEW pointer to  "
          "RenderMan.m_outlineMapOversize";
      return false;
    }
  }
  return (*m_outlineMapAddr)->Copy_Pixels(map, err);
}
