// End-to-end runs with photos the commands cannot read and pictures they
// cannot write: the program's text, then a line that says why.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace {

const std::string kRefused = "CImage::Load failed ( Load_Bitmap_File_as_SRC )\nquorlin: ";
const std::string kNotWritten =
    "RenderMan::Save_Bitmap_File_CImage FAILED [ HRESULT error code was:  -2147467259 ].\nquorlin: ";

std::string LE32(uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
          static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
}

TEST(CliPhotoFiles, CutOffPhotosAreRefusedWithWhatIsMissing) {
  TempDir dir;
  TestPlatform platform;
  std::unique_ptr<PlatformImage> coffee = platform.Get().Codec().Create_Image();
  ASSERT_EQ(coffee->Load(Sample_Path("coffee.png")), 0);
  const struct {
    const char* ext;
    int percent;
    const char* command;
    std::string reason;
  } cases[] = {
      // 2 % of a JPEG used to become a flat grey illustration.
      {"jpg", 2, "separate", "the JPEG data ends before its end-of-image marker"},
      {"jpg", 90, "info", "the JPEG data ends before its end-of-image marker"},
      {"gif", 50, "info", "the GIF data ends before its first image is complete"},
      {"bmp", 90, "watercolor", "the BMP file has 648048 bytes; its header calls for 720054"},
      // Their decoders refuse cut files themselves (after complaints of
      // their own on stderr).
      {"png", 90, "info", ""},
      {"tif", 90, "info", ""},
  };
  for (const auto& c : cases) {
    const std::string whole = dir.File(std::string("whole.") + c.ext);
    ASSERT_EQ(coffee->Save(whole), 0);
    const std::string bytes = Read_File_Bytes(whole);
    const std::string cut = dir.File(std::string("cut.") + c.ext);
    Write_File_Bytes(cut, bytes.substr(0, bytes.size() * c.percent / 100));
    std::vector<std::string> args = {c.command, cut};
    if (std::string(c.command) != "info") args.insert(args.end(), {"-o", dir.File("out.png")});
    const CliRun run = Run_Quorlin(args);
    EXPECT_EQ(run.exitCode, 1) << cut;
    if (c.reason.empty()) {
      const std::string lines =
          kRefused + cut + ": not a BMP, TIFF, JPEG, GIF or PNG picture, or a damaged one\n";
      EXPECT_TRUE(run.err.ends_with(lines)) << run.err;
    } else {
      EXPECT_EQ(run.err, kRefused + cut + ": is a truncated or damaged picture (" + c.reason + ")\n");
    }
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(File_Exists(dir.File("out.png")));
    EXPECT_EQ(Run_Quorlin({"info", whole}).exitCode, 0) << whole;
  }

  // A kilobyte that says it holds 9999 x 10000 pixels used to give black.
  std::string bmp = "BM" + LE32(1024) + LE32(0) + LE32(54) + LE32(40) + LE32(9999) + LE32(10000) +
                    std::string("\x01\0\x18\0", 4);
  bmp.resize(1024, '\0');
  Write_File_Bytes(dir.File("claims.bmp"), bmp);
  const CliRun run = Run_Quorlin({"info", dir.File("claims.bmp")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, kRefused + dir.File("claims.bmp") +
                         ": is a truncated or damaged picture (the BMP file has 1024 bytes; its header calls "
                         "for 300000051)\n");
}

TEST(CliPhotoFiles, ANamedPipeIsRefusedAtOnce) {
  TempDir dir;
  FifoWatch fifo(dir.File("photo.png"));
  const CliRun run = Run_Quorlin({"separate", fifo.Path(), "-o", dir.File("out.png")});
  EXPECT_FALSE(fifo.Finish()) << "the command waited on the pipe";
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, kRefused + fifo.Path() + ": is not a plain file\n");
}

TEST(CliPictureWrites, EveryCommandSaysWhyItCouldNotWrite) {
  TempDir dir;
  const std::string coffee = Sample_Path("coffee.png");
  const std::string list = dir.File("coffee.rgl");
  ASSERT_EQ(Run_Quorlin({"separate", coffee, "-o", dir.File("layered.png"), "--rgl", list}).exitCode, 0);
  const std::string missing = dir.File("no/folder/out.png");
  const std::string folder = dir.File("folder.png");
  const std::string steps = dir.File("steps");
  const std::string demo = dir.File("demo");
  for (const std::string& made : {folder, steps + "/subtracted.png", demo + "/preprocessed.png"})
    std::filesystem::create_directories(made);
  const struct {
    std::vector<std::string> args;
    std::string target;
    const char* reason;
  } cases[] = {
      {{"resample", coffee, "-o", missing}, missing, "No such file or directory"},
      {{"watercolor", coffee, "-o", folder}, folder, "Is a directory"},
      {{"outline", coffee, "-o", missing}, missing, "No such file or directory"},
      // (-o naming an existing folder writes the result into it.)
      {{"separate", coffee, "-o", missing}, missing, "No such file or directory"},
      {{"separate", coffee, "-o", dir.File("ok.png"), "--save-steps", steps},
       steps + "/subtracted.png",
       "Is a directory"},
      {{"render", list, "-o", missing}, missing, "No such file or directory"},
      {{"demo", demo}, demo + "/preprocessed.png", "Is a directory"},
  };
  for (const auto& c : cases) {
    const CliRun run = Run_Quorlin(c.args);
    EXPECT_EQ(run.exitCode, 1) << c.args[0];
    EXPECT_EQ(run.err, kNotWritten + c.target + ": " + c.reason + "\n") << c.args[0];
    EXPECT_EQ(run.out, "") << c.args[0];
  }
}

}  // namespace
