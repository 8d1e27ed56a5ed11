#include "export/PsdWriter.h"

#include <limits>

#include "platform/SafeFile.h"
#include "platform/Text.h"

namespace {

// Big-endian numbers, as every PSD field is stored.
void Put16(std::vector<uint8_t>& out, int32_t v) {
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
  out.push_back(static_cast<uint8_t>(v & 0xFF));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>((v >> shift) & 0xFF));
}
void Patch32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int k = 0; k < 4; ++k)
    out[at + static_cast<size_t>(k)] = static_cast<uint8_t>((v >> (24 - 8 * k)) & 0xFF);
}
void Put_Text(std::vector<uint8_t>& out, const char* four) {
  out.insert(out.end(), four, four + 4);
}

// One layer as the file stores it: its box and its planes (channel id and
// width * height bytes).
struct PsdLayer {
  std::string name;
  const char* blend = "norm";
  bool hidden = false;
  int32_t left = 0, top = 0, width = 0, height = 0;
  std::vector<std::pair<int16_t, std::vector<uint8_t>>> planes;
  // Compressed channels (compression code, row counts, rows), in plane order.
  std::vector<std::vector<uint8_t>> channels;
};

// Compresses `plane` (width x height) as one channel: code 1, the row byte
// counts, the rows.  An empty plane is stored raw: the code alone.
std::vector<uint8_t> Compress_Channel(const std::vector<uint8_t>& plane, int32_t width, int32_t height) {
  std::vector<uint8_t> out;
  if (width <= 0 || height <= 0) {
    Put16(out, 0);
    return out;
  }
  Put16(out, 1);
  const size_t countsAt = out.size();
  out.resize(out.size() + static_cast<size_t>(height) * 2);
  for (int32_t y = 0; y < height; ++y) {
    const size_t before = out.size();
    PackBits_Row(plane.data() + static_cast<size_t>(y) * static_cast<size_t>(width),
                 static_cast<size_t>(width), out);
    const size_t n = out.size() - before;  // at most width + width / 128 + 1 < 65536
    out[countsAt + static_cast<size_t>(y) * 2] = static_cast<uint8_t>(n >> 8);
    out[countsAt + static_cast<size_t>(y) * 2 + 1] = static_cast<uint8_t>(n & 0xFF);
  }
  return out;
}

// A full-canvas layer of three colour planes and an opaque transparency plane.
PsdLayer Canvas_Layer(const LayerStack& stack, std::string name, const char* blend, bool hidden) {
  PsdLayer layer;
  layer.name = std::move(name);
  layer.blend = blend;
  layer.hidden = hidden;
  layer.width = stack.width;
  layer.height = stack.height;
  const size_t n = static_cast<size_t>(stack.width) * static_cast<size_t>(stack.height);
  layer.planes.emplace_back(-1, std::vector<uint8_t>(n, 255));
  for (int16_t c = 0; c < 3; ++c) layer.planes.emplace_back(c, std::vector<uint8_t>(n));
  return layer;
}

// Editors compute Linear Burn as under + layer - 255, while the program's
// glaze counts white paper as 256: paint + under - 256 where the paint lies
// over earlier paint, and the paint itself over white.  A region component
// below 255 is therefore stored one step darker wherever the component under
// it is below 255 (earlier paint lies there): under + (paint - 1) - 255 is
// the program's paint + under - 256, and over white (or over nothing, where
// an editor shows the paint as it is) the paint is kept.  Composing the
// region layers with Linear Burn over white then gives the program's
// picture exactly.  `under` is the picture of the layers below, updated.
PsdLayer Region_Layer(const ExportLayer& region, int32_t canvasWidth, std::vector<uint8_t>& under) {
  PsdLayer layer;
  layer.name = region.name;
  layer.blend = "lbrn";
  layer.left = region.left;
  layer.top = region.top;
  layer.width = region.width;
  layer.height = region.height;
  const size_t n = static_cast<size_t>(region.width) * static_cast<size_t>(region.height);
  std::vector<uint8_t> alpha(n), red(n, 255), green(n, 255), blue(n, 255);
  uint8_t* planes[3] = {red.data(), green.data(), blue.data()};
  size_t k = 0;
  for (int32_t y = 0; y < region.height; ++y) {
    const uint8_t* p = region.rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(region.width) * 4;
    uint8_t* q = under.data() + (static_cast<size_t>(region.top + y) * static_cast<size_t>(canvasWidth) +
                                 static_cast<size_t>(region.left)) *
                                    3;
    for (int32_t x = 0; x < region.width; ++x, ++k, p += 4, q += 3) {
      alpha[k] = p[3];
      if (p[3] == 0) continue;
      for (int c = 0; c < 3; ++c) {
        planes[c][k] = (q[c] < 255 && p[c] < 255) ? static_cast<uint8_t>(p[c] == 0 ? 0 : p[c] - 1) : p[c];
        q[c] = Glaze_Component(p[c], q[c], p[3]);
      }
    }
  }
  layer.planes.emplace_back(-1, std::move(alpha));
  layer.planes.emplace_back(0, std::move(red));
  layer.planes.emplace_back(1, std::move(green));
  layer.planes.emplace_back(2, std::move(blue));
  return layer;
}

// The layer name as a Pascal string (at most 255 bytes, bytes outside ASCII
// as '?'), padded with zeros to a multiple of 4 bytes, length byte included.
void Put_Pascal_Name(std::vector<uint8_t>& out, const std::string& name) {
  const size_t n = std::min<size_t>(name.size(), 255);
  out.push_back(static_cast<uint8_t>(n));
  for (size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    out.push_back(c < 0x80 ? c : static_cast<uint8_t>('?'));
  }
  for (size_t padded = n + 1; padded % 4 != 0; ++padded) out.push_back(0);
}

// The name as UTF-16 code units (UTF-8 decoded; a malformed byte becomes
// U+FFFD).
std::u16string Utf16_Name(const std::string& name) {
  std::u16string out;
  size_t i = 0;
  while (i < name.size()) {
    const auto c = static_cast<unsigned char>(name[i]);
    uint32_t cp = 0xFFFD;
    size_t len = 1;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0 || (c & 0xF0) == 0xE0 || (c & 0xF8) == 0xF0) {
      len = (c & 0xE0) == 0xC0 ? 2 : ((c & 0xF0) == 0xE0 ? 3 : 4);
      uint32_t v = c & (len == 2 ? 0x1F : (len == 3 ? 0x0F : 0x07));
      bool ok = i + len <= name.size();
      for (size_t k = 1; ok && k < len; ++k) {
        const auto d = static_cast<unsigned char>(name[i + k]);
        ok = (d & 0xC0) == 0x80;
        v = (v << 6) | (d & 0x3F);
      }
      const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
      if (ok && v >= least[len] && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
        cp = v;
      } else {
        len = 1;
      }
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

void Put_Layer_Record(std::vector<uint8_t>& out, const PsdLayer& layer) {
  Put32(out, static_cast<uint32_t>(layer.top));
  Put32(out, static_cast<uint32_t>(layer.left));
  Put32(out, static_cast<uint32_t>(layer.top + layer.height));
  Put32(out, static_cast<uint32_t>(layer.left + layer.width));
  Put16(out, static_cast<int32_t>(layer.planes.size()));
  for (size_t c = 0; c < layer.planes.size(); ++c) {
    Put16(out, layer.planes[c].first);
    Put32(out, static_cast<uint32_t>(layer.channels[c].size()));
  }
  Put_Text(out, "8BIM");
  Put_Text(out, layer.blend);
  out.push_back(255);  // opacity
  out.push_back(0);    // clipping: base
  // Flags: bit 1 set hides the layer; bit 3 says bit 4 is meaningful.
  out.push_back(static_cast<uint8_t>((layer.hidden ? 0x02 : 0x00) | 0x08));
  out.push_back(0);  // filler
  const size_t extraAt = out.size();
  Put32(out, 0);  // extra data length, patched below
  Put32(out, 0);  // no layer mask
  Put32(out, 0);  // no blending ranges
  Put_Pascal_Name(out, layer.name);
  // The full name in Unicode: count, UTF-16 big-endian units, padded to a
  // multiple of 4 bytes.
  const std::u16string units = Utf16_Name(layer.name);
  Put_Text(out, "8BIM");
  Put_Text(out, "luni");
  const size_t lengthAt = out.size();
  Put32(out, 0);
  const size_t start = out.size();
  Put32(out, static_cast<uint32_t>(units.size()));
  for (const char16_t u : units) Put16(out, u);
  while ((out.size() - start) % 4 != 0) out.push_back(0);
  Patch32(out, lengthAt, static_cast<uint32_t>(out.size() - start));
  Patch32(out, extraAt, static_cast<uint32_t>(out.size() - extraAt - 4));
}

}  // namespace

void PackBits_Row(const uint8_t* row, size_t n, std::vector<uint8_t>& out) {
  size_t i = 0;
  while (i < n) {
    size_t run = 1;
    while (i + run < n && run < 128 && row[i + run] == row[i]) ++run;
    if (run >= 3 || (run == 2 && i + run == n)) {
      out.push_back(static_cast<uint8_t>(257 - run));  // -(run - 1)
      out.push_back(row[i]);
      i += run;
      continue;
    }
    // Literal bytes up to the next run of three (or 128 bytes).
    const size_t start = i;
    while (i < n && i - start < 128) {
      if (i + 2 < n && row[i] == row[i + 1] && row[i] == row[i + 2]) break;
      ++i;
    }
    out.push_back(static_cast<uint8_t>(i - start - 1));
    out.insert(out.end(), row + start, row + i);
  }
}

int32_t Psd_Layer_Count(const LayerStack& stack) {
  return static_cast<int32_t>(stack.regions.size()) + (stack.photo.empty() ? 0 : 1) +
         (stack.outlineGrey.empty() ? 0 : 1);
}

bool Encode_Layered_Psd(const LayerStack& stack, std::vector<uint8_t>& bytes, std::string& err) {
  err.clear();
  bytes.clear();
  if (stack.width <= 0 || stack.height <= 0) {
    err = "the picture is empty";
    return false;
  }
  if (stack.width > kPsdMaxSide || stack.height > kPsdMaxSide) {
    err = Text_Format("the picture is %d x %d pixels; a PSD file holds at most 30000 pixels a side",
                      stack.width, stack.height);
    return false;
  }
  const size_t pixels = static_cast<size_t>(stack.width) * static_cast<size_t>(stack.height);
  if (stack.composite.size() != pixels * 3 || (!stack.photo.empty() && stack.photo.size() != pixels * 3) ||
      (!stack.outlineGrey.empty() && stack.outlineGrey.size() != pixels)) {
    err = "the layers do not match the picture's size";
    return false;
  }
  for (const ExportLayer& region : stack.regions) {
    if (region.left < 0 || region.top < 0 || region.width < 0 || region.height < 0 ||
        region.left + region.width > stack.width || region.top + region.height > stack.height ||
        region.rgba.size() != static_cast<size_t>(region.width) * static_cast<size_t>(region.height) * 4) {
      err = "the layer \"" + region.name + "\" does not lie inside the picture";
      return false;
    }
  }
  if (Psd_Layer_Count(stack) > std::numeric_limits<int16_t>::max()) {
    err = Text_Format("%d layers; a PSD file holds at most 32767", Psd_Layer_Count(stack));
    return false;
  }

  // Header, no colour mode data, no image resources.
  Put_Text(bytes, "8BPS");
  Put16(bytes, 1);
  bytes.insert(bytes.end(), 6, 0);
  Put16(bytes, 3);
  Put32(bytes, static_cast<uint32_t>(stack.height));
  Put32(bytes, static_cast<uint32_t>(stack.width));
  Put16(bytes, 8);
  Put16(bytes, 3);  // RGB
  Put32(bytes, 0);
  Put32(bytes, 0);

  // Layer and mask information: the layer records, then every layer's
  // channels in the records' order.  Each layer's planes are compressed as
  // soon as it is built, so only one layer is held uncompressed at a time.
  std::vector<PsdLayer> layers;
  layers.reserve(static_cast<size_t>(Psd_Layer_Count(stack)));
  uint64_t channelBytes = 0;
  const auto add = [&](PsdLayer layer) {
    for (auto& plane : layer.planes) {
      layer.channels.push_back(Compress_Channel(plane.second, layer.width, layer.height));
      channelBytes += layer.channels.back().size();
      std::vector<uint8_t>().swap(plane.second);
    }
    layers.push_back(std::move(layer));
  };
  if (!stack.photo.empty()) {
    PsdLayer photo = Canvas_Layer(stack, "Photo", "norm", true);
    for (size_t i = 0; i < pixels; ++i)
      for (int c = 0; c < 3; ++c)
        photo.planes[static_cast<size_t>(c) + 1].second[i] = stack.photo[i * 3 + static_cast<size_t>(c)];
    add(std::move(photo));
  }
  std::vector<uint8_t> under(pixels * 3, 255);
  for (const ExportLayer& region : stack.regions) add(Region_Layer(region, stack.width, under));
  if (!stack.outlineGrey.empty()) {
    PsdLayer outline = Canvas_Layer(stack, "Outline", "lbrn", false);
    for (int c = 1; c <= 3; ++c) outline.planes[static_cast<size_t>(c)].second = stack.outlineGrey;
    add(std::move(outline));
  }
  if (channelBytes + bytes.size() + pixels * 3 * 2 > std::numeric_limits<uint32_t>::max() - (1u << 24)) {
    err = "the layers take more than the 4 GB a PSD file holds";
    return false;
  }

  const size_t sectionAt = bytes.size();
  Put32(bytes, 0);  // layer and mask information length, patched below
  const size_t infoAt = bytes.size();
  Put32(bytes, 0);  // layer info length, patched below (0 without layers)
  if (!layers.empty()) {
    Put16(bytes, static_cast<int32_t>(layers.size()));
    for (const PsdLayer& layer : layers) Put_Layer_Record(bytes, layer);
    for (const PsdLayer& layer : layers)
      for (const std::vector<uint8_t>& channel : layer.channels)
        bytes.insert(bytes.end(), channel.begin(), channel.end());
    if ((bytes.size() - infoAt - 4) % 2 != 0) bytes.push_back(0);
    Patch32(bytes, infoAt, static_cast<uint32_t>(bytes.size() - infoAt - 4));
  }
  Put32(bytes, 0);  // no global layer mask
  Patch32(bytes, sectionAt, static_cast<uint32_t>(bytes.size() - sectionAt - 4));

  // The flattened picture: PackBits, every row count of the three
  // channels first, then the rows, red plane, green plane, blue plane.
  Put16(bytes, 1);
  const size_t countsAt = bytes.size();
  bytes.resize(bytes.size() + static_cast<size_t>(stack.height) * 3 * 2);
  std::vector<uint8_t> row(static_cast<size_t>(stack.width));
  for (int c = 0; c < 3; ++c) {
    for (int32_t y = 0; y < stack.height; ++y) {
      const uint8_t* p =
          stack.composite.data() + static_cast<size_t>(y) * static_cast<size_t>(stack.width) * 3;
      for (int32_t x = 0; x < stack.width; ++x)
        row[static_cast<size_t>(x)] = p[static_cast<size_t>(x) * 3 + static_cast<size_t>(c)];
      const size_t before = bytes.size();
      PackBits_Row(row.data(), row.size(), bytes);
      const size_t n = bytes.size() - before;
      const size_t at =
          countsAt +
          (static_cast<size_t>(c) * static_cast<size_t>(stack.height) + static_cast<size_t>(y)) * 2;
      bytes[at] = static_cast<uint8_t>(n >> 8);
      bytes[at + 1] = static_cast<uint8_t>(n & 0xFF);
    }
  }
  return true;
}

bool Write_Layered_Psd(const LayerStack& stack, const std::string& path, std::string& err) {
  std::vector<uint8_t> bytes;
  if (!Encode_Layered_Psd(stack, bytes, err)) return false;
  return Write_File_Safely(path, bytes.data(), bytes.size(), err);
}
