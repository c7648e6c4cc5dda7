// Work that must not stop halfway, such as moving a set of files into place: while an object of
// this class lives, SIGINT, SIGTERM and SIGHUP wait for the thread that made it, and a signal
// that came meanwhile takes its course when the object goes. In a process of one thread nothing
// is removed on a signal and nothing ends meanwhile; in one of several, another thread may take
// the signal, so that the work is to be finished by whoever finds it begun (SIGKILL too can end
// it anywhere).
#pragma once

#include <signal.h>

namespace pm {

class TDeferredSignals {
 public:
  TDeferredSignals() noexcept;
  ~TDeferredSignals();
  TDeferredSignals(const TDeferredSignals&) = delete;
  TDeferredSignals& operator=(const TDeferredSignals&) = delete;

 private:
  sigset_t previous_;
};

}  // namespace pm
