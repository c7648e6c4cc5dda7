#include "base/DeferredSignals.h"

#include <pthread.h>

#include "base/RemovalOnSignal.h"

namespace pm {

TDeferredSignals::TDeferredSignals() noexcept {
  sigset_t deferred;
  ::sigemptyset(&deferred);
  for (const int signal : kRemovalSignals) ::sigaddset(&deferred, signal);
  ::pthread_sigmask(SIG_BLOCK, &deferred, &previous_);
}

TDeferredSignals::~TDeferredSignals() { ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }

}  // namespace pm
