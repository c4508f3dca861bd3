// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/FolderNode.h"
#include "scan/FolderTree.h"
#include "tests/TestHome.h"
#include "tests/TreeFixture.h"
#include "view/FolderModel.h"
#include "view/FolderTreeView.h"
#include "view/ValueDisplay.h"

#include <QAccessible>
#include <QScrollBar>
#include <QTest>

#include <map>

namespace {

// A tree of every shape the view must count: a wide folder, a chain far
// longer than the rows a view steps through, each link with a side folder,
// and a small branch.
struct TFixture : TTreeFixture {
  TFixture() : TTreeFixture(4096)
  {
    Nodes["top"] = Top;
    Nodes["a"] = Add(Top, "a");
    for (int Index = 0; Index < 300; ++Index)
      Add(Nodes["a"], "a" + std::to_string(Index));
    TFolderNode* Link = Nodes["b"] = Add(Top, "b");
    for (int Depth = 1; Depth <= 400; ++Depth) {
      Add(Link, "side");
      Link = Add(Link, "d");
      if (Depth == 200)
        Nodes["deep"] = Link;
    }
    Nodes["bottom"] = Link;
    Nodes["c"] = Add(Top, "c");
    Nodes["c1"] = Add(Nodes["c"], "c1");
    Add(Nodes["c1"], "c11");
    Add(Nodes["c1"], "c12");
    Add(Nodes["c"], "c2");
    View.resize(300, 200);
    View.show();
  }
  // The rows a tree shows, found the plain way.
  std::vector<TFolderNode*> Shown() const
  {
    std::vector<TFolderNode*> Rows;
    std::vector<TFolderNode*> Pending(Tree.TopNodes().rbegin(), Tree.TopNodes().rend());
    while (!Pending.empty()) {
      TFolderNode* Node = Pending.back();
      Pending.pop_back();
      Rows.push_back(Node);
      if (Node->FExpanded)
        Pending.insert(Pending.end(), Node->Children().rbegin(), Node->Children().rend());
    }
    return Rows;
  }
  // Node and the folders below it, parents first.
  static std::vector<TFolderNode*> Branch(TFolderNode* Node)
  {
    std::vector<TFolderNode*> Nodes;
    TFolderNode::ForEachBelow(Node, [&Nodes](TFolderNode* Below) {
      Nodes.push_back(Below);
      return true;
    });
    return Nodes;
  }
  void Run(const QString& Command)
  {
    TFolderNode* Node = Nodes.at(Command.mid(1).toStdString());
    switch (Command[0].toLatin1()) {
      case '+': View.Expand(Node); break;
      case '-': View.Collapse(Node); break;
      case '*': View.Expand(Branch(Node)); break;
      case '^': {
        std::vector<TFolderNode*> ChildrenFirst = Branch(Node);
        std::reverse(ChildrenFirst.begin(), ChildrenFirst.end());
        View.Expand(ChildrenFirst);
        break;
      }
      case '!':
        // Names of the branch go with it.
        for (TFolderNode* Gone : Branch(Node))
          std::erase_if(Nodes, [Gone](const auto& Named) { return Named.second == Gone; });
        Tree.DeleteNode(Node);
        break;
      case '&':
        for (int Index = 0; Index < 3; ++Index)
          Add(Node, "new");
        break;
      case '~': {
        std::vector<TFolderTree::TOrder> Orders{{Node, {Node->Children().rbegin(), Node->Children().rend()}}};
        Tree.Reorder(Orders);
        break;
      }
      case '%': View.scrollTo(Model.IndexOf(Node)); break;
      default: QFAIL("unknown command");
    }
  }
  TTestHome Home;
  TValueDisplay Display;
  TFolderModel Model{Tree, Display};
  TFolderTreeView View{Model};
  std::map<std::string, TFolderNode*> Nodes;
};

}  // namespace

class TFolderTreeViewTest : public QObject {
  Q_OBJECT

private slots:
  void rowsFollowChanges_data()
  {
    QTest::addColumn<QString>("commands");
    QTest::newRow("chain opened one by one, closed and opened in the middle") << "+top +b *b -deep +deep";
    QTest::newRow("opened below a closed folder, grown while hidden") << "*top -b +deep &deep &bottom -top +top +b";
    QTest::newRow("opened children first") << "^top";
    QTest::newRow("opened twice, closed twice") << "*top *top -c -c +c";
    QTest::newRow("open branches removed") << "*top !c1 !deep";
    QTest::newRow("removed under a closed folder, then shown") << "*top -b !deep +b";
    QTest::newRow("reordered open and closed") << "*top ~top ~b -a ~a ~top";
    QTest::newRow("added to open and closed folders") << "+top &c &a +c &c1 +c1";
    QTest::newRow("scrolled to, opening what hides it") << "%bottom -deep %c1";
  }
  // A screen reader hears the rows shown, each with its label, level and
  // open state, through opening, closing, growing and removing; it opens,
  // closes and selects rows.
  void accessibleTree()
  {
    TFixture Fixture;
    QAccessibleInterface* Tree = QAccessible::queryAccessibleInterface(&Fixture.View);
    QVERIFY(Tree && Tree->tableInterface());
    QCOMPARE(Tree->role(), QAccessible::Tree);
    for (const QString& Command : QString("+top +c +c1 *b !deep &c1 -top +top -c").split(' ')) {
      Fixture.Run(Command);
      const std::vector<TFolderNode*> Rows = Fixture.Shown();
      QCOMPARE(Tree->childCount(), int(Rows.size()));
      QCOMPARE(Tree->tableInterface()->rowCount(), int(Rows.size()));
      QCOMPARE(Tree->child(int(Rows.size())), nullptr);
      for (size_t Row = 0; Row<Rows.size(); Row += Rows.size()> 40 ? 37 : 1) {
        QAccessibleInterface* Item = Tree->child(int(Row));
        const TFolderNode* Node = Rows[Row];
        QCOMPARE(Item->role(), QAccessible::TreeItem);
        QCOMPARE(Item->text(QAccessible::Name),
                 Fixture.Model.data(Fixture.Model.IndexOf(Node), Qt::DisplayRole).toString().trimmed());
        int Level = 0;
        for (const TFolderNode* Up = Node; Up; Up = Up->Parent())
          ++Level;
        const size_t Folders = Node->Children().size();
        QCOMPARE(Item->text(QAccessible::Description),
                 QString("level %1, %2 folder%3")
                   .arg(Level)
                   .arg(Folders ? QString::number(Folders) : QString("no"))
                   .arg(Folders == 1 ? "" : "s"));
        QCOMPARE(bool(Item->state().expandable), Folders > 0);
        QCOMPARE(bool(Item->state().expanded), Folders > 0 && Node->FExpanded);
        QCOMPARE(bool(Item->state().collapsed), Folders > 0 && !Node->FExpanded);
        QCOMPARE(Tree->indexOfChild(Item), int(Row));
        QCOMPARE(Item->tableCellInterface()->rowIndex(), int(Row));
      }
    }
    // c is closed: its toggle opens it, and selecting a row makes it current.
    const int C = int(Fixture.View.RowOf(Fixture.Nodes["c"]));
    QAccessibleInterface* Item = Tree->child(C);
    QVERIFY(Item->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    Item->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(Fixture.View.IsExpanded(Fixture.Nodes["c"]));
    QCOMPARE(Tree->childCount(), int(Fixture.Shown().size()));
    QVERIFY(Tree->tableInterface()->selectRow(C + 1));
    QCOMPARE(Fixture.View.CurrentFolder(), Fixture.Nodes["c1"]);
    QCOMPARE(Tree->tableInterface()->selectedRows(), QList<int>{C + 1});
    QVERIFY(Tree->child(C + 1)->state().selected);
  }

  void rowsFollowChanges()
  {
    QFETCH(QString, commands);
    TFixture Fixture;
    for (const QString& Command : commands.split(' ')) {
      Fixture.Run(Command);
      const std::vector<TFolderNode*> Rows = Fixture.Shown();
      QCOMPARE(Fixture.View.RowCount(), Rows.size());
      QCOMPARE(Fixture.View.NodeAt(Rows.size()), nullptr);
      // Rows in turn, back again, and far apart: each way of finding them.
      for (size_t Row = 0; Row < Rows.size(); ++Row)
        QCOMPARE(Fixture.View.NodeAt(Row), Rows[Row]);
      for (size_t Row = Rows.size(); Row-- > 0;)
        QCOMPARE(Fixture.View.RowOf(Rows[Row]), int64_t(Row));
      for (size_t Row = 0; Row < Rows.size(); Row += 997)
        QCOMPARE(Fixture.View.NodeAt(Rows.size() - 1 - Row), Rows[Rows.size() - 1 - Row]);
    }
    // Rows hidden in a closed folder have no place.
    for (const auto& [Name, Node] : Fixture.Nodes)
      for (TFolderNode* Above = Node->Parent(); Above; Above = Above->Parent())
        if (!Above->FExpanded)
          QCOMPARE(Fixture.View.RowOf(Node), -1);
  }

  void scrollToShowsTheRow()
  {
    TFixture Fixture;
    Fixture.Run("*top");
    const int Page = Fixture.View.verticalScrollBar()->pageStep();
    Fixture.View.scrollTo(Fixture.Model.IndexOf(Fixture.View.NodeAt(size_t(Page))));
    QCOMPARE(Fixture.View.verticalScrollBar()->value(), 1);  // the row just below the view: one step
    Fixture.Run("-top");
    Fixture.Run("%bottom");
    for (TFolderNode* Above = Fixture.Nodes["bottom"]->Parent(); Above; Above = Above->Parent())
      QVERIFY(Above->FExpanded);
    const QRect Shown = Fixture.View.visualRect(Fixture.Model.IndexOf(Fixture.Nodes["bottom"]));
    QVERIFY(Fixture.View.viewport()->rect().contains(Shown.topLeft()));
    QCOMPARE(Fixture.View.indexAt(Shown.center()), Fixture.Model.IndexOf(Fixture.Nodes["bottom"]));
  }

  void keys_data()
  {
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("opened");  // what the keys leave open of top, a, b, c and c1
    QTest::newRow("right opens, then steps in") << ""
                                                << "top" << QList<int>{Qt::Key_Right, Qt::Key_Right} << "a"
                                                << "top";
    QTest::newRow("left closes, then climbs") << "+top +c +c1"
                                              << "c1" << QList<int>{Qt::Key_Left, Qt::Key_Left} << "c"
                                              << "top c";
    QTest::newRow("up from the row after an open branch ends in it") << "+top +a"
                                                                     << "b" << QList<int>{Qt::Key_Up} << "a299"
                                                                     << "top a";
    QTest::newRow("down out of the last child") << "+top +c +c1"
                                                << "c12" << QList<int>{Qt::Key_Down} << "c2"
                                                << "top c c1";
    QTest::newRow("from a row hidden in a closed folder") << "+top +c +c1 -c"
                                                          << "c11" << QList<int>{Qt::Key_Down} << "c"
                                                          << "top c1";
    QTest::newRow("from a row hidden two closed folders down") << "+top +c +c1 -c1 -c"
                                                               << "c11" << QList<int>{Qt::Key_Down} << "c"
                                                               << "top";
    QTest::newRow("end and home") << "+top +c +c1"
                                  << "a" << QList<int>{Qt::Key_End} << "c2"
                                  << "top c c1";
    QTest::newRow("minus and plus") << "+top +a"
                                    << "a" << QList<int>{Qt::Key_Minus, Qt::Key_Down, Qt::Key_Plus} << "b"
                                    << "top b";
  }
  void keys()
  {
    QFETCH(QString, open);
    QFETCH(QString, from);
    QFETCH(QList<int>, keys);
    QFETCH(QString, to);
    QFETCH(QString, opened);
    TFixture Fixture;
    Fixture.Nodes["a299"] = Fixture.Nodes["a"]->Children().back();
    Fixture.Nodes["c11"] = Child(Fixture.Nodes["c1"], "c11");
    Fixture.Nodes["c12"] = Child(Fixture.Nodes["c1"], "c12");
    Fixture.Nodes["c2"] = Child(Fixture.Nodes["c"], "c2");
    // Made current first: the folders above it open, and may close again.
    Fixture.View.selectionModel()->setCurrentIndex(Fixture.Model.IndexOf(Fixture.Nodes[from.toStdString()]),
                                                   QItemSelectionModel::NoUpdate);
    for (const QString& Command : open.split(' ', Qt::SkipEmptyParts))
      Fixture.Run(Command);
    for (int Key : keys)
      QTest::keyClick(&Fixture.View, Qt::Key(Key));
    QCOMPARE(QString::fromStdString(Fixture.View.CurrentFolder()->Name()), to);
    QStringList Open;
    for (const char* Name : {"top", "a", "b", "c", "c1"})
      if (Fixture.Nodes[Name]->FExpanded)
        Open << Name;
    QCOMPARE(Open.join(' '), opened);
    QCOMPARE(Fixture.View.RowCount(), Fixture.Shown().size());
  }

  void pageKeysMoveByWhatIsInView()
  {
    TFixture Fixture;
    Fixture.Run("*top");
    QTest::keyClick(&Fixture.View, Qt::Key_Home);
    QTest::keyClick(&Fixture.View, Qt::Key_PageDown);
    const int Page = Fixture.View.verticalScrollBar()->pageStep();
    QVERIFY(Page > 1);
    QCOMPARE(Fixture.View.CurrentFolder(), Fixture.View.NodeAt(size_t(Page)));
    QTest::keyClick(&Fixture.View, Qt::Key_End);
    QCOMPARE(Fixture.View.CurrentFolder(), Fixture.View.NodeAt(Fixture.View.RowCount() - 1));
    QTest::keyClick(&Fixture.View, Qt::Key_PageUp);
    QCOMPARE(Fixture.View.CurrentFolder(), Fixture.View.NodeAt(Fixture.View.RowCount() - 1 - size_t(Page)));
    // The last row shows at the bottom, whole.
    QCOMPARE(Fixture.View.verticalScrollBar()->maximum(), int(Fixture.View.RowCount()) - Page);
  }

  void mouse()
  {
    TFixture Fixture;
    Fixture.Run("+top");
    TFolderTreeView& View = Fixture.View;
    View.setEditTriggers(QAbstractItemView::NoEditTriggers);  // as the window has it: a double click opens
    const auto Box = [&Fixture](const char* Name) {
      return Fixture.View.visualRect(Fixture.Model.IndexOf(Fixture.Nodes[Name]));
    };
    // The arrow opens and closes without choosing the row.
    const QPoint Arrow(Box("c").left() - TFolderTreeView::Indent / 2, Box("c").center().y());
    QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, Arrow);
    QVERIFY(Fixture.Nodes["c"]->FExpanded);
    QVERIFY(View.CurrentFolder() != Fixture.Nodes["c"]);
    QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, Box("c1").center());
    QCOMPARE(View.CurrentFolder(), Fixture.Nodes["c1"]);
    QTest::mouseDClick(View.viewport(), Qt::LeftButton, {}, Box("c1").center());
    QVERIFY(Fixture.Nodes["c1"]->FExpanded);
    QTest::mouseClick(View.viewport(), Qt::LeftButton, {}, Arrow);
    QVERIFY(!Fixture.Nodes["c"]->FExpanded);
    QCOMPARE(View.indexAt(QPoint(5, int(View.RowCount()) * Box("a").height() + 2)), QModelIndex());
  }
};

QTEST_MAIN(TFolderTreeViewTest)
#include "tst_foldertreeview.moc"
