#pragma once
// Check_Lists_Intergity: walks a list's links and checks that the chain is as
// long as the list's count says, no shorter and no longer.  Only meaningful
// for lists of two or more: smaller lists give false with an empty text.

#include <cstdint>
#include <string>

#include "framework/ListMemry.h"
#include "platform/Text.h"

template <class T>
bool Check_Lists_Intergity(const ListMemry<T>& list, std::string& errText) {
  errText.clear();
  const int32_t count = list.Get_Count();
  if (count <= 1) return false;
  const ListLink<T>* link = list.Get_Head_Link();
  for (int32_t i = 0; i <= count - 2; ++i) {
    // The index is reported as the 16-bit number it always was.
    const int index = static_cast<int16_t>(i);
    if (link == nullptr) {
      errText = Text_Format("Check_Lists_Intergity failed.   travLink is  NULL  for i = %d ", index);
      return false;
    }
    link = link->Get_Next();
    if (link == nullptr) {
      errText = Text_Format("Check_Lists_Intergity failed.  nextLink is  NULL  for i = %d ", index);
      return false;
    }
  }
  if (link->Get_Next() != nullptr) {
    errText = "Check_Lists_Intergity failed.  Last link's  _next  is not NULL.";
    return false;
  }
  return true;
}
