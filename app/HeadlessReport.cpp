// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HeadlessReport.h"

#include "app/SettingsStore.h"
#include "app/WindowSettings.h"
#include "print/ReportFile.h"
#include "scan/Baseline.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/ScanDriver.h"
#include "view/NodeOrder.h"
#include "view/ValueDisplay.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>

bool THeadlessReport::Write(const std::string& File, int Levels, TScanDriver& Driver,
                            const std::vector<TFolderNode*>& TopNodes, std::shared_ptr<const TBaseline> Baseline)
{
  // Fonts and PDF pages need the toolkit's graphics, without a display.
  static char Name[] = "spacelens", Option[] = "-platform", Platform[] = "offscreen";
  static char* Arguments[] = {Name, Option, Platform, nullptr};
  static int Count = 3;
  // The toolkit's remarks (no runtime folder, fonts looked up) are not the
  // user's business; a report run from cron stays quiet.
  qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Message) {
    if (Type == QtCriticalMsg || Type == QtFatalMsg)
      std::fprintf(stderr, "%s\n", Message.toLocal8Bit().constData());
  });
  QGuiApplication Application(Count, Arguments);
  QGuiApplication::setApplicationName("Spacelens");
  QGuiApplication::setOrganizationName("Zelkon");
  // Units, decimals, order and margins as the user chose them in the window.
  TSettingsStore Store;
  TWindowSettings Window;
  Window.Load(Store, false);
  TValueDisplay Display;
  Display.FUnitType = TValueDisplay::TUnitType(Window.FUnitType);
  Display.FDecimals = Window.FDecimals - 1;
  Display.FShowType = TViewType(Window.FShowType);
  const auto SortType = Baseline ? TValueDisplay::stChange : TValueDisplay::TSortType(Window.FSortType);
  Display.FBaseline = std::move(Baseline);
  // A folder's own files as a line of their own, so its lines add up to it,
  // as the window's report shows them.
  for (TFolderNode* Top : TopNodes)
    Driver.ApplyShowFiles(Top, Window.FShowFiles);
  auto Depth = [](const TFolderNode* Node) {
    int Levels = 0;
    for (; Node->Parent(); Node = Node->Parent())
      ++Levels;
    return Levels;
  };
  auto IsExpanded = [&](const TFolderNode* Node) { return Depth(Node) < Levels; };
  // The folders the report shows come in the order of the sort mode.
  std::vector<TFolderTree::TOrder> Orders;
  for (TFolderNode* Top : TopNodes)
    TFolderNode::ForEachBelow(Top, [&](TFolderNode* Node) {
      if (!IsExpanded(Node))
        return false;
      if (SortType != TValueDisplay::stNone && Node->ChildCount() > 1) {
        std::vector<TNodeOrder::TKeyed> Keys;
        for (TFolderNode* Child : Node->Children())
          Keys.emplace_back(Display.SortKey(Child, SortType), Child);
        TNodeOrder::Sort(Keys, Display.FShowType);
        TNodeOrder::Take(Node, Keys, Orders);
      }
      return true;
    });
  Driver.Tree().Reorder(Orders);
  QString Error;
  if (TReportFile::Write(QString::fromLocal8Bit(File.c_str()), TopNodes, Display, Window.FMargins, IsExpanded, Error))
    return true;
  std::fprintf(stderr, "%s\n", Error.toLocal8Bit().constData());
  return false;
}
