#pragma once
// Elements for the list tests that record their own destruction.

#include <vector>

struct Tracked {
  Tracked(int id, std::vector<int>* destroyed) : id(id), destroyed(destroyed) {}
  ~Tracked() { destroyed->push_back(id); }
  int id;
  std::vector<int>* destroyed;
};
