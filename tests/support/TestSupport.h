#pragma once
// Helpers shared by the test programs.

#include <signal.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "platform/headless/Headless.h"
#include "platform/qt/QtPictureCodec.h"

// Path of a bundled sample photo ("coffee.png", "chelsea.png").
std::string Sample_Path(const std::string& name);

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "/" + name; }

 private:
  std::string m_path;
};

// Lowers the process's file size limit while it lives, so that writes fail
// part way (with SIGXFSZ ignored a write reports EFBIG instead).  Programs
// started meanwhile inherit the limit.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_old{};
  sighandler_t m_oldHandler;
};

// A named pipe nobody writes to, watched while the object lives: a reader
// still waiting on it after `seconds` is set free (the pipe is opened for
// writing and closed, so the reader sees an empty file) rather than hanging
// the tests.  Finish() ends the watch and tells whether it had to.
class FifoWatch {
 public:
  explicit FifoWatch(const std::string& path, int seconds = 20);
  ~FifoWatch();
  FifoWatch(const FifoWatch&) = delete;
  FifoWatch& operator=(const FifoWatch&) = delete;
  const std::string& Path() const { return m_path; }
  bool Finish();

 private:
  std::string m_path;
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_freed{false};
  std::thread m_watch;
};

// Headless platform services with the real (Qt) picture codec.
class TestPlatform {
 public:
  TestPlatform() : m_headless(m_codec) {}
  Platform& Get() { return m_headless.Get(); }
  HeadlessPlatform& Headless() { return m_headless; }
  HeadlessMessages& Messages() { return m_headless.Messages(); }
  HeadlessFileDialogs& Dialogs() { return m_headless.Dialogs(); }

 private:
  QtPictureCodec m_codec;
  HeadlessPlatform m_headless;
};

// Result of running the `quorlin` program.
struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};
// Runs the built `quorlin` with these arguments (no display: the
// environment's DISPLAY and WAYLAND_DISPLAY are removed).  A run still going
// after a minute is killed (exit code 128 + 9).
// `stdinFile`, when given, is what the program reads on stdin.
CliRun Run_Quorlin(const std::vector<std::string>& args, const std::string& stdinFile = std::string());

// Whole file as bytes; empty when it cannot be read.
std::string Read_File_Bytes(const std::string& path);
void Write_File_Bytes(const std::string& path, const std::string& bytes);
bool File_Exists(const std::string& path);
// The names of every entry of a folder (files, folders, hidden ones),
// sorted.
std::vector<std::string> Folder_Entries(const std::string& folder);

class OffMap;
class RenderMan;

// Loads a photo into `renderMan` as the program does, at its working size,
// then changes it to width x height when a width is given; a failure is a
// test failure.
void Load_Photo_At_Working_Size(RenderMan& renderMan, const std::string& photo, int width = -1,
                                int height = -1);
// Pixels in which two maps of one size differ; -1 for maps of two sizes.
int64_t Differing_Pixels(const OffMap& a, const OffMap& b);
// Two maps of one size with the same pixels.
bool Same_Pixels(const OffMap& a, const OffMap& b);
// Two maps whose pixel bytes (row padding included) are the same.
bool Same_Bits(const OffMap& a, const OffMap& b);
// Pixels in which a written (lossless) picture differs from a map; -1 when
// it cannot be read or has another size.
int Differing_Pixels(TestPlatform& platform, const std::string& path, const OffMap& map);
// The largest component difference between a written picture and a map;
// 1000 when it cannot be read or has another size.
int Worst_Difference(TestPlatform& platform, const std::string& path, const OffMap& map);
