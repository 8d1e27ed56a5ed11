#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "platform/FolderListing.h"
#include "platform/PathNames.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"
#include "support/TestSupport.h"

TEST(PathNames, SplitsOnBothSeparators) {
  EXPECT_EQ(Path_File_Name("C:\\Photos\\dog.bmp"), "dog.bmp");
  EXPECT_EQ(Path_File_Name("/home/a/dog.bmp"), "dog.bmp");
  EXPECT_EQ(Path_File_Name("mixed/dir\\dog.bmp"), "dog.bmp");
  EXPECT_EQ(Path_File_Name("dog.bmp"), "dog.bmp");
  EXPECT_TRUE(Path_Has_Folder("a\\b"));
  EXPECT_FALSE(Path_Has_Folder("b.bmp"));
  EXPECT_EQ(Path_Folder("C:\\Photos\\dog.bmp"), "C:\\Photos\\");
  EXPECT_EQ(Path_Folder("dog.bmp"), "");
  EXPECT_EQ(Path_Join("/tmp", "a.bmp"), "/tmp/a.bmp");
  EXPECT_EQ(Path_Join("/tmp/", "a.bmp"), "/tmp/a.bmp");
}

TEST(PathNames, ExtensionIsAfterTheLastDotOfTheFileName) {
  EXPECT_EQ(Path_Extension("out.JPG"), "JPG");
  EXPECT_EQ(Path_Extension("a.b.png"), "png");
  EXPECT_EQ(Path_Extension(".png"), "");  // the dot is the first character
  EXPECT_EQ(Path_Extension("/tmp/.png"), "");
  EXPECT_EQ(Path_Extension("dir.v2/file"), "");  // a dot in a folder is no extension
  EXPECT_EQ(Path_Extension("noext"), "");
}

TEST(PathNames, TitleIsBeforeTheLastDotEvenAtTheStart) {
  EXPECT_EQ(File_Title("xSub_3-4_1.bmp"), "xSub_3-4_1");
  EXPECT_EQ(File_Title("a.b.png"), "a.b");
  EXPECT_EQ(File_Title("noext"), "noext");
  EXPECT_EQ(File_Title(".bmp"), "");
  EXPECT_EQ(File_Title(""), "");
}

TEST(FolderListing, PlainFilesSortedByName) {
  TempDir dir;
  for (const char* name : {"b.bmp", "B.bmp", "a_10.bmp", ".hidden"}) Write_File_Bytes(dir.File(name), "x");
  std::filesystem::create_directory(dir.File("folder.bmp"));
  EXPECT_EQ(Plain_Files_In_Folder(dir.Path()),
            (std::vector<std::string>{".hidden", "B.bmp", "a_10.bmp", "b.bmp"}));
  EXPECT_TRUE(Plain_Files_In_Folder(dir.File("absent")).empty());
  EXPECT_TRUE(Plain_Files_In_Folder(dir.File("b.bmp")).empty());
}

TEST(Text, FormatsLikePrintf) {
  EXPECT_EQ(Text_Format("Image was saved to: \n  %s", "/a.png"), "Image was saved to: \n  /a.png");
  EXPECT_EQ(Text_Format("[ %d ]", -2147467259), "[ -2147467259 ]");
  EXPECT_EQ(Text_Format("%s", ""), "");
}

TEST(Text, ComparesWithoutRegardToCase) {
  EXPECT_TRUE(Equal_NoCase("Gray 10", "gray 10"));
  EXPECT_TRUE(Equal_NoCase("COBALT blue", "Cobalt Blue"));
  EXPECT_TRUE(Equal_NoCase("Ärger", "äRGER"));
  EXPECT_FALSE(Equal_NoCase("Gray 1", "Gray 10"));
  EXPECT_FALSE(Equal_NoCase("abc", "abd"));
  EXPECT_TRUE(Equal_NoCase("", ""));
  EXPECT_FALSE(Equal_NoCase("\xC3", "\xC3\xA4"));  // a cut-off sequence is not a letter
}

TEST(SafeFile, ReplacesTheTargetOnlyOnCommit) {
  TempDir dir;
  const std::string target = dir.File("keep.bin");
  Write_File_Bytes(target, "old contents");
  {
    SafeFileWriter w;
    std::string reason;
    ASSERT_TRUE(w.Open(target, reason)) << reason;
    ASSERT_TRUE(w.Write("new", 3, reason));
    // Dropped without commit: the old file stays and no temporary remains.
  }
  EXPECT_EQ(Read_File_Bytes(target), "old contents");
  std::string reason;
  ASSERT_TRUE(Write_File_Safely(target, "new!", 4, reason)) << reason;
  EXPECT_EQ(Read_File_Bytes(target), "new!");
  EXPECT_EQ(Folder_Entries(dir.Path()), std::vector<std::string>{"keep.bin"});
}

TEST(SafeFile, PatchesEarlierBytesAndFailsIntoMissingFolders) {
  TempDir dir;
  SafeFileWriter w;
  std::string reason;
  ASSERT_TRUE(w.Open(dir.File("p.bin"), reason));
  ASSERT_TRUE(w.Write("abcdef", 6, reason));
  ASSERT_TRUE(w.Write_At(2, "XY", 2, reason));
  ASSERT_TRUE(w.Write("g", 1, reason));
  EXPECT_EQ(w.Position(), 7);
  ASSERT_TRUE(w.Commit(reason));
  EXPECT_EQ(Read_File_Bytes(dir.File("p.bin")), "abXYefg");

  EXPECT_FALSE(Write_File_Safely(dir.File("no/such/folder/x.bin"), "x", 1, reason));
  EXPECT_EQ(reason, "No such file or directory");
  EXPECT_FALSE(Write_File_Safely(dir.Path(), "x", 1, reason));
  EXPECT_EQ(reason, "Is a directory");
}

// In a child process: a save in progress, ended by `signalNumber` (raised,
// or for SIGXFSZ the file size limit met).  The child must die by that
// signal and leave the folder as it was.
TEST(SafeFile, ASignalDuringASaveRemovesTheTemporaryFile) {
  for (const int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGXFSZ}) {
    TempDir dir;
    const std::string target = dir.File("art.png");
    Write_File_Bytes(target, "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Remove_Temporary_Files_On_Signals();
      SafeFileWriter w;
      std::string reason;
      if (!w.Open(target, reason) || !w.Write("new", 3, reason)) ::_exit(3);
      if (signalNumber == SIGXFSZ) {
        const rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const std::string big(8192, 'x');
        w.Write(big.data(), big.size(), reason);
      } else {
        ::raise(signalNumber);
      }
      ::_exit(4);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << signalNumber << " exit " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), signalNumber);
    EXPECT_EQ(Folder_Entries(dir.Path()), std::vector<std::string>{"art.png"}) << signalNumber;
    EXPECT_EQ(Read_File_Bytes(target), "old");
  }
}

TEST(ProgressBox, ClampsAndMovesOnlyOnChange) {
  TestPlatform tp;
  Progress& p = tp.Get().Progress_Box();
  p.Open_Progress("Sorting");
  p.Set_Progress_Position(0);
  p.Set_Progress_Position(1);
  p.Set_Progress_Position(250);
  p.Set_Progress_Position(100);
  p.Set_Progress_Text("Step 2");
  p.Open_Progress("Again");
  p.Close_Progress();
  p.Close_Progress();
  const std::vector<std::string> expected = {"open Sorting", "position 1", "position 100",
                                             "text Step 2",  "text ",      "close",
                                             "open Again",   "text ",      "close"};
  EXPECT_EQ(tp.Headless().Progress_Events().Events(), expected);
}

TEST(HeadlessServices, ScriptedAnswersAndRecordedMessages) {
  TestPlatform tp;
  HeadlessMessages& m = tp.Messages();
  m.Queue_Answer(MessageAnswer::No);
  EXPECT_EQ(m.Message_Box("Delete?", MessageButtons::YesNo), MessageAnswer::No);
  EXPECT_EQ(m.Message_Box("Again?", MessageButtons::YesNoCancel), MessageAnswer::Yes);
  tp.Get().Message("done");
  EXPECT_EQ(m.Texts(), (std::vector<std::string>{"Delete?", "Again?", "done"}));

  std::string path;
  tp.Dialogs().Queue_Path(std::string("/x/y.bmp"));
  tp.Dialogs().Queue_Path(std::nullopt);
  FileDialogSpec dialogRequest;
  dialogRequest.filter = "BMP (*.bmp)|*.bmp||";
  dialogRequest.defaultExt = "bmp";
  EXPECT_TRUE(tp.Get().Dialogs().Open_File_Dialog(dialogRequest, path));
  EXPECT_EQ(path, "/x/y.bmp");
  EXPECT_FALSE(tp.Get().Dialogs().Save_File_Dialog({}, path));
  EXPECT_FALSE(tp.Get().Dialogs().Save_File_Dialog({}, path));  // nothing queued: cancelled
  ASSERT_EQ(tp.Dialogs().Asked_Dialogs().size(), 3u);
  EXPECT_EQ(tp.Dialogs().Asked_Dialogs()[0].dialogRequest.defaultExt, "bmp");
  EXPECT_TRUE(tp.Dialogs().Asked_Dialogs()[1].save);
}
