#include "export/ExportTestSupport.h"

#include <gtest/gtest.h>

#include "cli/CliOutlineOptions.h"
#include "regions/RegionListSubject.h"
#include "render/ImageFiles.h"
#include "separation/SeparationDialogController.h"

std::unique_ptr<RegionEditorApp> Run_Export_Job(TestPlatform& platform, const ExportJob& job,
                                                std::string& err) {
  auto app = std::make_unique<RegionEditorApp>(platform.Get(), QUORLIN_TEXTURE_DIR);
  bool fileProblem = false;
  if (!Load_Bitmap_File_as_SRC(err, app->Get_RenderMan(), Sample_Path(job.photo), -1, -1, kWorkingMaxSide,
                               fileProblem) ||
      !Adjust_Detection_Settings_for_Upcoming_DetectionDialog(app->Get_Settings(), app->Get_RegionList(), 0,
                                                              err))
    return nullptr;
  app->Get_Document().sourcePhotoPath = Sample_Path(job.photo);
  SeparationSession session(app->Separation_Context());
  SeparationDialogController& dialog = session.Controller();
  err = "the separation dialog failed";
  if (!dialog.OnInitDialog()) return nullptr;
  if (job.outline) {
    CliOutlineOptions outline;
    outline.wanted = true;
    CliOutlineReport report;
    Connect_Outline_Editor(dialog, *app, outline, 1, report);
    if (!dialog.On_Outline_Editor() || !report.saved) return nullptr;
  }
  if (!dialog.On_Preview_All_Seps() || !dialog.On_Close()) return nullptr;
  if (job.textures >= 0) {
    RegionRandom random(7);
    if (!app->Get_RegionList().Paint_All_Regions_with_TextureMaps(static_cast<int16_t>(job.textures), 0,
                                                                  random, err) ||
        !app->Get_Composer().ReDraw_SummedFinalViews_OffMap())
      return nullptr;
  }
  err.clear();
  return app;
}

ExportSource Source_Of(RegionEditorApp& app, TestPlatform& platform) {
  return ExportSource{app.Get_RegionList(), app.Get_RenderMan(), nullptr, app.Get_Document().sourcePhotoPath,
                      platform.Get()};
}

std::vector<uint8_t> Map_Bytes(const OffMap& map) {
  std::vector<uint8_t> rgb;
  for (int32_t y = 0; y < map.Get_Height(); ++y)
    for (int32_t x = 0; x < map.Get_Width(); ++x) {
      int16_t r = 0, g = 0, b = 0;
      map.Get_Pixel(x, y, r, g, b);
      rgb.insert(rgb.end(), {uint8_t(r), uint8_t(g), uint8_t(b)});
    }
  return rgb;
}

const std::vector<uint8_t>* PsdReadLayer::Plane(int16_t id) const {
  for (const auto& [channel, bytes] : planes)
    if (channel == id) return &bytes;
  return nullptr;
}

namespace {

// Reads big-endian fields; every read past the end fails.
struct Cursor {
  const std::vector<uint8_t>& bytes;
  size_t at = 0;
  bool ok = true;
  uint32_t Get(int n) {
    if (at + static_cast<size_t>(n) > bytes.size()) {
      ok = false;
      return 0;
    }
    uint32_t v = 0;
    for (int k = 0; k < n; ++k) v = (v << 8) | bytes[at++];
    return v;
  }
  std::string Text(size_t n) {
    if (at + n > bytes.size()) {
      ok = false;
      return {};
    }
    std::string s(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                  bytes.begin() + static_cast<std::ptrdiff_t>(at + n));
    at += n;
    return s;
  }
};

// One PackBits row of `width` bytes from `n` bytes at the cursor.
bool Unpack_Row(Cursor& c, size_t n, size_t width, std::vector<uint8_t>& out) {
  const size_t end = c.at + n, start = out.size();
  while (c.at < end && c.ok) {
    const auto h = static_cast<int8_t>(c.Get(1));
    if (h >= 0) {
      for (int k = 0; k <= h; ++k) out.push_back(static_cast<uint8_t>(c.Get(1)));
    } else if (h != -128) {
      const auto v = static_cast<uint8_t>(c.Get(1));
      out.insert(out.end(), static_cast<size_t>(1 - h), v);
    }
  }
  return c.ok && c.at == end && out.size() - start == width;
}

// A channel: compression code, then raw or PackBits rows.
bool Read_Channel(Cursor& c, size_t length, size_t width, size_t height, std::vector<uint8_t>& out) {
  const size_t end = c.at + length;
  const uint32_t code = c.Get(2);
  if (code == 0) {
    for (size_t i = 0; i < width * height; ++i) out.push_back(static_cast<uint8_t>(c.Get(1)));
  } else if (code == 1) {
    std::vector<size_t> counts(height);
    for (size_t& n : counts) n = c.Get(2);
    for (size_t n : counts)
      if (!Unpack_Row(c, n, width, out)) return false;
  } else {
    return false;
  }
  return c.ok && c.at == end;
}

}  // namespace

bool Read_Psd(const std::vector<uint8_t>& bytes, PsdFile& psd, std::string& err) {
  Cursor c{bytes};
  if (c.Text(4) != "8BPS" || c.Get(2) != 1 || c.Text(6) != std::string(6, '\0')) return err = "header", false;
  psd.channels = static_cast<int32_t>(c.Get(2));
  psd.height = static_cast<int32_t>(c.Get(4));
  psd.width = static_cast<int32_t>(c.Get(4));
  psd.depth = static_cast<int32_t>(c.Get(2));
  psd.mode = static_cast<int32_t>(c.Get(2));
  for (int section = 0; section < 2; ++section) c.at += c.Get(4);  // colour mode data, image resources
  const size_t sectionLength = c.Get(4), sectionEnd = c.at + sectionLength;
  if (sectionLength > 0) {
    const size_t infoLength = c.Get(4), infoEnd = c.at + infoLength;
    if (infoLength % 2 != 0) return err = "odd layer info length", false;
    if (infoLength > 0) {
      const auto count = static_cast<int16_t>(c.Get(2));
      std::vector<std::vector<std::pair<int16_t, size_t>>> channels;
      for (int i = 0; i < std::abs(count) && c.ok; ++i) {
        PsdReadLayer layer;
        layer.top = static_cast<int32_t>(c.Get(4));
        layer.left = static_cast<int32_t>(c.Get(4));
        layer.bottom = static_cast<int32_t>(c.Get(4));
        layer.right = static_cast<int32_t>(c.Get(4));
        std::vector<std::pair<int16_t, size_t>> list(c.Get(2));
        for (auto& [id, length] : list) {
          id = static_cast<int16_t>(c.Get(2));
          length = c.Get(4);
        }
        channels.push_back(list);
        if (c.Text(4) != "8BIM") return err = "blend signature of layer " + std::to_string(i), false;
        layer.blend = c.Text(4);
        c.Get(2);  // opacity, clipping
        layer.hidden = (c.Get(1) & 0x02) != 0;
        c.Get(1);
        const size_t extraEnd = c.Get(4) + c.at + 0;
        c.at += c.Get(4);  // mask
        c.at += c.Get(4);  // blending ranges
        const size_t nameStart = c.at, nameLength = c.Get(1);
        layer.pascalName = c.Text(nameLength);
        c.at = nameStart + (nameLength + 4) / 4 * 4;
        while (c.ok && c.at < extraEnd) {
          if (c.Text(4) != "8BIM")
            return err = "additional info signature of layer " + std::to_string(i), false;
          const std::string key = c.Text(4);
          const size_t length = c.Get(4), end = c.at + length;
          if (key == "luni") {
            const uint32_t units = c.Get(4);
            layer.name.clear();
            for (uint32_t u = 0; u < units; ++u) layer.name += static_cast<char>(c.Get(2));  // ASCII names
          }
          c.at = end;
        }
        if (c.at != extraEnd) return err = "extra data length of layer " + std::to_string(i), false;
        psd.layers.push_back(layer);
      }
      for (size_t i = 0; i < psd.layers.size() && c.ok; ++i) {
        PsdReadLayer& layer = psd.layers[i];
        const auto w = static_cast<size_t>(layer.right - layer.left),
                   h = static_cast<size_t>(layer.bottom - layer.top);
        for (const auto& [id, length] : channels[i]) {
          layer.planes.emplace_back(id, std::vector<uint8_t>());
          if (!Read_Channel(c, length, w, h, layer.planes.back().second))
            return err = "channel " + std::to_string(id) + " of layer " + std::to_string(i), false;
        }
      }
      if (c.at + 1 < infoEnd || c.at > infoEnd) return err = "layer info length", false;
      c.at = infoEnd;
    }
    c.at += c.Get(4);  // global layer mask
    if (c.at != sectionEnd) return err = "layer and mask section length", false;
  }
  if (c.Get(2) != 1) return err = "image data compression", false;
  const auto w = static_cast<size_t>(psd.width), h = static_cast<size_t>(psd.height);
  std::vector<size_t> counts(h * 3);
  for (size_t& n : counts) n = c.Get(2);
  std::vector<uint8_t> planes;
  for (size_t n : counts)
    if (!Unpack_Row(c, n, w, planes)) return err = "image data rows", false;
  if (!c.ok || c.at != bytes.size()) return err = "image data length", false;
  psd.composite.resize(w * h * 3);
  for (size_t i = 0; i < w * h; ++i)
    for (size_t k = 0; k < 3; ++k) psd.composite[i * 3 + k] = planes[k * w * h + i];
  return true;
}

bool Unpack_PackBits(const std::vector<uint8_t>& packed, size_t width, std::vector<uint8_t>& out) {
  Cursor c{packed};
  return Unpack_Row(c, packed.size(), width, out);
}

std::vector<uint8_t> Compose_As_Editor(const PsdFile& psd, int upTo) {
  std::vector<uint8_t> rgb(static_cast<size_t>(psd.width) * static_cast<size_t>(psd.height) * 3, 255);
  const size_t n = upTo < 0 ? psd.layers.size() : static_cast<size_t>(upTo);
  for (size_t i = 0; i < n; ++i) {
    const PsdReadLayer& layer = psd.layers[i];
    if (layer.hidden) continue;
    const int32_t w = layer.right - layer.left;
    const std::vector<uint8_t>* alpha = layer.Plane(-1);
    for (int32_t y = layer.top; y < layer.bottom; ++y)
      for (int32_t x = layer.left; x < layer.right; ++x) {
        const size_t k = static_cast<size_t>((y - layer.top) * w + (x - layer.left));
        const int a = alpha ? (*alpha)[k] : 255;
        for (int16_t c = 0; c < 3; ++c) {
          uint8_t& under =
              rgb[(static_cast<size_t>(y) * static_cast<size_t>(psd.width) + static_cast<size_t>(x)) * 3 +
                  static_cast<size_t>(c)];
          const int l = (*layer.Plane(c))[k];
          const int blended = layer.blend == "lbrn" ? std::max(0, under + l - 255) : l;
          under =
              static_cast<uint8_t>(under + ((blended - under) * a + (blended >= under ? 127 : -127)) / 255);
        }
      }
  }
  return rgb;
}
