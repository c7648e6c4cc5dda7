// TSiteWriting: writes a document's web site (site/SiteWriter.h) on a thread of its own, so that
// the windows stay responsive, and tells on the window's thread how far it has come and how it
// ended. The thread reads the page files into pages of its own; it never touches the editor's
// page. One writing runs at a time; destroying the object cancels it and waits for its thread.
#pragma once

#include <QObject>
#include <atomic>
#include <exception>
#include <string>
#include <thread>

#include "page/Document.h"
#include "site/SiteWriter.h"

namespace pm {

class TSiteWriting : public QObject {
  Q_OBJECT

 public:
  explicit TSiteWriting(QObject* parent = nullptr);
  ~TSiteWriting() override;
  TSiteWriting(const TSiteWriting&) = delete;
  TSiteWriting& operator=(const TSiteWriting&) = delete;

  // Starts writing the site of `document` into `folder` with `options`, whose progress and
  // cancel are replaced by this object's own. Not while a writing runs (std::logic_error).
  void Start(const TDocument& document, const std::string& folder, site::TSiteOptions options);
  // Asks the writing under way to stop: it ends with Cancelled and the folder as it was, unless
  // the finished site was already being put in place, which then ends with Finished.
  void Cancel();
  // From Start until one of the signals that end a writing has been emitted.
  bool Busy() const { return busy_; }

 signals:
  // Pages written of the pages in all: (0, M) before the first page, then after each.
  void Progress(int pagesDone, int pagesInAll);
  void Finished(pm::site::TSiteReport report);
  void Cancelled();
  // The failure as the site library raised it (see site/SiteErrors.h); the folder is as it was.
  void Failed(std::exception_ptr failure);

 private:
  // On the writing's own thread.
  void Write(const TDocument& document, const std::string& folder,
             const site::TSiteOptions& options);
  // On the window's thread: runs `deliver` (which emits a signal) there.
  template <typename Deliver>
  void Post(Deliver deliver);
  // On the window's thread: the thread has nothing left to do but return.
  template <typename Deliver>
  void End(Deliver deliver);

  std::atomic<bool> cancel_ = false;
  bool busy_ = false;
  std::jthread thread_;
};

}  // namespace pm
