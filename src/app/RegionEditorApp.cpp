#include "app/RegionEditorApp.h"

RegionEditorApp::RegionEditorApp(Platform& platform, const std::string& textureFolder)
    : m_platform(platform),
      m_renderMan(platform, textureFolder),
      m_regionList(m_renderMan),
      m_windows(m_recordedWindows),
      m_composer(m_renderMan, m_regionList, m_windows, platform),
      m_editor(platform.Messages(), &m_regionList) {
  m_windows.Set_Editing(m_editor, m_history);
}

RegionEditorApp::~RegionEditorApp() = default;

SeparationContext RegionEditorApp::Separation_Context() {
  return {m_platform, m_renderMan, m_regionList, m_composer, m_windows, m_document, m_settings};
}

OutlineContext RegionEditorApp::Outline_Context() {
  return {m_platform,
          m_renderMan,
          m_pixelChainList,
          m_composer,
          m_windows,
          m_document,
          m_settings.outlineDetectParms};
}

ListFileContext RegionEditorApp::List_File_Context() {
  return {m_platform, m_renderMan, m_regionList, m_composer, m_windows, m_document, m_settings};
}

ModifyColorsContext RegionEditorApp::Modify_Colors_Context() {
  return {m_platform, m_regionList, m_composer, m_windows};
}

EditContext RegionEditorApp::Edit_Context() {
  return Edit_Context(m_history);
}

EditContext RegionEditorApp::Edit_Context(EditStepSink& history) {
  return {m_platform, m_regionList, m_composer, m_windows, m_document, m_editor, history};
}
