// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fs/Directory.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/Root.h"
#include "scan/ScanDriver.h"
#include "tests/TestTree.h"

#include <QTest>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

// Holds the worker that opens a folder of the given name until Release() or
// until the holder goes, whichever comes first; the scan goes on elsewhere.
class THold {
public:
  explicit THold(const std::string& Folder)
  {
    TDirectory::SetFailureInjector([this, Folder](const char* Name) {
      if (Folder == Name) {
        FReached = true;
        while (!FReleased)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      return 0;
    });
  }
  ~THold()
  {
    Release();
    TDirectory::SetFailureInjector(nullptr);
  }
  // Waits until a worker is held there.
  bool Reached() const
  {
    return QTest::qWaitFor([this] { return FReached.load(); });
  }
  void Release() { FReleased = true; }

private:
  std::atomic<bool> FReached{false};
  std::atomic<bool> FReleased{false};
};

// A real scan of a small tree, held at the folder "held" until it goes, so
// a test sees a root while its scan runs. Its other folder, "other", is
// finished and attached to the tree by the time the constructor returns.
class THeldScan {
public:
  THeldScan()
  {
    FFiles.Folder("held");
    FFiles.Folder("other");
    FFiles.File("other/f", 5000);
    FRoot = FDriver.StartScan(FFiles.Top());
    QVERIFY(FRoot);
    QVERIFY(FHold.Reached());
    QVERIFY(QTest::qWaitFor([this] {
      FDriver.Drain();
      return Other() && Other()->Finished();
    }));
  }
  ~THeldScan()
  {
    FHold.Release();
    FDriver.Await(FRoot);
  }

  TRoot* Root() const { return FRoot; }
  TFolderTree& Tree() { return FTree; }
  TFolderNode* Other() const
  {
    for (TFolderNode* Node : FRoot->FNode->Children())
      if (Node->Name() == "other")
        return Node;
    return nullptr;
  }

private:
  THold FHold{"held"};
  TTestTree FFiles;
  TFolderTree FTree;
  TScanDriver FDriver{FTree};
  TRoot* FRoot = nullptr;
};
