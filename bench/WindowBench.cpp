// Times the window, offscreen, with the longest stall of its event loop
// meanwhile, measured by a timer that should fire every 5 ms.
//   bench_window FOLDER          scanning FOLDER to completion
//   bench_window --list FOLDER   after the scan, listing FOLDER's files in
//                                the details list, from selection to rows
#include "DetailsList.h"
#include "FolderNode.h"
#include "MainForm.h"
#include "Root.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
  const bool List = argc == 3 && std::strcmp(argv[1], "--list") == 0;
  if (argc != 2 && !List) {
    std::fprintf(stderr, "usage: bench_window [--list] FOLDER\n");
    return 2;
  }
  const std::string Folder = argv[argc - 1];
  QApplication Application(argc, argv);
  TMainForm Window;
  Window.show();

  QElapsedTimer Clock;
  qint64 LastTick = 0;
  qint64 LongestGap = 0;
  bool Listing = false;
  QTimer Probe;
  Probe.setTimerType(Qt::PreciseTimer);
  Probe.setInterval(5);
  auto Report = [&](const char* What, qint64 Now) {
    std::printf("%s: %.2f s, longest event-loop stall: %lld ms\n", What, Now / 1000.0,
                static_cast<long long>(std::max<qint64>(0, LongestGap - 5)));
    Application.quit();
  };
  QObject::connect(&Probe, &QTimer::timeout, [&] {
    const qint64 Now = Clock.elapsed();
    LongestGap = std::max(LongestGap, Now - LastTick);
    LastTick = Now;
    if (Window.Driver().Scanning())
      return;
    if (!List) {
      Report("window scan", Now);
    } else if (!Listing) {
      // The scan is done: now the folder is selected and listed.
      Listing = true;
      Window.SetCurrentNode(Window.Driver().Roots()->FNode->Child(0));
      Window.SetCurrentNode(Window.Driver().Roots()->FNode);
      Clock.restart();
      LastTick = 0;
      LongestGap = 0;
    } else if (Window.List().Model().rowCount() > 2) {  // more than the root and its folder
      Report("list shows the files", Now);
    }
  });
  // The scan starts once the window is on screen and painted.
  QTimer::singleShot(300, [&] {
    Clock.start();
    if (!Window.StartScan(Folder))
      Application.exit(1);
    Probe.start();
  });
  return QApplication::exec();
}
