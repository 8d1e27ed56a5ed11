#include <QCoreApplication>
#include <QLoggingCategory>
#include <iostream>

#include "cli/Cli.h"
#include "platform/SafeFile.h"

int main(int argc, char** argv) {
  // A core application (never a GUI one) lets Qt find its image-format
  // plugins; nothing here needs a display.  Qt is shown only the program
  // name, so that no command word is taken for one of Qt's own options.
  int qtArgc = 1;
  QCoreApplication app(qtArgc, argv);
  // A save cut short by Ctrl-C, a kill or the file size limit leaves no
  // temporary file behind.
  Remove_Temporary_Files_On_Signals();
  // The image decoders' own chatter (colour-profile warnings and the like)
  // is no message of this program.
  QLoggingCategory::setFilterRules("qt.gui.imageio*=false");
  CliStreams io{std::cout, std::cerr};
  return Quorlin_Main(argc, argv, io, std::cin);
}
