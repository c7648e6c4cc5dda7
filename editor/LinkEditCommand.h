// One change of a link made in the page view, as a step of the view's undo history. It holds the
// link's record before and after the change and the fields that the change is about: the four
// edges, the link page when a page was chosen for the link, or the whole record when the link was
// cleared. Undoing puts those fields back and keeps
// the others as they are now; a step whose link was changed elsewhere since (in the main window)
// no longer applies and drops out of the history, changing nothing.
#pragma once

#include <QUndoCommand>
#include <cstdint>

#include "page/LinkRecord.h"

namespace pm {

// Where the changes go: the page's numbered link operations, each change selecting its link.
class TLinkEditTarget {
 public:
  virtual ~TLinkEditTarget() = default;
  virtual const TLinkRecord& StoredLink(int32_t link) const = 0;
  // Makes the link the current one.
  virtual void SelectLink(int32_t link) = 0;
  // Makes the link the current one and stores the record in it; the cleared record clears it.
  virtual void StoreLink(int32_t link, const TLinkRecord& record) = 0;
  // A step of the history found its link changed elsewhere and was dropped.
  virtual void StepDropped(int32_t link) = 0;
};

enum class TLinkEditKind { Draw, Move, Resize, Nudge, Delete, Target };

// Whether `after` differs from `before` in the fields that a change of this kind is about.
bool LinkEditChanges(TLinkEditKind kind, const TLinkRecord& before, const TLinkRecord& after);

class TLinkEditCommand : public QUndoCommand {
 public:
  // A run of nudges of the same link with the same `run` number merges into one step.
  TLinkEditCommand(TLinkEditTarget& target, TLinkEditKind kind, int32_t link,
                   const TLinkRecord& before, const TLinkRecord& after, int run = 0);

  void redo() override;
  void undo() override;
  int id() const override;
  bool mergeWith(const QUndoCommand* other) override;

  int32_t Link() const { return link_; }

 private:
  // Whether the link holds `expected` in the fields that this change is about.
  bool Holds(const TLinkRecord& expected) const;
  // From `from` to `to` in those fields, or drops the step when the link no longer holds `from`.
  void Change(const TLinkRecord& from, const TLinkRecord& to);

  TLinkEditTarget& target_;
  TLinkEditKind kind_;
  int32_t link_;
  TLinkRecord before_;
  TLinkRecord after_;
  int run_;
};

}  // namespace pm
