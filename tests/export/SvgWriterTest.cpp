// The SVG export: regions traced into filled paths with their colours, the
// layers of the separation rows and the outline, escaping, print size,
// embedded pictures, a write that fails; and, end to end through `quorlin
// separate` and `render`, the report, the usage errors and the drawing of
// both sample photos as rsvg-convert renders it against the layered image.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "app/RegionEditorApp.h"
#include "colors/StandardColors.h"
#include "export/ExportSource.h"
#include "export/SvgWriter.h"
#include "raster/OffMap.h"
#include "regions/RegionSubject.h"
#include "support/TestSupport.h"

namespace {

// A small check that `xml` is well-formed: one root element, every start tag
// closed in order, attribute values quoted, only the five named entities or
// character references, no stray '<' or '&'.  Returns "" or what is wrong.
std::string Xml_Problem(const std::string& xml) {
  std::vector<std::string> open;
  bool rootSeen = false;
  size_t i = 0;
  auto entity_ok = [&](size_t at) {
    static const std::regex kEntity("^&(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);");
    return std::regex_search(xml.begin() + static_cast<long>(at),
                             xml.begin() + static_cast<long>(std::min(xml.size(), at + 12)), kEntity);
  };
  while (i < xml.size()) {
    if (xml[i] == '&') {
      if (!entity_ok(i)) return "bad entity at " + std::to_string(i);
      ++i;
      continue;
    }
    if (xml[i] != '<') {
      if (open.empty() && !std::isspace(static_cast<unsigned char>(xml[i]))) return "text outside the root";
      ++i;
      continue;
    }
    if (xml.compare(i, 4, "<!--") == 0 || xml.compare(i, 2, "<?") == 0) {
      const size_t end = xml.find(xml[i + 1] == '!' ? "-->" : "?>", i + 2);
      if (end == std::string::npos) return "unclosed comment";
      if (xml[i + 1] == '!' && xml.substr(i + 4, end - i - 4).find("--") != std::string::npos)
        return "-- in a comment";
      i = end + 2;
      continue;
    }
    const bool closing = xml[i + 1] == '/';
    size_t j = i + (closing ? 2 : 1);
    const size_t nameStart = j;
    while (j < xml.size() &&
           (std::isalnum(static_cast<unsigned char>(xml[j])) || xml[j] == ':' || xml[j] == '-'))
      ++j;
    const std::string name = xml.substr(nameStart, j - nameStart);
    if (name.empty()) return "stray < at " + std::to_string(i);
    if (closing) {
      if (open.empty() || open.back() != name) return "</" + name + "> closes nothing open";
      open.pop_back();
      if (xml[j] != '>') return "bad end tag " + name;
      i = j + 1;
      continue;
    }
    // Attributes: name="value" or name='value'.
    for (;;) {
      while (j < xml.size() && std::isspace(static_cast<unsigned char>(xml[j]))) ++j;
      if (j >= xml.size()) return "unclosed tag " + name;
      if (xml[j] == '>' || xml.compare(j, 2, "/>") == 0) break;
      const size_t a = j;
      while (j < xml.size() && xml[j] != '=' && !std::isspace(static_cast<unsigned char>(xml[j]))) ++j;
      if (j == a || xml[j] != '=' || (xml[j + 1] != '"' && xml[j + 1] != '\''))
        return "bad attribute in " + name;
      const char quote = xml[j + 1];
      const size_t end = xml.find(quote, j + 2);
      if (end == std::string::npos) return "unclosed value in " + name;
      for (size_t k = j + 2; k < end; ++k) {
        if (xml[k] == '<') return "< in a value of " + name;
        if (xml[k] == '&' && !entity_ok(k)) return "bad entity in " + name;
      }
      j = end + 1;
    }
    if (open.empty() && rootSeen) return "second root " + name;
    rootSeen = true;
    if (xml[j] == '>') open.push_back(name);
    i = j + (xml[j] == '>' ? 1 : 2);
  }
  if (!open.empty()) return "<" + open.back() + "> is not closed";
  return rootSeen ? "" : "no root";
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The smallest box around every point of path data `d` (end and control
// points): left, top, right, bottom.
std::array<double, 4> Bounds(const std::string& d) {
  static const std::regex kNumber("-?[0-9]+(\\.[0-9]+)?");
  std::array<double, 4> box = {1e9, 1e9, -1e9, -1e9};
  int k = 0;
  for (std::sregex_iterator it(d.begin(), d.end(), kNumber), end; it != end; ++it, ++k) {
    const double v = std::stod(it->str());
    box[k % 2] = std::min(box[k % 2], v);
    box[2 + k % 2] = std::max(box[2 + k % 2], v);
  }
  return box;
}

std::vector<std::string> Layer_Labels(const std::string& svg) {
  static const std::regex kLayer("inkscape:groupmode=\"layer\" inkscape:label=\"([^\"]*)\"");
  std::vector<std::string> labels;
  for (std::sregex_iterator it(svg.begin(), svg.end(), kLayer), end; it != end; ++it)
    labels.push_back((*it)[1]);
  return labels;
}

// A 40 x 30 canvas with two separations cut into regions: a 12 x 10 block
// with a 4 x 4 hole in colour 1 (row 0, Burnt Umber) and a 6 x 6 block in
// colour 2 (row 1, Gray 5).
struct SmallCanvas {
  static constexpr int16_t kBlock[3] = {101, 61, 40};
  static constexpr int16_t kSquare[3] = {150, 151, 152};
  TestPlatform platform;
  RegionEditorApp app{platform.Get()};

  SmallCanvas() {
    RenderMan& rm = app.Get_RenderMan();
    std::string err;
    EXPECT_TRUE(rm.Alloc_Source_Bitmaps_for_Virtual_Project(40, 30, err)) << err;
    EXPECT_TRUE(rm.Alloc_Support_Bitmaps_for_Image_Creation(30, 40, err)) << err;
    Add(
        17, 0,
        [](int32_t x, int32_t y) {
          return x >= 3 && x < 15 && y >= 4 && y < 14 && !(x >= 7 && x < 11 && y >= 7 && y < 11);
        },
        kBlock);
    Add(
        24, 1, [](int32_t x, int32_t y) { return x >= 25 && x < 31 && y >= 15 && y < 21; }, kSquare);
  }

  template <class Inside>
  void Add(int16_t colorIndex, int16_t row, Inside inside, const int16_t (&color)[3]) {
    auto map = std::make_unique<OffMap>(40, 30, 24);
    for (int32_t y = 0; y < 30; ++y)
      for (int32_t x = 0; x < 40; ++x)
        inside(x, y) ? map->Set_Pixel(x, y, color[0], color[1], color[2])
                     : map->Set_Pixel(x, y, 255, 255, 255);
    std::string err;
    std::unique_ptr<RegionSubject> separation =
        RegionSubject::Create_Region_from_Separation_Map(err, "list.rgl", std::move(map), 0, true, color[0],
                                                         color[1], color[2], "sep.bmp", app.Get_Platform());
    ASSERT_NE(separation, nullptr) << err;
    separation->Set_Hunt_Color_Index(colorIndex);
    ASSERT_TRUE(separation->Generate_SubRegions(*separation->Get_Region_Map(), app.Get_RegionList(), 4, false,
                                                row, 0, true, app.Get_Document().regionCounter,
                                                app.Get_Platform(), err))
        << err;
  }

  RegionSubject& Region(int index) {
    return dynamic_cast<RegionSubject&>(*app.Get_RegionList().Get_Children_List().Get_Nth(index));
  }

  ExportSource Source() {
    return ExportSource{app.Get_RegionList(), app.Get_RenderMan(), nullptr, "", platform.Get()};
  }
};

std::string Build(ExportSource source, const SvgOptions& options, SvgCounts& counts) {
  std::string svg, err;
  EXPECT_TRUE(Build_Vector_Svg(source, options, svg, counts, err)) << err;
  EXPECT_EQ(Xml_Problem(svg), "");
  return svg;
}

// rsvg-convert is on the PATH.
bool Has_Rsvg_Convert() {
  return std::system("command -v rsvg-convert >/dev/null 2>&1") == 0;
}

// The peak signal-to-noise ratio of two pictures of one size in dB over
// their red, green and blue; -1 when one cannot be read or the sizes differ.
double Psnr(TestPlatform& platform, const std::string& a, const std::string& b) {
  std::unique_ptr<PlatformImage> first = platform.Get().Codec().Create_Image();
  std::unique_ptr<PlatformImage> second = platform.Get().Codec().Create_Image();
  if (first->Load(a) != 0 || second->Load(b) != 0) return -1;
  if (first->Get_Width() != second->Get_Width() || first->Get_Height() != second->Get_Height()) return -1;
  double sum = 0;
  for (int y = 0; y < first->Get_Height(); ++y)
    for (int x = 0; x < first->Get_Width(); ++x) {
      int r1 = 0, g1 = 0, b1 = 0, r2 = 0, g2 = 0, b2 = 0;
      first->Get_Pixel_RGB(x, y, r1, g1, b1);
      second->Get_Pixel_RGB(x, y, r2, g2, b2);
      sum += (r1 - r2) * (r1 - r2) + (g1 - g2) * (g1 - g2) + (b1 - b2) * (b1 - b2);
    }
  const double mse = sum / (3.0 * first->Get_Width() * first->Get_Height());
  return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

struct SvgRun {
  int paths = -1, layers = -1, regions = -1;
};

// The numbers of "wrote X.svg (N paths in K layers)" and "(W x H, R regions)".
SvgRun Parse_Report(const std::string& out) {
  SvgRun run;
  std::smatch m;
  if (std::regex_search(out, m, std::regex(R"(\.svg \((\d+) paths in (\d+) layers\)\n)")))
    run.paths = std::stoi(m[1]), run.layers = std::stoi(m[2]);
  if (std::regex_search(out, m, std::regex(R"(, (\d+) regions)"))) run.regions = std::stoi(m[1]);
  return run;
}

}  // namespace

TEST(SvgWriter, RegionsBecomeFilledPathsInLayersOfTheirRows) {
  SmallCanvas canvas;
  ASSERT_EQ(canvas.app.Get_RegionList().Get_Region_Count(), 2);
  SvgCounts counts;
  const std::string svg = Build(canvas.Source(), SvgOptions{}, counts);
  EXPECT_EQ(counts.regionPaths, 2);
  EXPECT_EQ(counts.outlinePaths, 0);
  EXPECT_EQ(counts.layers, 2);
  EXPECT_EQ(Count(svg, "<path "), 2);
  EXPECT_NE(svg.find("width=\"40\" height=\"30\" viewBox=\"0 0 40 30\""), std::string::npos);
  EXPECT_EQ(Layer_Labels(svg), (std::vector<std::string>{"1 Burnt Umber", "2 Gray 5"}));
  // The fills are the painted colours; the block's hole is a second
  // subpath, cut out by the even-odd rule.
  static const std::regex kPath(
      "<path d=\"([^\"]*)\" style=\"fill:(#[0-9a-f]{6});fill-rule:evenodd;stroke:none;"
      "mix-blend-mode:multiply\"/>");
  std::vector<std::pair<std::string, std::string>> paths;
  for (std::sregex_iterator it(svg.begin(), svg.end(), kPath), end; it != end; ++it)
    paths.emplace_back((*it)[1], (*it)[2]);
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0].second, "#653d28");
  EXPECT_EQ(paths[1].second, "#969798");
  EXPECT_EQ(Count(paths[0].first, "M"), 2);
  EXPECT_EQ(Count(paths[1].first, "M"), 1);
  // Traced along the pixel edges (potrace rounds the small square's
  // corners and the hole into curves inside those edges).
  EXPECT_EQ(Bounds(paths[0].first), (std::array<double, 4>{3, 4, 15, 14})) << paths[0].first;
  EXPECT_EQ(Bounds(paths[1].first), (std::array<double, 4>{25, 15, 31, 21})) << paths[1].first;
  EXPECT_EQ(Bounds(paths[0].first.substr(paths[0].first.rfind('M'))), (std::array<double, 4>{7, 7, 11, 11}));
}

TEST(SvgWriter, ColourOffsetsPrintSizeAndRegionsOffTheCanvas) {
  SmallCanvas canvas;
  // Hue, saturation and value offsets change the painted colour: the fill
  // follows them (as the painted pixels show them).
  RegionSubject& block = canvas.Region(0);
  block.Get_Val_Offset() = -40;
  OffMap painted(40, 30, 24);
  painted.Fill(255);
  std::string err;
  ASSERT_TRUE(block.Paint_Transparent_To_DestMap(painted, 100, err)) << err;
  int16_t r = 0, g = 0, b = 0;
  painted.Get_Pixel(3, 4, r, g, b);
  char expected[8];
  std::snprintf(expected, sizeof expected, "#%02x%02x%02x", r, g, b);
  ASSERT_STRNE(expected, "#653d28");

  // The square moved wholly off the canvas paints nothing: left out.
  RegionSubject& square = canvas.Region(1);
  square.Get_Current_Descriptor().frame.Set_Position(50, 5);

  SvgOptions options;
  options.printWidth = 4000;
  options.printHeight = 3000;
  SvgCounts counts;
  const std::string svg = Build(canvas.Source(), options, counts);
  EXPECT_NE(svg.find(std::string("fill:") + expected + ";"), std::string::npos);
  EXPECT_EQ(counts.regionPaths, 1);
  EXPECT_EQ(counts.leftOut, 1);
  EXPECT_EQ(Count(svg, "<path "), 1);
  EXPECT_EQ(Layer_Labels(svg), std::vector<std::string>{"1 Burnt Umber"});
  EXPECT_NE(svg.find("<!-- Left out, painting nothing on the canvas: regions " +
                     std::to_string(square.Get_Serial_Number()) + " -->"),
            std::string::npos);
  EXPECT_NE(svg.find("width=\"4000\" height=\"3000\" viewBox=\"0 0 40 30\""), std::string::npos);
}

TEST(SvgWriter, OutlinePictureIsTracedAndHiddenOutlineLeftOut) {
  SmallCanvas canvas;
  RenderMan& rm = canvas.app.Get_RenderMan();
  // An outline picture at twice the canvas size: a dark 8 x 4 bar.
  ASSERT_TRUE(rm.Create_Outline_Map(60, 80));
  for (int32_t y = 10; y < 14; ++y)
    for (int32_t x = 20; x < 28; ++x) rm.Get_Outline_Map()->Set_Pixel(x, y, 56, 56, 56);
  rm.Set_Outline_Darkness(100);
  rm.Set_Outline_Style(0);
  SvgCounts counts;
  std::string svg = Build(canvas.Source(), SvgOptions{}, counts);
  EXPECT_EQ(counts.outlinePaths, 1);
  EXPECT_EQ(counts.layers, 3);
  EXPECT_EQ(Layer_Labels(svg).back(), "Outline");
  // Grey 56 on white takes off 200 (the pencil merge's most): opacity
  // 200 / 255; the bar is drawn at half size.
  static const std::regex kOutline(
      "inkscape:label=\"Outline\">\n<path d=\"([^\"]*)\" style=\"fill:#000000;"
      "fill-opacity:0.78;fill-rule:evenodd;stroke:none\"/>");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(svg, m, kOutline)) << svg;
  EXPECT_EQ(Bounds(m[1]), (std::array<double, 4>{10, 5, 14, 7})) << m[1];

  rm.Set_Hide_Outline(1);
  svg = Build(canvas.Source(), SvgOptions{}, counts);
  EXPECT_EQ(counts.outlinePaths, 0);
  EXPECT_EQ(counts.layers, 2);
  EXPECT_EQ(svg.find("Outline"), std::string::npos);
}

TEST(SvgWriter, ChainsAreStrokedWithTheBrushWidth) {
  SmallCanvas canvas;
  RenderMan& rm = canvas.app.Get_RenderMan();
  ASSERT_TRUE(rm.Create_Outline_Map(30, 40));
  for (int32_t x = 5; x < 15; ++x) rm.Get_Outline_Map()->Set_Pixel(x, 20, 0, 0, 0);
  std::string err;
  ASSERT_TRUE(rm.Load_Pencil_Brushes(err)) << err;
  ListMemry<PixelChain> chains;
  auto* chain = new PixelChain;
  for (int16_t x = 5; x < 15; x += 3) chain->Add_Pixel_If_Absent(x, 20);
  chain->m_dx = 1;
  chains.Add_To_Tail(chain);
  auto* hidden = new PixelChain;
  hidden->Add_Pixel_If_Absent(30, 2);
  hidden->m_visible = false;
  chains.Add_To_Tail(hidden);

  ExportSource source = canvas.Source();
  source.chains = &chains;
  source.chainBrush = 2;  // Pencil Heavy: a 7-pixel strip
  SvgCounts counts;
  const std::string svg = Build(source, SvgOptions{}, counts);
  EXPECT_EQ(counts.outlinePaths, 1);
  EXPECT_NE(svg.find("<path d=\"M6.5 20.5L9.5 20.5L12.5 20.5L15.5 20.5\" style=\"fill:none;stroke:#000000;"
                     "stroke-opacity:0.78;stroke-width:7;stroke-linecap:round;stroke-linejoin:round\"/>"),
            std::string::npos)
      << svg;
}

TEST(SvgWriter, TexturedRegionsEmbedTheirPaintedPixels) {
  SmallCanvas canvas;
  RegionSubject& square = canvas.Region(1);
  square.Get_Scanned_Descriptor() = square.Get_Auto_Descriptor();
  square.Set_Substitution_Mode(0);
  SvgOptions options;
  options.textures = true;
  SvgCounts counts;
  const std::string svg = Build(canvas.Source(), options, counts);
  EXPECT_EQ(counts.regionPaths, 2);
  EXPECT_EQ(Count(svg, "<path "), 2);  // the square's inside its clip path
  EXPECT_EQ(Count(svg, "<clipPath id=\"clip1\">"), 1);
  static const std::regex kImage(
      "<image x=\"25\" y=\"15\" width=\"6\" height=\"6\" preserveAspectRatio=\"none\" "
      "clip-path=\"url\\(#clip1\\)\" [^>]*xlink:href=\"data:image/png;base64,([^\"]+)\"/>");
  std::smatch m;
  ASSERT_TRUE(std::regex_search(svg, m, kImage)) << svg;
  // The embedded picture decodes to the square's colour.
  static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string png;
  uint32_t bits = 0;
  int held = 0;
  for (char c : m[1].str()) {
    if (c == '=') break;
    bits = (bits << 6) | static_cast<uint32_t>(kAlphabet.find(c));
    if ((held += 6) >= 8) png += static_cast<char>((bits >> (held -= 8)) & 0xFF);
  }
  TempDir dir;
  Write_File_Bytes(dir.File("square.png"), png);
  OffMap expected(6, 6, 24);
  for (int32_t y = 0; y < 6; ++y)
    for (int32_t x = 0; x < 6; ++x)
      expected.Set_Pixel(x, y, SmallCanvas::kSquare[0], SmallCanvas::kSquare[1], SmallCanvas::kSquare[2]);
  EXPECT_EQ(Differing_Pixels(canvas.platform, dir.File("square.png"), expected), 0);
}

TEST(SvgWriter, TextsAreEscaped) {
  const std::pair<std::string, std::string> cases[] = {
      {"a&b<c>d\"e'f", "a&amp;b&lt;c&gt;d&quot;e&apos;f"},
      {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"},  // UTF-8 kept
      {"bad\xFF\xC3(", "bad\xEF\xBF\xBD\xEF\xBF\xBD("},          // not UTF-8
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate: each byte
      {"tab\tline\nbell\x07", "tab\tline\nbell\xEF\xBF\xBD"},    // a control XML forbids
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(Xml_Escape(text), escaped) << text;

  // The photo's name reaches the title escaped.
  SmallCanvas canvas;
  ExportSource source = canvas.Source();
  source.photoPath = "/tmp/a<b>&\xFF.png";
  SvgCounts counts;
  const std::string svg = Build(source, SvgOptions{}, counts);
  EXPECT_NE(svg.find("illustration of /tmp/a&lt;b&gt;&amp;\xEF\xBF\xBD.png</title>"), std::string::npos);
}

TEST(SvgWriter, FailedWriteKeepsTheOldFile) {
  SmallCanvas canvas;
  TempDir dir;
  const std::string path = dir.File("picture.svg");
  Write_File_Bytes(path, "old drawing");
  std::string err;
  {
    FileSizeLimit limit(100);
    EXPECT_FALSE(Write_Vector_Svg(canvas.Source(), SvgOptions{}, path, err));
  }
  EXPECT_EQ(err.rfind("SVG export: can not write " + path + ": ", 0), 0u) << err;
  EXPECT_EQ(Read_File_Bytes(path), "old drawing");
  EXPECT_EQ(Folder_Entries(dir.Path()), std::vector<std::string>{"picture.svg"});

  // No canvas: nothing is written.
  TestPlatform platform;
  RegionEditorApp empty(platform.Get());
  EXPECT_FALSE(Write_Vector_Svg(
      ExportSource{empty.Get_RegionList(), empty.Get_RenderMan(), nullptr, "", platform.Get()}, SvgOptions{},
      path, err));
  EXPECT_EQ(err, "SVG export: there is no picture to export");
  EXPECT_EQ(Read_File_Bytes(path), "old drawing");

  ASSERT_TRUE(Write_Vector_Svg(canvas.Source(), SvgOptions{}, path, err)) << err;
  EXPECT_EQ(Read_File_Bytes(path).rfind("<?xml", 0), 0u);
}

// The PSNR floors below were measured on the drawings of this version
// (coffee 18.1 dB, chelsea 26.0 dB at the working size, without an outline)
// and lie a little under them.  The difference is mostly the blend: where
// regions overlap, multiply darkens less than the program's glazing, and
// the coffee cup is painted in many overlapping layers.
TEST(SvgExportCli, SamplesRenderCloseToTheLayeredImage) {
  const bool rsvg = Has_Rsvg_Convert();
  TestPlatform platform;
  const std::pair<const char*, double> samples[] = {{"coffee.png", 17.5}, {"chelsea.png", 25.0}};
  for (const auto& [sample, floor] : samples) {
    SCOPED_TRACE(sample);
    TempDir dir;
    const CliRun run = Run_Quorlin(
        {"separate", Sample_Path(sample), "-o", dir.File("layered.png"), "--svg", dir.File("drawing.svg")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const SvgRun report = Parse_Report(run.out);
    ASSERT_GE(report.regions, 10) << run.out;
    // No outline: one path per region, one layer per row.
    EXPECT_EQ(report.paths, report.regions) << run.out;
    const std::string svg = Read_File_Bytes(dir.File("drawing.svg"));
    EXPECT_EQ(Xml_Problem(svg), "");
    EXPECT_EQ(Count(svg, "<path "), report.regions);
    EXPECT_EQ(Count(svg, "inkscape:groupmode=\"layer\""), report.layers);
    EXPECT_GE(report.layers, 3);
    EXPECT_LE(report.layers, 5);
    if (!rsvg) {
      GTEST_SKIP() << "rsvg-convert is not installed (librsvg2-bin): the rendering is not compared";
    }
    const std::string command = "rsvg-convert --background-color=white -o '" + dir.File("render.png") +
                                "' '" + dir.File("drawing.svg") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const double psnr = Psnr(platform, dir.File("render.png"), dir.File("layered.png"));
    std::printf("%s: PSNR %.2f dB\n", sample, psnr);
    EXPECT_GE(psnr, floor);
  }
}

TEST(SvgExportCli, OutlineIsStrokedAfterSeparateAndTracedAfterRender) {
  TempDir dir;
  CliRun run = Run_Quorlin({"separate", Sample_Path("coffee.png"), "-o", dir.File("a.png"), "--outline",
                            "Ink Fine", "--rgl", dir.File("a.rgl"), "--svg", dir.File("a.svg")});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  SvgRun report = Parse_Report(run.out);
  EXPECT_EQ(report.paths, report.regions + 1) << run.out;
  std::string svg = Read_File_Bytes(dir.File("a.svg"));
  EXPECT_NE(svg.find("inkscape:label=\"Outline\">\n<path d=\"M"), std::string::npos);
  // Ink Fine: three of the four rows of its strip are dark enough to show.
  EXPECT_NE(svg.find(";stroke-width:3;stroke-linecap:round;stroke-linejoin:round\"/>\n</g>\n</svg>\n"),
            std::string::npos);

  // The loaded list keeps the outline picture only: it is traced.  (A print
  // may be as large as the photo, 600 x 400.)
  run = Run_Quorlin({"render", dir.File("a.rgl"), "-o", dir.File("b.png"), "--svg", dir.File("b.svg"),
                     "--print", "600x400"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  report = Parse_Report(run.out);
  EXPECT_EQ(report.paths, report.regions + 1) << run.out;
  svg = Read_File_Bytes(dir.File("b.svg"));
  EXPECT_NE(svg.find("width=\"600\" height=\"400\" viewBox=\"0 0 400 266\""), std::string::npos);
  EXPECT_NE(svg.find(";fill-rule:evenodd;stroke:none\"/>\n</g>\n</svg>\n"), std::string::npos);
  EXPECT_EQ(Count(svg, "<path "), report.paths);
}

TEST(SvgExportCli, BadNamesAreUsageErrorsAndKeepTheOldFile) {
  TempDir dir;
  Write_File_Bytes(dir.File("keep.svg"), "old");
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"separate", Sample_Path("coffee.png"), "-o", dir.File("a.png"), "--svg", dir.File("a.png.txt")},
       "--svg writes an SVG file: its name must end in .svg (not " + dir.File("a.png.txt") + ")"},
      {{"render", dir.File("none.rgl"), "-o", dir.File("a.png"), "--svg", ".svg"},
       "--svg writes an SVG file: its name must end in .svg (not .svg)"},
      {{"separate", Sample_Path("coffee.png"), "-o", dir.File("a.png"), "--svg-textures"},
       "--svg-textures needs --svg FILE.svg"},
  };
  for (const auto& [args, problem] : cases) {
    const CliRun run = Run_Quorlin(args);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find(problem + "\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("usage: quorlin "), std::string::npos) << run.err;
  }
  // A run that fails (the photo cannot be read) leaves the file alone.
  Write_File_Bytes(dir.File("bad.png"), "not a picture");
  const CliRun run =
      Run_Quorlin({"separate", dir.File("bad.png"), "-o", dir.File("a.png"), "--svg", dir.File("keep.svg")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(Read_File_Bytes(dir.File("keep.svg")), "old");
}
