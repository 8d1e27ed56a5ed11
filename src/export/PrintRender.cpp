#include "export/PrintRender.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <thread>

#include "colors/StandardColors.h"
#include "export/ExportSource.h"
#include "outline/OutlineDetector.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "raster/ColorSpace.h"
#include "raster/OffMap.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionSubject.h"
#include "render/RenderMan.h"
#include "render/ResourceBitmapUtility.h"

namespace {

// ---- threads ---------------------------------------------------------------------------------

int Thread_Count(int requested, int32_t rows) {
  int n = requested;
  if (n <= 0) {
    const unsigned cores = std::thread::hardware_concurrency();
    n = cores == 0 ? 1 : static_cast<int>(std::min(cores, 16u));
  }
  return std::max(1, std::min(n, static_cast<int>(std::max<int32_t>(1, rows / 16))));
}

// Runs work(band, firstRow, endRow) on `threads` bands of about equal rows.
template <class Work>
void Run_Bands(int32_t height, int threads, Work work) {
  std::vector<std::thread> pool;
  pool.reserve(static_cast<size_t>(threads));
  for (int t = 1; t < threads; ++t) {
    const auto y0 = static_cast<int32_t>(static_cast<int64_t>(height) * t / threads);
    const auto y1 = static_cast<int32_t>(static_cast<int64_t>(height) * (t + 1) / threads);
    pool.emplace_back(work, t, y0, y1);
  }
  work(0, 0, static_cast<int32_t>(static_cast<int64_t>(height) / threads));
  for (std::thread& thread : pool) thread.join();
}

uint8_t Round_Byte(double v) {
  return static_cast<uint8_t>(v <= 0 ? 0 : (v >= 255 ? 255 : static_cast<int>(v + 0.5)));
}

// ---- geometry ----------------------------------------------------------------------------------

// Print pixel centres mapped onto a grid of `cells` cells that spans
// [origin, origin + span) working pixels: for each print index in
// [first, end) the left neighbour's index plus one (0 for the pad cell
// before the grid) and the weight of the right neighbour; -1 where neither
// neighbour is on the grid.
struct Axis {
  int32_t first = 0, end = 0;
  std::vector<int32_t> cell;
  std::vector<float> frac;
};

Axis Make_Axis(double scale, double origin, double span, int32_t cells, int32_t printSize) {
  Axis axis;
  const double perCell = span / cells;  // working pixels per grid cell
  axis.first = static_cast<int32_t>(std::max(0.0, std::floor((origin - perCell) * scale - 1)));
  axis.end =
      static_cast<int32_t>(std::min<double>(printSize, std::ceil((origin + span + perCell) * scale + 1)));
  if (axis.end < axis.first) axis.end = axis.first;
  axis.cell.resize(static_cast<size_t>(axis.end - axis.first));
  axis.frac.resize(axis.cell.size());
  for (int32_t p = axis.first; p < axis.end; ++p) {
    const double f = ((p + 0.5) / scale - origin) / perCell - 0.5;
    const double left = std::floor(f);
    const size_t k = static_cast<size_t>(p - axis.first);
    if (left < -1 || left > cells - 1) {
      axis.cell[k] = -1;
      continue;
    }
    axis.cell[k] = static_cast<int32_t>(left) + 1;
    axis.frac[k] = static_cast<float>(f - left);
  }
  return axis;
}

// ---- regions -----------------------------------------------------------------------------------

// A region made ready for drawing: its paint on a grid padded with one
// empty cell all round (four bytes a cell: red, green, blue, inside 0/1),
// where its grid falls on the print, and the layer it fills.
struct PrintRegion {
  int32_t gridW = 0, gridH = 0;  // the region map's size
  std::vector<uint8_t> cells;    // (gridW + 2) x (gridH + 2) x 4
  Axis xs, ys;
  // Print pixels over which the mask goes from 0 to 1: the ramp's slope.
  float ramp = 1;
  int32_t layer = -1;  // index into stack.regions, -1 without layers
};

std::string Layer_Name(const RegionSubject& region, std::string& paintName) {
  paintName.clear();
  Get_StandardColors_Nickname(region.Get_Hunt_Color_Index(), paintName);
  return Text_Format("%d %s %d", region.Get_Separation_ID() + 1, paintName.c_str(),
                     region.Get_Serial_Number());
}

bool Prepare_Region(const RegionSubject& region, double sx, double sy, int32_t width, int32_t height,
                    PrintRegion& out, std::string& err) {
  std::vector<uint32_t> paint;
  if (!region.Paint_Colors(paint, err)) return false;
  const OffMap* map = region.Get_Region_Map();
  const Graphic& frame = region.Get_Current_Descriptor().frame;
  const double x0 = frame.Get_Position().x, y0 = frame.Get_Position().y;
  const double w = frame.Get_Width(), h = frame.Get_Height();
  if (paint.empty() || w <= 0 || h <= 0 || map->Get_Width() <= 0 || map->Get_Height() <= 0) return true;
  out.gridW = map->Get_Width();
  out.gridH = map->Get_Height();
  const size_t stride = static_cast<size_t>(out.gridW) + 2;
  out.cells.assign(stride * (static_cast<size_t>(out.gridH) + 2) * 4, 0);
  for (int32_t y = 0; y < out.gridH; ++y) {
    for (int32_t x = 0; x < out.gridW; ++x) {
      const uint32_t c =
          paint[static_cast<size_t>(y) * static_cast<size_t>(out.gridW) + static_cast<size_t>(x)];
      if (c == Pack_RGB(255, 255, 255)) continue;
      uint8_t* cell = &out.cells[((static_cast<size_t>(y) + 1) * stride + static_cast<size_t>(x) + 1) * 4];
      cell[0] = static_cast<uint8_t>(Packed_Red(c));
      cell[1] = static_cast<uint8_t>(Packed_Green(c));
      cell[2] = static_cast<uint8_t>(Packed_Blue(c));
      cell[3] = 1;
    }
  }
  out.xs = Make_Axis(sx, x0, w, out.gridW, width);
  out.ys = Make_Axis(sy, y0, h, out.gridH, height);
  const double slope = std::min(sx * w / out.gridW, sy * h / out.gridH);
  out.ramp = static_cast<float>(std::max(1.0, slope));
  return true;
}

// Draws rows [y0, y1) of `region`: its coverage and colour at every print
// pixel of its box, glazed into `rgb` and, with a layer, stored there.
void Draw_Region_Rows(const PrintRegion& region, int32_t y0, int32_t y1, int32_t width, uint8_t* rgb,
                      ExportLayer* layer) {
  const int32_t top = std::max(y0, region.ys.first);
  const int32_t bottom = std::min(y1, region.ys.end);
  const size_t stride = (static_cast<size_t>(region.gridW) + 2) * 4;
  const float ramp = region.ramp;
  for (int32_t y = top; y < bottom; ++y) {
    const int32_t gy = region.ys.cell[static_cast<size_t>(y - region.ys.first)];
    if (gy < 0) continue;
    const float fy = region.ys.frac[static_cast<size_t>(y - region.ys.first)];
    const uint8_t* row0 = region.cells.data() + static_cast<size_t>(gy) * stride;
    const uint8_t* row1 = row0 + stride;
    uint8_t* out = rgb + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
    uint8_t* layerRow = layer == nullptr ? nullptr
                                         : layer->rgba.data() + static_cast<size_t>(y - layer->top) *
                                                                    static_cast<size_t>(layer->width) * 4;
    for (int32_t x = region.xs.first; x < region.xs.end; ++x) {
      const size_t k = static_cast<size_t>(x - region.xs.first);
      const int32_t gx = region.xs.cell[k];
      if (gx < 0) continue;
      const uint8_t* c00 = row0 + static_cast<size_t>(gx) * 4;
      const uint8_t* c01 = c00 + 4;
      const uint8_t* c10 = row1 + static_cast<size_t>(gx) * 4;
      const uint8_t* c11 = c10 + 4;
      if ((c00[3] | c01[3] | c10[3] | c11[3]) == 0) continue;
      const float fx = region.xs.frac[k];
      const float w00 = c00[3] * (1 - fx) * (1 - fy), w01 = c01[3] * fx * (1 - fy);
      const float w10 = c10[3] * (1 - fx) * fy, w11 = c11[3] * fx * fy;
      const float inside = w00 + w01 + w10 + w11;
      const float cover = (inside - 0.5f) * ramp + 0.5f;
      if (cover <= 0) continue;
      const int coverage = cover >= 1 ? 255 : static_cast<int>(cover * 255 + 0.5f);
      if (coverage == 0) continue;
      uint8_t paint[3];
      for (int ch = 0; ch < 3; ++ch) {
        const float v = (w00 * c00[ch] + w01 * c01[ch] + w10 * c10[ch] + w11 * c11[ch]) / inside;
        paint[ch] = static_cast<uint8_t>(std::min(255.0f, v + 0.5f));
      }
      uint8_t* q = out + static_cast<size_t>(x) * 3;
      for (int ch = 0; ch < 3; ++ch)
        q[ch] = Glaze_Component(paint[ch], q[ch], static_cast<uint8_t>(coverage));
      if (layerRow != nullptr) {
        uint8_t* l = layerRow + static_cast<size_t>(x - layer->left) * 4;
        l[0] = paint[0];
        l[1] = paint[1];
        l[2] = paint[2];
        l[3] = static_cast<uint8_t>(coverage);
      }
    }
  }
}

// ---- the outline ------------------------------------------------------------------------------

// The outline's darkening e of a pixel whose region colour is r, g, b and
// whose outline value is m: RenderMan::Merge_OutlineMap_with_Source's own
// arithmetic.
struct OutlineMerge {
  double darkness = 100;
  double liteness = 0;
  int16_t style = 0;

  int32_t Darkening(int m, int r, int g, int b) const {
    return RenderMan::Outline_Stroke_Darkening(static_cast<int16_t>(m), static_cast<int16_t>(r),
                                               static_cast<int16_t>(g), static_cast<int16_t>(b), style,
                                               darkness, liteness);
  }
};

// Where the outline map lies on the print.  The working merge samples the
// map over workingW + 1 columns (the canvas with its right edge counted
// inclusive): working column x shows outline column floor(x * oW / (W + 1)),
// which for an outline of the canvas's own size is column x - 1.  The print
// keeps that placement so that it matches the picture on screen: outline
// position o = u * a - shift under working position u (pixel centres at
// whole numbers), exactly u - 1 for an outline of the canvas's size.
struct OutlinePlacement {
  double ax = 1, ay = 1;          // outline cells per working pixel
  double shiftX = 1, shiftY = 1;  // outline cells the picture lies behind
  double sx = 1, sy = 1;          // print pixels per working pixel

  void Set(int32_t outlineW, int32_t outlineH, int32_t workW, int32_t workH) {
    const auto axis = [](int32_t cells, int32_t work, double& a, double& shift) {
      a = cells == work ? 1.0 : static_cast<double>(cells) / (work + 1);
      shift = cells == work ? 1.0 : 0.5;
    };
    axis(outlineW, workW, ax, shiftX);
    axis(outlineH, workH, ay, shiftY);
  }
  // Print position of the centre of outline pixel (i, j).
  double Print_X(double i) const { return ((i + shiftX) / ax + 0.5) * sx - 0.5; }
  double Print_Y(double j) const { return ((j + shiftY) / ay + 0.5) * sy - 0.5; }
  // Outline position under the centre of print pixel (x, y).
  double Outline_X(int32_t x) const { return ((x + 0.5) / sx - 0.5) * ax - shiftX; }
  double Outline_Y(int32_t y) const { return ((y + 0.5) / sy - 0.5) * ay - shiftY; }
};

// The brush strip of a line style scaled to the print: stroke values by
// (column, row) of the strip, a stroke `radius` print pixels wide.
struct PrintBrush {
  std::vector<uint8_t> strip;  // stripW x stripH greys
  int32_t stripW = 0, stripH = 0;
  double scale = 1;  // print pixels per outline pixel
  double radius = 0;

  // The grey a stamp leaves at `across` print pixels from the stroke's
  // middle, with the strip at column `column`: OutlineDetector's blend of
  // the strip value, faded to white over the stroke's last print pixel.
  int Value(double column, double across) const {
    const double edge = radius + 0.5 - std::abs(across);
    if (edge <= 0) return 255;
    const int32_t c = std::clamp(static_cast<int32_t>(column), 0, stripW - 1);
    const double rowF = std::clamp(stripH / 2 - across / scale, 0.0, stripH - 1.0);
    const auto r0 = static_cast<int32_t>(rowF);
    const int32_t r1 = std::min(r0 + 1, stripH - 1);
    const double f = rowF - r0;
    const double v =
        strip[static_cast<size_t>(r0) * static_cast<size_t>(stripW) + static_cast<size_t>(c)] * (1 - f) +
        strip[static_cast<size_t>(r1) * static_cast<size_t>(stripW) + static_cast<size_t>(c)] * f;
    const int blended = OutlineDetector::Blend_Value(static_cast<int16_t>(v + 0.5));
    if (edge >= 1) return blended;
    return static_cast<int>(255 - (255 - blended) * edge + 0.5);
  }
};

// Draws the chains into `band` (rows [y0, y1) of the print, width greys a
// row, white at the start) as OutlineDetector paints them at the working
// size: along each chain the strip's column advances one strip column per
// outline pixel travelled; the cross-section through each step darkens, and
// at each chain point a round stamp fills what is still white (the working
// stamp's trailing layers), which rounds the joints and the ends.
void Draw_Chains_Rows(const ListMemry<PixelChain>& chains, const OutlinePlacement& place,
                      const PrintBrush& brush, int32_t width, int32_t y0, int32_t y1,
                      std::vector<uint8_t>& band) {
  const double reach = brush.radius + 1;
  auto darken = [&](int32_t x, int32_t y, int v) {
    uint8_t& p = band[static_cast<size_t>(y - y0) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    if (v < p) p = static_cast<uint8_t>(v);
  };
  auto fill_white = [&](int32_t x, int32_t y, int v) {
    uint8_t& p = band[static_cast<size_t>(y - y0) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    if (p > 249 && v < p) p = static_cast<uint8_t>(v);
  };
  // Pixels within `reach` of (px, py) in rows of the band.
  auto for_near = [&](double px, double py, double r, auto visit) {
    const auto ya = static_cast<int32_t>(std::max<double>(y0, std::floor(py - r)));
    const auto yb = static_cast<int32_t>(std::min<double>(y1 - 1, std::ceil(py + r)));
    const auto xa = static_cast<int32_t>(std::max(0.0, std::floor(px - r)));
    const auto xb = static_cast<int32_t>(std::min<double>(width - 1, std::ceil(px + r)));
    for (int32_t y = ya; y <= yb; ++y)
      for (int32_t x = xa; x <= xb; ++x) visit(x, y, x - px, y - py);
  };
  const double firstColumn = OutlineDetector::kStartBrushColumn;
  const double lastColumn = brush.stripW - brush.stripH;
  double column = firstColumn;
  auto advance = [&](double by) {
    column += by;
    while (column >= lastColumn && lastColumn > brush.stripH) column -= lastColumn - brush.stripH;
  };
  for (const PixelChain* chain : chains) {
    if (!chain->m_visible || chain->Is_Empty()) continue;
    bool first = true;
    double px = 0, py = 0, nx = 1, ny = 0;
    for (const Pixel* pixel : *chain) {
      const int32_t ix = pixel->x + chain->m_dx, iy = pixel->y + chain->m_dy;
      if (ix < 0 || iy < 0) continue;
      const double qx = place.Print_X(ix), qy = place.Print_Y(iy);
      if (!first) {
        const double dx = qx - px, dy = qy - py;
        const double length = std::hypot(dx, dy);
        if (length > 0) {
          const double ux = dx / length, uy = dy / length;
          nx = -uy;
          ny = ux;
          const auto steps = static_cast<int32_t>(std::ceil(length));
          const double step = length / steps;
          const double half = step / 2 + 0.5;
          for (int32_t s = 1; s <= steps; ++s) {
            advance(step / brush.scale);
            const double cx = px + ux * step * s, cy = py + uy * step * s;
            if (cy + reach < y0 || cy - reach >= y1) continue;
            for_near(cx, cy, reach, [&](int32_t x, int32_t y, double ox, double oy) {
              if (std::abs(ox * ux + oy * uy) > half) return;
              const int v = brush.Value(column, ox * nx + oy * ny);
              if (v < 255) darken(x, y, v);
            });
          }
        }
      }
      first = false;
      px = qx;
      py = qy;
      if (py + reach < y0 || py - reach >= y1) continue;
      for_near(px, py, reach, [&](int32_t x, int32_t y, double ox, double oy) {
        if (ox * ox + oy * oy > (brush.radius + 0.5) * (brush.radius + 0.5)) return;
        const int v = brush.Value(column, ox * nx + oy * ny);
        if (v < 255) fill_white(x, y, v);
      });
    }
  }
}

// Bilinear grey of `grey` (w x h) at (x, y), the edges extended.
int Bilinear_Grey(const std::vector<uint8_t>& grey, int32_t w, int32_t h, double x, double y) {
  x = std::clamp(x, 0.0, w - 1.0);
  y = std::clamp(y, 0.0, h - 1.0);
  const auto x0 = static_cast<int32_t>(x), y0 = static_cast<int32_t>(y);
  const int32_t x1 = std::min(x0 + 1, w - 1), y1 = std::min(y0 + 1, h - 1);
  const double fx = x - x0, fy = y - y0;
  auto at = [&](int32_t a, int32_t b) {
    return static_cast<double>(
        grey[static_cast<size_t>(b) * static_cast<size_t>(w) + static_cast<size_t>(a)]);
  };
  const double v =
      (at(x0, y0) * (1 - fx) + at(x1, y0) * fx) * (1 - fy) + (at(x0, y1) * (1 - fx) + at(x1, y1) * fx) * fy;
  return static_cast<int>(v + 0.5);
}

// ---- resampling --------------------------------------------------------------------------------

// The source indices and weights of each output index on one axis.
struct Taps {
  std::vector<int32_t> first, count;
  std::vector<float> weight;
  std::vector<size_t> offset;
};

Taps Make_Taps(int32_t in, int32_t out) {
  Taps taps;
  taps.first.resize(static_cast<size_t>(out));
  taps.count.resize(static_cast<size_t>(out));
  taps.offset.resize(static_cast<size_t>(out));
  const double ratio = static_cast<double>(in) / out;
  for (int32_t o = 0; o < out; ++o) {
    taps.offset[static_cast<size_t>(o)] = taps.weight.size();
    if (out < in) {
      // Area mean: the source cells the output cell [o, o + 1) covers.
      const double a = o * ratio, b = (o + 1) * ratio;
      const auto i0 = static_cast<int32_t>(std::floor(a));
      const int32_t i1 = std::min(in, static_cast<int32_t>(std::ceil(b)));
      taps.first[static_cast<size_t>(o)] = i0;
      taps.count[static_cast<size_t>(o)] = i1 - i0;
      for (int32_t i = i0; i < i1; ++i)
        taps.weight.push_back(
            static_cast<float>((std::min<double>(b, i + 1) - std::max<double>(a, i)) / ratio));
    } else {
      const double f = std::clamp((o + 0.5) * ratio - 0.5, 0.0, in - 1.0);
      const auto i0 = static_cast<int32_t>(f);
      const double t = f - i0;
      taps.first[static_cast<size_t>(o)] = i0;
      if (t == 0 || i0 + 1 >= in) {
        taps.count[static_cast<size_t>(o)] = 1;
        taps.weight.push_back(1.0f);
      } else {
        taps.count[static_cast<size_t>(o)] = 2;
        taps.weight.push_back(static_cast<float>(1 - t));
        taps.weight.push_back(static_cast<float>(t));
      }
    }
  }
  return taps;
}

// ---- the photo ---------------------------------------------------------------------------------

// The photo a source names, decoded: the render manager's decoded original
// when it is that file, else the file through the platform's codec.
const PlatformImage* Source_Photo(const ExportSource& source, std::unique_ptr<PlatformImage>& decoded,
                                  std::string& err) {
  if (source.photoPath.empty()) return nullptr;
  const PlatformImage* kept = source.renderMan.Get_Photo_Original();
  if (kept != nullptr && !kept->Is_Null() && source.renderMan.Get_Source_Photo_Path() == source.photoPath)
    return kept;
  decoded = source.platform.Codec().Create_Image();
  if (decoded == nullptr || decoded->Load(source.photoPath) < 0 || decoded->Is_Null()) {
    err = "Build_Print_Layer_Stack FAILED,  the photo " + source.photoPath + " could not be read" +
          (decoded != nullptr && !decoded->Last_Error().empty() ? ":  " + decoded->Last_Error()
                                                                : std::string());
    return nullptr;
  }
  return decoded.get();
}

bool Working_Size(const ExportSource& source, int32_t& w, int32_t& h, std::string& err) {
  if (const OffMap* layered = source.renderMan.Get_Layered_Map()) {
    w = layered->Get_Width();
    h = layered->Get_Height();
  } else {
    source.regions.Get_Canvas_Size(w, h);
  }
  if (w <= 0 || h <= 0) {
    err = "Build_Print_Layer_Stack FAILED,  there is no layered image (no working canvas).";
    return false;
  }
  return true;
}

bool Fill_Photo(const ExportSource& source, LayerStack& stack, std::string& err) {
  std::unique_ptr<PlatformImage> decoded;
  const PlatformImage* photo = Source_Photo(source, decoded, err);
  std::vector<uint8_t> rgb;
  int32_t w = 0, h = 0;
  if (photo != nullptr) {
    w = photo->Get_Width();
    h = photo->Get_Height();
    rgb.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    uint8_t* p = rgb.data();
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x, p += 3) {
        int r = 0, g = 0, b = 0;
        photo->Get_Pixel_RGB(x, y, r, g, b);
        p[0] = static_cast<uint8_t>(r);
        p[1] = static_cast<uint8_t>(g);
        p[2] = static_cast<uint8_t>(b);
      }
    }
  } else if (!err.empty()) {
    return false;
  } else if (const OffMap* map = source.renderMan.Get_Source_Map();
             map != nullptr && !map->Is_Not_In_Memory()) {
    w = map->Get_Width();
    h = map->Get_Height();
    rgb.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    uint8_t* p = rgb.data();
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x, p += 3) {
        int16_t r = 0, g = 0, b = 0;
        map->Get_Pixel(x, y, r, g, b);
        p[0] = static_cast<uint8_t>(r);
        p[1] = static_cast<uint8_t>(g);
        p[2] = static_cast<uint8_t>(b);
      }
    }
  }
  if (w > 0 && h > 0) stack.photo = Resample_RGB(rgb, w, h, stack.width, stack.height);
  return true;
}

std::string Size_Text(int64_t w, int64_t h) {
  return Text_Format("%lld x %lld", static_cast<long long>(w), static_cast<long long>(h));
}

bool Build(const ExportSource& source, int32_t width, int32_t height, bool wantLayers, LayerStack& stack,
           std::string& err, int threads) {
  err.clear();
  stack = LayerStack{};
  if (!Check_Print_Pixels(width, height, err)) return false;
  int32_t workW = 0, workH = 0;
  if (!Working_Size(source, workW, workH, err)) return false;
  const double sx = static_cast<double>(width) / workW;
  const double sy = static_cast<double>(height) / workH;
  stack.width = width;
  stack.height = height;

  // The regions, in drawing order; a region that cannot be painted is
  // missing from the picture, as in the working composition.
  std::vector<PrintRegion> regions;
  int64_t layerBytes = 0;
  for (const ComponentSubject* child : source.regions.Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region == nullptr) continue;
    PrintRegion prepared;
    std::string paintErr;
    if (!Prepare_Region(*region, sx, sy, width, height, prepared, paintErr) || prepared.cells.empty())
      continue;
    if (wantLayers) {
      ExportLayer layer;
      layer.name = Layer_Name(*region, layer.paintName);
      layer.separationId = region->Get_Separation_ID();
      int16_t r = 0, g = 0, b = 0;
      if (region->Get_Original_HuntColor_from_SeparationCreation(r, g, b))
        layer.paintColor =
            static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b);
      layer.left = prepared.xs.first;
      layer.top = prepared.ys.first;
      layer.width = prepared.xs.end - prepared.xs.first;
      layer.height = prepared.ys.end - prepared.ys.first;
      layerBytes += int64_t{4} * layer.width * layer.height;
      if (layerBytes > kMaxPrintLayerBytes) {
        err = Text_Format(
            "Build_Print_Layer_Stack FAILED,  the region layers at %s would take more than %lld MB; "
            "choose a smaller print size.",
            Size_Text(width, height).c_str(), static_cast<long long>(kMaxPrintLayerBytes >> 20));
        stack = LayerStack{};
        return false;
      }
      layer.rgba.assign(static_cast<size_t>(layer.width) * static_cast<size_t>(layer.height) * 4, 0);
      prepared.layer = static_cast<int32_t>(stack.regions.size());
      stack.regions.push_back(std::move(layer));
    }
    regions.push_back(std::move(prepared));
  }

  // The outline and how it is merged.
  const RenderMan& renderMan = source.renderMan;
  const OffMap* outlineMap = renderMan.Get_Outline_Map();
  const bool outline = outlineMap != nullptr && !renderMan.Get_Hide_Outline() &&
                       outlineMap->Get_Width() > 0 && outlineMap->Get_Height() > 0 &&
                       !outlineMap->Is_Not_In_Memory();
  OutlineMerge merge;
  merge.darkness = renderMan.Get_Outline_Darkness();
  merge.liteness = renderMan.Get_Outline_Liteness();
  merge.style = renderMan.Get_Outline_Style();
  OutlinePlacement place;
  std::vector<uint8_t> outlineGrey;
  int32_t outlineW = 0, outlineH = 0;
  PrintBrush brush;
  bool fromChains = false;
  if (outline) {
    outlineW = outlineMap->Get_Width();
    outlineH = outlineMap->Get_Height();
    place.Set(outlineW, outlineH, workW, workH);
    place.sx = sx;
    place.sy = sy;
    // The brush the chains were painted with: the row the source names,
    // else the line style the outline dialog last painted with.
    const ResourceBitmapUtility* painted = nullptr;
    const auto rows = renderMan.Get_Bitmap_Utilities();
    if (source.chainBrush >= 0 && source.chainBrush < RenderMan::kBitmapUtilityCount) {
      painted = &rows[static_cast<size_t>(source.chainBrush)];
    } else if (const std::string& lineStyle = renderMan.Get_Outline_Line_Style(); !lineStyle.empty()) {
      for (const ResourceBitmapUtility& row : rows)
        if (Equal_NoCase(row.name, lineStyle)) painted = &row;
    }
    if (source.chains != nullptr && painted != nullptr && painted->m_pencilMapFromResource != nullptr) {
      const ResourceBitmapUtility& row = *painted;
      const OffMap& strip = *row.m_pencilMapFromResource;
      brush.stripW = strip.Get_Width();
      brush.stripH = strip.Get_Height();
      brush.strip.resize(static_cast<size_t>(brush.stripW) * static_cast<size_t>(brush.stripH));
      for (int32_t y = 0; y < brush.stripH; ++y)
        for (int32_t x = 0; x < brush.stripW; ++x) {
          int16_t r = 0, g = 0, b = 0;
          strip.Get_Pixel(x, y, r, g, b);
          brush.strip[static_cast<size_t>(y) * static_cast<size_t>(brush.stripW) + static_cast<size_t>(x)] =
              static_cast<uint8_t>(r);
        }
      brush.scale = std::sqrt((sx / place.ax) * (sy / place.ay));
      brush.radius = brush.stripH * brush.scale / 2;
      fromChains = brush.stripW > 2 * brush.stripH;
    }
    if (!fromChains) {
      outlineGrey.resize(static_cast<size_t>(outlineW) * static_cast<size_t>(outlineH));
      for (int32_t y = 0; y < outlineH; ++y)
        for (int32_t x = 0; x < outlineW; ++x) {
          int16_t r = 0, g = 0, b = 0;
          outlineMap->Get_Pixel(x, y, r, g, b);
          outlineGrey[static_cast<size_t>(y) * static_cast<size_t>(outlineW) + static_cast<size_t>(x)] =
              static_cast<uint8_t>(r);
        }
    }
  }

  stack.composite.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 255);
  if (outline && wantLayers)
    stack.outlineGrey.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 255);
  const int bands = Thread_Count(threads, height);
  // Each band's stroke rows are allocated here, so that running out of
  // memory is reported rather than met inside a thread.
  std::vector<std::vector<uint8_t>> strokes(static_cast<size_t>(bands));
  if (fromChains) {
    for (int t = 0; t < bands; ++t) {
      const auto rows =
          static_cast<int64_t>(height) * (t + 1) / bands - static_cast<int64_t>(height) * t / bands;
      strokes[static_cast<size_t>(t)].resize(static_cast<size_t>(rows) * static_cast<size_t>(width));
    }
  }
  Run_Bands(height, bands, [&](int band, int32_t y0, int32_t y1) {
    uint8_t* rgb = stack.composite.data();
    for (const PrintRegion& region : regions)
      Draw_Region_Rows(region, y0, y1, width, rgb,
                       region.layer < 0 ? nullptr : &stack.regions[static_cast<size_t>(region.layer)]);
    if (!outline) return;
    std::vector<uint8_t>& stroke = strokes[static_cast<size_t>(band)];
    if (fromChains) {
      std::fill(stroke.begin(), stroke.end(), 255);
      Draw_Chains_Rows(*source.chains, place, brush, width, y0, y1, stroke);
    }
    for (int32_t y = y0; y < y1; ++y) {
      const double oy = place.Outline_Y(y);
      uint8_t* q = rgb + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
      for (int32_t x = 0; x < width; ++x, q += 3) {
        const int m =
            fromChains
                ? stroke[static_cast<size_t>(y - y0) * static_cast<size_t>(width) + static_cast<size_t>(x)]
                : Bilinear_Grey(outlineGrey, outlineW, outlineH, place.Outline_X(x), oy);
        if (m >= 230) continue;
        const int32_t e = merge.Darkening(m, q[0], q[1], q[2]);
        if (e == 0) continue;
        for (int ch = 0; ch < 3; ++ch) q[ch] = static_cast<uint8_t>(q[ch] > e ? q[ch] - e : 0);
        if (!stack.outlineGrey.empty())
          stack.outlineGrey[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
              static_cast<uint8_t>(255 - e);
      }
    }
  });
  if (wantLayers && !Fill_Photo(source, stack, err)) {
    stack = LayerStack{};
    return false;
  }
  return true;
}

}  // namespace

bool Check_Print_Pixels(int64_t width, int64_t height, std::string& err) {
  if (width < 1 || height < 1) {
    err = "the print size " + Size_Text(width, height) + " has no pixels";
    return false;
  }
  if (width > kMaxPicturePixels / height) {
    err = Text_Format("the print size %s is %lld pixels; the picture codec takes at most %lld",
                      Size_Text(width, height).c_str(), static_cast<long long>(width * height),
                      static_cast<long long>(kMaxPicturePixels));
    return false;
  }
  return true;
}

bool Check_Print_Size(int32_t width, int32_t height, const PrintSizeLimit& limit, std::string& err) {
  if (!Check_Print_Pixels(width, height, err)) return false;
  if (width <= limit.width && height <= limit.height) return true;
  err =
      "the print size " + Size_Text(width, height) + " is larger than " +
      (limit.fromPhoto ? "the photo's own size, " : Text_Format("%d x the working size, ", kPrintMaxScale)) +
      Size_Text(limit.width, limit.height);
  return false;
}

bool Print_Size_Limit(const ExportSource& source, PrintSizeLimit& limit, std::string& err) {
  err.clear();
  limit = PrintSizeLimit{};
  std::unique_ptr<PlatformImage> decoded;
  if (const PlatformImage* photo = Source_Photo(source, decoded, err)) {
    limit.width = photo->Get_Width();
    limit.height = photo->Get_Height();
    limit.fromPhoto = true;
    return true;
  }
  if (!err.empty()) return false;
  int32_t w = 0, h = 0;
  if (!Working_Size(source, w, h, err)) return false;
  limit.width = w * kPrintMaxScale;
  limit.height = h * kPrintMaxScale;
  return true;
}

bool Build_Print_Layer_Stack(const ExportSource& source, int32_t width, int32_t height, bool wantLayers,
                             LayerStack& stack, std::string& err) {
  return Build_Print_Layer_Stack(source, width, height, wantLayers, stack, err, 0);
}

bool Build_Print_Layer_Stack(const ExportSource& source, int32_t width, int32_t height, bool wantLayers,
                             LayerStack& stack, std::string& err, int threads) {
  try {
    return Build(source, width, height, wantLayers, stack, err, threads);
  } catch (const std::bad_alloc&) {
    stack = LayerStack{};
    err =
        "Build_Print_Layer_Stack FAILED,  could not allocate the print at " + Size_Text(width, height) + ".";
    return false;
  }
}

std::vector<uint8_t> Resample_RGB(const std::vector<uint8_t>& rgb, int32_t w, int32_t h, int32_t outW,
                                  int32_t outH) {
  if (w <= 0 || h <= 0 || outW <= 0 || outH <= 0) return {};
  if (w == outW && h == outH) return rgb;
  const Taps across = Make_Taps(w, outW);
  const Taps down = Make_Taps(h, outH);
  // Rows first into floats, then columns.
  std::vector<float> wide(static_cast<size_t>(outW) * static_cast<size_t>(h) * 3);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* in = rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(w) * 3;
    float* out = wide.data() + static_cast<size_t>(y) * static_cast<size_t>(outW) * 3;
    for (int32_t x = 0; x < outW; ++x) {
      const size_t k = static_cast<size_t>(x);
      const float* weight = across.weight.data() + across.offset[k];
      const uint8_t* p = in + static_cast<size_t>(across.first[k]) * 3;
      float r = 0, g = 0, b = 0;
      for (int32_t t = 0; t < across.count[k]; ++t, p += 3) {
        r += weight[t] * p[0];
        g += weight[t] * p[1];
        b += weight[t] * p[2];
      }
      out[x * 3] = r;
      out[x * 3 + 1] = g;
      out[x * 3 + 2] = b;
    }
  }
  std::vector<uint8_t> result(static_cast<size_t>(outW) * static_cast<size_t>(outH) * 3);
  const size_t rowFloats = static_cast<size_t>(outW) * 3;
  for (int32_t y = 0; y < outH; ++y) {
    const size_t k = static_cast<size_t>(y);
    const float* weight = down.weight.data() + down.offset[k];
    uint8_t* out = result.data() + k * rowFloats;
    for (size_t i = 0; i < rowFloats; ++i) {
      float v = 0;
      for (int32_t t = 0; t < down.count[k]; ++t)
        v += weight[t] * wide[(static_cast<size_t>(down.first[k]) + static_cast<size_t>(t)) * rowFloats + i];
      out[i] = Round_Byte(v);
    }
  }
  return result;
}

std::unique_ptr<OffMap> Composite_Map(const LayerStack& stack) {
  std::unique_ptr<OffMap> map = OffMap::Make(stack.width, stack.height, 24);
  if (map == nullptr) return nullptr;
  const uint8_t* p = stack.composite.data();
  for (int32_t y = 0; y < stack.height; ++y) {
    uint8_t* row = map->Row(y);
    for (int32_t x = 0; x < stack.width; ++x, p += 3, row += 3) {
      row[0] = p[2];
      row[1] = p[1];
      row[2] = p[0];
    }
  }
  return map;
}
