// The program entry: the application title, the main window with its page, the hidden About
// box, and the event loop. "pagemaker FILE" starts with the page file FILE loaded (Qt's own
// options are taken out first); without an argument the window starts with a new page.
#include <QScreen>
#include <QTimer>
#include <csignal>
#include <string>

#include "editor/Application.h"
#include "editor/Form1.h"
#include "editor/Form2.h"
#include "editor/ProgramIcon.h"
#include "imaging/JPEGDefaults.h"

int main(int argc, char** argv) {
  // A write past a file size limit fails with an error box instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  pm::TApplication application(argc, argv);
  application.setWindowIcon(pm::ProgramIcon());
  // Lets the desktop match the windows with the installed desktop entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("mokepontasu-pagemaker"));
  // The display's depth sets the holders' defaults, before the first holder exists.
  const QScreen* screen = QGuiApplication::primaryScreen();
  pm::InitJPEGDefaults(screen ? screen->depth() : 0);

  pm::TForm1 form1;
  pm::TForm2 form2(&form1);
  form1.SetAboutBox(&form2);
  form1.ShowCentred();
  if (argc > 1) {
    // Loaded once the event loop runs, so that an error box opens over the shown window.
    const std::string fileName = argv[1];
    QTimer::singleShot(0, &form1, [&form1, fileName] { form1.OpenAtStart(fileName); });
  }
  return application.exec();
}
