#include <QCoreApplication>
#include <QLoggingCategory>
#include <iostream>

#include "cli/Cli.h"

int main(int argc, char** argv) {
  // A core application (never a GUI one) lets Qt find its image-format
  // plugins; nothing here needs a display.  Qt is shown only the program
  // name, so that no command word is taken for one of Qt's own options.
  int qtArgc = 1;
  QCoreApplication app(qtArgc, argv);
  // The image decoders' own chatter (colour-profile warnings and the like)
  // is no message of this program.
  QLoggingCategory::setFilterRules("qt.gui.imageio*=false");
  CliStreams io{std::cout, std::cerr};
  return Quorlin_Main(argc, argv, io);
}
