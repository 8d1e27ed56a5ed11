// The seed fills of OffMap: the map's seed stack, the scan-line fill with
// its array and list stacks, the flood read, and the exact-colour and
// painting fills.

#include <memory>
#include <new>
#include <vector>

#include "framework/ListMemry.h"
#include "platform/PlatformServices.h"
#include "raster/OffMap.h"
#include "raster/SeedFillPixels.h"

using seedfill::FillBox;

namespace {

// Runs of the scan-line fill that find no room on a local stack are
// dropped; 20000 runs are far more than a working map needs.
constexpr int32_t kLocalStackEntries = 20000;
// The array fill never uses the last entries of the caller's stack.
constexpr int32_t kStackMargin = 64;

// The segment-stack scan-line fill shared by the fills below.  `open`(x, y)
// says whether a pixel may still join the area (fillable and not taken),
// `take`(x, y) takes it.  Each stack entry is a run of a row already filled
// with the direction of the row still to be explored; a run is pushed only
// when that row lies inside the fill area.  The stack's Pop may end the
// fill early.
template <class Open, class Take, class Stack>
void Scan_Line_Fill(int32_t seedX, int32_t seedY, int32_t width, int32_t height, Open open, Take take,
                    Stack& stack) {
  auto push = [&](int32_t xl, int32_t xr, int32_t y, int32_t dy) {
    const int32_t next = y + dy;
    if (next >= 0 && next < height) stack.Push(xl, xr, y, dy);
  };
  // The second run, popped first, explores the seed's own row; the first
  // one explores the row below it from above.
  push(seedX, seedX, seedY, 1);
  push(seedX, seedX, seedY + 1, -1);

  int32_t x1 = 0, x2 = 0, y = 0, dy = 0;
  while (stack.Pop(x1, x2, y, dy)) {
    int32_t x = x1;
    for (; x >= 0 && open(x, y); --x) take(x, y);
    bool inRun = x < x1;
    int32_t left = x + 1;
    if (inRun) {
      if (left < x1) push(left, x1 - 1, y, -dy);  // the run leaks out on the left
      x = x1 + 1;
    }
    for (;;) {
      if (inRun) {
        for (; x < width && open(x, y); ++x) take(x, y);
        push(left, x - 1, y, dy);
        if (x > x2 + 1) push(x2 + 1, x - 1, y, -dy);  // and on the right
      }
      for (++x; x <= x2 && !open(x, y); ++x) {
      }
      left = x;
      if (x > x2) break;
      inRun = true;
    }
  }
}

// A stack in an array.  Pushes beyond `usable` entries are dropped; with
// `failWhenFull` the fill ends as soon as a pop finds the stack full.
class ArrayStack {
 public:
  ArrayStack(LINESEGMENToffmap* entries, int32_t usable, bool failWhenFull)
      : m_entries(entries), m_usable(usable), m_failWhenFull(failWhenFull) {}

  void Push(int32_t xl, int32_t xr, int32_t y, int32_t dy) {
    if (m_height >= m_usable) return;
    LINESEGMENToffmap& e = m_entries[m_height++];
    e.xLeft = static_cast<int16_t>(xl);
    e.xRight = static_cast<int16_t>(xr);
    e.y = static_cast<int16_t>(y);
    e.dy = static_cast<int16_t>(dy);
  }

  bool Pop(int32_t& x1, int32_t& x2, int32_t& row, int32_t& dy) {
    if (m_height <= 0) return false;
    if (m_height > m_maxHeight) {
      m_maxHeight = m_height;
      if (m_failWhenFull && m_height >= m_usable) {
        m_full = true;
        return false;
      }
    }
    const LINESEGMENToffmap& e = m_entries[--m_height];
    x1 = e.xLeft;
    x2 = e.xRight;
    dy = e.dy;
    row = e.y + e.dy;
    return true;
  }

  int32_t Max_Height() const { return m_maxHeight; }
  bool Was_Full() const { return m_full; }

 private:
  LINESEGMENToffmap* m_entries;
  int32_t m_usable;
  bool m_failWhenFull;
  int32_t m_height = 0;
  int32_t m_maxHeight = 0;
  bool m_full = false;
};

// The unbounded stack of the slow fill: a list of records, pushed and
// popped through the map's own operations.
class ListStack {
 public:
  ListStack(const OffMap& map, MessageService& messages) : m_map(map), m_messages(messages) {}

  void Push(int32_t xl, int32_t xr, int32_t y, int32_t dy) {
    m_map.Push_LineSegment(m_list, static_cast<int16_t>(xl), static_cast<int16_t>(xr),
                           static_cast<int16_t>(y), static_cast<int16_t>(dy));
  }

  bool Pop(int32_t& x1, int32_t& x2, int32_t& row, int32_t& dy) {
    if (m_list.Is_Empty()) return false;
    if (m_list.Get_Count() > m_maxHeight) m_maxHeight = m_list.Get_Count();
    int16_t a = 0, b = 0, r = 0, d = 0;
    if (!m_map.Pop_From_LineSegment_Stack(m_list, a, b, r, d, m_messages)) return false;
    x1 = a;
    x2 = b;
    row = r;
    dy = d;
    return true;
  }

  int32_t Max_Height() const { return m_maxHeight; }

 private:
  const OffMap& m_map;
  MessageService& m_messages;
  ListMemry<LINESEGMENToffmap> m_list;
  int32_t m_maxHeight = 0;
};

void Clear_Outputs(RectShrt& rect, int32_t& count) {
  rect = Make_RectShrt(-1, -1, -1, -1);
  count = 0;
}

// Inside the part of the map the fills address, and the map holds pixels.
bool Is_Fill_Seed_Inside(const OffMap& map, int32_t x, int32_t y) {
  return !map.Is_Not_In_Memory() && x >= 0 && y >= 0 && x < seedfill::Fill_Width(map) &&
         y < seedfill::Fill_Height(map);
}

// The scan-line fill of the two blob fills from (x, y): a pixel on the
// wanted side of `threshold` that the fill mask does not hold yet joins the
// blob; it is marked in the fill mask (and in the total mask when there is
// one), painted (r, g, b) when `paint`, and counted in the box returned.
template <class Stack>
FillBox Fill_Blob(OffMap& map, int32_t x, int32_t y, bool paint, int16_t r, int16_t g, int16_t b,
                  int16_t threshold, bool wantLight, OffMap& fillMask, OffMap* totalMask, Stack& stack) {
  FillBox box;
  Scan_Line_Fill(
      x, y, seedfill::Fill_Width(map), seedfill::Fill_Height(map),
      [&](int32_t px, int32_t py) {
        return seedfill::Is_Fillable(map, px, py, threshold, wantLight) &&
               !seedfill::Is_Taken(fillMask, px, py);
      },
      [&](int32_t px, int32_t py) {
        seedfill::Mark_Taken(fillMask, px, py);
        if (totalMask) seedfill::Mark_Taken(*totalMask, px, py);
        if (paint) map.Set_Pixel(px, py, r, g, b);
        box.Add(px, py);
      },
      stack);
  return box;
}

}  // namespace

// ---- the map's seed stack ----------------------------------------------------

bool OffMap::Alloc_Stack_for_SeedFill(int32_t count, std::string& err) {
  err.clear();
  Free_SeedFill_Stack();
  if (count >= 1) m_seedStack.reset(new (std::nothrow) LINESEGMENToffmap[static_cast<size_t>(count)]);
  if (!m_seedStack) {
    err = "OffMap::Alloc_Stack_for_SeedFill( FAILED,  could NOT allocate memory.";
    return false;
  }
  m_seedStackMaxDepth = count;
  return true;
}

void OffMap::Free_SeedFill_Stack() {
  m_seedStack.reset();
  m_seedStackMaxDepth = 0;
}

LINESEGMENToffmap* OffMap::Get_SeedFill_Stack(int32_t& count) {
  count = m_seedStackMaxDepth;
  return m_seedStack.get();
}

// ---- scan-line fills ------------------------------------------------------------

bool OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels(int32_t x, int32_t y, bool paint, int16_t r,
                                                          int16_t g, int16_t b, int16_t threshold,
                                                          OffMap& fillMask, OffMap* totalMask, RectShrt& rect,
                                                          int32_t& count, LINESEGMENToffmap* stack,
                                                          int32_t lineCountInSeedStack, bool wantLight,
                                                          int32_t& maxStackHeight, std::string& err) {
  err.clear();
  Clear_Outputs(rect, count);
  maxStackHeight = 0;
  if (stack == nullptr) {
    err = "OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels  FAILED, stack is NULL";
    return false;
  }
  if (lineCountInSeedStack <= 0) {
    err =
        "OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels  FAILED,  lineCountInSeedStack is "
        "less than 1";
    return false;
  }
  if (!Is_Fill_Seed_Inside(*this, x, y) || !seedfill::Is_Fillable(*this, x, y, threshold, wantLight))
    return true;

  ArrayStack arrayStack(stack, lineCountInSeedStack - kStackMargin, true);
  const FillBox box =
      Fill_Blob(*this, x, y, paint, r, g, b, threshold, wantLight, fillMask, totalMask, arrayStack);
  rect = box.Rect();
  count = box.count;
  maxStackHeight = arrayStack.Max_Height();
  if (arrayStack.Was_Full()) {
    err =
        "OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels  FAILED,  curStackHeight  >=   ( "
        "maxDepth - 8).";
    return false;
  }
  return true;
}

bool OffMap::SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack(
    int32_t x, int32_t y, bool paint, int16_t r, int16_t g, int16_t b, int16_t threshold, bool wantLight,
    OffMap& fillMask, OffMap* totalMask, RectShrt& rect, int32_t& count, int32_t& maxStackHeight,
    MessageService& messages, std::string& err) {
  err.clear();
  Clear_Outputs(rect, count);
  maxStackHeight = 0;
  if (totalMask == nullptr) {
    err = "SeedFill_Create_MaskMap_from_Blobs_of_Pixels_wSlow_Stack FAILED,  totalMaskMap is NULL.";
    return false;
  }
  if (!Is_Fill_Seed_Inside(*this, x, y) || !seedfill::Is_Fillable(*this, x, y, threshold, wantLight))
    return true;

  ListStack listStack(*this, messages);
  const FillBox box =
      Fill_Blob(*this, x, y, paint, r, g, b, threshold, wantLight, fillMask, totalMask, listStack);
  rect = box.Rect();
  count = box.count;
  maxStackHeight = listStack.Max_Height();
  return true;
}

void OffMap::Push_LineSegment(ListMemry<LINESEGMENToffmap>& stack, int16_t xLeft, int16_t xRight, int16_t y,
                              int16_t dy) const {
  const int32_t next = y + dy;
  if (next < 0 || next >= m_height) return;
  auto* segment = new LINESEGMENToffmap;
  segment->xLeft = xLeft;
  segment->xRight = xRight;
  segment->y = y;
  segment->dy = dy;
  stack.Push(segment);
}

bool OffMap::Pop_From_LineSegment_Stack(ListMemry<LINESEGMENToffmap>& stack, int16_t& x1, int16_t& x2,
                                        int16_t& rowToExplore, int16_t& dy, MessageService& messages) const {
  if (stack.Is_Empty()) {
    messages.Message_Box("OffMap::Pop_From_LineSegment_Stack FAIL, noting left in the pixelStack.");
    return false;
  }
  const std::unique_ptr<LINESEGMENToffmap> segment(stack.Pop());
  x1 = segment->xLeft;
  x2 = segment->xRight;
  dy = segment->dy;
  int32_t row = segment->y + segment->dy;
  if (row < 0 || row >= m_height) {
    messages.Message_Box("OffMap::Pop_From_LineSegment_Stack FAIL, trying to assign a bad y value");
    row = row < 0 ? 0 : m_height - 1;
  }
  rowToExplore = static_cast<int16_t>(row);
  return true;
}

// ---- flood read -------------------------------------------------------------------

bool OffMap::Flood_Read(int32_t x, int32_t y, OffMap& fillMask, OffMap* totalMask, bool wantLight,
                        RectShrt& rect, int32_t& count, int32_t& maxStackHeight, std::string& err) {
  err.clear();
  Clear_Outputs(rect, count);
  maxStackHeight = 0;
  if (totalMask == nullptr) {
    err = "OffMap::Flood_Read  FAILED,  totalMaskMap is NULL.";
    return false;
  }
  const int32_t width = seedfill::Fill_Width(*this);
  const int32_t height = seedfill::Fill_Height(*this);
  auto open = [&](int32_t px, int32_t py) {
    return seedfill::Is_Fillable(*this, px, py, 250, wantLight) && !seedfill::Is_Taken(fillMask, px, py) &&
           !seedfill::Is_Taken(*totalMask, px, py);
  };
  if (!Is_Fill_Seed_Inside(*this, x, y) || !open(x, y)) return true;

  std::vector<LineSegment> stack;
  auto push = [&stack](int32_t left, int32_t px, int32_t py) {
    stack.push_back(
        LineSegment{static_cast<int16_t>(left), static_cast<int16_t>(px), static_cast<int16_t>(py)});
  };
  // Pushes the right end of every run of open pixels on row `next` that
  // touches the run of row `y` ending at x.
  auto search = [&](int32_t px, int32_t py, int32_t next) {
    bool above = open(px, next);
    if (above) {
      int32_t end = px;
      while (end + 1 < width && open(end + 1, next)) ++end;
      push(-1, end, next);
    }
    for (int32_t cx = px - 1; cx >= 0 && open(cx, py); --cx) {
      const bool now = open(cx, next);
      if (now && !above) push(-1, cx, next);
      above = now;
    }
  };

  int32_t right = x;
  while (right + 1 < width && open(right + 1, y)) ++right;
  push(-8888, right, y);

  FillBox box;
  while (!stack.empty()) {
    const LineSegment run = stack.back();
    stack.pop_back();
    const int32_t waiting = static_cast<int32_t>(stack.size()) + 1;
    if (waiting > maxStackHeight) maxStackHeight = waiting;
    if (run.y - 1 >= 0) search(run.x, run.y, run.y - 1);
    if (run.y + 1 < height) search(run.x, run.y, run.y + 1);
    for (int32_t cx = run.x; cx >= 0 && open(cx, run.y); --cx) {
      seedfill::Mark_Taken(fillMask, cx, run.y);
      seedfill::Mark_Taken(*totalMask, cx, run.y);
      box.Add(cx, run.y);
    }
  }
  rect = box.Rect();
  count = box.count;
  return true;
}

// ---- colour fills -------------------------------------------------------------------

bool OffMap::SeedFill_Colored_Area(int32_t x, int32_t y, int16_t r, int16_t g, int16_t b, OffMap& fillMask,
                                   OffMap* totalMask, RectShrt& rect, int32_t& count, std::string& err) {
  err.clear();
  Clear_Outputs(rect, count);
  if (!Is_Fill_Seed_Inside(*this, x, y) || !Is_Pixel_Color(x, y, r, g, b)) return true;

  std::vector<LINESEGMENToffmap> entries(kLocalStackEntries);
  ArrayStack stack(entries.data(), kLocalStackEntries, false);
  FillBox box;
  Scan_Line_Fill(
      x, y, seedfill::Fill_Width(*this), seedfill::Fill_Height(*this),
      [&](int32_t px, int32_t py) {
        int16_t pr = 0, pg = 0, pb = 0;
        Read_In_Row(Row(py), m_depth, px, pr, pg, pb);
        return pr == r && pg == g && pb == b && !seedfill::Is_Taken(fillMask, px, py);
      },
      [&](int32_t px, int32_t py) {
        seedfill::Mark_Taken(fillMask, px, py);
        if (totalMask) seedfill::Mark_Taken(*totalMask, px, py);
        box.Add(px, py);
      },
      stack);
  rect = box.Rect();
  count = box.count;
  return true;
}

int32_t OffMap::Seed_Fill_Color(int32_t x, int32_t y, int16_t r, int16_t g, int16_t b, std::string& err) {
  err.clear();
  if (!Is_Fill_Seed_Inside(*this, x, y) || !seedfill::Is_Fillable(*this, x, y, 250, true)) return 0;
  // A pixel painted with a colour that is not light stays fillable, so the
  // fill remembers what it has painted instead of relying on the colour.
  const std::unique_ptr<OffMap> taken =
      seedfill::New_White_Mask(seedfill::Fill_Width(*this), seedfill::Fill_Height(*this));
  if (!taken) {
    err = "OffMap::Seed_Fill_Color  failed,  could not alloc maskMap.";
    return -1;
  }
  std::vector<LINESEGMENToffmap> entries(kLocalStackEntries);
  ArrayStack stack(entries.data(), kLocalStackEntries, false);
  int32_t painted = 0;
  Scan_Line_Fill(
      x, y, seedfill::Fill_Width(*this), seedfill::Fill_Height(*this),
      [&](int32_t px, int32_t py) {
        return seedfill::Is_Fillable(*this, px, py, 250, true) && !seedfill::Is_Taken(*taken, px, py);
      },
      [&](int32_t px, int32_t py) {
        seedfill::Mark_Taken(*taken, px, py);
        Store_In_Row(Row(py), m_depth, px, r, g, b);
        ++painted;
      },
      stack);
  return painted;
}
