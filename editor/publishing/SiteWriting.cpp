#include "editor/publishing/SiteWriting.h"

#include <QMetaObject>
#include <algorithm>
#include <limits>
#include <stdexcept>

#include "base/Exceptions.h"

namespace pm {

namespace {

int Count(size_t value) {
  return static_cast<int>(std::min<size_t>(value, std::numeric_limits<int>::max()));
}

}  // namespace

TSiteWriting::TSiteWriting(QObject* parent) : QObject(parent) {}

TSiteWriting::~TSiteWriting() {
  // What the thread posts after this is dropped with the object.
  cancel_ = true;
  if (thread_.joinable()) thread_.join();
}

void TSiteWriting::Start(const TDocument& document, const std::string& folder,
                         site::TSiteOptions options) {
  if (busy_) throw std::logic_error("a site is being written already");
  if (thread_.joinable()) thread_.join();  // it has ended: its last signal has come
  cancel_ = false;
  busy_ = true;
  options.cancel = &cancel_;
  options.progress = [this](size_t done, size_t inAll) {
    Post([this, done, inAll] { emit Progress(Count(done), Count(inAll)); });
  };
  thread_ = std::jthread(
      [this, document, folder, options = std::move(options)] { Write(document, folder, options); });
}

void TSiteWriting::Cancel() { cancel_ = true; }

template <typename Deliver>
void TSiteWriting::Post(Deliver deliver) {
  QMetaObject::invokeMethod(this, std::move(deliver), Qt::QueuedConnection);
}

template <typename Deliver>
void TSiteWriting::End(Deliver deliver) {
  Post([this, deliver = std::move(deliver)] {
    thread_.join();
    busy_ = false;
    deliver();
  });
}

void TSiteWriting::Write(const TDocument& document, const std::string& folder,
                         const site::TSiteOptions& options) {
  try {
    const site::TSiteReport report = site::WriteSite(document, folder, options);
    End([this, report] { emit Finished(report); });
  } catch (const EAbort&) {
    End([this] { emit Cancelled(); });
  } catch (...) {
    End([this, failure = std::current_exception()] { emit Failed(failure); });
  }
}

}  // namespace pm
