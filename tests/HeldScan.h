#pragma once

#include "Directory.h"
#include "FolderNode.h"
#include "FolderTree.h"
#include "Root.h"
#include "ScanDriver.h"
#include "TestTree.h"

#include <QTest>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

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
    TDirectory::SetFailureInjector([this](const char* Name) {
      if (std::string(Name) == "held") {
        FReached = true;
        while (!FReleased)
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      return 0;
    });
    FRoot = FDriver.StartScan(FFiles.Top());
    QVERIFY(FRoot);
    QVERIFY(QTest::qWaitFor([this] { return FReached.load(); }));
    QVERIFY(QTest::qWaitFor([this] {
      FDriver.Drain();
      return Other() && Other()->FData->Finished();
    }));
  }
  ~THeldScan()
  {
    FReleased = true;
    FDriver.Await(FRoot);
    TDirectory::SetFailureInjector(nullptr);
  }

  TRoot* Root() const { return FRoot; }
  TFolderNode* Other() const
  {
    for (TFolderNode* Node : FRoot->FNode->Children())
      if (Node->FData->FName == "other")
        return Node;
    return nullptr;
  }

private:
  TTestTree FFiles;
  TFolderTree FTree;
  TScanDriver FDriver{FTree};
  TRoot* FRoot = nullptr;
  std::atomic<bool> FReached{false};
  std::atomic<bool> FReleased{false};
};
