#pragma once
// ComponentExternal: an external that writes a list subject's children into
// one chunk of a list file and reads them back, one element external per
// child.  The region list file keeps its regions this way ("RegnLIST").
//
// The chunk body is a signed 32-bit element count followed by the elements,
// each written by an external made for it.  Reading runs the element
// external's Receive once per counted element; a count the file cannot hold
// ends at the first element the file has no bytes left for, so nothing is
// ever allocated from the count itself.

#include <cstdint>
#include <memory>
#include <string>

#include "persistence/External.h"

class ComponentSubject;
class ListFile;

class ComponentExternal : public External {
 public:
  using External::External;

  // Writes the chunk `chunkCode` (version `version`) with every child of
  // `subject` (a list subject) in list order.  Each child's external is
  // made by Create_Element_External, prepared by the list
  // (Initialize_ComponentExternal_for_FileSave), emitted and dropped.
  virtual bool Save_Lists_Elements(int16_t chunkCode, uint8_t version, ComponentSubject* subject,
                                   ListFile& file, int32_t options, std::string& err);
  // Finds the chunk `chunkCode` and appends one new child per element,
  // made by `elementExternal`.  Children read before a failure stay in the
  // list.  `version` is not looked at: the element external knows the
  // record it reads.
  virtual bool Load_Lists_Elements(int16_t chunkCode, uint8_t version, ComponentSubject* subject,
                                   External& elementExternal, ListFile& file, std::string& err);

 protected:
  // A new external bound to one child for writing; null when the child has
  // none.  The plain rule asks the child (Create_ComponentExternal); an
  // external whose children are kept by a layer below this one makes them
  // here instead.
  virtual std::unique_ptr<External> Create_Element_External(ComponentSubject& element);
};
