#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/PathNames.h"

namespace {

std::string System_Reason() {
  return std::strerror(errno);
}

// The table of temporary files.  A slot is free, being filled, or holds a
// path the signal handler may remove; the handler reads only slots whose
// path is complete.
constexpr int kTemporarySlots = 64;
constexpr size_t kTemporaryPathBytes = 4096;
enum SlotState : int { kSlotFree, kSlotFilling, kSlotListed };
struct TemporarySlot {
  std::atomic<int> state{kSlotFree};
  char path[kTemporaryPathBytes];
};
TemporarySlot g_temporaryFiles[kTemporarySlots];

extern "C" void Remove_Temporary_Files_And_Die(int signalNumber) {
  for (TemporarySlot& slot : g_temporaryFiles) {
    if (slot.state.load() == kSlotListed) ::unlink(slot.path);
  }
  // Die by the same signal: the default action, delivered at once.
  ::signal(signalNumber, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signalNumber);
  ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
  ::raise(signalNumber);
}

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

SafeFileWriter::~SafeFileWriter() {
  Discard();
}

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
  Give_Target_Mode(fd, target);
  m_fd = fd;
  m_target = target;
  m_tempPath = buf.data();
  m_ticket = Register_Temporary_File(m_tempPath);
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
  Forget_Temporary_File(m_ticket);
  m_ticket = -1;
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
  Forget_Temporary_File(m_ticket);
  m_ticket = -1;
}

bool Write_File_Safely(const std::string& target, const void* data, size_t size, std::string& reason) {
  SafeFileWriter writer;
  return writer.Open(target, reason) && writer.Write(data, size, reason) && writer.Commit(reason);
}

void Give_Target_Mode(int fd, const std::string& target) {
  mode_t mode = 0666;
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  ::fchmod(fd, mode);
}

int Register_Temporary_File(const std::string& path) {
  if (path.size() >= kTemporaryPathBytes) return -1;
  for (int i = 0; i < kTemporarySlots; ++i) {
    TemporarySlot& slot = g_temporaryFiles[i];
    int expected = kSlotFree;
    if (!slot.state.compare_exchange_strong(expected, kSlotFilling)) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.state.store(kSlotListed);
    return i;
  }
  return -1;
}

void Forget_Temporary_File(int ticket) {
  if (ticket >= 0 && ticket < kTemporarySlots) g_temporaryFiles[ticket].state.store(kSlotFree);
}

void Remove_Temporary_Files_On_Signals() {
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGXFSZ}) {
    struct sigaction current {};
    if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = Remove_Temporary_Files_And_Die;
    sigemptyset(&action.sa_mask);
    ::sigaction(signalNumber, &action, nullptr);
  }
}
