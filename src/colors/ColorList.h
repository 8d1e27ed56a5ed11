#pragma once
// ColorList: an owning list of HSV colours, in insertion order, duplicates
// allowed.  Stock colour sets are handed around in it; read it through the
// list interface (count, Get_Nth, iterators).

#include <cstdint>

#include "framework/ListMemry.h"
#include "raster/ColorSpace.h"

class ColorList : public ListMemry<ColorHSV> {
 public:
  ColorList() = default;
  ~ColorList() override;

  virtual bool Contains_Color(int16_t hue, int16_t sat, int16_t val) const;
  // Removes and frees the last element equal to all three; 1 when one was
  // removed, 0 otherwise.
  virtual int Remove_Color(int16_t hue, int16_t sat, int16_t val);
  // Appends the standard colour of this nickname (case ignored).  False only
  // for a null text; an unknown nickname appends nothing and still gives true.
  virtual bool Add_Color_by_Nickname(const char* nickname);
  virtual void Add_Color(const ColorHSV& color);
};
