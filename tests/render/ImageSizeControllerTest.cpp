#include <gtest/gtest.h>

#include "render/ImageFiles.h"
#include "render/ImageSizeController.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

const char* const kRegionsQuestion =
    "If you continue, you will DELETE all the existing REGIONS and the Outline ?  Want to continue ?";
const char* const kRangeText = "Only enter DIMENSIONS that are between 100 and 500 pixels.";

class ImageSizeControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string err;
    bool fileProblem = false;
    ASSERT_TRUE(Load_Bitmap_File_as_SRC(err, rm, Sample_Path("coffee.png"), -1, -1, 400, fileProblem)) << err;
  }
  std::pair<int32_t, int32_t> Source_Size() const {
    int32_t w = 0, h = 0;
    rm.Get_Source_Size(w, h);
    return {w, h};
  }

  TestPlatform platform;
  RenderMan rm{platform.Get()};
};

TEST_F(ImageSizeControllerTest, EditsKeepTheSourceAspect) {
  ImageSizeController size(rm);  // coffee.png works at 400 x 266
  EXPECT_EQ(std::make_pair(size.Width(), size.Height()), std::make_pair(400, 266));
  size.Width_Typed(200);
  EXPECT_EQ(size.Height(), 133);
  size.Height_Typed(250);
  EXPECT_EQ(size.Width(), 375);  // trunc(250 / 266 * 400) = trunc(375.94)
  size.Width_Typed(0);           // not positive: the height stays
  EXPECT_EQ(std::make_pair(size.Width(), size.Height()), std::make_pair(0, 250));

  RenderMan empty(platform.Get());
  ImageSizeController none(empty);
  EXPECT_EQ(std::make_pair(none.Width(), none.Height()), std::make_pair(-1, -1));
  EXPECT_EQ(none.On_OK(false), ImageSizeOutcome::KeepOpen);
  EXPECT_EQ(platform.Messages().Texts().back(), "First load a bitmap for a SOURCE.");
}

TEST_F(ImageSizeControllerTest, RefusesSizesOutsideTheRangeBeforeAskingAboutRegions) {
  EXPECT_EQ(ImageSizeController::Range_Text(), kRangeText);
  ImageSizeController size(rm);
  bool deleted = false;
  size.m_deleteRegions = [&](std::string&) { return deleted = true; };
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{99, 200}, {200, 501}, {500, 99}}) {
    size.Set_Size(w, h);
    EXPECT_EQ(size.On_OK(true), ImageSizeOutcome::KeepOpen);
    EXPECT_EQ(platform.Messages().Texts().back(), kRangeText);
  }
  EXPECT_EQ(platform.Messages().Texts().size(), 3u);  // no question was asked
  EXPECT_FALSE(deleted);
  EXPECT_EQ(Source_Size(), std::make_pair(400, 266));
}

TEST_F(ImageSizeControllerTest, AsksBeforeTheRegionsGoAndResizes) {
  ImageSizeController size(rm);
  int deletions = 0, afterResizes = 0;
  size.m_deleteRegions = [&](std::string&) { return ++deletions > 0; };
  size.m_afterResize = [&](std::string&) { return ++afterResizes > 0; };
  size.Set_Size(100, 500);
  platform.Messages().Queue_Answer(MessageAnswer::Cancel);
  EXPECT_EQ(size.On_OK(true), ImageSizeOutcome::KeepOpen);
  ASSERT_EQ(platform.Messages().Shown_Messages().size(), 1u);
  EXPECT_EQ(platform.Messages().Shown_Messages()[0].text, kRegionsQuestion);
  EXPECT_EQ(platform.Messages().Shown_Messages()[0].buttons, MessageButtons::OkCancel);
  EXPECT_EQ(deletions, 0);

  EXPECT_EQ(size.On_OK(true), ImageSizeOutcome::Close);
  EXPECT_EQ(deletions, 1);
  EXPECT_EQ(afterResizes, 1);
  EXPECT_EQ(Source_Size(), std::make_pair(100, 500));
  EXPECT_EQ(rm.Get_Subtract_Map()->Get_Height(), 500);
  EXPECT_EQ(platform.Headless().Cursor().Depth(), 0);
}

TEST_F(ImageSizeControllerTest, SameSizeClosesWithoutResampling) {
  OffMap* before = rm.Get_Source_Map();
  ImageSizeController size(rm);
  EXPECT_EQ(size.On_OK(false), ImageSizeOutcome::Close);
  EXPECT_EQ(rm.Get_Source_Map(), before);
  EXPECT_TRUE(platform.Messages().Texts().empty());
}

TEST_F(ImageSizeControllerTest, FailuresAreShownAndKeepTheDialogOpen) {
  ImageSizeController size(rm);
  size.Set_Size(300, 300);
  size.m_deleteRegions = [](std::string& err) {
    err = "regions could not go";
    return false;
  };
  EXPECT_EQ(size.On_OK(true), ImageSizeOutcome::KeepOpen);
  EXPECT_EQ(platform.Messages().Texts().back(), "regions could not go");
  EXPECT_EQ(Source_Size(), std::make_pair(400, 266));

  size.m_afterResize = [](std::string& err) {
    err = "windows could not follow";
    return false;
  };
  EXPECT_EQ(size.On_OK(false), ImageSizeOutcome::KeepOpen);
  EXPECT_EQ(platform.Messages().Texts().back(), "windows could not follow");

  rm.Set_Photo_Original(nullptr);
  size.Set_Size(200, 200);
  EXPECT_EQ(size.On_OK(false), ImageSizeOutcome::KeepOpen);
  EXPECT_EQ(platform.Messages().Texts().back(),
            " RenderMan::Change_Image_Size  FAILED,  m_photoOriginal is NULL.");
}

}  // namespace
