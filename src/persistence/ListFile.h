#pragma once
// ListFile: the random-access byte file that list files are written to and
// read from, and ListFileException, the one exception of the list-file
// layer.  Every failure of the file itself (it cannot be opened, a read or
// write fails, a seek to a negative position) is raised as a
// ListFileException carrying the system's description of the error; the
// list-file commands catch it and show that text.  A short read is not an
// error: Read returns the number of bytes it really got, and the callers
// decide what a missing byte means.
//
// Writing never destroys the file it replaces: the bytes go to a temporary
// file next to the target, which replaces the target only when Close()
// succeeds.  A file opened for writing and never closed (an abandoned save,
// an exception) is discarded, and the old target stays as it was.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "platform/SafeFile.h"

class ListFileException : public std::exception {
 public:
  explicit ListFileException(std::string reason) : m_reason(std::move(reason)) {}
  const std::string& Get_Reason() const { return m_reason; }
  const char* what() const noexcept override { return m_reason.c_str(); }

 private:
  std::string m_reason;
};

class ListFile {
 public:
  // The reason given for a path that is neither a file nor a folder (a
  // named pipe, a device, a socket): such files are never read.
  static constexpr const char* kNotPlainFileReason = "not a plain file (a pipe, a device or a socket)";

  ListFile() = default;
  ~ListFile();  // a file opened for writing and not closed is discarded
  ListFile(const ListFile&) = delete;
  ListFile& operator=(const ListFile&) = delete;

  // Opens an existing file for reading at position 0.  A file still open
  // is given up first (an unclosed write is discarded).
  void Open_For_Reading(const std::string& path);
  // Reads from a copy of `bytes` as if they were a file (the path is "").
  void Open_Bytes_For_Reading(std::string bytes);
  // Starts a new file that replaces `path` when Close() succeeds; until then
  // the file at `path` is untouched.
  void Open_For_Writing(const std::string& path);
  // Reading: releases the file.  Writing: stores the remaining bytes and
  // puts the new file in place of the target; on failure the old target
  // stays and the exception says why.  Nothing to do when not open.
  void Close();
  // Gives the file up without putting a new file in place.
  void Abort();

  bool Is_Open() const { return m_mode != Mode::Closed; }
  bool Is_Open_For_Writing() const { return m_mode == Mode::Writing; }
  const std::string& Get_Path() const { return m_path; }

  // Reads up to `count` bytes at the position and returns how many came;
  // fewer than asked means the end of the file was reached.
  size_t Read(void* buffer, size_t count);
  // Writes `count` bytes at the position, over bytes already written or
  // after them; a position beyond the end is reached with zero bytes.
  void Write(const void* data, size_t count);
  // Moves to an absolute position; beyond the end is allowed, below 0 not.
  void Seek(int64_t position);
  int64_t Get_Position() const { return m_position; }
  int64_t Get_Length() const;
  // Bytes between the position and the end (0 when beyond the end).
  int64_t Get_Bytes_Left() const;

 private:
  enum class Mode { Closed, Reading, Writing };

  [[noreturn]] static void Fail(int errorNumber);
  void Require(Mode mode) const;
  size_t Read_Source_At(int64_t offset, uint8_t* buffer, size_t count);
  int64_t Write_End() const { return m_written + static_cast<int64_t>(m_pending.size()); }
  void Append(const uint8_t* data, size_t count);
  void Overwrite(int64_t offset, const uint8_t* data, size_t count);
  void Flush_Pending();

  Mode m_mode = Mode::Closed;
  std::string m_path;
  int64_t m_position = 0;

  // Reading: a file descriptor or bytes held in memory, and a read-ahead
  // buffer so that byte-sized reads do not each cost a system call.
  int m_fd = -1;
  bool m_fromMemory = false;
  std::string m_memory;
  std::vector<uint8_t> m_readAhead;
  int64_t m_readAheadStart = 0;
  size_t m_readAheadLength = 0;

  // Writing: the temporary file, the bytes already handed to it, and the
  // bytes collected since (written out in large blocks).
  SafeFileWriter m_writer;
  int64_t m_written = 0;
  std::vector<uint8_t> m_pending;
};
