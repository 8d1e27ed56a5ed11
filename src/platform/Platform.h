#pragma once
// Platform: the one bundle of platform services the engine is handed.  The
// application object (or a test, or the command line) builds it from the
// implementations it chose and passes it by reference; nothing in the engine
// reaches a platform service any other way.

#include "platform/PlatformServices.h"
#include "platform/Progress.h"

class Platform {
 public:
  Platform(MessageService& messages, FileDialogService& dialogs, CursorService& cursor,
           ProgressBox& progressBox, ClockService& clock, ResourceService& resources, PictureCodec& codec)
      : m_messages(messages),
        m_dialogs(dialogs),
        m_cursor(cursor),
        m_progress(progressBox),
        m_clock(clock),
        m_resources(resources),
        m_codec(codec) {}
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;

  MessageService& Messages() { return m_messages; }
  FileDialogService& Dialogs() { return m_dialogs; }
  CursorService& Cursor() { return m_cursor; }
  Progress& Progress_Box() { return m_progress; }
  ClockService& Clock() { return m_clock; }
  ResourceService& Resources() { return m_resources; }
  PictureCodec& Codec() { return m_codec; }

  // Shorthand for the common "message with an OK button".
  void Message(const std::string& text) { m_messages.Message_Box(text, MessageButtons::Ok); }

 private:
  MessageService& m_messages;
  FileDialogService& m_dialogs;
  CursorService& m_cursor;
  Progress m_progress;
  ClockService& m_clock;
  ResourceService& m_resources;
  PictureCodec& m_codec;
};
