// The program entry: the application title, the main window with its page, the hidden About
// box, and the event loop. No command-line argument is read and no file is opened.
#include <QScreen>
#include <csignal>

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
  return application.exec();
}
