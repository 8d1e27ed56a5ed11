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
  int m_ticket = -1;  // of the temporary file (Register_Temporary_File)
  int64_t m_position = 0;
  std::string m_target;
  std::string m_tempPath;
};

// Gives the temporary file `fd` of `target` the permissions the target will
// have: an existing target's own, else the usual ones for a new file
// (mkstemp makes temporary files private).
void Give_Target_Mode(int fd, const std::string& target);

// Writes a whole buffer through SafeFileWriter.
bool Write_File_Safely(const std::string& target, const void* data, size_t size, std::string& reason);

// ---- temporary files and the signals that end the process ------------------
// A save in progress has a hidden temporary file beside its target.  When
// the process is ended by a signal in the middle of it (Ctrl-C, a kill, a
// closed terminal, the file size limit), the temporary file must not stay
// behind.  Every temporary file of the program is therefore listed in one
// process-wide table while it exists (a signal handler has nothing else to
// go by), and the program's entry point installs the handler once.

// Lists `path` as a temporary file; returns its ticket, or -1 when the
// table is full or the path too long (the file is then not removed on a
// signal, which changes nothing else).
int Register_Temporary_File(const std::string& path);
// Takes the file off the list (it was renamed or removed).  -1 is ignored.
void Forget_Temporary_File(int ticket);
// Installs the handler for SIGINT, SIGTERM, SIGHUP and SIGXFSZ, unless a
// signal is ignored (a program started with nohup keeps ignoring SIGHUP):
// it removes every listed temporary file, then ends the process by the same
// signal, so that the caller sees how it ended.
void Remove_Temporary_Files_On_Signals();
