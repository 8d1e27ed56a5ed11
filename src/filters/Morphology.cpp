#include "filters/Morphology.h"

#include <memory>

#include "filters/ConvolutionMapFilter.h"
#include "platform/PlatformServices.h"

bool Do_Open_Morphology(OffMap& map, int16_t firstRadius, int16_t secondRadius, MessageService& messages,
                        std::string& err) {
  err.clear();
  if (firstRadius < 1 || secondRadius < 1) {
    err = "Do_Open_Morphology  failed,  improper input diameters ( <0 ).";
    return false;
  }
  std::unique_ptr<OffMap> undoMap = OffMap::Make(map.Get_Width(), map.Get_Height(), map.Get_Depth());
  if (!undoMap) {
    err = "Do_Open_Morphology  failed,  could not alloc  undoMap.";
    return false;
  }
  if (!undoMap->Copy_Bits(map, err)) return false;
  {
    ConvolutionMapFilter lightest(undoMap.get(), firstRadius, &map, ConvolutionMapFilter::kLightestInDisc,
                                  messages);
    lightest.Filter();
  }
  if (!undoMap->Copy_Bits(map, err)) {
    messages.Message_Box("Do_Open_Morphology failed,  Copy_Bits()");
    return false;
  }
  ConvolutionMapFilter darkest(undoMap.get(), secondRadius, &map, ConvolutionMapFilter::kDarkestInDisc,
                               messages);
  darkest.Filter();
  return true;
}
