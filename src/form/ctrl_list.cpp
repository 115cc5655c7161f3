// The form's control list: puts, look-ups and moves by handle in a sorted array.
#include "form/ctrl_list.h"

#include <algorithm>

namespace tavik {

namespace {
bool HandleBefore(const CtrlList::Entry& entry, CtrlHandle handle) {
  return entry.first < handle;
}
bool HandleAfter(CtrlHandle handle, const CtrlList::Entry& entry) {
  return handle < entry.first;
}
}  // namespace

CtrlList::iterator CtrlList::lower_bound(CtrlHandle handle) {
  return std::lower_bound(entries_.begin(), entries_.end(), handle, HandleBefore);
}

CtrlList::iterator CtrlList::InsertionPoint(CtrlHandle handle) {
  if (entries_.empty() || entries_.back().first <= handle) return entries_.end();
  return std::upper_bound(entries_.begin(), entries_.end(), handle, HandleAfter);
}

std::unique_ptr<CCtrlDesc> CtrlList::Put(std::unique_ptr<CCtrlDesc> control) {
  const CtrlHandle handle = control->GetCtrlHandle();
  if (entries_.empty() || entries_.back().first < handle) {
    entries_.emplace_back(handle, std::move(control));
    return nullptr;
  }
  auto slot = lower_bound(handle);
  if (slot == entries_.end() || slot->first != handle) {
    entries_.emplace(slot, handle, std::move(control));
    return nullptr;
  }
  std::swap(slot->second, control);
  return control;
}

CCtrlDesc* CtrlList::FirstAt(CtrlHandle handle) const {
  auto found = std::lower_bound(entries_.begin(), entries_.end(), handle, HandleBefore);
  return found == entries_.end() || found->first != handle ? nullptr : found->second.get();
}

CtrlList::iterator CtrlList::Find(const CCtrlDesc* control) {
  for (auto entry = lower_bound(control->GetCtrlHandle());
       entry != entries_.end() && entry->first == control->GetCtrlHandle(); ++entry) {
    if (entry->second.get() == control) return entry;
  }
  return entries_.end();
}

std::unique_ptr<CCtrlDesc> CtrlList::Take(const CCtrlDesc* control) {
  auto found = Find(control);
  if (found == entries_.end()) return nullptr;
  std::unique_ptr<CCtrlDesc> taken = std::move(found->second);
  entries_.erase(found);
  return taken;
}

bool CtrlList::Move(CCtrlDesc& control, CtrlHandle handle) {
  std::unique_ptr<CCtrlDesc> taken = Take(&control);
  if (!taken) return false;
  control.SetCtrlHandle(handle);
  entries_.emplace(InsertionPoint(handle), handle, std::move(taken));
  return true;
}

}  // namespace tavik
