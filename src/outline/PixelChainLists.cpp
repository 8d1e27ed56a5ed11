// The whole-list operations of PixelChain: sorting every chain, joining
// chains at junctions, rescaling, thinning out, smoothing, visibility, random
// shifts and matching drawn copies with detected chains.

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "framework/CircularQue.h"
#include "outline/PixelChain.h"
#include "outline/PixelIndex.h"
#include "platform/PlatformServices.h"
#include "platform/Progress.h"
#include "platform/Text.h"
#include "raster/OffMap.h"

namespace {

// Visits every chain of the list in order; a const list gives const chains.
template <class Chains, class Visit>
void For_Each_Chain(Chains& chains, Visit visit) {
  for (auto* chain : chains) visit(*chain);
}

// Removes (and, when the list owns them, destroys) the chains for which
// `drop` holds, keeping the others in order.
template <class Drop>
void Remove_Chains_If(ListMemry<PixelChain>& chains, Drop drop) {
  std::vector<PixelChain*> all;
  For_Each_Chain(chains, [&all](PixelChain& chain) { all.push_back(&chain); });
  chains.Remove_All();
  for (PixelChain* chain : all) {
    if (!drop(*chain))
      chains.Add_To_Tail(chain);
    else if (chains.Get_Owns_Objects())
      delete chain;
  }
}

// The progress position of item `index` when the bar moves every `step`
// items: 10 x (index / step).
int Step_Percent(int32_t index, int32_t step) {
  return 10 * (index / step);
}

// (int)(value) kept in a 16-bit field: truncation, then the low 16 bits.
// Values beyond the 32-bit range stop at its ends first.
int16_t Truncate_Int16(double value) {
  if (std::isnan(value)) return 0;
  const double limited = std::clamp(value, static_cast<double>(std::numeric_limits<int32_t>::min()),
                                    static_cast<double>(std::numeric_limits<int32_t>::max()));
  return static_cast<int16_t>(static_cast<int32_t>(limited));
}

bool Same_Rect(const Graphic& a, const Graphic& b) {
  RectLong ra, rb;
  a.Get_Rect(ra);
  b.Get_Rect(rb);
  return ra.left == rb.left && ra.top == rb.top && ra.right == rb.right && ra.bottom == rb.bottom;
}

// The match of `chain` among the chains of a list that carry its
// m_creationID (in list order), with the error texts of the list search.
PixelChain* Match_Among(const PixelChain& chain, const std::vector<PixelChain*>& sameId, std::string& err) {
  err.clear();
  PixelChain* match = nullptr;
  for (PixelChain* candidate : sameId) {
    if (!Same_Rect(candidate->m_graphic, chain.m_graphic))
      err =
          "PixelChain::Find_Identical_PixelChain_in_List FAILED, found a match by m_creationID, "
          "but m_graphic does NOT match ";
    match = candidate;
  }
  if (sameId.size() > 1)
    err = Text_Format(
        "PixelChain::Find_Identical_PixelChain_in_List FAILED to find a UNIQUE PixelChain.  %d  "
        "were found.",
        static_cast<int>(sameId.size()));
  if (sameId.empty())
    err = "PixelChain::Find_Identical_PixelChain_in_List FAILED to find a matching PixelChain.";
  return match;
}

// The chains of a list grouped by m_creationID, each group in list order:
// matching every chain of one list with another costs one pass over each.
class ChainsById {
 public:
  explicit ChainsById(ListMemry<PixelChain>& chains) {
    For_Each_Chain(chains, [this](PixelChain& chain) { m_groups[chain.m_creationID].push_back(&chain); });
  }
  const std::vector<PixelChain*>& Get(int16_t id) const {
    const auto it = m_groups.find(id);
    return it == m_groups.end() ? m_none : it->second;
  }

 private:
  std::unordered_map<int16_t, std::vector<PixelChain*>> m_groups;
  std::vector<PixelChain*> m_none;
};

// Average of a run of pixels, each coordinate summed and divided with
// truncation.
template <class It>
Pixel Average(It first, It last, int32_t count) {
  int32_t sx = 0, sy = 0;
  for (It it = first; it != last; ++it) {
    sx += it->x;
    sy += it->y;
  }
  return Pixel{static_cast<int16_t>(sx / count), static_cast<int16_t>(sy / count)};
}

}  // namespace

// ---- sorting -------------------------------------------------------------------------------

bool PixelChain::Sort_All_Chains(ListMemry<PixelChain>& chains, ListMemry<PixelChain>& leftovers,
                                 std::string& err, Progress& progress, const ChainSortDisplay& display) {
  err.clear();
  leftovers.Delete_All();
  progress.Open_Progress("Sorting pixels...");
  progress.Set_Progress_Position(5);
  const int32_t step = std::max(1, chains.Get_Count() / 10);
  PixelChain unsorted;
  int32_t index = 0;
  for (PixelChain* each : chains) {
    if (index % step == 0) progress.Set_Progress_Position(Step_Percent(index, step));
    ++index;
    PixelChain& chain = *each;
    int32_t unsortedCount = 0;
    if (!chain.Sort_Pixels_return_List_of_Unsorted_Pixels(unsortedCount, unsorted, err)) {
      progress.Close_Progress();
      return false;
    }
    if (chain.Get_Count() > 2) {
      // Let the user watch the line appear.
      if (display.map != nullptr)
        for (const Pixel* pixel : chain) display.map->Set_Pixel(pixel->x, pixel->y, 0, 0, 0);
      if (display.redraw) display.redraw();
    }
    if (unsortedCount > 3) leftovers.Add_To_Tail(new PixelChain(unsorted));
  }
  progress.Close_Progress();
  return true;
}

bool PixelChain::Order_Detected_Chains(ListMemry<PixelChain>& detected, ListMemry<PixelChain>& drawn,
                                       std::string& err, Progress& progress,
                                       const ChainSortDisplay& display) {
  ListMemry<PixelChain> rests, nextRests;
  if (!Sort_All_Chains(detected, rests, err, progress, display)) return false;
  // Every round sorts at least one pixel of every rest, so the rests shrink
  // until none is left.
  while (!rests.Is_Empty()) {
    if (!Sort_All_Chains(rests, nextRests, err, progress, display)) return false;
    For_Each_Chain(rests, [&drawn](PixelChain& chain) {
      if (chain.Get_Count() > 3) drawn.Add_To_Tail(new PixelChain(chain));
    });
    rests.Delete_All();
    Append_Chain_Copies(nextRests, rests);
    nextRests.Delete_All();
  }
  Remove_Chains_If(detected, [](const PixelChain& chain) { return chain.Get_Count() < 3; });
  return true;
}

// ---- joining at junctions ---------------------------------------------------------------------

bool PixelChain::Assemble_Forks(std::string& err, ListMemry<PixelChain>& chains,
                                const ListMemry<ForkKernal>& forks, int32_t& joins, Progress& progress) {
  err.clear();
  joins = 0;
  const int32_t forkCount = forks.Get_Count();
  if (forkCount <= 0) return true;

  // Arm offsets in flag order: up, left, right, down.
  static constexpr int16_t kArmDx[ForkKernal::kArmCount] = {0, -1, 1, 0};
  static constexpr int16_t kArmDy[ForkKernal::kArmCount] = {-1, 0, 0, 1};
  struct Touch {
    PixelChain* chain = nullptr;
    bool atStart = false;  // the chain's first pixel touches (else its last)
  };

  progress.Open_Progress("Assemble forks...");
  progress.Set_Progress_Position(5);
  const int32_t step = std::max(1, forkCount / 10);
  int32_t next = 0;
  for (const ForkKernal* each : forks) {
    const int32_t index = next++;
    if (index % step == 0) {
      int percent = std::max(1, Step_Percent(index, step));
      if (percent > 98) percent = 100;
      progress.Set_Progress_Position(percent);
    }
    const ForkKernal& fork = *each;

    // The chain ending next to each arm: the first in list order whose
    // first (tested first) or last pixel is the arm's touching point.
    Touch touches[ForkKernal::kArmCount];
    int32_t collected = 0;
    for (int arm = 0; arm < ForkKernal::kArmCount; ++arm) {
      if (fork.arms[arm] == 0) continue;
      const int16_t tx = static_cast<int16_t>(fork.x + kArmDx[arm]);
      const int16_t ty = static_cast<int16_t>(fork.y + kArmDy[arm]);
      for (PixelChain* chain : chains) {
        const Pixel* first = chain->Get_First();
        if (first == nullptr) continue;
        const Pixel* last = chain->Get_Last();
        if (first->x == tx && first->y == ty) {
          touches[collected++] = Touch{chain, true};
          break;
        }
        if (last->x == tx && last->y == ty) {
          touches[collected++] = Touch{chain, false};
          break;
        }
      }
    }

    // The longest and the second longest, in collection order; ties keep
    // the earlier chain, and the two must be different lines.
    int32_t longest = -1, second = -1;
    int32_t longestCount = 0, secondCount = 0;
    for (int32_t i = 0; i < collected; ++i) {
      const PixelChain& chain = *touches[i].chain;
      const int32_t count = chain.Get_Count();
      if (count > longestCount) {
        if (longest >= 0 && secondCount < longestCount &&
            (second < 0 || touches[second].chain->m_creationID != chain.m_creationID)) {
          second = longest;
          secondCount = longestCount;
        }
        longest = i;
        longestCount = count;
      } else if (longest >= 0 && count > secondCount &&
                 chain.m_creationID != touches[longest].chain->m_creationID) {
        second = i;
        secondCount = count;
      }
    }
    if (collected < 2 || longest < 0 || second < 0) continue;
    PixelChain& keep = *touches[longest].chain;
    const PixelChain& gone = *touches[second].chain;
    if (keep.m_creationID == gone.m_creationID) continue;

    // The second line is walked from its touching end outwards and added at
    // the longest line's touching end, so the joined line stays in order.
    std::vector<Pixel> added = Pixels_Of(gone);
    if (!touches[second].atStart) std::reverse(added.begin(), added.end());
    DistinctPixels present(Pixels_Of(keep));
    for (const Pixel& p : added) {
      if (!present.Add(p)) continue;
      if (touches[longest].atStart)
        keep.Add_To_Head(new Pixel(p));
      else
        keep.Add_To_Tail(new Pixel(p));
    }
    const int16_t goneId = gone.m_creationID;
    for (PixelChain* chain : chains) {
      if (chain->m_creationID != goneId) continue;
      chains.Remove_Object(chain);
      break;
    }
    ++joins;
  }
  progress.Close_Progress();
  return true;
}

// ---- rescaling, thinning out, smoothing -----------------------------------------------------------

int32_t PixelChain::Scale_Coords_of_Pixels(double scale, ListMemry<PixelChain>& chains,
                                           MessageService& messages) {
  if (!(scale > 0.0)) {
    messages.Message_Box("PixelChain::Scale_Coords_of_Pixels FAILED,  scaleInPercent is out of bounds.");
    return -1;
  }
  const double factor = 1.0 / scale;
  int32_t count = 0;
  For_Each_Chain(chains, [&](PixelChain& chain) {
    ++count;
    std::vector<Pixel> scaled = Pixels_Of(chain);
    for (Pixel& p : scaled) {
      p.x = Truncate_Int16(p.x * factor);
      p.y = Truncate_Int16(p.y * factor);
    }
    chain.m_spacing = scale < 1.0 ? Truncate_Int16(chain.m_spacing * factor) : int16_t{1};
    if (scaled.size() < 8) {
      Replace_Pixels(chain, scaled);
      return;
    }
    // Scaling up leaves steps and scaling down duplicates; a moving
    // average of 4 evens them out.
    DistinctPixels smooth;
    smooth.Add(scaled.front());
    for (size_t i = 3; i < scaled.size(); ++i)
      smooth.Add(Average(scaled.begin() + static_cast<ptrdiff_t>(i - 3),
                         scaled.begin() + static_cast<ptrdiff_t>(i + 1), 4));
    smooth.Add(scaled.back());
    Replace_Pixels(chain, smooth.Pixels());
  });
  return count;
}

void PixelChain::Decimate_PixelChains(ListMemry<PixelChain>& chains, int16_t step) {
  if (step < 2) return;
  // Distances are 16-bit, as the stored coordinates are.
  const int16_t limit = static_cast<int16_t>(step * step);
  For_Each_Chain(chains, [&](PixelChain& chain) {
    if (chain.Get_Count() < 3 * step) return;
    const std::vector<Pixel> copy = Pixels_Of(chain);
    DistinctPixels kept;
    kept.Add(copy.front());
    Pixel last = copy.front();
    for (const Pixel& p : copy) {
      const int16_t dx = static_cast<int16_t>(p.x - last.x);
      const int16_t dy = static_cast<int16_t>(p.y - last.y);
      const int16_t distance = static_cast<int16_t>(dx * dx + dy * dy);
      if (distance > limit && kept.Add(p)) last = p;
    }
    kept.Add(copy.back());
    Replace_Pixels(chain, kept.Pixels());
    chain.m_spacing = step;
  });
}

void PixelChain::Smooth_PixelChains(ListMemry<PixelChain>& chains, int16_t window) {
  if (window < 3) return;
  For_Each_Chain(chains, [&](PixelChain& chain) {
    const int32_t n = chain.Get_Count();
    if (n < 1) return;
    // A chain shorter than two windows gets a window of half its length.
    int32_t w = window;
    while (n < 2 * w) w = n / 2;
    if (w < 1) return;

    CircularQue<Pixel> queue;
    queue.Init_Queue(static_cast<int16_t>(w));
    const auto write = [&queue](const Pixel& p) {
      Pixel* slot = queue.Get_Position_Item();
      slot->x = p.x;
      slot->y = p.y;
      queue.Advance_Position();
    };
    const auto average = [&queue, w]() {
      int32_t sx = 0, sy = 0;
      for (const Pixel* pixel : queue) {
        sx += pixel->x;
        sy += pixel->y;
      }
      return Pixel{static_cast<int16_t>(sx / w), static_cast<int16_t>(sy / w)};
    };

    const std::vector<Pixel> copy = Pixels_Of(chain);
    DistinctPixels smooth;
    for (int32_t i = 0; i < w - 1; ++i) write(copy.front());
    for (const Pixel& p : copy) {
      write(p);
      smooth.Add(average());
    }
    for (int32_t i = 0; i < w; ++i) {
      write(copy.back());
      smooth.Add(average());
    }
    smooth.Add(copy.back());
    Replace_Pixels(chain, smooth.Pixels());
  });
}

// ---- what the outline dialog changes -----------------------------------------------------------------

bool PixelChain::Set_Visible_by_Length(std::string& err, int16_t minLength, ListMemry<PixelChain>& chains) {
  err.clear();
  For_Each_Chain(chains, [minLength](PixelChain& chain) {
    const int16_t length = static_cast<int16_t>(static_cast<int64_t>(chain.Get_Count()) * chain.m_spacing);
    chain.m_visible = length >= minLength;
  });
  return true;
}

void PixelChain::Nudge_PixelChains(ListMemry<PixelChain>& chains, int16_t range, std::mt19937& random) {
  For_Each_Chain(chains, [&](PixelChain& chain) {
    if (range == 0) {
      chain.m_dx = 0;
      chain.m_dy = 0;
      return;
    }
    const int64_t r1 = random();
    const int64_t r2 = random();
    chain.m_dx = static_cast<int16_t>(range / 2 - r1 % range);
    chain.m_dy = static_cast<int16_t>(range / 2 - r2 % range);
  });
}

// ---- matching copies with originals --------------------------------------------------------------------

PixelChain* PixelChain::Find_Identical_PixelChain_in_List(const PixelChain& chain,
                                                          ListMemry<PixelChain>& list, std::string& err) {
  std::vector<PixelChain*> sameId;
  For_Each_Chain(list, [&](PixelChain& candidate) {
    if (candidate.m_creationID == chain.m_creationID) sameId.push_back(&candidate);
  });
  return Match_Among(chain, sameId, err);
}

void PixelChain::Restore_from_Chains(const ListMemry<PixelChain>& detected, ListMemry<PixelChain>& drawn,
                                     MessageService& messages) {
  const ChainsById drawnById(drawn);
  For_Each_Chain(detected, [&](const PixelChain& original) {
    std::string err;
    PixelChain* match = Match_Among(original, drawnById.Get(original.m_creationID), err);
    if (!err.empty()) messages.Message_Box(err);
    if (match == nullptr || match == &original) return;
    match->Delete_All();
    match->Append_Copies(original);
  });
}

void PixelChain::Copy_Nudges_to_Chains(const ListMemry<PixelChain>& drawn, ListMemry<PixelChain>& detected,
                                       MessageService& messages) {
  const ChainsById detectedById(detected);
  For_Each_Chain(drawn, [&](const PixelChain& copy) {
    std::string err;
    PixelChain* match = Match_Among(copy, detectedById.Get(copy.m_creationID), err);
    if (!err.empty()) messages.Message_Box(err);
    if (match == nullptr) return;
    match->m_dx = copy.m_dx;
    match->m_dy = copy.m_dy;
  });
}

int32_t PixelChain::Append_Chain_Copies(const ListMemry<PixelChain>& source, ListMemry<PixelChain>& target) {
  // Copy everything first: the two lists may be the same.
  std::vector<PixelChain*> copies;
  For_Each_Chain(source, [&copies](const PixelChain& chain) { copies.push_back(new PixelChain(chain)); });
  for (PixelChain* copy : copies) target.Add_To_Tail(copy);
  return static_cast<int32_t>(copies.size());
}
