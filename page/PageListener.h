// What a page tells the views that follow it, after each change. Several views may follow one
// page; each hears every change, whoever made it.
#pragma once

#include <cstdint>

namespace pm {

class TPageListener {
 public:
  virtual ~TPageListener() = default;
  // Slot N's picture or source file name changed, or the slot was cleared.
  virtual void SlotChanged(int32_t /*slot*/) {}
  // The background's picture or source file name changed.
  virtual void BackgroundChanged() {}
  // One or more fields of link N changed.
  virtual void LinkChanged(int32_t /*link*/) {}
  // The current slot or link is another one now.
  virtual void SlotSelected(int32_t /*slot*/) {}
  virtual void LinkSelected(int32_t /*link*/) {}
  // Everything may have changed: a page file was read into the page.
  virtual void PageReplaced() {}
};

}  // namespace pm
