// The desktop program: its start up to the first paint of its window, a
// 12 MP photo opened through "Load Source Photo" (decode alone, and the
// whole command with its three windows painted), and the redraw of a
// 500 x 500 map pane.  The windows run on Qt's offscreen display.

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <QApplication>
#include <QImage>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "BenchSample.h"
#include "gui/DesktopApp.h"
#include "gui/GrafixWindowQvSep.h"
#include "gui/MainFrame.h"
#include "platform/qt/QtPictureCodec.h"
#include "render/ImageSizeController.h"

extern char** environ;

namespace {

void Ensure_Application() {
  if (QApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "quorlin_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  QCoreApplication::setOrganizationName("Quorlin Separator Bench");
}

void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents();
}

// A 4000 x 3000 (12 MP) JPEG made once from the sample photo, with a
// deterministic grain so that it compresses like a photo.
class TwelveMegapixelPhoto {
 public:
  TwelveMegapixelPhoto() {
    char pattern[] = "/tmp/quorlin-shellbench-XXXXXX";
    if (!::mkdtemp(pattern)) return;
    m_dir = pattern;
    QImage sample(QString::fromStdString(Bench_Sample_Photo()));
    if (sample.isNull()) return;
    QImage large = sample.convertToFormat(QImage::Format_RGB32)
                       .scaled(4000, 3000, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    uint32_t seed = 12345;
    for (int y = 0; y < large.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(large.scanLine(y));
      for (int x = 0; x < large.width(); ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int grain = static_cast<int>(seed >> 28) - 8;
        auto c = [grain](int v) { return std::clamp(v + grain, 0, 255); };
        line[x] = qRgb(c(qRed(line[x])), c(qGreen(line[x])), c(qBlue(line[x])));
      }
    }
    const std::string path = m_dir + "/twelve.jpg";
    if (large.save(QString::fromStdString(path), "JPEG", 90)) m_path = path;
  }
  ~TwelveMegapixelPhoto() {
    std::error_code ec;
    if (!m_dir.empty()) std::filesystem::remove_all(m_dir, ec);
  }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_dir;
  std::string m_path;
};

const TwelveMegapixelPhoto& Twelve_Megapixels() {
  static TwelveMegapixelPhoto photo;
  return photo;
}

// Start of the program to the first paint of its main window: the real
// program is started and quits once its window has painted.
void BM_Cold_Start_to_First_Paint(benchmark::State& state) {
  const std::string program = QUORLIN_GUI_PATH;
  std::string settings = "XDG_CONFIG_HOME=/tmp/quorlin-bench-config";
  std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", settings};
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry = *e;
    if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("XDG_CONFIG_HOME=", 0) == 0) continue;
    env.push_back(entry);
  }
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string flag = "--quit-when-shown";
  char* argv[] = {const_cast<char*>(program.c_str()), flag.data(), nullptr};
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0) {
      state.SkipWithError("could not start quorlin-separator");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("quorlin-separator did not quit cleanly");
      return;
    }
  }
}
BENCHMARK(BM_Cold_Start_to_First_Paint)->Unit(benchmark::kMillisecond)->UseRealTime();

// Decoding the 12 MP JPEG alone, with the program's codec.
void BM_Decode_12MP_Photo(benchmark::State& state) {
  if (Twelve_Megapixels().Path().empty()) {
    state.SkipWithError("the 12 MP photo could not be made");
    return;
  }
  QtPictureCodec codec;
  for (auto _ : state) {
    std::unique_ptr<PlatformImage> image = codec.Create_Image();
    if (image->Load(Twelve_Megapixels().Path()) < 0) {
      state.SkipWithError("could not decode");
      return;
    }
    benchmark::DoNotOptimize(image->Get_Width());
  }
}
BENCHMARK(BM_Decode_12MP_Photo)->Unit(benchmark::kMillisecond)->UseRealTime();

// "Load Source Photo" of the 12 MP JPEG in the desktop program: decoding,
// resampling to the working size, the Photo, Layered and PreProcessing
// windows opened, sized and painted.  What it costs beyond decoding is this
// less BM_Decode_12MP_Photo; the counter beyond_decode_ms measures it in
// the same iterations.
void BM_Shell_Load_12MP_Photo(benchmark::State& state) {
  if (Twelve_Megapixels().Path().empty()) {
    state.SkipWithError("the 12 MP photo could not be made");
    return;
  }
  Ensure_Application();
  BenchPlatform platform;
  QtPictureCodec codec;
  double beyond = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto desktop = std::make_unique<DesktopApp>(platform.Get(), std::string());
    desktop->Frame().show();
    Settle();
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    desktop->Frame().Open_File(QString::fromStdString(Twelve_Megapixels().Path()));
    for (GrafixWindowQvSep* window : desktop->Frame().Map_Windows()) window->Canvas()->repaint();
    const auto loaded = std::chrono::steady_clock::now();
    state.PauseTiming();
    // The decode inside the command, measured again on its own.
    const auto decodeStart = std::chrono::steady_clock::now();
    std::unique_ptr<PlatformImage> image = codec.Create_Image();
    image->Load(Twelve_Megapixels().Path());
    const auto decoded = std::chrono::steady_clock::now();
    beyond += std::chrono::duration<double, std::milli>((loaded - start) - (decoded - decodeStart)).count();
    if (desktop->Frame().Map_Windows().size() != 3) state.SkipWithError("the photo did not open its windows");
    desktop.reset();
    state.ResumeTiming();
  }
  state.counters["beyond_decode_ms"] = benchmark::Counter(beyond, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_Shell_Load_12MP_Photo)->Unit(benchmark::kMillisecond)->UseRealTime();

// One redraw of a 500 x 500 "Photo" pane: the pane's bitmap filled from the
// source map by its frame artist and the window painted from it.
void BM_Redraw_500x500_Pane(benchmark::State& state) {
  Ensure_Application();
  BenchPlatform platform;
  DesktopApp desktop(platform.Get(), std::string());
  desktop.Frame().show();
  desktop.Frame().Open_File(QString::fromStdString(Bench_Sample_Photo()));
  ImageSizeController size(desktop.App().Get_RenderMan());
  size.Set_Size(500, 500);
  size.m_afterResize = [&desktop](std::string& err) {
    return desktop.Registry().ReBuild_All_Viewjs_Panes(err) &&
           desktop.Registry().ReSize_All_Viewjs(500, 500, err);
  };
  if (size.On_OK(false) != ImageSizeOutcome::Close) {
    state.SkipWithError("could not size the photo to 500 x 500");
    return;
  }
  Settle();
  GrafixWindowQvSep* photo = nullptr;
  for (GrafixWindowQvSep* window : desktop.Frame().Map_Windows())
    if (window->Get_Configuration_Code() == 3) photo = window;
  int32_t width = 0, height = 0;
  if (photo != nullptr) photo->Get_Client_Size(width, height);
  if (width != 520 || height != 520) {
    state.SkipWithError("the Photo window is not 500 x 500 with its margin");
    return;
  }
  for (auto _ : state) photo->Canvas()->repaint();
  state.counters["pane_pixels"] = 500.0 * 500.0;
}
BENCHMARK(BM_Redraw_500x500_Pane)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
