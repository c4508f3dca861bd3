// SPDX-License-Identifier: GPL-3.0-or-later
#include "fs/FileTime.h"
#include "scan/FolderData.h"
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "scan/FolderTreeListener.h"
#include "scan/Root.h"
#include "tests/HeldScan.h"
#include "tests/TreeFixture.h"

#include <QLocale>
#include <QTest>

#include <ctime>
#include <tuple>

namespace {

// Remembers which nodes the tree reported as changed.
class TChangeLog : public TFolderTreeListener {
public:
  void TreeBeginRemove(TFolderNode*, size_t First, size_t Last) override { Removed += int(Last - First + 1); }
  void TreeNodeChanged(TFolderNode* Node) override { Changed.push_back(Node); }
  std::vector<TFolderNode*> Changed;
  int Removed = 0;
};

// top -> a -> b on 4096-byte clusters.
struct TSmallTree : TTreeFixture {
  TSmallTree() : TTreeFixture(4096)
  {
    Top->SetName("/data");
    A = Add(Top, "a");
    B = Add(A, "b");
  }
  TFolderNode* A;
  TFolderNode* B;
};

}  // namespace

class TFolderDataTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase()
  {
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  }

  void countFile_data()
  {
    QTest::addColumn<quint64>("size");
    QTest::addColumn<quint32>("cluster");
    QTest::addColumn<quint64>("clusters");
    QTest::addColumn<quint64>("tail");
    QTest::newRow("empty file is not counted") << 0ull << 4096u << 0ull << 0ull;
    QTest::newRow("exact multiple keeps a full tail") << 8192ull << 4096u << 2ull << 4096ull;
    QTest::newRow("one byte over") << 8193ull << 4096u << 3ull << 1ull;
    QTest::newRow("over 4 GiB") << (5ull << 32) + 7 << 4096u << (5ull << 20) + 1 << 7ull;
    QTest::newRow("largest size") << ~0ull << 512u << (1ull << 55) << 511ull;
    QTest::newRow("compressed volume counts bytes") << 1234ull << 1u << 1234ull << 1ull;
  }
  void countFile()
  {
    QFETCH(quint64, size);
    QFETCH(quint32, cluster);
    QFETCH(quint64, clusters);
    QFETCH(quint64, tail);
    const TFileCount Count = TFolderData::CountFile(size, cluster);
    QCOMPARE(std::tuple(Count.Clusters, Count.TailBytes, Count.Objects), std::tuple(clusters, tail, size ? 1u : 0u));
    if (size)  // the identity the Size measure rests on
      QCOMPARE((Count.Clusters - 1) * cluster + Count.TailBytes, size);
  }

  void getValue_data()
  {
    QTest::addColumn<quint64>("clusters");
    QTest::addColumn<quint64>("tail");
    QTest::addColumn<quint64>("objects");
    QTest::addColumn<int>("view");
    QTest::addColumn<int>("unit");
    QTest::addColumn<double>("expected");
    // A folder holding one 1-byte file, 4096-byte clusters.
    QTest::newRow("size KB") << 2ull << 1ull << 2ull << int(vtSize) << 1 << 1.0 / 1024;
    QTest::newRow("allocated KB") << 2ull << 1ull << 2ull << int(vtAllocated) << 1 << 8.0;
    QTest::newRow("wasted KB") << 2ull << 1ull << 2ull << int(vtWasted) << 1 << 8191.0 / 1024;
    QTest::newRow("cd-rom KB") << 2ull << 1ull << 2ull << int(vtCDROM) << 1 << 4.0009765625;
    QTest::newRow("objects") << 2ull << 1ull << 2ull << int(vtObjects) << 0 << 2.0;
    QTest::newRow("unknown view") << 2ull << 1ull << 2ull << 7 << 1 << 0.0;
    // An empty folder: no size, one whole cluster wasted.
    QTest::newRow("empty folder wasted") << 1ull << 0ull << 1ull << int(vtWasted) << 1 << 4.0;
    QTest::newRow("no objects on cd-rom") << 0ull << 0ull << 0ull << int(vtCDROM) << 1 << 0.0;
    // One 3 MB file (768 clusters, full tail) and the folder itself.
    QTest::newRow("3 MB folder in MB") << 769ull << 4096ull << 2ull << int(vtSize) << 0 << 3.0;
    // Far beyond 32-bit counters: 2^40 clusters.
    QTest::newRow("huge allocated KB") << (1ull << 40) << 0ull << 1ull << int(vtAllocated) << 1 << double(1ull << 42);
  }
  void getValue()
  {
    QFETCH(quint64, clusters);
    QFETCH(quint64, tail);
    QFETCH(quint64, objects);
    QFETCH(int, view);
    QFETCH(int, unit);
    QFETCH(double, expected);
    TSmallTree Tree;
    TSmallTree::Set(Tree.A, clusters, tail, objects);
    QCOMPARE(Tree.A->GetValue(view, unit), double(float(expected)));
  }

  void percent()
  {
    TSmallTree Tree;
    TSmallTree::Set(Tree.Top, 200, 0, 2);
    TSmallTree::Set(Tree.A, 50, 0, 1);
    QCOMPARE(Tree.A->GetValue(vtPercent, 0), double(float(50 / 200.0001 * 100)));
    // A top node is measured against itself: just under 100.
    const double Top = Tree.Top->GetValue(vtPercent, 1);
    QVERIFY(Top < 100 && Top > 99.99);
    // No percent while the root is being scanned.
    THeldScan Held;
    QCOMPARE(Held.Other()->GetValue(vtPercent, 0), -1.0);
    QCOMPARE(Held.Root()->FNode->GetValue(vtPercent, 0), -1.0);
  }

  // Two files of 5 GiB + 7 bytes and 1 byte, and the folder.
  void exactBytes()
  {
    TSmallTree Tree;
    const TFileCount Big = TFolderData::CountFile((5ull << 30) + 7, 4096);
    const TFileCount Small = TFolderData::CountFile(1, 4096);
    TSmallTree::Set(Tree.A, Big.Clusters + Small.Clusters + 1, Big.TailBytes + Small.TailBytes, 3);
    QCOMPARE(Tree.A->SizeBytes(), (5ull << 30) + 8);
    QCOMPARE(Tree.A->AllocatedBytes(), (Big.Clusters + 2) * 4096);
  }

  void addToAncestorsAndFreeNode()
  {
    TSmallTree Tree;
    TChangeLog Log, Other;
    Tree.Tree.AddListener(&Log);
    Tree.Tree.AddListener(&Other);
    TSmallTree::Set(Tree.Top, 10, 100, 5);
    TSmallTree::Set(Tree.A, 6, 60, 3);
    TSmallTree::Set(Tree.B, 2, 20, 1);
    Tree.Tree.AddToAncestors(Tree.B, {3, 7, 1}, {});
    QCOMPARE(std::tuple(Tree.B->FClusters.Load(), Tree.A->FObjects.Load(), Tree.Top->FTailBytes.Load()),
             std::tuple(5u, 4u, 107u));
    QCOMPARE(Log.Changed, (std::vector<TFolderNode*>{Tree.B, Tree.A, Tree.Top}));
    Tree.Tree.FreeNode(Tree.B, true);  // exactly its share out of a and top
    QCOMPARE(std::tuple(Tree.A->ChildCount(), Log.Removed, Other.Removed), std::tuple(size_t(0), 1, 1));
    QCOMPARE(Other.Changed, Log.Changed);
    Tree.Tree.RemoveListener(&Other);
    QCOMPARE(std::tuple(Tree.A->FClusters.Load(), Tree.A->FTailBytes.Load(), Tree.Top->FObjects.Load()),
             std::tuple(4u, 40u, 4u));
    // Without subtraction the totals stay; a deep subtree goes without recursion.
    TFolderNode* Node = Tree.A;
    for (int Level = 0; Level < 200000; ++Level)
      Node = Tree.Add(Node, "d");
    QVERIFY(Node->IsWithin(Tree.Top, 0, 0) && Node->IsWithin(nullptr, 0, 0) && !Node->IsWithin(Tree.Top, 1, 3));
    QVERIFY(!Tree.Top->IsWithin(Tree.A, 0, 0) && !Tree.A->IsWithin(Tree.A, 0, 0));
    Tree.Tree.FreeNode(Tree.A, false);
    QCOMPARE(std::pair(Tree.Top->ChildCount(), Tree.Top->FClusters.Load()), std::pair(size_t(0), uint64_t(8)));
    QCOMPARE(std::pair(Log.Removed, Other.Removed), std::pair(2, 1));
  }

  // An order taken before the children changed is left out, never applied.
  void reorderKeepsEveryChild()
  {
    TSmallTree Tree;
    TFolderNode* C = Tree.Add(Tree.A, "c");
    TFolderNode* D = Tree.Add(Tree.A, "d");
    const std::vector<TFolderNode*> Before = Tree.A->Children();
    for (const std::vector<TFolderNode*>& Wrong : {std::vector<TFolderNode*>{D, C}, {D, C, C}, {D, C, Tree.Top}}) {
      std::vector<TFolderTree::TOrder> Orders{{Tree.A, Wrong}};
      Tree.Tree.Reorder(Orders);
      QCOMPARE(Tree.A->Children(), Before);
    }
    std::vector<TFolderTree::TOrder> Orders{{Tree.A, {D, C, Tree.B}}};
    Tree.Tree.Reorder(Orders);
    QCOMPARE(Tree.A->Children(), (std::vector<TFolderNode*>{D, C, Tree.B}));
    QCOMPARE(C->Index(), 1u);
  }

  void fullPath()
  {
    TSmallTree Tree;
    QCOMPARE(Tree.B->FullPath(), std::string("/data/a/b/"));
    TFolderNode* Files = Tree.Add(Tree.A, "");
    Files->FIsFiles = true;
    QCOMPARE(Files->FullPath(), std::string("/data/a/"));
    Tree.A->SetName("renamed");  // the cached paths below go
    QCOMPARE(Tree.B->FullPath(), std::string("/data/renamed/b/"));
    Tree.Top->SetName("/");
    QCOMPARE(Tree.Top->FullPath(), std::string("/"));
    QCOMPARE(Tree.B->FullPath(), std::string("/renamed/b/"));
  }

  void dateText()
  {
    QCOMPARE(TFolderData::DateText(0), QString());
    QCOMPARE(TFolderData::DateText(0xFFFFFFFFull), QString());
    QCOMPARE(TFolderData::DateText(FileTime::FromUnix(1577934245, 0)), QString("1/2/20"));  // 2020-01-02 03:04:05
    // Times beyond the form are its last one, never a wrapped-around early one.
    QCOMPARE(FileTime::FromUnix(INT64_MAX, 0), UINT64_MAX);
    QCOMPARE(FileTime::FromUnix(-20000000000, 0), 0u);
  }
};

QTEST_GUILESS_MAIN(TFolderDataTest)
#include "tst_folderdata.moc"
