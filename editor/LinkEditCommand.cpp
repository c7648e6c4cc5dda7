#include "editor/LinkEditCommand.h"

#include <QCoreApplication>
#include <QString>

#include "editor/EventGuard.h"

namespace pm {

namespace {

constexpr int kNudgeCommandId = 0x4c4e;  // any number of its own

bool SameEdges(const TLinkRecord& a, const TLinkRecord& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

TLinkRecord WithEdgesOf(TLinkRecord record, const TLinkRecord& edges) {
  record.Left = edges.Left;
  record.Top = edges.Top;
  record.Right = edges.Right;
  record.Bottom = edges.Bottom;
  return record;
}

// Only the link page is taken from `target`.
TLinkRecord WithLinkPageOf(TLinkRecord record, const TLinkRecord& target) {
  record.LinkPage = target.LinkPage;
  return record;
}

// Whether two records agree in the fields that a change of this kind is about.
bool AgreeFor(TLinkEditKind kind, const TLinkRecord& a, const TLinkRecord& b) {
  switch (kind) {
    case TLinkEditKind::Delete:
      return a == b;
    case TLinkEditKind::Target:
      return a.LinkPage == b.LinkPage;
    default:
      return SameEdges(a, b);
  }
}

QString Describe(TLinkEditKind kind, int32_t link) {
  const char* what = "";
  switch (kind) {
    case TLinkEditKind::Draw:
      what = QT_TRANSLATE_NOOP("TLinkEditCommand", "リンク %1 の描画");
      break;
    case TLinkEditKind::Move:
    case TLinkEditKind::Nudge:
      what = QT_TRANSLATE_NOOP("TLinkEditCommand", "リンク %1 の移動");
      break;
    case TLinkEditKind::Resize:
      what = QT_TRANSLATE_NOOP("TLinkEditCommand", "リンク %1 の大きさの変更");
      break;
    case TLinkEditKind::Delete:
      what = QT_TRANSLATE_NOOP("TLinkEditCommand", "リンク %1 の削除");
      break;
    case TLinkEditKind::Target:
      return QCoreApplication::translate("TLinkEditCommand", "リンク %1 の行き先の変更").arg(link);
  }
  return QCoreApplication::translate("TLinkEditCommand", what).arg(link);
}

}  // namespace

bool LinkEditChanges(TLinkEditKind kind, const TLinkRecord& before, const TLinkRecord& after) {
  return !AgreeFor(kind, before, after);
}

TLinkEditCommand::TLinkEditCommand(TLinkEditTarget& target, TLinkEditKind kind, int32_t link,
                                   const TLinkRecord& before, const TLinkRecord& after, int run)
    : QUndoCommand(Describe(kind, link)),
      target_(target),
      kind_(kind),
      link_(link),
      before_(before),
      after_(after),
      run_(run) {}

bool TLinkEditCommand::Holds(const TLinkRecord& expected) const {
  return AgreeFor(kind_, target_.StoredLink(link_), expected);
}

void TLinkEditCommand::Change(const TLinkRecord& from, const TLinkRecord& to) {
  if (!Holds(from)) {
    setObsolete(true);
    target_.StepDropped(link_);
    return;
  }
  const TLinkRecord& stored = target_.StoredLink(link_);
  const TLinkRecord record = kind_ == TLinkEditKind::Delete   ? to
                             : kind_ == TLinkEditKind::Target ? WithLinkPageOf(stored, to)
                                                              : WithEdgesOf(stored, to);
  // The history runs inside Qt's own frames: a failure is reported here and goes no further.
  RunGuarded([&] { target_.StoreLink(link_, record); });
}

void TLinkEditCommand::redo() { Change(before_, after_); }

void TLinkEditCommand::undo() { Change(after_, before_); }

int TLinkEditCommand::id() const { return kind_ == TLinkEditKind::Nudge ? kNudgeCommandId : -1; }

bool TLinkEditCommand::mergeWith(const QUndoCommand* other) {
  const auto* next = dynamic_cast<const TLinkEditCommand*>(other);
  if (next == nullptr || next->kind_ != TLinkEditKind::Nudge || next->link_ != link_ ||
      next->run_ != run_) {
    return false;
  }
  after_ = next->after_;
  // Nudged back to where the run began: the step is no step.
  if (SameEdges(after_, before_)) setObsolete(true);
  return true;
}

}  // namespace pm
