#pragma once
// MapFilter: the common base of the map filters.  A filter works on a target
// map it does not own and reads from an undo map, a copy of the target taken
// before filtering, so that every output pixel sees the original
// neighbourhood however far the filtering has got.

class OffMap;

class MapFilter {
 public:
  virtual ~MapFilter() = default;
  MapFilter(const MapFilter&) = delete;
  MapFilter& operator=(const MapFilter&) = delete;

  // Runs the filter over the whole target map, once.
  virtual void Filter() = 0;

  OffMap* Get_Target_Map() const { return m_targetMap; }
  OffMap* Get_Undo_Map() const { return m_UndoMap; }

 protected:
  explicit MapFilter(OffMap* targetMap) : m_targetMap(targetMap) {}

  OffMap* m_targetMap = nullptr;  // not owned
  OffMap* m_UndoMap = nullptr;    // owned or not, as the subclass says
};
