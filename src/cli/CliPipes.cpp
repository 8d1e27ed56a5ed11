// The Unix manners every command shares: "-" as the input file reads
// stdin, "-o -" writes the picture to stdout (PNG unless --format names
// another format), and -q/--quiet drops the notes.
//
// The commands themselves only know files.  Stdin is copied into a
// temporary file that stands for "-"; "-o -" becomes a temporary output
// file that is copied to stdout once the command succeeded (nothing reaches
// stdout on failure).  While temporary files stand in, the command's texts
// are held back and the temporary names in them put back to "-", so that no
// message names a file the user never gave.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <ostream>
#include <sstream>
#include <streambuf>

#include "cli/Cli.h"
#include "platform/SafeFile.h"

namespace {

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

NullBuffer g_nullBuffer;  // holds no state: every character is dropped
std::ostream g_nullStream(&g_nullBuffer);

// The most stdin may hold: larger than any picture the codec takes.
constexpr size_t kMaxStdinBytes = size_t{1} << 30;

// A temporary file that is removed when it goes out of scope (or when the
// process is ended by a signal).
class TempFile {
 public:
  ~TempFile() {
    if (m_path.empty()) return;
    ::unlink(m_path.c_str());
    Forget_Temporary_File(m_ticket);
  }
  // A new empty file named quorlin-XXXXXX<suffix> in TMPDIR (or /tmp); its
  // descriptor is returned open for writing, -1 on failure.
  int Create(const std::string& suffix, std::string& err) {
    const char* dir = std::getenv("TMPDIR");
    std::string name =
        std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/quorlin-XXXXXX" + suffix;
    const int fd = ::mkstemps(name.data(), static_cast<int>(suffix.size()));
    if (fd < 0) {
      err = std::string("quorlin: could not make a temporary file:  ") + std::strerror(errno);
      return -1;
    }
    m_path = name;
    m_ticket = Register_Temporary_File(m_path);
    return fd;
  }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
  int m_ticket = -1;
};

bool Write_All(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Copies `in` into `file`; false with the reason.
bool Copy_Stdin(std::istream& in, TempFile& file, std::string& err) {
  const int fd = file.Create("", err);
  if (fd < 0) return false;
  char buffer[1 << 16];
  size_t total = 0;
  bool ok = true;
  while (ok && in) {
    in.read(buffer, sizeof buffer);
    const auto n = static_cast<size_t>(in.gcount());
    total += n;
    if (total > kMaxStdinBytes) {
      err = "quorlin: the data on stdin is larger than 1 GiB; no picture is that large";
      ok = false;
    } else if (n > 0 && !Write_All(fd, buffer, n)) {
      err = std::string("quorlin: could not keep the data of stdin:  ") + std::strerror(errno);
      ok = false;
    }
  }
  ::close(fd);
  return ok;
}

// The file copied to `out`; false when it cannot be read.
bool Copy_To(const std::string& path, std::ostream& out) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  char buffer[1 << 16];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) out.write(buffer, n);
  ::close(fd);
  out.flush();
  return n == 0 && static_cast<bool>(out);
}

void Replace_All(std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace

std::ostream& Cli_Notes(CliStreams& io) {
  if (io.quiet) return g_nullStream;
  return io.notes != nullptr ? *io.notes : io.out;
}

std::ostream& Cli_Warnings(CliStreams& io) {
  return io.quiet ? g_nullStream : io.err;
}

int Cli_Run_With_Pipes(const CliCommand& command, std::vector<std::string> words, CliStreams& io,
                       std::istream& in) {
  // The options end at "--"; -o - and --format are looked for before it.
  const size_t optionsEnd = static_cast<size_t>(std::find(words.begin(), words.end(), "--") - words.begin());
  size_t stdoutWord = words.size();
  for (size_t i = 0; i + 1 < optionsEnd; ++i) {
    if (words[i] == "-o" && words[i + 1] == "-") stdoutWord = i + 1;
  }
  const bool toStdout = stdoutWord < words.size();
  std::string format = "png";
  if (toStdout) {
    // --format belongs to "-o -": the format of what stdout carries.
    for (size_t i = 0; i + 1 < optionsEnd; ++i) {
      if (words[i] != "--format") continue;
      format = words[i + 1];
      for (char& c : format) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      words.erase(words.begin() + static_cast<long>(i), words.begin() + static_cast<long>(i) + 2);
      if (stdoutWord > i) stdoutWord -= 2;
      break;
    }
    const std::string known[] = {"png", "jpg", "jpeg", "bmp", "tif", "tiff", "gif"};
    if (std::find(std::begin(known), std::end(known), format) == std::end(known))
      return Cli_Usage_Error(io, command, "--format takes png, jpg, bmp, tif or gif");
  }
  // "-" anywhere else is stdin, which can be read once.
  size_t stdinWord = words.size();
  for (size_t i = 0; i < words.size(); ++i) {
    if (words[i] != "-" || i == stdoutWord) continue;
    if (stdinWord < words.size()) return Cli_Usage_Error(io, command, "stdin (-) can be read only once");
    stdinWord = i;
  }
  if (!toStdout && stdinWord == words.size()) return command.run(words, io);

  TempFile stdinFile, stdoutFile;
  std::string err;
  if (stdinWord < words.size()) {
    if (!Copy_Stdin(in, stdinFile, err)) {
      io.err << err << '\n';
      return kExitFailure;
    }
    words[stdinWord] = stdinFile.Path();
  }
  if (toStdout) {
    const int fd = stdoutFile.Create("." + format, err);
    if (fd < 0) {
      io.err << err << '\n';
      return kExitFailure;
    }
    ::close(fd);
    words[stdoutWord] = stdoutFile.Path();
  }

  std::ostringstream heldOut, heldErr;
  CliStreams held{heldOut, heldErr, nullptr, io.quiet};
  const int code = command.run(words, held);
  std::string outText = heldOut.str(), errText = heldErr.str();
  for (std::string* text : {&outText, &errText}) {
    Replace_All(*text, stdinFile.Path(), "-");
    Replace_All(*text, stdoutFile.Path(), "-");
  }
  // With the picture on stdout, the command's own lines go to stderr.
  (toStdout ? io.err : io.out) << outText;
  io.err << errText;
  if (code == kExitOk && toStdout && !Copy_To(stdoutFile.Path(), io.out)) {
    io.err << "quorlin: could not write the picture to stdout\n";
    return kExitFailure;
  }
  return code;
}
