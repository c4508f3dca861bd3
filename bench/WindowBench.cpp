// SPDX-License-Identifier: GPL-3.0-or-later
// Times the window, offscreen, with the longest stall of its event loop
// meanwhile, measured by a timer that should fire every 5 ms.
//   bench_window FOLDER          scanning FOLDER to completion (or reading
//                                an export, or a folder of another machine:
//                                whatever the command line opens)
//   bench_window --list FOLDER   after the scan, listing FOLDER's files in
//                                the details list, from selection to rows
//   bench_window --expand FOLDER after the scan, opening the first-level folder
//                                of FOLDER with the most folders, Full Expand
//                                of FOLDER, then
//                                each view type and sort mode in turn: the
//                                time each takes to finish, and the longest
//                                stall of the window meanwhile
//   bench_window --delete FOLDER after the scan, its first folder renamed in
//                                the tree and moved to the Trash from it,
//                                then the list of FOLDER with every row
//                                selected, moved to the Trash with the
//                                Delete key (confirmations answered yes):
//                                the same times
//   bench_window --chart FOLDER  after the scan, the pie and then the bars of
//                                the first-level folder of FOLDER with the most
//                                folders, in each view type and sort mode: the
//                                same times
//   bench_window --treemap FOLDER after the scan, the treemap of FOLDER at
//                                1400 x 900, in each view type: the same times
//   bench_window --no-files FOLDER scanning FOLDER without keeping its files
//                                for the treemap
//   bench_window --files FOLDER  after the scan, the files view of FOLDER,
//                                sorted by each column, then a filter typed
//                                a key at a time: the same times
//   bench_window --types FOLDER  scanning FOLDER with the types view shown
//                                (the longest stall), then after the scan the
//                                types of FOLDER, of its widest first-level
//                                folder and of that one's first sub-folder, in
//                                each view type, sorted by each column, a type
//                                picked: the same times, until the rows are
//                                shown (the treemap below has its own bench)
//   bench_window --compare FOLDER after the scan, the details list of its
//                                widest first-level folder opened, compared
//                                with itself as it was with every tenth folder
//                                half its size and every hundredth named
//                                otherwise: then the bars, the treemap, sorted
//                                by size and by change, and the comparison
//                                ended: the same times
#include "app/CompareCommands.h"
#include "app/MainForm.h"
#include "app/RightPane.h"
#include "app/RootCommands.h"
#include "bench/Altered.h"
#include "bench/Memory.h"
#include "charts/ChartPane.h"
#include "files/FilesList.h"
#include "scan/FolderNode.h"
#include "scan/FolderSnapshot.h"
#include "scan/Root.h"
#include "shell/Prompt.h"
#include "treemap/TreemapPane.h"
#include "treemap/TreemapView.h"
#include "types/TypesList.h"
#include "view/DetailsList.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

int main(int argc, char** argv)
{
  const bool List = argc == 3 && std::strcmp(argv[1], "--list") == 0;
  const bool Charts = argc == 3 && std::strcmp(argv[1], "--chart") == 0;
  const bool Delete = argc == 3 && std::strcmp(argv[1], "--delete") == 0;
  const bool Treemap = argc == 3 && std::strcmp(argv[1], "--treemap") == 0;
  const bool NoFiles = argc == 3 && std::strcmp(argv[1], "--no-files") == 0;
  const bool Files = argc == 3 && std::strcmp(argv[1], "--files") == 0;
  const bool Types = argc == 3 && std::strcmp(argv[1], "--types") == 0;
  const bool Compare = argc == 3 && std::strcmp(argv[1], "--compare") == 0;
  const bool Expand =
    Charts || Delete || Treemap || Files || Types || Compare || (argc == 3 && std::strcmp(argv[1], "--expand") == 0);
  if (argc != 2 && !List && !Expand && !NoFiles) {
    std::fprintf(
      stderr,
      "usage: bench_window [--list|--expand|--chart|--delete|--treemap|--no-files|--files|--types|--compare] FOLDER\n");
    return 2;
  }
  const std::string Folder = argv[argc - 1];
  QApplication Application(argc, argv);
  TMainForm Window;
  if (NoFiles)
    Window.Driver().FSettings.FFileKind = nullptr;
  if (Treemap)
    Window.resize(1400 + 460, 900 + 150);  // the treemap itself about 1400 x 900
  Window.show();
  if (List)
    Window.ListButtonClick();
  if (Types)
    Window.TypesButtonClick();

  QElapsedTimer Clock;
  qint64 LastTick = 0;
  qint64 LongestGap = 0;
  bool Listing = false;
  // The commands of --expand, and where they are.
  using TStep = std::pair<std::string, std::function<void()>>;
  // The top's first-level folder with the most folders.
  auto Widest = [&Window] {
    TFolderNode* Top = Window.Driver().Roots()->FNode;
    TFolderNode* Largest = Top;
    for (TFolderNode* Child : Top->Children())
      if (Largest == Top || Child->ChildCount() > Largest->ChildCount())
        Largest = Child;
    return Largest;
  };
  std::vector<TStep> Steps;
  QTemporaryDir Scratch;  // the earlier scan of --compare
  // Every view once, back to Size at the end; the sorts likewise.
  const std::pair<TViewType, const char*> Views[] = {{vtAllocated, "view Allocated"},
                                                     {vtPercent, "view Percent"},
                                                     {vtWasted, "view Wasted"},
                                                     {vtCDROM, "view CD-ROM"},
                                                     {vtSize, "view Size"}};
  const std::pair<TValueDisplay::TSortType, const char*> Sorts[] = {{TValueDisplay::stName, "sort by name"},
                                                                    {TValueDisplay::stNone, "no sorting"},
                                                                    {TValueDisplay::stSize, "sort by size"}};
  auto AddViews = [&](const std::string& Mode) {
    for (const auto& [Type, Name] : Views)
      Steps.emplace_back(Mode + Name, [&Window, Type] { Window.View1Click(Type); });
  };
  auto AddViewsAndSorts = [&](const char* Mode) {
    AddViews(Mode);
    for (const auto& [Type, Name] : Sorts)
      Steps.emplace_back(Mode + std::string(Name), [&Window, Type] { Window.Sort1Click(Type); });
  };
  if (Delete) {
    // The folder "big" of the top: renamed in the tree, then moved to the
    // Trash from it, as a person does with F2 and Delete.
    auto Big = [&Window] {
      for (TFolderNode* Child : Window.Driver().Roots()->FNode->Children())
        if (!Child->FIsFiles)
          return Child;
      return static_cast<TFolderNode*>(nullptr);
    };
    Steps.emplace_back("rename a folder", [&Window, Big] {
      TFolderNode* Folder = Big();
      Window.Model().setData(Window.Model().IndexOf(Folder), "renamed", Qt::EditRole);
      std::printf("renamed to: %s\n", Folder->Name().c_str());
    });
    Steps.emplace_back("delete that folder", [&Window, Big] {
      TPrompt::SetAnswerer([](TPrompt::TKind, const QString&, const QString&, QString&) { return true; });
      Window.SetCurrentNode(Big());
      Window.TreeView()->setFocus();
      QKeyEvent Key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
      QCoreApplication::sendEvent(Window.TreeView(), &Key);
      std::printf("folders left: %d\n", Big() ? 1 : 0);
    });
    Steps.emplace_back("list the folder", [&] {
      Window.ListButtonClick();
      Window.SetCurrentNode(Window.Driver().Roots()->FNode);
    });
    // Selecting is a command of its own, as Ctrl+A is.
    Steps.emplace_back("select every row", [&] { Window.SelectAllRows(); });
    Steps.emplace_back("delete every row", [&] {
      TPrompt::SetAnswerer([](TPrompt::TKind, const QString&, const QString&, QString&) { return true; });
      QKeyEvent Key(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
      QCoreApplication::sendEvent(&Window.List(), &Key);
      std::printf("rows left: %d\n", Window.List().Model().rowCount());
    });
  } else if (Files) {
    TFilesList& List = Window.RightPane().Files();
    Steps.emplace_back("files of the top", [&] {
      Window.FilesButtonClick();
      Window.SetCurrentNode(Window.Driver().Roots()->FNode);
    });
    const char* Keys[] = {"by name",        "by folder",      "by size", "by allocated",
                          "by last change", "by last access", "by kind", "by links"};
    for (int Key = 0; Key < TFilesSorter::skCount; ++Key)
      Steps.emplace_back(std::string("files: ") + Keys[Key],
                         [&List, Key] { List.SortBy(TFilesSorter::TKey(Key), Key != TFilesSorter::skName); });
    const QString Typed = "*.mp3 > 10 KB";
    for (int Length = 1; Length <= Typed.size(); ++Length)
      Steps.emplace_back("filter \"" + Typed.left(Length).toStdString() + "\"",
                         [&List, Typed, Length] { List.SetFilterText(Typed.left(Length)); });
  } else if (Types) {
    TTypesList& List = Window.RightPane().Types();
    Steps.emplace_back("the details list", [&] {
      Window.ListButtonClick();
      Window.SetCurrentNode(Window.Driver().Roots()->FNode);
    });
    Steps.emplace_back("types of the top", [&] { Window.TypesButtonClick(); });
    AddViews("types: ");
    const char* Columns[] = {"by type", "by files", "by size", "by allocated", "by percent", "by largest"};
    for (int Column = 0; Column < TTypesModel::tcCount; ++Column)
      Steps.emplace_back(std::string("types: ") + Columns[Column],
                         [&List, Column] { List.View()->sortByColumn(Column, Qt::DescendingOrder); });
    Steps.emplace_back("types: pick the first",
                       [&List] { List.View()->setCurrentIndex(List.Model().index(0, 0, List.Model().index(0, 0))); });
    // Selected, then shown at once, as a click on the tree does after its
    // short wait for the next click.
    Steps.emplace_back("types: the widest", [&] {
      Window.SetCurrentNode(Widest());
      Window.TypesButtonClick();
    });
    Steps.emplace_back("types: its first folder", [&] {
      if (Widest()->ChildCount() > 0)
        Window.SetCurrentNode(Widest()->Child(0));
      Window.TypesButtonClick();
    });
  } else if (Compare) {
    const std::string Earlier = Scratch.path().toStdString() + "/earlier.snap";
    Steps.emplace_back("the list of the widest", [&] {
      Window.ListButtonClick();
      Window.TreeView()->Expand(Widest());
      Window.SetCurrentNode(Widest());
    });
    Steps.emplace_back("(the earlier scan made)", [&Window, Earlier] {
      const TFolderSnapshot Snapshot = Altered(TFolderSnapshot::Of(Window.Driver().Roots()->FNode, {}, 1));
      std::FILE* File = std::fopen(Earlier.c_str(), "wb");
      Snapshot.Write(File);
      std::fclose(File);
    });
    Steps.emplace_back("compare", [&Window, Earlier] { Window.Compare().Compare(Earlier, *Window.Driver().Roots()); });
    Steps.emplace_back("compare: bars", [&] { Window.barbuttonClick(); });
    Steps.emplace_back("compare: treemap", [&] { Window.TreemapButtonClick(); });
    Steps.emplace_back("compare: sort by size", [&] { Window.Sort1Click(TValueDisplay::stSize); });
    Steps.emplace_back("compare: sort by change", [&] { Window.Sort1Click(TValueDisplay::stChange); });
    Steps.emplace_back("compare: ended", [&] {
      Window.ListButtonClick();
      Window.Compare().End();
    });
  } else if (Treemap) {
    Steps.emplace_back("treemap of the top", [&] {
      Window.TreemapButtonClick();
      Window.SetCurrentNode(Window.Driver().Roots()->FNode);
    });
    AddViews("treemap: ");
    Steps.emplace_back("treemap: the widest", [&] { Window.SetCurrentNode(Widest()); });
  } else if (Charts) {
    Steps.emplace_back("pie: the widest", [&] {
      Window.PiebuttonClick();
      Window.SetCurrentNode(Widest());
    });
    AddViewsAndSorts("pie: ");
    Steps.emplace_back("pie: filled again", [&] { Window.Charts().FillChart(); });
    Steps.emplace_back("bars", [&] { Window.barbuttonClick(); });
    AddViewsAndSorts("bars: ");
    Steps.emplace_back("bars: filled again", [&] { Window.Charts().FillChart(); });
    Steps.emplace_back("bars: page down", [&] {
      for (int Page = 0; Page < 10; ++Page)
        Window.Charts().ChartScrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    });
  } else {
    Steps.emplace_back("open the widest", [&] {
      // As a click on its box.
      Window.TreeView()->Expand(Widest());
    });
    Steps.emplace_back("full expand", [&] {
      Window.SetCurrentNode(Window.Driver().Roots()->FNode);
      Window.ExpandClick();
    });
    AddViewsAndSorts("");
  }
  size_t Step = 0;
  bool Running = false;
  bool Returned = false;  // the step's command is back, its dialogs closed
  qint64 DoneAt = -1;
  QElapsedTimer StepClock;
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
      // Each command in turn, once the last one has finished its work and
      // the window has had time for what it deferred.
      if (Step == Steps.size()) {
        Application.quit();
      } else if (!Running) {
        if (Step == 0)
          std::printf("after the scan (%.2f s, longest event-loop stall %lld ms): memory %lld MB, peak %lld MB\n",
                      Now / 1000.0, static_cast<long long>(std::max<qint64>(0, LongestGap - 5)), Megabytes("VmRSS:"),
                      Megabytes());
        Running = true;
        Returned = false;
        DoneAt = -1;
        StepClock.restart();
        LongestGap = 0;
        // From the event loop, as a person's command comes: a command that
        // waits in a dialog of its own keeps the probe ticking meanwhile.
        QTimer::singleShot(0, [&, Step] {
          Steps[Step].second();
          Returned = true;
        });
      } else if (DoneAt < 0 && Returned && !Window.Busy() && (!Treemap || Window.RightPane().Treemap().View().Current())
                 && !(Files && Window.RightPane().Files().Busy()) && !(Types && Window.RightPane().Types().Busy())
                 && !(Compare && Step == 2 && !Window.Compare().Active())) {
        DoneAt = StepClock.elapsed();
      } else if (DoneAt >= 0 && StepClock.elapsed() > DoneAt + 300) {
        if (Step == 0 && Treemap)
          std::printf("treemap %dx%d\n", Window.RightPane().Treemap().View().width(),
                      Window.RightPane().Treemap().View().height());
        std::printf("%-24s done in %6lld ms, longest event-loop stall %4lld ms, memory %4lld MB, peak %4lld MB\n",
                    Steps[Step].first.c_str(), static_cast<long long>(DoneAt),
                    static_cast<long long>(std::max<qint64>(0, LongestGap - 5)), Megabytes("VmRSS:"), Megabytes());
        Running = false;
        ++Step;
      }
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
    if (!Window.Roots().Open(Folder))
      Application.exit(1);
    Probe.start();
  });
  return QApplication::exec();
}
