#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) {
  CliStreams io{std::cout, std::cerr};
  return Quorlin_Main(argc, argv, io);
}
