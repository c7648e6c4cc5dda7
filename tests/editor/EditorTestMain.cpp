// The editor's tests run real widgets on Qt's offscreen platform inside the program's own
// application object, so that every event passes through its guard.
#include <gtest/gtest.h>

#include <cstdio>

#include "editor/Application.h"

namespace {

// The offscreen platform tells of every window feature it lacks; only other messages are worth
// reading.
QtMessageHandler qtHandler = nullptr;

void PrintMessagesButThePlatformsLimits(QtMsgType type, const QMessageLogContext& context,
                                        const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  if (qtHandler != nullptr) {
    qtHandler(type, context, message);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

}  // namespace

// Graphviz's library (the document map lays out with it) and the font libraries that its text
// plugin loads keep some of what they allocate for the life of the process. Allocations of those
// libraries aren't counted as leaks when LeakSanitizer runs; with its fast unwinding their
// stacks name only the library that allocated.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libgvc.so\nleak:libfontconfig.so\nleak:libpango\nleak:libgvplugin_pango\n";
}

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
#ifndef PM_LANGUAGE_FROM_ENVIRONMENT
  // The windows show their specified Japanese texts whatever the machine's language.
  qputenv("LANG", "C.UTF-8");
  for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) qunsetenv(variable);
#endif
  qtHandler = qInstallMessageHandler(PrintMessagesButThePlatformsLimits);
  ::testing::InitGoogleTest(&argc, argv);
  pm::TApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
