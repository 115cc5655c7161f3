// The controls a form holds, by ascending handle, in one array.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "controls/ctrl_desc.h"
#include "form/ctrl_handle.h"

namespace tavik {

// Handles are handed out in ascending order, so a new control nearly always goes last and a
// walk from a handle on reads the array in order. A control put before others (a handle
// changed, or one given back by a running form's client) moves those after it along.
class CtrlList {
 public:
  using Entry = std::pair<CtrlHandle, std::unique_ptr<CCtrlDesc>>;
  using iterator = std::vector<Entry>::iterator;
  using const_iterator = std::vector<Entry>::const_iterator;

  iterator begin() { return entries_.begin(); }
  iterator end() { return entries_.end(); }
  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  void clear() { entries_.clear(); }
  // The first entry at the handle or after it.
  iterator lower_bound(CtrlHandle handle);
  iterator erase(iterator first, iterator last) { return entries_.erase(first, last); }

  // Puts the control at its handle in place of the first control there, which is returned.
  std::unique_ptr<CCtrlDesc> Put(std::unique_ptr<CCtrlDesc> control);
  // The first control at the handle, or none.
  CCtrlDesc* FirstAt(CtrlHandle handle) const;
  // Takes the control out and hands it back; null when the list does not hold it.
  std::unique_ptr<CCtrlDesc> Take(const CCtrlDesc* control);
  // Gives the control its new handle and moves it after the controls already at that handle;
  // false when the list does not hold it.
  bool Move(CCtrlDesc& control, CtrlHandle handle);

 private:
  // The entry of exactly this control among those at its handle, or the end.
  iterator Find(const CCtrlDesc* control);
  // Where an entry of the handle goes after those already at it.
  iterator InsertionPoint(CtrlHandle handle);

  std::vector<Entry> entries_;
};

}  // namespace tavik
