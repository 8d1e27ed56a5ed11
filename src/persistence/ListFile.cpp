#include "persistence/ListFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Reads of at least this size go straight to the caller's buffer; smaller
// ones are served from a read-ahead block of this size.
constexpr size_t kReadAheadBytes = 64 * 1024;
// Written bytes are collected and handed to the file in blocks of this size.
constexpr size_t kWriteBlockBytes = 64 * 1024;

}  // namespace

ListFile::~ListFile() {
  Abort();
}

void ListFile::Fail(int errorNumber) {
  throw ListFileException(std::strerror(errorNumber));
}

void ListFile::Require(Mode mode) const {
  if (m_mode != mode) Fail(EBADF);
}

void ListFile::Open_For_Reading(const std::string& path) {
  Abort();
  // Non-blocking, so that a named pipe cannot hold the program up; only a
  // plain file is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) Fail(errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int error = errno;
    ::close(fd);
    Fail(error);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) Fail(EISDIR);
    throw ListFileException(kNotPlainFileReason);
  }
  m_fd = fd;
  m_mode = Mode::Reading;
  m_path = path;
}

void ListFile::Open_Bytes_For_Reading(std::string bytes) {
  Abort();
  m_memory = std::move(bytes);
  m_fromMemory = true;
  m_mode = Mode::Reading;
}

void ListFile::Open_For_Writing(const std::string& path) {
  Abort();
  std::string reason;
  if (!m_writer.Open(path, reason)) throw ListFileException(reason);
  m_mode = Mode::Writing;
  m_path = path;
}

void ListFile::Close() {
  if (m_mode == Mode::Writing) {
    Flush_Pending();
    std::string reason;
    if (!m_writer.Commit(reason)) {
      Abort();
      throw ListFileException(reason);
    }
  }
  Abort();
}

void ListFile::Abort() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  m_writer.Discard();
  m_mode = Mode::Closed;
  m_path.clear();
  m_position = 0;
  m_fromMemory = false;
  m_memory.clear();
  m_readAhead.clear();
  m_readAheadStart = 0;
  m_readAheadLength = 0;
  m_written = 0;
  m_pending.clear();
}

int64_t ListFile::Get_Length() const {
  switch (m_mode) {
    case Mode::Writing:
      return Write_End();
    case Mode::Reading: {
      if (m_fromMemory) return static_cast<int64_t>(m_memory.size());
      struct stat st {};
      if (::fstat(m_fd, &st) != 0) Fail(errno);
      return static_cast<int64_t>(st.st_size);
    }
    case Mode::Closed:
      break;
  }
  Fail(EBADF);
}

int64_t ListFile::Get_Bytes_Left() const {
  return std::max<int64_t>(0, Get_Length() - m_position);
}

void ListFile::Seek(int64_t position) {
  if (m_mode == Mode::Closed) Fail(EBADF);
  if (position < 0) Fail(EINVAL);
  m_position = position;
}

size_t ListFile::Read_Source_At(int64_t offset, uint8_t* buffer, size_t count) {
  if (m_fromMemory) {
    if (offset >= static_cast<int64_t>(m_memory.size())) return 0;
    const size_t n = std::min(count, m_memory.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, m_memory.data() + offset, n);
    return n;
  }
  size_t done = 0;
  while (done < count) {
    const ssize_t n =
        ::pread(m_fd, buffer + done, count - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}

size_t ListFile::Read(void* buffer, size_t count) {
  Require(Mode::Reading);
  uint8_t* out = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    const int64_t inBlock = m_position - m_readAheadStart;
    if (inBlock >= 0 && inBlock < static_cast<int64_t>(m_readAheadLength)) {
      const size_t n = std::min(count - done, m_readAheadLength - static_cast<size_t>(inBlock));
      std::memcpy(out + done, m_readAhead.data() + inBlock, n);
      done += n;
      m_position += static_cast<int64_t>(n);
      continue;
    }
    const size_t want = count - done;
    if (m_fromMemory || want >= kReadAheadBytes) {
      const size_t got = Read_Source_At(m_position, out + done, want);
      done += got;
      m_position += static_cast<int64_t>(got);
      break;
    }
    m_readAhead.resize(kReadAheadBytes);
    m_readAheadStart = m_position;
    m_readAheadLength = Read_Source_At(m_position, m_readAhead.data(), kReadAheadBytes);
    if (m_readAheadLength == 0) break;
  }
  return done;
}

void ListFile::Write(const void* data, size_t count) {
  Require(Mode::Writing);
  const uint8_t* p = static_cast<const uint8_t*>(data);
  const int64_t end = Write_End();
  if (m_position < end && count > 0) {
    const size_t over = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), end - m_position));
    Overwrite(m_position, p, over);
    m_position += static_cast<int64_t>(over);
    p += over;
    count -= over;
  }
  if (count == 0) return;
  static const uint8_t kZeros[4096] = {};
  while (Write_End() < m_position)
    Append(kZeros, static_cast<size_t>(std::min<int64_t>(sizeof kZeros, m_position - Write_End())));
  Append(p, count);
  m_position += static_cast<int64_t>(count);
}

void ListFile::Append(const uint8_t* data, size_t count) {
  m_pending.insert(m_pending.end(), data, data + count);
  if (m_pending.size() >= kWriteBlockBytes) Flush_Pending();
}

void ListFile::Overwrite(int64_t offset, const uint8_t* data, size_t count) {
  if (offset < m_written) {
    const size_t inFile =
        static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(count), m_written - offset));
    std::string reason;
    if (!m_writer.Write_At(offset, data, inFile, reason)) {
      // A file that lost bytes is never put in place of the target.
      Abort();
      throw ListFileException(reason);
    }
    offset += static_cast<int64_t>(inFile);
    data += inFile;
    count -= inFile;
  }
  if (count > 0) std::memcpy(m_pending.data() + (offset - m_written), data, count);
}

void ListFile::Flush_Pending() {
  if (m_pending.empty()) return;
  std::string reason;
  if (!m_writer.Write(m_pending.data(), m_pending.size(), reason)) {
    Abort();
    throw ListFileException(reason);
  }
  m_written += static_cast<int64_t>(m_pending.size());
  m_pending.clear();
}
