// The watercolour pre-processing: m_filteredMap is rebuilt from m_sourceMap
// by a fixed sequence of neighbourhood filters, then copied to the displayed
// filter map.

#include <algorithm>
#include <memory>

#include "filters/ConvolutionMapFilter.h"
#include "render/RenderMan.h"

namespace {

// Runs the filters of one rendering on the map in turn.  They share one
// undo map, which receives the map's current pixels before each filter.
class FilterChain {
 public:
  FilterChain(OffMap& map, MessageService& messages, int32_t threads)
      : m_map(map),
        m_messages(messages),
        m_threads(threads),
        m_undo(OffMap::Make(map.Get_Width(), map.Get_Height(), map.Get_Depth())) {}

  void Run(int16_t code, int16_t value, int16_t level = 4, int16_t offset = 1) {
    std::string err;
    OffMap* undo = m_undo.get();
    // Without a shared copy each filter makes (and reports) its own.
    if (undo == nullptr || !undo->Copy_Bits(m_map, err)) undo = nullptr;
    ConvolutionMapFilter filter(undo, value, &m_map, code, m_messages);
    filter.Set_Posterize_Level(level, offset);
    filter.Set_Threads(m_threads);
    filter.Filter();
  }

 private:
  OffMap& m_map;
  MessageService& m_messages;
  int32_t m_threads;
  std::unique_ptr<OffMap> m_undo;
};

// The first steps of both variants: the source must exist, the filter pair is
// made at its size and depth, and the source is copied into m_filteredMap.
bool Start_Watercolor(RenderMan& renderMan, const std::string& prefix, std::string& err) {
  err.clear();
  const OffMap* source = renderMan.Get_Source_Map();
  if (source == nullptr) {
    err = prefix + "  m_sourceMap is NULL.";
    return false;
  }
  if (!renderMan.Create_FilterMap_Pair(source->Get_Depth(), source->Get_Width(), source->Get_Height())) {
    err = prefix + "  Create_FilterMap_Pair could not allocate.";
    return false;
  }
  if (!renderMan.Copy_SRCmap_to_DSTmap(err)) return false;
  if (renderMan.Get_Filtered_Map()->Is_Not_In_Memory()) {
    err = prefix + "  Create_FilterMap_Pair could not allocate.";
    return false;
  }
  return true;
}

bool Finish_Watercolor(RenderMan& renderMan, std::string& err) {
  if (!renderMan.Copy_FilterMapHidden_to_Displayed_FilterMap(err)) return false;
  renderMan.Mark_Filtered_Image_Rendered();
  return true;
}

void Remove_Specks(FilterChain& chain, const WatercolorParms& parms) {
  // Lightest then darkest over the disc: dark specks smaller than the disc
  // vanish, larger dark areas get their shape back.
  if (parms.skipSpeckRemoval != 0 || parms.speckRadius <= 1) return;
  chain.Run(ConvolutionMapFilter::kLightestInDisc, parms.speckRadius);
  chain.Run(ConvolutionMapFilter::kDarkestInDisc, parms.speckRadius);
}

}  // namespace

bool RenderMan::WatercolorFilter_For_Separations(const WatercolorParms& parms, std::string& err) {
  if (!Start_Watercolor(*this, "WatercolorFilter_For_Separations failed,", err)) return false;
  const bool tonalSource = m_sourceMap->Get_Depth() == 8;
  FilterChain chain(*m_filteredMap, m_platform.Messages(), m_workThreads);

  if (parms.liteAmount != 0) {
    chain.Run(tonalSource ? ConvolutionMapFilter::kScalePercent : ConvolutionMapFilter::kLighten,
              parms.liteAmount);
  }
  chain.Run(ConvolutionMapFilter::kValueGamma, parms.darkExponent);
  if (parms.skipSaturation == 0 && !tonalSource)
    chain.Run(ConvolutionMapFilter::kSaturationGamma, parms.satExponent);
  if (tonalSource || m_isGreyscalePhoto != 0) {
    // Smoothing for grey pictures (which normally take the greyscale variant).
    chain.Run(ConvolutionMapFilter::kMean3x3, 2);
    for (int i = 0; i < 3; ++i) chain.Run(ConvolutionMapFilter::kMedianByValue, 2);
  }
  Remove_Specks(chain, parms);
  if (parms.skipPosterize == 0 && parms.posterizeRadius > 1) {
    chain.Run(ConvolutionMapFilter::kPosterizeMajority, parms.posterizeRadius, parms.posterizeLevel, 0);
  }
  if (parms.skipFinalLighten == 0 && parms.finalLighten != 0)
    chain.Run(ConvolutionMapFilter::kLighten, parms.finalLighten);
  return Finish_Watercolor(*this, err);
}

bool RenderMan::WatercolorFilter_For_Separations_Grey_24bit(const WatercolorParms& parms, std::string& err) {
  if (!Start_Watercolor(*this, "WatercolorFilter_For_Separations_Grey_24bit failed,", err)) return false;
  FilterChain chain(*m_filteredMap, m_platform.Messages(), m_workThreads);
  Remove_Specks(chain, parms);
  chain.Run(ConvolutionMapFilter::kDarken, parms.darkExponent);
  chain.Run(ConvolutionMapFilter::kGreyScale, parms.satExponent);
  // The lightness counts three times here; kept within the filter's range.
  chain.Run(ConvolutionMapFilter::kLighten,
            static_cast<int16_t>(std::clamp(parms.liteAmount * 3, -32768, 32767)));
  return Finish_Watercolor(*this, err);
}
