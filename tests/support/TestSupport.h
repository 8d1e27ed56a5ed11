#pragma once
// Helpers shared by the test programs.

#include <memory>
#include <string>
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
// environment's DISPLAY and WAYLAND_DISPLAY are removed).
CliRun Run_Quorlin(const std::vector<std::string>& args);

// Whole file as bytes; empty when it cannot be read.
std::string Read_File_Bytes(const std::string& path);
void Write_File_Bytes(const std::string& path, const std::string& bytes);
bool File_Exists(const std::string& path);
