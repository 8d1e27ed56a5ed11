#pragma once
// Headless platform services: no display.  Messages are recorded (and, for
// the command line, echoed to a stream), questions and file dialogs take
// scripted answers, progress is recorded.  Tests drive every workflow of the
// program through these, questions and messages included.

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/EmbeddedResources.h"
#include "platform/Platform.h"

class HeadlessMessages : public MessageService {
 public:
  struct Shown {
    std::string text;
    MessageButtons buttons;
    MessageAnswer answer;
  };

  MessageAnswer Message_Box(const std::string& text, MessageButtons buttons) override;

  // Answers given to the next questions, in order.  When none is queued the
  // default answer for the kind of box is given: Ok for Ok and OkCancel,
  // Yes for YesNo and YesNoCancel.
  void Queue_Answer(MessageAnswer answer) { m_answers.push_back(answer); }
  // Echo every shown text to `out` (the command line prints to stderr).
  void Set_Echo(std::ostream* out) { m_echo = out; }

  const std::vector<Shown>& Shown_Messages() const { return m_shown; }
  std::vector<std::string> Texts() const;
  void Clear() { m_shown.clear(); }

 private:
  std::deque<MessageAnswer> m_answers;
  static constexpr MessageAnswer kDefaults[4] = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Yes,
                                                 MessageAnswer::Yes};
  std::vector<Shown> m_shown;
  std::ostream* m_echo = nullptr;
};

class HeadlessFileDialogs : public FileDialogService {
 public:
  struct Asked {
    bool save;
    FileDialogSpec dialogRequest;
  };

  bool Open_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) override;
  bool Save_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) override;

  // The next dialog returns this path; std::nullopt means the user cancels.
  // A dialog with nothing queued is cancelled.
  void Queue_Path(std::optional<std::string> path) { m_paths.push_back(std::move(path)); }
  const std::vector<Asked>& Asked_Dialogs() const { return m_asked; }

 private:
  bool Answer(bool save, const FileDialogSpec& dialogRequest, std::string& path);
  std::deque<std::optional<std::string>> m_paths;
  std::vector<Asked> m_asked;
};

class HeadlessCursor : public CursorService {
 public:
  void Begin_Wait_Cursor() override;
  void End_Wait_Cursor() override;
  int Depth() const { return m_depth; }
  int Times_Shown() const { return m_shownCount; }

 private:
  int m_depth = 0;
  int m_shownCount = 0;
};

class HeadlessProgressBox : public ProgressBox {
 public:
  // Every call is recorded as one line: "open <text>", "text <text>",
  // "position <n>", "close".
  void Show_Box(const std::string& text) override { m_events.push_back("open " + text); }
  void Show_Text(const std::string& text) override { m_events.push_back("text " + text); }
  void Show_Position(int percent) override { m_events.push_back("position " + std::to_string(percent)); }
  void Destroy_Box() override { m_events.push_back("close"); }
  const std::vector<std::string>& Events() const { return m_events; }
  void Clear() { m_events.clear(); }

 private:
  std::vector<std::string> m_events;
};

class HeadlessClock : public ClockService {
 public:
  int64_t Milliseconds() override;
};

// All headless services in one bundle, with the picture codec supplied by
// the caller (the command line and the tests use the Qt codec).
class HeadlessPlatform {
 public:
  explicit HeadlessPlatform(PictureCodec& codec);

  Platform& Get() { return m_platform; }
  HeadlessMessages& Messages() { return m_messages; }
  HeadlessFileDialogs& Dialogs() { return m_dialogs; }
  HeadlessCursor& Cursor() { return m_cursor; }
  HeadlessProgressBox& Progress_Events() { return m_progressBox; }
  HeadlessClock& Clock() { return m_clock; }

 private:
  HeadlessMessages m_messages;
  HeadlessFileDialogs m_dialogs;
  HeadlessCursor m_cursor;
  HeadlessProgressBox m_progressBox;
  HeadlessClock m_clock;
  EmbeddedResources m_resources;
  Platform m_platform;
};
