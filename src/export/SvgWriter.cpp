#include "export/SvgWriter.h"

#include <potracelib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "colors/StandardColors.h"
#include "export/ExportSource.h"
#include "outline/OutlineDetector.h"
#include "platform/SafeFile.h"
#include "raster/OffMap.h"
#include "regions/RegionListSubject.h"
#include "regions/RegionSubject.h"
#include "render/RenderMan.h"

namespace {

// ---- numbers and texts ---------------------------------------------------------------------

// `value` with at most two decimals, trailing zeros dropped; std::to_chars
// never looks at the locale.
void Put_Number(std::string& out, double value) {
  if (!std::isfinite(value)) value = 0;
  char buffer[64];
  const std::to_chars_result r =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  std::string_view text(buffer, static_cast<size_t>(r.ptr - buffer));
  while (text.back() == '0') text.remove_suffix(1);
  if (text.back() == '.') text.remove_suffix(1);
  if (text == "-0") text = "0";
  out += text;
}

void Put_Int(std::string& out, int64_t value) {
  char buffer[24];
  const std::to_chars_result r = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, r.ptr);
}

std::string Hex_Color(int r, int g, int b) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "#";
  for (int c : {r, g, b}) {
    c = std::clamp(c, 0, 255);
    text += kDigits[c >> 4];
    text += kDigits[c & 15];
  }
  return text;
}

// Length of the UTF-8 sequence at `p` (of `left` bytes) and its code
// point; 0 when the bytes there are not well-formed UTF-8.
size_t Utf8_Sequence(const unsigned char* p, size_t left, uint32_t& code) {
  const unsigned char b = p[0];
  size_t length = 0;
  uint32_t min = 0;
  if (b < 0x80) {
    code = b;
    return 1;
  }
  if ((b & 0xE0) == 0xC0) {
    length = 2, code = b & 0x1Fu, min = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    length = 3, code = b & 0x0Fu, min = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    length = 4, code = b & 0x07u, min = 0x10000;
  } else {
    return 0;
  }
  if (left < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (p[i] & 0x3Fu);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// ---- potrace ---------------------------------------------------------------------------------

struct TraceStateDeleter {
  void operator()(potrace_state_t* state) const { potrace_state_free(state); }
};
struct TraceParamDeleter {
  void operator()(potrace_param_t* param) const { potrace_param_free(param); }
};

// A 1-bit picture of w x h pixels in potrace's layout (one bit a pixel, the
// leftmost the most significant bit of a word).
class TraceBitmap {
 public:
  TraceBitmap(int32_t w, int32_t h)
      : m_w(w),
        m_h(h),
        m_dy((w + kBits - 1) / kBits),
        m_words(static_cast<size_t>(m_dy) * static_cast<size_t>(h)) {}
  void Set(int32_t x, int32_t y) {
    m_words[static_cast<size_t>(y) * static_cast<size_t>(m_dy) + static_cast<size_t>(x / kBits)] |=
        kTop >> (x % kBits);
  }
  potrace_bitmap_t View() { return potrace_bitmap_t{m_w, m_h, m_dy, m_words.data()}; }

 private:
  static constexpr int32_t kBits = static_cast<int32_t>(sizeof(potrace_word) * CHAR_BIT);
  static constexpr potrace_word kTop = static_cast<potrace_word>(1) << (kBits - 1);
  int32_t m_w, m_h, m_dy;
  std::vector<potrace_word> m_words;
};

// Traces the set pixels of `bitmap` into path data: every closed curve
// potrace finds (outer edges and holes alike) as one subpath, so that the
// even-odd rule fills what the pixels cover.  Point (x, y) of the bitmap
// is drawn at (left + x * scaleX, top + y * scaleY).
bool Trace_To_Path_Data(TraceBitmap& bitmap, double left, double top, double scaleX, double scaleY,
                        std::string& d, std::string& err) {
  d.clear();
  std::unique_ptr<potrace_param_t, TraceParamDeleter> param(potrace_param_default());
  if (param == nullptr) {
    err = "SVG export: the tracer could not be set up";
    return false;
  }
  param->turdsize = 0;  // every painted pixel counts, however small its patch
  const potrace_bitmap_t view = bitmap.View();
  std::unique_ptr<potrace_state_t, TraceStateDeleter> state(potrace_trace(param.get(), &view));
  if (state == nullptr || state->status != POTRACE_STATUS_OK) {
    err = "SVG export: tracing a region failed (out of memory)";
    return false;
  }
  auto point = [&](const potrace_dpoint_t& p) {
    Put_Number(d, left + p.x * scaleX);
    d += ' ';
    Put_Number(d, top + p.y * scaleY);
  };
  for (const potrace_path_t* path = state->plist; path != nullptr; path = path->next) {
    const potrace_curve_t& curve = path->curve;
    if (curve.n < 1) continue;
    if (!d.empty()) d += ' ';
    d += 'M';
    point(curve.c[curve.n - 1][2]);
    for (int i = 0; i < curve.n; ++i) {
      if (curve.tag[i] == POTRACE_CORNER) {
        d += 'L';
        point(curve.c[i][1]);
        d += ' ';
        point(curve.c[i][2]);
      } else {
        d += 'C';
        point(curve.c[i][0]);
        d += ' ';
        point(curve.c[i][1]);
        d += ' ';
        point(curve.c[i][2]);
      }
    }
    d += 'Z';
  }
  return true;
}

// ---- embedded pictures ------------------------------------------------------------------------

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void Put_Be32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void Put_Chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  Put_Be32(png, static_cast<uint32_t>(data.size()));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  Put_Be32(png, Crc32(png.data() + start, png.size() - start));
}

// An RGBA PNG of w x h pixels (rows of w * 4 bytes).  The image data is
// stored uncompressed (deflate's stored blocks): the export needs no
// compression library, and the pictures are only embedded on request.
std::vector<uint8_t> Encode_Png_Rgba(const std::vector<uint8_t>& rgba, int32_t w, int32_t h) {
  std::vector<uint8_t> raw;
  raw.reserve(static_cast<size_t>(h) * (static_cast<size_t>(w) * 4 + 1));
  for (int32_t y = 0; y < h; ++y) {
    raw.push_back(0);  // no filter
    const auto row = rgba.begin() + static_cast<ptrdiff_t>(y) * w * 4;
    raw.insert(raw.end(), row, row + static_cast<ptrdiff_t>(w) * 4);
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  size_t at = 0;
  do {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    const bool last = at + n == raw.size();
    z.push_back(last ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n & 0xFF));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n & 0xFF));
    z.push_back(static_cast<uint8_t>((~n >> 8) & 0xFF));
    z.insert(z.end(), raw.begin() + static_cast<ptrdiff_t>(at), raw.begin() + static_cast<ptrdiff_t>(at + n));
    at += n;
  } while (at < raw.size());
  Put_Be32(z, (b << 16) | a);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put_Be32(header, static_cast<uint32_t>(w));
  Put_Be32(header, static_cast<uint32_t>(h));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter choice, no interlace
  Put_Chunk(png, "IHDR", header);
  Put_Chunk(png, "IDAT", z);
  Put_Chunk(png, "IEND", {});
  return png;
}

void Put_Base64(std::string& out, const std::vector<uint8_t>& data) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  size_t i = 0;
  for (; i + 2 < data.size(); i += 3) {
    const uint32_t v = (uint32_t{data[i]} << 16) | (uint32_t{data[i + 1]} << 8) | data[i + 2];
    for (int shift = 18; shift >= 0; shift -= 6) out += kAlphabet[(v >> shift) & 63];
  }
  if (i < data.size()) {
    const bool two = i + 1 < data.size();
    const uint32_t v = (uint32_t{data[i]} << 16) | (two ? uint32_t{data[i + 1]} << 8 : 0);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += two ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
}

// ---- regions ---------------------------------------------------------------------------------

struct TracedRegion {
  std::string d;     // path data on the canvas
  std::string fill;  // #rrggbb
  // With textures: the painted pixels as a PNG over the box.
  std::vector<uint8_t> png;
  int32_t left = 0, top = 0, width = 0, height = 0;
};

struct Row {
  int16_t separationId = -1;
  std::string label;
  std::vector<TracedRegion> regions;
};

// The region painted on the white `scratch` canvas, read back over its
// clipped frame, traced, and the frame whitened again.  False with `err`
// only when tracing fails; a region that paints nothing gets an empty path.
bool Trace_Region(const RegionSubject& region, OffMap& scratch, bool texture, TracedRegion& out,
                  std::string& err) {
  std::string paintErr;
  // As in the layered image: a region that cannot be painted is missing.
  if (!region.Paint_Transparent_To_DestMap(scratch, 100, paintErr)) return true;
  const Graphic& frame = region.Get_Current_Descriptor().frame;
  const int64_t x0 = std::max<int64_t>(0, frame.Get_Position().x);
  const int64_t y0 = std::max<int64_t>(0, frame.Get_Position().y);
  const int64_t x1 =
      std::min<int64_t>(scratch.Get_Width(), int64_t{frame.Get_Position().x} + frame.Get_Width());
  const int64_t y1 =
      std::min<int64_t>(scratch.Get_Height(), int64_t{frame.Get_Position().y} + frame.Get_Height());
  if (x0 >= x1 || y0 >= y1) return true;
  const auto w = static_cast<int32_t>(x1 - x0);
  const auto h = static_cast<int32_t>(y1 - y0);

  TraceBitmap bitmap(w, h);
  int64_t count = 0, sumR = 0, sumG = 0, sumB = 0;
  if (texture) out.png.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
  for (int32_t y = 0; y < h; ++y) {
    uint8_t* row = scratch.Row(static_cast<int32_t>(y0) + y) + 3 * x0;
    for (int32_t x = 0; x < w; ++x) {
      uint8_t* p = row + 3 * x;  // blue, green, red
      if (p[0] == 255 && p[1] == 255 && p[2] == 255) continue;
      bitmap.Set(x, y);
      ++count;
      sumR += p[2];
      sumG += p[1];
      sumB += p[0];
      if (texture) {
        uint8_t* q =
            out.png.data() + (static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 4;
        q[0] = p[2], q[1] = p[1], q[2] = p[0], q[3] = 255;
      }
    }
    std::memset(row, 255, static_cast<size_t>(w) * 3);
  }
  if (count == 0) {
    out.png.clear();
    return true;
  }
  out.fill =
      Hex_Color(static_cast<int>((sumR + count / 2) / count), static_cast<int>((sumG + count / 2) / count),
                static_cast<int>((sumB + count / 2) / count));
  out.left = static_cast<int32_t>(x0), out.top = static_cast<int32_t>(y0), out.width = w, out.height = h;
  if (texture) out.png = Encode_Png_Rgba(out.png, w, h);
  return Trace_To_Path_Data(bitmap, static_cast<double>(x0), static_cast<double>(y0), 1.0, 1.0, out.d, err);
}

std::string Row_Label(int16_t separationId, int16_t huntColorIndex) {
  std::string name;
  if (!Get_StandardColors_Nickname(huntColorIndex, name) || name.empty()) name = "Unnamed paint";
  return separationId >= 0 ? std::to_string(separationId + 1) + " " + name : name;
}

// ---- the outline -----------------------------------------------------------------------------

// The outline's grey at (x, y): the first component, as the merge reads it.
int Outline_Grey(const OffMap& map, int32_t x, int32_t y) {
  if (map.Get_Depth() == 8) return map.Row(y)[x];
  if (map.Get_Depth() == 24) return map.Row(y)[3 * x + 2];
  int16_t r = 0, g = 0, b = 0;
  map.Get_Pixel(x, y, r, g, b);
  return r;
}

// How much the merge takes off white paper under a stroke of grey `m`
// (RenderMan::Merge_OutlineMap_with_Source with a white source pixel), as
// an opacity of black.
double Outline_Opacity(const RenderMan& renderMan, double m) {
  const double k = std::min(255.0, (256 - m) * renderMan.Get_Outline_Darkness() / 100.0);
  const double liteness = renderMan.Get_Outline_Liteness();
  double e = 0;
  switch (renderMan.Get_Outline_Style()) {
    case 0:
      e = std::min(200.0, k - 0.5 * liteness);
      break;
    case 1:
      e = std::min(230.0, k - 0.75 * liteness);
      break;
    case 2:
      e = std::min(180.0, (k - 1.5 * liteness) * 0.7);
      break;
    default:
      break;
  }
  return std::clamp(e, 0.0, 255.0) / 255.0;
}

struct OutlineLayer {
  std::string element;  // the <path .../> element; empty for no outline
};

bool Build_Outline(const ExportSource& source, int32_t canvasW, int32_t canvasH, OutlineLayer& layer,
                   std::string& err) {
  const RenderMan& renderMan = source.renderMan;
  const OffMap* map = renderMan.Get_Outline_Map();
  if (map == nullptr || renderMan.Get_Hide_Outline() != 0 || map->Is_Not_In_Memory()) return true;
  const int32_t mapW = map->Get_Width(), mapH = map->Get_Height();
  if (mapW <= 0 || mapH <= 0) return true;
  // The merge stretches the outline map over the canvas.
  const double sx = static_cast<double>(canvasW) / mapW;
  const double sy = static_cast<double>(canvasH) / mapH;

  int64_t dark = 0, sum = 0;
  for (int32_t y = 0; y < mapH; ++y)
    for (int32_t x = 0; x < mapW; ++x) {
      const int m = Outline_Grey(*map, x, y);
      if (m < 230) ++dark, sum += m;
    }
  if (dark == 0) return true;
  std::string opacity;
  Put_Number(opacity, Outline_Opacity(renderMan, static_cast<double>(sum) / static_cast<double>(dark)));

  std::string d;
  if (source.chains != nullptr) {
    // The strokes as the outline painter lays them: the visible chains'
    // pixels shifted by the chain's nudge, points left or above the map
    // skipped.
    double length = 0;
    for (const PixelChain* chain : *source.chains) {
      if (!chain->m_visible) continue;
      bool first = true;
      double px = 0, py = 0;
      for (const Pixel* pixel : *chain) {
        const int32_t x = pixel->x + chain->m_dx, y = pixel->y + chain->m_dy;
        if (x < 0 || y < 0) continue;
        if (!d.empty() && first) d += ' ';
        d += first ? 'M' : 'L';
        Put_Number(d, (x + 0.5) * sx);
        d += ' ';
        Put_Number(d, (y + 0.5) * sy);
        if (!first) length += std::hypot(x - px, y - py);
        if (first && chain->Get_Count() == 1) d += "l0 0";  // a dot
        first = false;
        px = x, py = y;
      }
    }
    if (d.empty()) return true;
    // The stroke is as wide as the part of the brush's strip that the merge
    // shows: the strip's rows run across the stroke, and a row counts when
    // its grey as painted (OutlineDetector::Blend_Value), averaged along the
    // strip, is under 230.  Without the brush: the painted area over the
    // length of the strokes.
    double width = 0;
    const auto brushes = renderMan.Get_Bitmap_Utilities();
    const OffMap* strip = source.chainBrush >= 0 && source.chainBrush < static_cast<int16_t>(brushes.size())
                              ? brushes[static_cast<size_t>(source.chainBrush)].m_pencilMapFromResource.get()
                              : nullptr;
    if (strip != nullptr && strip->Get_Depth() == 8 && strip->Get_Width() > 0) {
      for (int32_t y = 0; y < strip->Get_Height(); ++y) {
        int64_t rowSum = 0;
        for (int32_t x = 0; x < strip->Get_Width(); ++x)
          rowSum += OutlineDetector::Blend_Value(strip->Row(y)[x]);
        if (rowSum < 230 * static_cast<int64_t>(strip->Get_Width())) ++width;
      }
      width = std::max(width, 1.0);
    } else {
      width = length > 0 ? std::clamp(static_cast<double>(dark) / length, 1.0, 12.0) : 1.0;
    }
    std::string widthText;
    Put_Number(widthText, width * sx);
    layer.element = "<path d=\"" + d + "\" style=\"fill:none;stroke:#000000;stroke-opacity:" + opacity +
                    ";stroke-width:" + widthText + ";stroke-linecap:round;stroke-linejoin:round\"/>\n";
    return true;
  }

  TraceBitmap bitmap(mapW, mapH);
  for (int32_t y = 0; y < mapH; ++y)
    for (int32_t x = 0; x < mapW; ++x)
      if (Outline_Grey(*map, x, y) < 230) bitmap.Set(x, y);
  if (!Trace_To_Path_Data(bitmap, 0, 0, sx, sy, d, err)) return false;
  if (d.empty()) return true;
  layer.element = "<path d=\"" + d + "\" style=\"fill:#000000;fill-opacity:" + opacity +
                  ";fill-rule:evenodd;stroke:none\"/>\n";
  return true;
}

}  // namespace

std::string Xml_Escape(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  size_t i = 0;
  while (i < text.size()) {
    uint32_t code = 0;
    const size_t n = Utf8_Sequence(p + i, text.size() - i, code);
    const bool allowed = n > 0 && (code >= 0x20 || code == '\t' || code == '\n' || code == '\r') &&
                         code != 0xFFFE && code != 0xFFFF;
    if (!allowed) {
      out += "\xEF\xBF\xBD";
      i += n > 0 ? n : 1;
      continue;
    }
    switch (code) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        out.append(text, i, n);
        break;
    }
    i += n;
  }
  return out;
}

bool Build_Vector_Svg(const ExportSource& source, const SvgOptions& options, std::string& svg,
                      SvgCounts& counts, std::string& err) {
  err.clear();
  svg.clear();
  counts = SvgCounts{};
  const RenderMan& renderMan = source.renderMan;
  const OffMap* canvasMap =
      renderMan.Get_Layered_Map() != nullptr ? renderMan.Get_Layered_Map() : renderMan.Get_Source_Map();
  if (canvasMap == nullptr || canvasMap->Get_Width() <= 0 || canvasMap->Get_Height() <= 0) {
    err = "SVG export: there is no picture to export";
    return false;
  }
  const int32_t canvasW = canvasMap->Get_Width(), canvasH = canvasMap->Get_Height();
  std::unique_ptr<OffMap> scratch = OffMap::Make(canvasW, canvasH, 24);
  if (scratch == nullptr || scratch->Is_Not_In_Memory()) {
    err = "SVG export: out of memory";
    return false;
  }
  scratch->Fill(255);

  // The regions in drawing order, gathered by separation row.
  std::vector<Row> rows;
  std::string leftOut;
  for (const ComponentSubject* child : source.regions.Get_Children_List()) {
    const auto* region = dynamic_cast<const RegionSubject*>(child);
    if (region == nullptr) continue;
    const bool texture = options.textures && !region->Is_Auto_Descriptor_Active();
    TracedRegion traced;
    if (!Trace_Region(*region, *scratch, texture, traced, err)) return false;
    if (traced.d.empty()) {
      ++counts.leftOut;
      if (!leftOut.empty()) leftOut += ", ";
      leftOut += std::to_string(region->Get_Serial_Number());
      continue;
    }
    const int16_t id = region->Get_Separation_ID();
    auto row = std::find_if(rows.begin(), rows.end(), [id](const Row& r) { return r.separationId == id; });
    if (row == rows.end()) {
      rows.push_back(Row{id, Row_Label(id, region->Get_Hunt_Color_Index()), {}});
      row = rows.end() - 1;
    }
    row->regions.push_back(std::move(traced));
    ++counts.regionPaths;
  }
  OutlineLayer outline;
  if (!Build_Outline(source, canvasW, canvasH, outline, err)) return false;

  const int32_t shownW = options.printWidth > 0 ? options.printWidth : canvasW;
  const int32_t shownH = options.printHeight > 0 ? options.printHeight : canvasH;
  svg.reserve(1 << 16);
  svg += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
  svg +=
      "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
      "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" version=\"1.1\" width=\"";
  Put_Int(svg, shownW);
  svg += "\" height=\"";
  Put_Int(svg, shownH);
  svg += "\" viewBox=\"0 0 ";
  Put_Int(svg, canvasW);
  svg += ' ';
  Put_Int(svg, canvasH);
  svg += "\">\n<title>";
  svg += Xml_Escape(source.photoPath.empty() ? std::string("Quorlin Separator illustration")
                                             : "Quorlin Separator illustration of " + source.photoPath);
  svg +=
      "</title>\n<desc>Regions traced from the layered image, one layer per separation row. Each region is "
      "filled with the mean colour it paints and blended with mix-blend-mode:multiply, the standard blend "
      "nearest to the program's glazing (paint + under - 256): both leave the paint itself on white paper, "
      "and multiply darkens a little less where paints overlap.";
  if (!outline.element.empty())
    svg += " The outline lies on top in black at the opacity its darkness gives it.";
  svg += "</desc>\n";
  if (!leftOut.empty()) {
    svg += "<!-- Left out, painting nothing on the canvas: regions ";
    svg += leftOut;
    svg += " -->\n";
  }
  svg += "<rect width=\"";
  Put_Int(svg, canvasW);
  svg += "\" height=\"";
  Put_Int(svg, canvasH);
  svg += "\" fill=\"#ffffff\"/>\n";

  int64_t clips = 0;
  for (size_t r = 0; r < rows.size(); ++r) {
    svg += "<g id=\"layer";
    Put_Int(svg, static_cast<int64_t>(r) + 1);
    svg += "\" inkscape:groupmode=\"layer\" inkscape:label=\"";
    svg += Xml_Escape(rows[r].label);
    svg += "\">\n";
    for (const TracedRegion& region : rows[r].regions) {
      if (region.png.empty()) {
        svg += "<path d=\"";
        svg += region.d;
        svg += "\" style=\"fill:";
        svg += region.fill;
        svg += ";fill-rule:evenodd;stroke:none;mix-blend-mode:multiply\"/>\n";
        continue;
      }
      ++clips;
      svg += "<clipPath id=\"clip";
      Put_Int(svg, clips);
      svg += "\"><path d=\"";
      svg += region.d;
      svg += "\" style=\"fill-rule:evenodd\" clip-rule=\"evenodd\"/></clipPath>\n";
      svg += "<image x=\"";
      Put_Int(svg, region.left);
      svg += "\" y=\"";
      Put_Int(svg, region.top);
      svg += "\" width=\"";
      Put_Int(svg, region.width);
      svg += "\" height=\"";
      Put_Int(svg, region.height);
      svg += "\" preserveAspectRatio=\"none\" clip-path=\"url(#clip";
      Put_Int(svg, clips);
      svg +=
          ")\" style=\"image-rendering:optimizeSpeed;mix-blend-mode:multiply\" "
          "xlink:href=\"data:image/png;base64,";
      Put_Base64(svg, region.png);
      svg += "\"/>\n";
    }
    svg += "</g>\n";
  }
  counts.layers = static_cast<int32_t>(rows.size());
  if (!outline.element.empty()) {
    svg += "<g id=\"outline\" inkscape:groupmode=\"layer\" inkscape:label=\"Outline\">\n";
    svg += outline.element;
    svg += "</g>\n";
    counts.outlinePaths = 1;
    ++counts.layers;
  }
  svg += "</svg>\n";
  return true;
}

bool Write_Vector_Svg(const ExportSource& source, const SvgOptions& options, const std::string& path,
                      std::string& err, SvgCounts* counts) {
  std::string svg;
  SvgCounts local;
  if (!Build_Vector_Svg(source, options, svg, counts != nullptr ? *counts : local, err)) return false;
  std::string reason;
  if (!Write_File_Safely(path, svg.data(), svg.size(), reason)) {
    err = "SVG export: can not write " + path + ": " + reason;
    return false;
  }
  return true;
}
