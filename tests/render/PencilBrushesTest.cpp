// The pencil-brush table of the render manager and the brush strips the
// program carries: loading, its failures, and the character of the strips.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "brushes/BrushStrips.h"
#include "platform/EmbeddedResources.h"
#include "render/RenderMan.h"
#include "support/TestSupport.h"

namespace {

struct Brush {
  const char* name;
  int id;
  int width;
  int height;
};

const Brush kBrushes[8] = {
    {"Pencil Lite", 329, 1352, 4},   {"Pencil Medium", 330, 1137, 5},   {"Pencil Heavy", 331, 1591, 7},
    {"Charcoal Lite", 332, 2086, 7}, {"Charcoal Medium", 334, 2608, 9}, {"Charcoal Heavy", 333, 3390, 12},
    {"Ink Fine", 335, 600, 4},       {"Ink Medium", 336, 977, 5},
};

const std::string kOutOfBounds =
    "RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo  FAILED, utilityIndex is out of "
    "bounds. ";
const std::string kAlreadyAllocated =
    "RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo  FAILED,  utility has already been "
    "allocated. ";
const std::string kLoadBitmap =
    "RenderMan::Alloc_ResourceBitmapUtility_for_Pencil_Line_Alg FAILED,   LoadBitmap.";
const std::string kNoMap =
    "RenderMan::Alloc_a_ResourceBitmapUtility_OffMap  failed,  could not create m_pencilMapFromResource.";

int16_t Grey(const OffMap& map, int x, int y) {
  int16_t r = 0, g = 0, b = 0;
  map.Get_Pixel(x, y, r, g, b);
  return r;
}

// The embedded resources, except for the ids it refuses and the bitmaps
// put in its place.
class ScriptedResources : public ResourceService {
 public:
  bool Find_Bitmap_Resource(int id, ResourceBitmap& out) const override {
    if (m_refused.count(id)) return false;
    if (auto it = m_replaced.find(id); it != m_replaced.end()) {
      out = it->second;
      return true;
    }
    return m_embedded.Find_Bitmap_Resource(id, out);
  }
  std::set<int> m_refused;
  std::map<int, ResourceBitmap> m_replaced;

 private:
  EmbeddedResources m_embedded;
};

// A platform whose resources are scripted; everything else is headless.
class ScriptedPlatform {
 public:
  ScriptedPlatform() : m_platform(m_messages, m_dialogs, m_cursor, m_progress, m_clock, resources, m_codec) {}
  Platform& Get() { return m_platform; }
  ScriptedResources resources;

 private:
  HeadlessMessages m_messages;
  HeadlessFileDialogs m_dialogs;
  HeadlessCursor m_cursor;
  HeadlessProgressBox m_progress;
  HeadlessClock m_clock;
  QtPictureCodec m_codec;
  Platform m_platform;
};

// The table starts empty.  Every brush arrives with its name, id and
// size, holding exactly the pixels of its strip; the rows behind the
// eighth stay empty.
TEST(PencilBrushes, LoadFillsTheEightRowsWithTheirStrips) {
  TestPlatform platform;
  RenderMan rm(platform.Get());
  EXPECT_EQ(rm.Get_Last_Bitmap_Utility_Index(), -1);
  for (const ResourceBitmapUtility& row : rm.Get_Bitmap_Utilities()) {
    EXPECT_EQ(row.name, "");
    EXPECT_EQ(row.resourceId, 0);
    EXPECT_EQ(row.width, -1);
    EXPECT_EQ(row.height, -1);
    EXPECT_EQ(row.m_pencilMapFromResource, nullptr);
  }
  std::string err = "stale";
  ASSERT_TRUE(rm.Load_Pencil_Brushes(err)) << err;
  EXPECT_EQ(err, "");
  EXPECT_EQ(rm.Get_Last_Bitmap_Utility_Index(), 7);
  for (int i = 0; i < 8; ++i) {
    const ResourceBitmapUtility& row = rm.Get_Bitmap_Utilities()[i];
    SCOPED_TRACE(kBrushes[i].name);
    EXPECT_EQ(row.name, kBrushes[i].name);
    EXPECT_EQ(row.resourceId, kBrushes[i].id);
    EXPECT_EQ(row.width, kBrushes[i].width);
    EXPECT_EQ(row.height, kBrushes[i].height);
    EXPECT_EQ(row.bitmap.id, kBrushes[i].id);
    const OffMap* map = row.m_pencilMapFromResource.get();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->Get_Depth(), 8);
    ASSERT_EQ(map->Get_Width(), kBrushes[i].width);
    ASSERT_EQ(map->Get_Height(), kBrushes[i].height);
    const BrushStrip* strip = Find_Brush_Strip(kBrushes[i].id);
    ASSERT_NE(strip, nullptr);
    int mismatches = 0;
    for (int y = 0; y < map->Get_Height(); ++y)
      for (int x = 0; x < map->Get_Width(); ++x)
        mismatches += Grey(*map, x, y) != strip->pixels[y * strip->width + x];
    EXPECT_EQ(mismatches, 0);
  }
  for (int i = 8; i < RenderMan::kBitmapUtilityCount; ++i) {
    EXPECT_EQ(rm.Get_Bitmap_Utilities()[i].resourceId, 0) << i;
    EXPECT_EQ(rm.Get_Bitmap_Utilities()[i].m_pencilMapFromResource, nullptr) << i;
  }

  // Loading again keeps the maps that are there.
  const OffMap* first = rm.Get_Bitmap_Utilities()[4].m_pencilMapFromResource.get();
  ASSERT_TRUE(rm.Load_Pencil_Brushes(err)) << err;
  EXPECT_EQ(rm.Get_Bitmap_Utilities()[4].m_pencilMapFromResource.get(), first);
  EXPECT_EQ(rm.Get_Last_Bitmap_Utility_Index(), 7);
}

TEST(PencilBrushes, LoadingOneRowAndItsFailures) {
  TestPlatform platform;
  RenderMan rm(platform.Get());
  std::string err;
  ASSERT_TRUE(rm.Load_Pencil_Brushes(err)) << err;

  EXPECT_FALSE(RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(4, rm, err));
  EXPECT_EQ(err, kAlreadyAllocated);
  for (const int32_t index : {-1, 40, 65536 + 4}) {
    EXPECT_FALSE(RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(index, rm, err));
    EXPECT_EQ(err, kOutOfBounds) << index;
  }

  // An empty row and a row naming a resource the program does not carry.
  EXPECT_FALSE(RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(8, rm, err));
  EXPECT_EQ(err, kLoadBitmap);
  ResourceBitmapUtility& row = rm.Get_Bitmap_Utilities()[39];
  row.resourceId = 337;
  row.width = 10;
  row.height = 4;
  EXPECT_FALSE(RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(39, rm, err));
  EXPECT_EQ(err, kLoadBitmap);
  EXPECT_EQ(row.m_pencilMapFromResource, nullptr);

  // A known resource into a row without a size.
  row.resourceId = 335;
  row.width = -1;
  EXPECT_FALSE(RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(39, rm, err));
  EXPECT_EQ(err, kNoMap);
  EXPECT_EQ(row.m_pencilMapFromResource, nullptr);

  // A second copy of an existing strip loads into a spare row.
  row.width = 600;
  ASSERT_TRUE(RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(39, rm, err)) << err;
  EXPECT_EQ(err, "");
  const OffMap& copy = *row.m_pencilMapFromResource;
  const OffMap& ink = *rm.Get_Bitmap_Utilities()[6].m_pencilMapFromResource;
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{0, 0}, {599, 3}, {300, 2}})
    EXPECT_EQ(Grey(copy, x, y), Grey(ink, x, y)) << x << "," << y;
}

TEST(PencilBrushes, NewBrushMapIsWhiteOrRefused) {
  std::string err;
  const auto map = RenderMan::Alloc_a_ResourceBitmapUtility_OffMap(err, 7, 3);
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(err, "");
  EXPECT_EQ(map->Get_Depth(), 8);
  EXPECT_EQ(map->Get_Width(), 7);
  EXPECT_EQ(map->Get_Height(), 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(Grey(*map, x, y), 255);
  for (const auto& [w, h] : std::vector<std::pair<int32_t, int32_t>>{{0, 4}, {-1, -1}, {100000, 100000}}) {
    err.clear();
    EXPECT_EQ(RenderMan::Alloc_a_ResourceBitmapUtility_OffMap(err, w, h), nullptr) << w << "x" << h;
    EXPECT_EQ(err, kNoMap);
  }
}

TEST(PencilBrushes, LoadStopsAtTheFirstRowThatFails) {
  ScriptedPlatform platform;
  platform.resources.m_refused.insert(331);
  RenderMan rm(platform.Get());
  std::string err;
  EXPECT_FALSE(rm.Load_Pencil_Brushes(err));
  EXPECT_EQ(err, kLoadBitmap);
  EXPECT_EQ(rm.Get_Last_Bitmap_Utility_Index(), 2);
  EXPECT_NE(rm.Get_Bitmap_Utilities()[0].m_pencilMapFromResource, nullptr);
  EXPECT_NE(rm.Get_Bitmap_Utilities()[1].m_pencilMapFromResource, nullptr);
  for (int i = 2; i < 8; ++i) EXPECT_EQ(rm.Get_Bitmap_Utilities()[i].m_pencilMapFromResource, nullptr) << i;

  // Once the resource is there, a second load completes the table.
  platform.resources.m_refused.clear();
  ASSERT_TRUE(rm.Load_Pencil_Brushes(err)) << err;
  EXPECT_EQ(rm.Get_Last_Bitmap_Utility_Index(), 7);
  for (int i = 0; i < 8; ++i) EXPECT_NE(rm.Get_Bitmap_Utilities()[i].m_pencilMapFromResource, nullptr) << i;
}

// A colour resource gives its red components; where resource and row size
// differ only the overlap is copied and the rest of the map stays white.
// A resource that cannot be read as a bitmap is refused like a missing one.
TEST(PencilBrushes, ResourcePixelsAreCopiedWhereTheyOverlap) {
  ScriptedPlatform platform;
  // 3 x 2 pixels, blue, green, red, with one spare byte at each row's end.
  const std::vector<uint8_t> colour = {1, 2, 10, 3, 4, 20, 5, 6, 30, 0,  //
                                       7, 8, 40, 9, 9, 50, 9, 9, 60, 0};
  platform.resources.m_replaced[329] = {329, 3, 2, 24, colour.data(), 10};
  // 4 x 3 greys into the 1137 x 5 row: a strip shorter than its row.
  const std::vector<uint8_t> grey = {11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34};
  platform.resources.m_replaced[330] = {330, 4, 3, 8, grey.data(), 4};
  RenderMan rm(platform.Get());
  std::string err;
  ASSERT_TRUE(rm.Load_Pencil_Brushes(err)) << err;

  const OffMap& lite = *rm.Get_Bitmap_Utilities()[0].m_pencilMapFromResource;
  EXPECT_EQ(lite.Get_Width(), 1352);
  EXPECT_EQ(lite.Get_Height(), 4);
  EXPECT_EQ((std::vector<int16_t>{Grey(lite, 0, 0), Grey(lite, 1, 0), Grey(lite, 2, 0), Grey(lite, 0, 1),
                                  Grey(lite, 2, 1), Grey(lite, 3, 0), Grey(lite, 0, 2), Grey(lite, 1351, 3)}),
            (std::vector<int16_t>{10, 20, 30, 40, 60, 255, 255, 255}));
  const OffMap& medium = *rm.Get_Bitmap_Utilities()[1].m_pencilMapFromResource;
  EXPECT_EQ((std::vector<int16_t>{Grey(medium, 0, 0), Grey(medium, 3, 0), Grey(medium, 1, 2),
                                  Grey(medium, 3, 2), Grey(medium, 4, 0), Grey(medium, 0, 3)}),
            (std::vector<int16_t>{11, 14, 32, 34, 255, 255}));

  // A 2 x 2 resource into a 1 x 1 row.
  ResourceBitmapUtility& spare = rm.Get_Bitmap_Utilities()[20];
  spare.resourceId = 900;
  spare.width = 1;
  spare.height = 1;
  const std::vector<uint8_t> larger = {77, 1, 2, 3};
  platform.resources.m_replaced[900] = {900, 2, 2, 8, larger.data(), 2};
  ASSERT_TRUE(RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(20, rm, err)) << err;
  EXPECT_EQ(Grey(*spare.m_pencilMapFromResource, 0, 0), 77);

  const std::vector<ResourceBitmap> unreadable = {
      {901, 2, 2, 8, nullptr, 2},         // no pixels
      {901, 2, 2, 16, larger.data(), 4},  // a depth that is not 8 or 24
      {901, 2, 2, 24, larger.data(), 4},  // rows shorter than their pixels
      {901, 0, 2, 8, larger.data(), 2},   // no width
  };
  ResourceBitmapUtility& other = rm.Get_Bitmap_Utilities()[21];
  other.resourceId = 901;
  other.width = 2;
  other.height = 2;
  for (const ResourceBitmap& bitmap : unreadable) {
    platform.resources.m_replaced[901] = bitmap;
    EXPECT_FALSE(RenderMan::Alloc_Load_ResourceBitmapUtility_for_PencilLine_Algo(21, rm, err))
        << bitmap.depth << " " << bitmap.stride;
    EXPECT_EQ(err, kLoadBitmap);
    EXPECT_EQ(other.m_pencilMapFromResource, nullptr);
  }
}

TEST(BrushStrips, TheProgramCarriesExactlyTheEightStrips) {
  EmbeddedResources resources;
  for (const Brush& brush : kBrushes) {
    ResourceBitmap bitmap;
    ASSERT_TRUE(resources.Find_Bitmap_Resource(brush.id, bitmap)) << brush.name;
    EXPECT_EQ(bitmap.id, brush.id);
    EXPECT_EQ(bitmap.width, brush.width) << brush.name;
    EXPECT_EQ(bitmap.height, brush.height) << brush.name;
    EXPECT_EQ(bitmap.depth, 8);
    EXPECT_EQ(bitmap.stride, brush.width);
    EXPECT_NE(bitmap.pixels, nullptr);
  }
  for (const int id : {0, -1, 328, 337, 128, 313}) {
    ResourceBitmap bitmap;
    EXPECT_FALSE(resources.Find_Bitmap_Resource(id, bitmap)) << id;
  }
  EXPECT_EQ(kBrushStripCount, 8);
}

// Measures of one strip's grey values.  The stroke is centred on row
// height/2 and reaches (height-1)/2 rows to either side, the rows the line
// painter uses; with an even height row 0 is a margin outside the stroke.
struct StripStats {
  std::vector<double> rowMean;
  int first = 0, centre = 0, last = 0;  // the stroke's rows
  // Over the stroke's rows:
  double mean = 0;
  double deviation = 0;
  double gaps = 0;      // share of values that leave the paper (nearly) white
  double pressure = 0;  // range of the centre row's mean over stretches of 64 columns
  int darkest = 255;
};

StripStats Measure(const BrushStrip& strip) {
  StripStats s;
  s.centre = strip.height / 2;
  s.first = s.centre - (strip.height - 1) / 2;
  s.last = s.centre + (strip.height - 1) / 2;
  double sum = 0, squares = 0;
  for (int y = 0; y < strip.height; ++y) {
    double row = 0;
    for (int x = 0; x < strip.width; ++x) {
      const int v = strip.pixels[y * strip.width + x];
      row += v;
      if (y < s.first || y > s.last) continue;
      squares += static_cast<double>(v) * v;
      s.gaps += v >= 245;
      s.darkest = std::min(s.darkest, v);
    }
    s.rowMean.push_back(row / strip.width);
    if (y >= s.first && y <= s.last) sum += row;
  }
  const double n = static_cast<double>(strip.width) * (s.last - s.first + 1);
  s.mean = sum / n;
  s.deviation = std::sqrt(squares / n - s.mean * s.mean);
  s.gaps /= n;
  const uint8_t* centre = strip.pixels + s.centre * strip.width;
  double lowest = 255, highest = 0;
  for (int x0 = 0; x0 + 64 <= strip.width; x0 += 64) {
    double window = 0;
    for (int x = x0; x < x0 + 64; ++x) window += centre[x];
    lowest = std::min(lowest, window / 64);
    highest = std::max(highest, window / 64);
  }
  s.pressure = highest - lowest;
  return s;
}

// The strips look like strokes of their media: darker in the middle than
// at the edges, pressure varying along the stroke; pencil a light grain
// that never paints black, charcoal broken with gaps, ink nearly solid and
// dark enough in its middle to paint (almost) black.
TEST(BrushStrips, EveryStripHasTheCharacterOfItsMedium) {
  std::vector<StripStats> stats;
  for (const Brush& brush : kBrushes) {
    const BrushStrip* strip = Find_Brush_Strip(brush.id);
    ASSERT_NE(strip, nullptr) << brush.name;
    stats.push_back(Measure(*strip));
    const StripStats& s = stats.back();
    SCOPED_TRACE(brush.name);
    for (const int edge : {0, s.first, s.last, brush.height - 1})
      EXPECT_LT(s.rowMean[s.centre] + 5, s.rowMean[edge]) << edge;
  }
  const std::vector<int> pencils = {0, 1, 2}, charcoals = {3, 4, 5}, inks = {6, 7};
  for (const int p : pencils) {
    SCOPED_TRACE(kBrushes[p].name);
    EXPECT_GE(stats[p].darkest, 140);
    EXPECT_GT(stats[p].mean, 195);
    EXPECT_LT(stats[p].gaps, 0.1);
    EXPECT_GE(stats[p].pressure, 10);
    for (const int c : charcoals) {
      EXPECT_GT(stats[c].deviation, stats[p].deviation + 8) << kBrushes[c].name;
      EXPECT_GT(stats[c].gaps, stats[p].gaps + 0.2) << kBrushes[c].name;
    }
    for (const int i : inks) EXPECT_LT(stats[i].mean + 40, stats[p].mean) << kBrushes[i].name;
  }
  for (const int i : inks) {
    SCOPED_TRACE(kBrushes[i].name);
    EXPECT_LE(stats[i].rowMean[stats[i].centre], 120);
    EXPECT_EQ(stats[i].gaps, 0);
  }
  // Heavier strokes are darker.
  EXPECT_GT(stats[0].mean, stats[1].mean);
  EXPECT_GT(stats[1].mean, stats[2].mean);
  EXPECT_GT(stats[3].mean, stats[4].mean);
  EXPECT_GT(stats[4].mean, stats[5].mean);
}

// The brush generator sits next to the texture generator.
std::string Brush_Generator() {
  return (std::filesystem::path(QUORLIN_TEXTURE_GENERATOR).parent_path() / "quorlin_brushgen").string();
}

int Run_Brush_Generator(const std::vector<std::string>& args) {
  std::string command = "'" + Brush_Generator() + "'";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The values of array kStrip<id> in a generated source; empty when absent.
std::vector<uint8_t> Strip_In_Source(const std::string& source, int id) {
  std::vector<uint8_t> values;
  size_t at = source.find("kStrip" + std::to_string(id) + "[");
  if (at == std::string::npos) return values;
  at = source.find('{', at);
  const size_t end = source.find('}', at);
  for (size_t i = at + 1; i < end;) {
    char* next = nullptr;
    const long v = std::strtol(source.c_str() + i, &next, 10);
    if (next == source.c_str() + i) break;
    values.push_back(static_cast<uint8_t>(v));
    i = static_cast<size_t>(next - source.c_str()) + 1;  // past the comma
  }
  return values;
}

// Two runs write the same bytes, and what they write is what the program
// carries.
TEST(BrushStrips, GenerationIsReproducible) {
  TempDir out;
  ASSERT_EQ(Run_Brush_Generator({out.File("a.cpp")}), 0);
  ASSERT_EQ(Run_Brush_Generator({out.File("b.cpp")}), 0);
  const std::string a = Read_File_Bytes(out.File("a.cpp"));
  ASSERT_FALSE(a.empty());
  EXPECT_TRUE(a == Read_File_Bytes(out.File("b.cpp")));
  EXPECT_FALSE(File_Exists(out.File("a.cpp.partial")));
  for (const Brush& brush : kBrushes) {
    const BrushStrip* strip = Find_Brush_Strip(brush.id);
    ASSERT_NE(strip, nullptr);
    const std::vector<uint8_t> carried(strip->pixels, strip->pixels + strip->width * strip->height);
    EXPECT_TRUE(Strip_In_Source(a, brush.id) == carried) << brush.name;
  }
}

TEST(BrushStrips, GeneratorUsageAndUnwritableTarget) {
  EXPECT_EQ(Run_Brush_Generator({}), 2);
  TempDir out;
  EXPECT_EQ(Run_Brush_Generator({out.File("a.cpp"), out.File("b.cpp")}), 2);
  EXPECT_EQ(Run_Brush_Generator({out.File("missing/strips.cpp")}), 1);
  EXPECT_FALSE(File_Exists(out.File("a.cpp")));
}

}  // namespace
