#include "cli/CliOutputs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/PathNames.h"
#include "platform/SafeFile.h"

bool CliOutputs::Same_File(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  std::error_code ea, eb;
  const std::filesystem::path pa = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ea), ea);
  const std::filesystem::path pb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, eb), eb);
  return !ea && !eb && pa == pb;
}

CliOutputs::~CliOutputs() {
  Remove_Staged();
}

bool CliOutputs::Add(const std::string& target, const std::string& option, std::string& problem) {
  for (const Output& o : m_outputs) {
    if (Same_File(o.target, target)) {
      problem = option + " " + target + " names the same file as " + o.option + " " + o.target +
                "; give each output a file of its own";
      return false;
    }
  }
  m_outputs.push_back(Output{target, option, std::string(), -1});
  return true;
}

void CliOutputs::Stage() {
  for (Output& o : m_outputs) {
    if (!o.staged.empty()) continue;
    // A folder in the target's place cannot be replaced: its save says so.
    struct stat st {};
    if (::stat(o.target.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) continue;
    const std::string name = Path_File_Name(o.target);
    const std::string ext = Path_Extension(o.target);
    const std::string suffix = ext.empty() ? std::string() : "." + ext;
    std::string pattern = Path_Folder(o.target) + "." + name + ".part-XXXXXX" + suffix;
    const int fd = ::mkstemps(pattern.data(), static_cast<int>(suffix.size()));
    if (fd < 0) continue;
    Give_Target_Mode(fd, o.target);
    ::close(fd);
    o.staged = pattern;
    o.ticket = Register_Temporary_File(o.staged);
  }
}

bool CliOutputs::Has(const std::string& target) const {
  for (const Output& o : m_outputs) {
    if (o.target == target) return true;
  }
  return false;
}

bool CliOutputs::Names_Same_File(const std::string& path) const {
  for (const Output& o : m_outputs) {
    if (Same_File(o.target, path)) return true;
  }
  return false;
}

const std::string& CliOutputs::Path_For(const std::string& target) const {
  for (const Output& o : m_outputs) {
    if (o.target == target) return o.staged.empty() ? o.target : o.staged;
  }
  return target;
}

bool CliOutputs::Commit(std::string& err) {
  for (Output& o : m_outputs) {
    if (o.staged.empty()) continue;
    if (::rename(o.staged.c_str(), o.target.c_str()) != 0) {
      err = "quorlin: cannot write " + o.target + ": " + std::strerror(errno);
      return false;
    }
    o.staged.clear();
    Forget_Temporary_File(o.ticket);
    o.ticket = -1;
  }
  return true;
}

void CliOutputs::Remove_Staged() {
  for (Output& o : m_outputs) {
    if (!o.staged.empty()) ::unlink(o.staged.c_str());
    o.staged.clear();
    Forget_Temporary_File(o.ticket);
    o.ticket = -1;
  }
}
