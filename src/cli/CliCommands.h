#pragma once
// The commands of `quorlin`, one function each.

#include <string>
#include <vector>

#include "cli/Cli.h"

int Cli_Demo(const std::vector<std::string>& words, CliStreams& io);
