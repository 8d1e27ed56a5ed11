#pragma once
// The files one command writes, put in place together.
//
// A command that writes several files (the layered image, the region list,
// the steps) must never leave some of them new and some old: every file is
// written to a temporary sibling first (same folder, same extension, so
// that the format the extension names stays the same), and only when all of
// them were written are they renamed over their targets.  Until then the
// targets are untouched, and the temporary files are removed when the
// outputs are given up (or the process is ended by a signal).
//
// Naming one file twice (also through a link) is a usage error.

#include <string>
#include <vector>

class CliOutputs {
 public:
  CliOutputs() = default;
  ~CliOutputs();  // removes the temporary files of outputs not committed
  CliOutputs(const CliOutputs&) = delete;
  CliOutputs& operator=(const CliOutputs&) = delete;

  // Adds a target; false with `problem` when it names the same file as one
  // added before, with `option` (e.g. "--rgl") and that one's option named.
  bool Add(const std::string& target, const std::string& option, std::string& problem);
  // Makes the temporary file of every target.  A target whose temporary
  // file cannot be made (its folder is missing, say) or that is a folder is
  // left unstaged: the
  // save of it then meets the same problem and reports it in its own words,
  // before anything is put in place.
  void Stage();
  bool Has(const std::string& target) const;
  // True when `path` names the same file as one of the targets.
  bool Names_Same_File(const std::string& path) const;
  // Where to write `target` (which must have been added); the target itself
  // before Stage.
  const std::string& Path_For(const std::string& target) const;
  // True when the two paths name one file: the same path once links are
  // followed as far as it exists, or, when both exist, the same file (hard
  // links).
  static bool Same_File(const std::string& a, const std::string& b);
  // Renames every temporary file over its target.  False with the reason
  // when a rename fails; the targets renamed before it stay new.
  bool Commit(std::string& err);

 private:
  struct Output {
    std::string target;
    std::string option;
    std::string staged;  // empty until staged, and again once in place
    int ticket = -1;     // of the temporary file while it exists
  };
  void Remove_Staged();
  std::vector<Output> m_outputs;
};
