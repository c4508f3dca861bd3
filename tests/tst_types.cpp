// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileClass.h"
#include "TypeTotals.h"

#include <QTest>

#include <string>

class TTypesTest : public QObject {
  Q_OBJECT

private slots:
  // The extension a name is counted under, and its class.
  void extensions_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("kind");
    QTest::addRow("plain") << "photo.jpg" << false << "jpg" << int(TFileClass::fcImage);
    QTest::addRow("capitals") << "PHOTO.JPG" << false << "jpg" << int(TFileClass::fcImage);
    QTest::addRow("double in the table") << "src.TAR.GZ" << false << "tar.gz" << int(TFileClass::fcArchive);
    QTest::addRow("double not in it") << "notes.old.gz" << false << "gz" << int(TFileClass::fcArchive);
    QTest::addRow("version after") << "libfoo.so.1.2" << false << "so" << int(TFileClass::fcBinary);
    QTest::addRow("piece of a split archive") << "backup.tar.gz.001" << false << "tar.gz" << int(TFileClass::fcArchive);
    QTest::addRow("leading dot only") << ".bashrc" << false << "" << int(TFileClass::fcOther);
    QTest::addRow("leading dot and one more") << ".config.json" << false << "json" << int(TFileClass::fcCode);
    QTest::addRow("double with a leading dot") << ".tar.gz" << false << "gz" << int(TFileClass::fcArchive);
    QTest::addRow("none") << "README" << false << "" << int(TFileClass::fcOther);
    QTest::addRow("none, may be run") << "tool" << true << "" << int(TFileClass::fcBinary);
    QTest::addRow("unknown, may be run") << "run.foo" << true << "foo" << int(TFileClass::fcBinary);
    QTest::addRow("trailing dot") << "odd." << false << "" << int(TFileClass::fcOther);
    QTest::addRow("digits only") << "2024.01" << false << "" << int(TFileClass::fcOther);
  }
  void extensions()
  {
    QFETCH(QString, name);
    QFETCH(bool, executable);
    QFETCH(QString, extension);
    QFETCH(int, kind);
    const std::string Name = name.toStdString();
    QCOMPARE(QString::fromStdString(TFileClass::Extension(Name)), extension);
    QCOMPARE(int(TFileClass::Of(Name, executable)), kind);
  }

  // Totals by extension and class, the largest first, a file with several
  // names once when asked.
  void totals_data()
  {
    QTest::addColumn<bool>("linksOnce");
    QTest::addColumn<QString>("expected");  // extension/class:files,size,allocated,largest
    QTest::addRow("names once")
      << true << "tar.gz/3:2,7000,12288,5000 jpg/0:2,3000,8192,2500 /6:1,900,4096,900 /7:2,150,8192,100";
    QTest::addRow("every name")
      << false << "tar.gz/3:3,12000,16384,5000 jpg/0:2,3000,8192,2500 /6:1,900,4096,900 /7:2,150,8192,100";
  }
  void totals()
  {
    QFETCH(bool, linksOnce);
    QFETCH(QString, expected);
    TTypeTotals Totals(linksOnce);
    Totals.Add("a.jpg", 500, 4096, 4096, false, 1, 0, 0);
    Totals.Add("B.JPG", 2500, 4096, 4096, false, 1, 0, 0);
    Totals.Add("x.tar.gz", 5000, 8192, 4096, false, 2, 1, 7);
    Totals.Add("x-again.tar.gz", 5000, 4096, 4096, false, 2, 1, 7);  // the same file
    Totals.Add("y.tar.gz", 2000, 4096, 4096, false, 1, 0, 0);
    Totals.Add("tool", 900, 4096, 4096, true, 1, 0, 0);
    Totals.Add("README", 100, 4096, 4096, false, 1, 0, 0);
    Totals.Add(".bashrc", 50, 4096, 4096, false, 1, 0, 0);
    QStringList Got;
    for (const TTypeTotals::TType& Type : Totals.Ranked())
      Got << QString("%1/%2:%3,%4,%5,%6")
               .arg(QString::fromStdString(Type.Extension))
               .arg(Type.Kind)
               .arg(Type.Files)
               .arg(Type.Size)
               .arg(Type.Allocated)
               .arg(Type.Largest);
    QCOMPARE(Got.join(' '), expected);
  }
};

QTEST_GUILESS_MAIN(TTypesTest)
#include "tst_types.moc"
