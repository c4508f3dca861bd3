// Times the window, offscreen, with the longest stall of its event loop
// meanwhile, measured by a timer that should fire every 5 ms.
//   bench_window FOLDER          scanning FOLDER to completion
//   bench_window --list FOLDER   after the scan, listing FOLDER's files in
//                                the details list, from selection to rows
//   bench_window --expand FOLDER after the scan, Full Expand of FOLDER, then
//                                each view type and sort mode in turn: the
//                                time each takes on the window's thread
#include "DetailsList.h"
#include "FolderNode.h"
#include "MainForm.h"
#include "Root.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <functional>

int main(int argc, char** argv)
{
  const bool List = argc == 3 && std::strcmp(argv[1], "--list") == 0;
  const bool Expand = argc == 3 && std::strcmp(argv[1], "--expand") == 0;
  if (argc != 2 && !List && !Expand) {
    std::fprintf(stderr, "usage: bench_window [--list|--expand] FOLDER\n");
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
    if (Expand) {
      // Each command runs on the window's thread: its time is its stall.
      auto Time = [](const char* What, const std::function<void()>& Command) {
        QElapsedTimer Step;
        Step.start();
        Command();
        std::printf("%-22s %6lld ms\n", What, static_cast<long long>(Step.elapsed()));
      };
      Probe.stop();
      Window.SetCurrentNode(Window.Driver().Roots()->FNode);
      Time("full expand", [&] { Window.ExpandClick(); });
      const char* Views[] = {"view Allocated", "view Percent", "view Wasted", "view CD-ROM", "view Size"};
      for (int Type : {2, 3, 4, 5, 1})
        Time(Views[Type == 1 ? 4 : Type - 2], [&] { Window.View1Click(Type); });
      const char* Sorts[] = {"sort by name", "sort by size", "no sorting"};
      for (int Type : {1, 3, 2})
        Time(Sorts[Type - 1], [&] { Window.Sort1Click(Type); });
      Application.quit();
    } else if (!List) {
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
