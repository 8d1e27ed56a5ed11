#include "cli/CliBatch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <ostream>
#include <sstream>
#include <thread>

#include "platform/PathNames.h"

int Default_Batch_Jobs(size_t photos) {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  const size_t jobs =
      std::min<size_t>({cores, static_cast<size_t>(kMaxBatchJobs), std::max<size_t>(photos, 1)});
  return static_cast<int>(jobs);
}

namespace {

// What the jobs share while they run: the streams and the counts, behind
// one lock.
class BatchBoard {
 public:
  BatchBoard(CliStreams& io, size_t total, bool progress) : m_io(io), m_total(total), m_progress(progress) {}

  void Finish(const std::string& name, int exitCode, const std::string& out, const std::string& err) {
    std::lock_guard<std::mutex> hold(m_lock);
    Clear_Progress();
    if (exitCode == kExitOk)
      ++m_count.succeeded;
    else
      ++m_count.failed;
    m_io.out << out;
    m_io.out.flush();
    std::istringstream lines(err);
    std::string line;
    bool any = false;
    while (std::getline(lines, line)) {
      m_io.err << name << ": " << line << '\n';
      any = true;
    }
    if (exitCode != kExitOk && !any) m_io.err << name << ": failed\n";
    if (m_progress) {
      m_io.err << '[' << (m_count.succeeded + m_count.failed) << '/' << m_total << "] "
               << Path_File_Name(name) << " done";
      if (m_count.failed > 0) m_io.err << ", " << m_count.failed << " failed";
      m_shown = true;
    }
    m_io.err.flush();
  }

  CliBatchCount End() {
    std::lock_guard<std::mutex> hold(m_lock);
    Clear_Progress();
    m_io.err.flush();
    return m_count;
  }

 private:
  void Clear_Progress() {
    if (m_shown) m_io.err << "\r\033[K";
    m_shown = false;
  }

  std::mutex m_lock;
  CliStreams& m_io;
  size_t m_total;
  bool m_progress;
  bool m_shown = false;
  CliBatchCount m_count;
};

}  // namespace

CliBatchCount Cli_Run_Batch(CliStreams& io, const std::vector<std::string>& names, int jobs, bool progress,
                            const std::function<int(size_t, CliStreams&)>& job) {
  BatchBoard board(io, names.size(), progress);
  std::atomic<size_t> next{0};
  const auto work = [&]() {
    for (size_t i = next++; i < names.size(); i = next++) {
      std::ostringstream out, err;
      CliStreams streams{out, err, nullptr, io.quiet};
      int exitCode = kExitFailure;
      try {
        exitCode = job(i, streams);
      } catch (const std::exception& e) {
        err << "quorlin: " << e.what() << '\n';
      } catch (...) {
        err << "quorlin: the job ended with an unknown error\n";
      }
      board.Finish(names[i], exitCode, out.str(), err.str());
    }
  };
  const int threads = std::clamp(jobs, 1, kMaxBatchJobs);
  if (threads == 1) {
    work();
  } else {
    std::vector<std::jthread> pool;
    pool.reserve(static_cast<size_t>(threads));
    for (int t = 0; t < threads; ++t) pool.emplace_back(work);
  }
  return board.End();
}
