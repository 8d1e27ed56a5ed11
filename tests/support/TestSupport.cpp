#include "support/TestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "raster/OffMap.h"
#include "render/ImageFiles.h"
#include "render/RenderMan.h"

extern char** environ;

std::string Sample_Path(const std::string& name) {
  return std::string(QUORLIN_SOURCE_DIR) + "/resources/samples/" + name;
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quorlin-test-XXXXXX").string();
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  if (::mkdtemp(buf.data()) != nullptr) m_path = buf.data();
}

TempDir::~TempDir() {
  if (m_path.empty()) return;
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

CliRun Run_Quorlin(const std::vector<std::string>& args, const std::string& stdinFile) {
  CliRun run;
  TempDir capture;
  const std::string outPath = capture.File("stdout"), errPath = capture.File("stderr");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (!stdinFile.empty()) posix_spawn_file_actions_addopen(&actions, 0, stdinFile.c_str(), O_RDONLY, 0);

  std::vector<std::string> argStrings;
  argStrings.push_back(QUORLIN_CLI_PATH);
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e) {
    if (std::strncmp(*e, "DISPLAY=", 8) == 0 || std::strncmp(*e, "WAYLAND_DISPLAY=", 16) == 0 ||
        std::strncmp(*e, "QT_QPA_PLATFORM=", 16) == 0)
      continue;
    envStrings.emplace_back(*e);
  }
  std::vector<char*> envp;
  for (std::string& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = 0;
  if (posix_spawn(&pid, QUORLIN_CLI_PATH, &actions, nullptr, argv.data(), envp.data()) == 0) {
    // A run that hangs (a blocking open, say) is ended after a minute and
    // reported as killed, so that the test fails instead of waiting forever.
    int status = 0;
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; ++waited) {
      if (waited == 6000) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        break;
      }
      ::usleep(10000);
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  run.out = Read_File_Bytes(outPath);
  run.err = Read_File_Bytes(errPath);
  return run;
}

std::string Read_File_Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void Write_File_Bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool File_Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  ::getrlimit(RLIMIT_FSIZE, &m_old);
  m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit low = m_old;
  low.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &low);
}

FileSizeLimit::~FileSizeLimit() {
  ::setrlimit(RLIMIT_FSIZE, &m_old);
  ::signal(SIGXFSZ, m_oldHandler);
}

FifoWatch::FifoWatch(const std::string& path, int seconds) : m_path(path) {
  EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
  m_watch = std::thread([this, seconds] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!m_stop) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (std::chrono::steady_clock::now() < deadline) continue;
      // Opening for writing without waiting succeeds only while a reader
      // has the pipe open (or is waiting to).
      const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
      if (fd >= 0) {
        m_freed = true;
        ::close(fd);
      }
    }
  });
}

FifoWatch::~FifoWatch() {
  Finish();
}

bool FifoWatch::Finish() {
  m_stop = true;
  if (m_watch.joinable()) m_watch.join();
  return m_freed;
}

std::vector<std::string> Folder_Entries(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

void Load_Photo_At_Working_Size(RenderMan& renderMan, const std::string& photo, int width, int height) {
  std::string err;
  bool fileProblem = false;
  EXPECT_TRUE(Load_Bitmap_File_as_SRC(err, renderMan, photo, -1, -1, kWorkingMaxSide, fileProblem)) << err;
  if (width > 0) {
    EXPECT_TRUE(renderMan.Change_Image_Size(width, height, err)) << err;
  }
}

int64_t Differing_Pixels(const OffMap& a, const OffMap& b) {
  if (a.Get_Width() != b.Get_Width() || a.Get_Height() != b.Get_Height()) return -1;
  int64_t differ = 0;
  for (int32_t y = 0; y < a.Get_Height(); ++y)
    for (int32_t x = 0; x < a.Get_Width(); ++x) {
      int16_t r0 = 0, g0 = 0, b0 = 0, r1 = 0, g1 = 0, b1 = 0;
      a.Get_Pixel(x, y, r0, g0, b0);
      b.Get_Pixel(x, y, r1, g1, b1);
      if (r0 != r1 || g0 != g1 || b0 != b1) ++differ;
    }
  return differ;
}

bool Same_Pixels(const OffMap& a, const OffMap& b) {
  return Differing_Pixels(a, b) == 0;
}

bool Same_Bits(const OffMap& a, const OffMap& b) {
  return a.Get_Image_Bytes() == b.Get_Image_Bytes() &&
         std::memcmp(a.Get_Bits(), b.Get_Bits(), static_cast<size_t>(a.Get_Image_Bytes())) == 0;
}

namespace {

// `compare(picture r, g, b, map r, g, b)` for every pixel of a written
// picture and a map; false when the picture cannot be read or has another
// size.
template <class Compare>
bool Compare_Picture(TestPlatform& platform, const std::string& path, const OffMap& map, Compare compare) {
  std::unique_ptr<PlatformImage> image = platform.Get().Codec().Create_Image();
  if (image->Load(path) != 0 || image->Get_Width() != map.Get_Width() ||
      image->Get_Height() != map.Get_Height())
    return false;
  for (int y = 0; y < map.Get_Height(); ++y) {
    for (int x = 0; x < map.Get_Width(); ++x) {
      int r, g, b;
      int16_t r0, g0, b0;
      image->Get_Pixel_RGB(x, y, r, g, b);
      map.Get_Pixel(x, y, r0, g0, b0);
      compare(r, g, b, r0, g0, b0);
    }
  }
  return true;
}

}  // namespace

int Differing_Pixels(TestPlatform& platform, const std::string& path, const OffMap& map) {
  int differing = 0;
  const bool read = Compare_Picture(platform, path, map, [&](int r, int g, int b, int r0, int g0, int b0) {
    if (r != r0 || g != g0 || b != b0) ++differing;
  });
  return read ? differing : -1;
}

int Worst_Difference(TestPlatform& platform, const std::string& path, const OffMap& map) {
  int worst = 0;
  const bool read = Compare_Picture(platform, path, map, [&](int r, int g, int b, int r0, int g0, int b0) {
    worst = std::max({worst, std::abs(r - r0), std::abs(g - g0), std::abs(b - b0)});
  });
  return read ? worst : 1000;
}
