#pragma once
// Writing files without ever destroying what was there: the data goes to a
// temporary file in the target's folder, and only a complete, flushed file
// is renamed over the target.  A failure removes the temporary file and
// leaves the old target untouched.

#include <cstddef>
#include <cstdint>
#include <string>

class SafeFileWriter {
 public:
  SafeFileWriter() = default;
  ~SafeFileWriter();  // an uncommitted file is discarded
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;

  // Creates the temporary file next to `target`.  On failure `reason` says
  // why (the system's description of the error).
  bool Open(const std::string& target, std::string& reason);
  bool Write(const void* data, size_t size, std::string& reason);
  // Writes at an absolute offset of the temporary file (used to patch
  // lengths after the fact); the file position is restored afterwards.
  bool Write_At(int64_t offset, const void* data, size_t size, std::string& reason);
  int64_t Position() const { return m_position; }
  // Flushes, closes and renames the temporary file over the target.
  bool Commit(std::string& reason);
  // Drops the temporary file; the target stays as it was.
  void Discard();
  bool Is_Open() const { return m_fd >= 0; }

 private:
  int m_fd = -1;
  int64_t m_position = 0;
  std::string m_target;
  std::string m_tempPath;
};

// Writes a whole buffer through SafeFileWriter.
bool Write_File_Safely(const std::string& target, const void* data, size_t size, std::string& reason);
