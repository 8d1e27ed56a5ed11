#pragma once
// Edit commands.  A command carries what a gesture asked for (the offset of
// a drag) and a property code that tells the subject which kind of change
// to make; the subject applies it in Change_My_Property.
//
// Only what moving and resizing a subject needs is here: the command base
// with its code and offset, and the two drag commands.

#include <cstdint>

#include "framework/Rects.h"

class Commandj {
 public:
  // Property codes of the commands.
  static constexpr int16_t kOffsetCode = 2;  // move by the offset
  static constexpr int16_t kSizeCode = 4;    // grow by the offset

  Commandj() = default;
  virtual ~Commandj() = default;
  Commandj(const Commandj&) = delete;
  Commandj& operator=(const Commandj&) = delete;

  // The code a subject recognises the command by.
  virtual int16_t Get_Property_Code() const = 0;

  // The move or size delta of the gesture.
  const PointShrt& Get_Offset() const { return m_offset; }
  void Set_Offset(int16_t dx, int16_t dy) {
    m_offset.x = dx;
    m_offset.y = dy;
  }

 private:
  PointShrt m_offset;
};

// Moves the subject by the offset.
class OffsetGlyphCmnd : public Commandj {
 public:
  OffsetGlyphCmnd(int16_t dx, int16_t dy) { Set_Offset(dx, dy); }
  int16_t Get_Property_Code() const override { return kOffsetCode; }
};

// Changes the subject's width and height by the offset.
class SizeCmnd : public Commandj {
 public:
  SizeCmnd(int16_t dw, int16_t dh) { Set_Offset(dw, dh); }
  int16_t Get_Property_Code() const override { return kSizeCode; }
};
