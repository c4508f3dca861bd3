// Times the window scanning a folder, and the longest stall of its event
// loop meanwhile, measured by a timer that should fire every 5 ms.
//   bench_window FOLDER
#include "MainForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_window FOLDER\n");
    return 2;
  }
  QApplication Application(argc, argv);
  TMainForm Window;
  Window.show();

  QElapsedTimer Clock;
  qint64 LastTick = 0;
  qint64 LongestGap = 0;
  QTimer Probe;
  Probe.setTimerType(Qt::PreciseTimer);
  Probe.setInterval(5);
  QObject::connect(&Probe, &QTimer::timeout, [&] {
    const qint64 Now = Clock.elapsed();
    LongestGap = std::max(LongestGap, Now - LastTick);
    LastTick = Now;
    if (!Window.Driver().Scanning()) {
      std::printf("window scan: %.2f s, longest event-loop stall: %lld ms\n", Now / 1000.0,
                  static_cast<long long>(std::max<qint64>(0, LongestGap - 5)));
      Application.quit();
    }
  });
  // The scan starts once the window is on screen and painted.
  QTimer::singleShot(300, [&] {
    Clock.start();
    if (!Window.StartScan(QString::fromLocal8Bit(argv[1])))
      Application.exit(1);
    Probe.start();
  });
  return QApplication::exec();
}
