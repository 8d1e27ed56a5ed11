#pragma once
// Running one command on many photos at once.
//
// Each photo is a job run on one of a few threads; a job writes into
// streams of its own, and what it wrote is printed when it ends, whole: its
// standard output as it is, and every line of its error output after the
// photo's path ("PHOTO: text"), so that lines of jobs running together never
// mix.  A failed job does not stop the others.  On a terminal one progress
// line ("[3/8] coffee.png done, 1 failed") is kept up to date in place and
// cleared at the end.
//
// Jobs share nothing: each one makes its own platform, codec and
// application object.  The picture codec is Qt's image reader and writer,
// of which every instance may be used on its own thread.

#include <functional>
#include <string>
#include <vector>

#include "cli/Cli.h"

// The most jobs run at once.
constexpr int kMaxBatchJobs = 64;

// One job per core, at most kMaxBatchJobs and at most `photos`.
int Default_Batch_Jobs(size_t photos);

struct CliBatchCount {
  int succeeded = 0;
  int failed = 0;
};

// Runs `job(i, streams)` for every i below names.size() on `jobs` threads;
// a job answers the exit code of a single run (kExitOk for success).  A job
// that throws counts as failed, with the exception's text.  `progress`
// turns the progress line on.
CliBatchCount Cli_Run_Batch(CliStreams& io, const std::vector<std::string>& names, int jobs, bool progress,
                            const std::function<int(size_t, CliStreams&)>& job);
