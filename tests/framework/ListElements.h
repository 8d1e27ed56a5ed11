#pragma once
// Elements for the list tests that record their own destruction.

#include <vector>

struct Tracked {
  Tracked(int trackedId, std::vector<int>* destroyedIds) : id(trackedId), destroyed(destroyedIds) {}
  ~Tracked() { destroyed->push_back(id); }
  int id;
  std::vector<int>* destroyed;
};
