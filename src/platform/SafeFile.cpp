#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/PathNames.h"

namespace {

std::string System_Reason() { return std::strerror(errno); }

// Writes all `size` bytes of `data` through `put(p, left, done)`, which
// writes what it can of the `left` bytes at p (`done` of them written
// before) and answers as write(2) does; an interrupted call is repeated.
template <class Put>
bool Write_Fully(const void* data, size_t size, std::string& reason, Put put) {
  const char* p = static_cast<const char*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = put(p + done, size - done, done);
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = System_Reason();
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

SafeFileWriter::~SafeFileWriter() { Discard(); }

bool SafeFileWriter::Open(const std::string& target, std::string& reason) {
  Discard();
  if (target.empty()) {
    reason = "the file name is empty";
    return false;
  }
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    reason = std::strerror(EISDIR);
    return false;
  }
  std::string folder = Path_Folder(target);
  std::string pattern = folder + "." + Path_File_Name(target) + ".tmp-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  const int fd = ::mkstemp(buf.data());
  if (fd < 0) {
    reason = System_Reason();
    return false;
  }
  // New files get the usual permissions (mkstemp makes them private); an
  // existing target keeps its own.
  mode_t mode = 0666;
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  ::fchmod(fd, mode);
  m_fd = fd;
  m_target = target;
  m_tempPath = buf.data();
  m_position = 0;
  return true;
}

bool SafeFileWriter::Write(const void* data, size_t size, std::string& reason) {
  if (m_fd < 0) {
    reason = "the file is not open";
    return false;
  }
  return Write_Fully(data, size, reason, [this](const char* p, size_t left, size_t /*done*/) {
    const ssize_t n = ::write(m_fd, p, left);
    if (n > 0) m_position += n;
    return n;
  });
}

bool SafeFileWriter::Write_At(int64_t offset, const void* data, size_t size, std::string& reason) {
  if (m_fd < 0) {
    reason = "the file is not open";
    return false;
  }
  return Write_Fully(data, size, reason, [this, offset](const char* p, size_t left, size_t done) {
    return ::pwrite(m_fd, p, left, static_cast<off_t>(offset) + static_cast<off_t>(done));
  });
}

bool SafeFileWriter::Commit(std::string& reason) {
  if (m_fd < 0) {
    reason = "the file is not open";
    return false;
  }
  // No fsync: the rename alone guarantees that readers see either the old
  // or the complete new file, which is what saving must promise.
  if (::close(m_fd) != 0) {
    reason = System_Reason();
    m_fd = -1;
    Discard();
    return false;
  }
  m_fd = -1;
  if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
    reason = System_Reason();
    Discard();
    return false;
  }
  m_tempPath.clear();
  return true;
}

void SafeFileWriter::Discard() {
  if (m_fd >= 0) {
    ::close(m_fd);
    m_fd = -1;
  }
  if (!m_tempPath.empty()) {
    ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
  }
}

bool Write_File_Safely(const std::string& target, const void* data, size_t size, std::string& reason) {
  SafeFileWriter writer;
  return writer.Open(target, reason) && writer.Write(data, size, reason) && writer.Commit(reason);
}
