#include "app/AutoColorSet.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <memory>
#include <thread>

#include "app/RegionEditorApp.h"
#include "colors/StandardColors.h"
#include "colors/StockColorSets.h"
#include "platform/Text.h"
#include "platform/headless/Headless.h"
#include "raster/ColorDifference.h"
#include "render/ImageSizeController.h"
#include "render/RenderMan.h"

namespace {

// What every trial starts from; read only while the trials run.
struct TrialSource {
  const OffMap* source = nullptr;  // the photo at the trial size
  bool grey = false;
  const Settings* settings = nullptr;
  const std::string* photoPath = nullptr;
  PictureCodec* codec = nullptr;
};

uint8_t Clamp_Byte(int16_t v) {
  return static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// The photo sampled at width x height the way a change of working size
// samples it (RenderMan::Change_Image_Size).
std::unique_ptr<OffMap> Sample_Photo(const PlatformImage& photo, int32_t width, int32_t height) {
  std::unique_ptr<OffMap> map = OffMap::Make(width, height, 24);
  if (map == nullptr || map->Is_Not_In_Memory()) return nullptr;
  const double scaleX = static_cast<double>(photo.Get_Width()) / width;
  const double scaleY = static_cast<double>(photo.Get_Height()) / height;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = map->Row(y);
    for (int32_t x = 0; x < width; ++x) {
      int16_t r = 0, g = 0, b = 0;
      RenderMan::Sample_Photo_Bilinear(photo, x * scaleX, y * scaleY, r, g, b);
      // What Set_Pixel stores (as RenderMan::Sample_Photo_into_Source does).
      row[3 * x] = Clamp_Byte(b);
      row[3 * x + 1] = Clamp_Byte(g);
      row[3 * x + 2] = Clamp_Byte(r);
    }
  }
  return map;
}

// The reason a trial's dialog gave up: the last message it showed.
std::string Trial_Failure(HeadlessPlatform& platform, const char* step) {
  const std::vector<std::string> texts = platform.Messages().Texts();
  return texts.empty() ? std::string(step) : texts.back();
}

// One trial: a fresh application with the trial photo as its source, the
// dialog's "Preview All Seps" with `colorSet`, the layered image scored.
bool Run_Trial(const TrialSource& in, int16_t colorSet, double& score, std::string& err) {
  HeadlessPlatform platform(*in.codec);
  RegionEditorApp app(platform.Get());
  RenderMan& renderMan = app.Get_RenderMan();
  const int32_t width = in.source->Get_Width(), height = in.source->Get_Height();
  if (!renderMan.Alloc_Source_Bitmaps_for_Virtual_Project(width, height, err) ||
      !renderMan.Get_Source_Map()->Copy_Pixels(*in.source, err) ||
      !renderMan.Get_Source_Map_Backup()->Copy_Pixels(*in.source, err) ||
      !renderMan.Alloc_Support_Bitmaps_for_Image_Creation(height, width, err))
    return false;
  renderMan.Set_Greyscale_Photo(in.grey);
  app.Get_Document().sourcePhotoPath = *in.photoPath;
  Settings& settings = app.Get_Settings();
  settings = *in.settings;
  settings.sepsDialogSettings.palettePrimaryIdx = colorSet;
  settings.sepsDialogSettings.alwaysCalcPalette = 1;
  {
    SeparationSession session(app.Separation_Context());
    SeparationDialogController& dialog = session.Controller();
    if (!dialog.OnInitDialog()) {
      err = Trial_Failure(platform, "the separation dialog did not open");
      return false;
    }
    if (!dialog.On_Preview_All_Seps() || !dialog.On_Close()) {
      err = Trial_Failure(platform, "the separations were not made");
      return false;
    }
  }
  if (renderMan.Get_Layered_Map() == nullptr) {
    err = "no layered image was made";
    return false;
  }
  return Mean_Delta_E_CIE76(*renderMan.Get_Layered_Map(), *in.source, score, err);
}

}  // namespace

void Auto_ColorSet_Trial_Size(int32_t width, int32_t height, int32_t& trialWidth, int32_t& trialHeight) {
  trialWidth = width;
  trialHeight = height;
  const int32_t longer = std::max(width, height);
  if (longer <= kAutoColorSetTrialSide) return;
  const double scale = static_cast<double>(kAutoColorSetTrialSide) / longer;
  const auto side = [&](int32_t working) {
    const int32_t scaled = static_cast<int32_t>(std::lround(working * scale));
    return std::min(working, std::max(scaled, ImageSizeController::kMinSide));
  };
  trialWidth = side(width);
  trialHeight = side(height);
}

bool Choose_Stock_ColorSet(RenderMan& renderMan, const Settings& settings, const std::string& photoPath,
                           int32_t threads, AutoColorSetResult& result, std::string& err) {
  err.clear();
  result = AutoColorSetResult();
  const PlatformImage* photo = renderMan.Get_Photo_Original();
  int32_t width = 0, height = 0;
  renderMan.Get_Source_Size(width, height);
  if (photo == nullptr || photo->Is_Null() || width <= 0 || height <= 0) {
    err = "Choose_Stock_ColorSet FAILED, there is no photo to try the colour sets on.";
    return false;
  }
  Auto_ColorSet_Trial_Size(width, height, result.trialWidth, result.trialHeight);
  // At the working size itself the trials start from the working source
  // map, so that their scores are those of the separations made afterwards.
  std::unique_ptr<OffMap> source;
  if (result.trialWidth == width && result.trialHeight == height) {
    source = OffMap::Make(width, height, 24);
    if (source != nullptr) source->Assign_Copy(*renderMan.Get_Source_Map());
  } else {
    source = Sample_Photo(*photo, result.trialWidth, result.trialHeight);
  }
  if (source == nullptr || source->Is_Not_In_Memory()) {
    err = "Choose_Stock_ColorSet FAILED, could not allocate the trial photo.";
    return false;
  }

  const TrialSource in{source.get(), renderMan.Is_Greyscale_Photo(), &settings, &photoPath,
                       &renderMan.Get_Platform().Codec()};
  std::vector<double> scores(kStockColorSetCount, 0.0);
  std::vector<std::string> errors(kStockColorSetCount);
  std::vector<char> done(kStockColorSetCount, 0);
  // Each worker takes the next untried set; every score lands in its set's
  // slot, so the outcome is the same on any number of threads.
  std::atomic<int32_t> next{0};
  const auto work = [&]() {
    for (int32_t set = next++; set < kStockColorSetCount; set = next++) {
      try {
        done[set] = Run_Trial(in, static_cast<int16_t>(set), scores[set], errors[set]) ? 1 : 0;
      } catch (const std::exception& e) {
        errors[set] = e.what();
      }
    }
  };
  const int32_t workers = std::clamp<int32_t>(threads, 1, kStockColorSetCount);
  std::vector<std::thread> pool;
  for (int32_t i = 1; i < workers; ++i) {
    try {
      pool.emplace_back(work);
    } catch (const std::exception&) {
      break;  // no more threads to be had: the ones there take every set
    }
  }
  work();
  for (std::thread& t : pool) t.join();

  for (int16_t set = 0; set < kStockColorSetCount; ++set) {
    if (!done[set]) {
      std::string nickname, ignored;
      Get_Nickname_of_Stock_ColorSet(set, ignored, nickname);
      err = Text_Format("Choose_Stock_ColorSet FAILED, the trial of set %d (%s): %s", set, nickname.c_str(),
                        errors[set].c_str());
      return false;
    }
    result.scores.push_back(ColorSetScore{set, scores[set]});
    if (scores[set] < scores[result.chosen]) result.chosen = set;
  }
  return true;
}
