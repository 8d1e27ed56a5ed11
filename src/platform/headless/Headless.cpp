#include "platform/headless/Headless.h"

#include <chrono>

MessageAnswer HeadlessMessages::Message_Box(const std::string& text, MessageButtons buttons) {
  MessageAnswer answer = kDefaults[static_cast<int>(buttons)];
  if (!m_answers.empty()) {
    answer = m_answers.front();
    m_answers.pop_front();
  }
  m_shown.push_back({text, buttons, answer});
  if (m_echo) *m_echo << text << '\n';
  return answer;
}

std::vector<std::string> HeadlessMessages::Texts() const {
  std::vector<std::string> texts;
  texts.reserve(m_shown.size());
  for (const Shown& s : m_shown) texts.push_back(s.text);
  return texts;
}

bool HeadlessFileDialogs::Answer(bool save, const FileDialogSpec& dialogRequest, std::string& path) {
  m_asked.push_back({save, dialogRequest});
  if (m_paths.empty()) return false;
  std::optional<std::string> next = std::move(m_paths.front());
  m_paths.pop_front();
  if (!next) return false;
  path = *next;
  return true;
}

bool HeadlessFileDialogs::Open_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) {
  return Answer(false, dialogRequest, path);
}

bool HeadlessFileDialogs::Save_File_Dialog(const FileDialogSpec& dialogRequest, std::string& path) {
  return Answer(true, dialogRequest, path);
}

void HeadlessCursor::Begin_Wait_Cursor() {
  ++m_depth;
  ++m_shownCount;
}

void HeadlessCursor::End_Wait_Cursor() {
  if (m_depth > 0) --m_depth;
}

int64_t HeadlessClock::Milliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

HeadlessPlatform::HeadlessPlatform(PictureCodec& codec)
    : m_platform(m_messages, m_dialogs, m_cursor, m_progressBox, m_clock, m_resources, codec) {}
