#pragma once
// What the benchmarks share: the platform they run on (headless services
// with the Qt picture codec) and the sample photo they measure on.

#include <string>

#include "platform/headless/Headless.h"
#include "platform/qt/QtPictureCodec.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

// The bundled sample photo (600 x 400).
inline std::string Bench_Sample_Photo() {
  return std::string(QUORLIN_SOURCE_DIR) + "/resources/samples/coffee.png";
}

class BenchPlatform {
 public:
  BenchPlatform() : m_headless(m_codec) {}
  Platform& Get() { return m_headless.Get(); }
  HeadlessFileDialogs& Dialogs() { return m_headless.Dialogs(); }

 private:
  QtPictureCodec m_codec;
  HeadlessPlatform m_headless;
};

// The sample photo loaded at 400 x 300 as the source of `renderMan`; false
// with the reason in err.
inline bool Load_Bench_Sample(RenderMan& renderMan, std::string& err) {
  bool fileProblem = false;
  return Load_Bitmap_File_as_SRC(err, renderMan, Bench_Sample_Photo(), 400, 300, kWorkingMaxSide,
                                 fileProblem);
}

// The sample photo loaded with its longer side `maxSide` (500: 500 x 333),
// as a photo that is larger than the standard working size.
inline bool Load_Bench_Sample_At(RenderMan& renderMan, int32_t maxSide, std::string& err) {
  bool fileProblem = false;
  return Load_Bitmap_File_as_SRC(err, renderMan, Bench_Sample_Photo(), -1, -1, maxSide, fileProblem);
}
