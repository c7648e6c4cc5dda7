// The program entry: the application title, the main window with its page, the hidden About
// box, the keeping of recovery copies, and the event loop. "pagemaker FILE" starts with the page
// file FILE loaded (Qt's own options are taken out first); without an argument the window starts
// with a new page. Then the unsaved changes that earlier editors left are offered.
#include <QScreen>
#include <QTimer>
#include <csignal>
#include <optional>
#include <string>

#include "editor/Application.h"
#include "editor/Form1.h"
#include "editor/Form2.h"
#include "editor/ProgramIcon.h"
#include "editor/recovery/RecoveryKeeper.h"
#include "editor/recovery/RecoveryOffer.h"
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
  pm::TRecoveryKeeper recovery(form1, pm::TRecoveryFolder(pm::RecoveryFolderPath()));
  form1.ShowCentred();
  // Once the event loop runs, so that the boxes open over the shown window: the page file named
  // on the command line, then the unsaved changes that earlier editors left.
  std::optional<std::string> fileName;
  if (argc > 1) fileName = argv[1];
  QTimer::singleShot(0, &form1, [&form1, &recovery, fileName] {
    if (fileName) form1.OpenAtStart(*fileName);
    pm::OfferRecovery(form1, recovery);
  });
  return application.exec();
}
