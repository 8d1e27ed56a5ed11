#include "persistence/ComponentExternal.h"

#include "persistence/ListFile.h"
#include "platform/ByteOrder.h"
#include "views/ListComponentSubject.h"

std::unique_ptr<External> ComponentExternal::Create_Element_External(ComponentSubject& element) {
  return std::unique_ptr<External>(element.Create_ComponentExternal());
}

bool ComponentExternal::Save_Lists_Elements(int16_t chunkCode, uint8_t version, ComponentSubject* subject,
                                            ListFile& file, int32_t options, std::string& err) {
  err.clear();
  if (subject != nullptr && subject->Get_ChildrenSubjects_Iterator() == nullptr) {
    err =
        "ComponentExternal::Save_Lists_Elements FAILED,   single ComponectSubject  case not yet implemented";
    return false;
  }
  auto* list = dynamic_cast<ListComponentSubject*>(subject);
  if (list == nullptr) {
    err = "ComponentExternal::Save_Lists_Elements  failed,  bad dynamic cast for ListComponentSubject.";
    return false;
  }

  int64_t lengthField = -1;
  if (!Write_Chunks_Header(file, chunkCode, version, lengthField, err)) return false;
  ListMemry<ComponentSubject>& children = list->Get_Children_List();
  const int32_t count = children.Get_Count();
  uint8_t countField[4];
  Put_LE32(countField, count);
  file.Write(countField, sizeof countField);

  int32_t written = 0;
  for (ComponentSubject* child : children) {
    std::unique_ptr<External> element = Create_Element_External(*child);
    if (element == nullptr) {
      err = "ComponentExternal::Save_Lists_Elements  failed,  componentExternal  is NULL.";
      return false;
    }
    if (!list->Initialize_ComponentExternal_for_FileSave(element.get(), err)) return false;
    if (!element->Emit(file, options, err)) return false;
    ++written;
  }
  if (written != count) {
    err = "ComponentExternal::Save_Lists_Elements  FAILED,  listCount  does not equal numberOfOvals.";
    return false;
  }
  return Patch_Chunks_Length(file, lengthField, err);
}

bool ComponentExternal::Load_Lists_Elements(int16_t chunkCode, uint8_t /*version*/, ComponentSubject* subject,
                                            External& elementExternal, ListFile& file, std::string& err) {
  err.clear();
  if (subject != nullptr && subject->Get_ChildrenSubjects_Iterator() == nullptr) {
    err =
        "ComponentExternal::Load_Lists_Elements FAILED,   single ComponectSubject  case not yet implemented";
    return false;
  }
  auto* list = dynamic_cast<ListComponentSubject*>(subject);
  if (list == nullptr) {
    err = "ComponentExternal::Load_Lists_Elements  failed,  bad dynamic cast for OvalSubject.";
    return false;
  }

  uint8_t chunkVersion = 0;
  int32_t chunkLength = 0;
  if (!Goto_Chunks_Header(file, chunkCode, chunkVersion, chunkLength, err)) return false;
  // A count cut short by the end of the file would read as a smaller one
  // (an empty list, say) and pass for a whole file.
  uint8_t countField[4] = {};
  if (file.Read(countField, sizeof countField) < sizeof countField) {
    err =
        "ComponentExternal::Load_Lists_Elements FAILED,  the file ends inside the list's count. \n File may "
        "be corrupt.";
    return false;
  }
  const int32_t count = Get_LE32(countField);
  if (count == 0) return true;
  if (count < 0) {
    err = "ComponentExternal::Load_Lists_Elements FAILED, has a negative count for list.";
    return false;
  }
  for (int32_t i = 0; i < count; ++i) {
    ComponentSubject* element = nullptr;
    if (!elementExternal.Receive(file, element, err)) return false;
    if (element == nullptr) {
      err = "ComponentExternal::Load_Lists_Elements  failed,  retObjectPtr is NULL.";
      return false;
    }
    // The list takes the element over, also when it refuses to keep it.
    if (!list->Add_ChildSubject(element, err)) {
      delete element;
      return false;
    }
  }
  return true;
}
