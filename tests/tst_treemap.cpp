#include "FileClass.h"

#include <QSet>
#include <QTest>

class TTreemapTest : public QObject {
  Q_OBJECT

private slots:
  void fileClass_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("jpeg") << "holiday.JPG" << int(TFileClass::fcImage);
    QTest::newRow("unicode name") << "été 2023.heic" << int(TFileClass::fcImage);
    QTest::newRow("video") << "talk.mkv" << int(TFileClass::fcVideo);
    QTest::newRow("audio") << "song.Flac" << int(TFileClass::fcAudio);
    QTest::newRow("compressed tar") << "backup.tar.gz" << int(TFileClass::fcArchive);
    QTest::newRow("piece of a split archive") << "data.7z.001" << int(TFileClass::fcArchive);
    QTest::newRow("upper case") << "SETUP.ZIP" << int(TFileClass::fcArchive);
    QTest::newRow("rotated log, compressed") << "syslog.2.gz" << int(TFileClass::fcArchive);
    QTest::newRow("document") << "report.pdf" << int(TFileClass::fcDocument);
    QTest::newRow("code") << "main.cpp" << int(TFileClass::fcCode);
    QTest::newRow("c++") << "vector.h++" << int(TFileClass::fcCode);
    QTest::newRow("hidden with extension") << ".config.json" << int(TFileClass::fcCode);
    QTest::newRow("library") << "libfoo.so" << int(TFileClass::fcBinary);
    QTest::newRow("versioned library") << "libfoo.so.1.2" << int(TFileClass::fcBinary);
    QTest::newRow("versioned library, one number") << "libc.so.6" << int(TFileClass::fcBinary);
    QTest::newRow("object") << "main.o" << int(TFileClass::fcBinary);
    QTest::newRow("no extension") << "Makefile" << int(TFileClass::fcOther);
    QTest::newRow("hidden") << ".bashrc" << int(TFileClass::fcOther);
    QTest::newRow("numbers only") << "syslog.1" << int(TFileClass::fcOther);
    QTest::newRow("trailing dot") << "notes." << int(TFileClass::fcOther);
    QTest::newRow("unknown") << "index.qwerty" << int(TFileClass::fcOther);
    QTest::newRow("too long to be known") << "photo.jpgjpgjpg" << int(TFileClass::fcOther);
    QTest::newRow("known as a prefix only") << "a.tarx" << int(TFileClass::fcOther);
    QTest::newRow("not ASCII") << "a.gź" << int(TFileClass::fcOther);
    QTest::newRow("empty") << "" << int(TFileClass::fcOther);
  }
  void fileClass()
  {
    QFETCH(QString, name);
    QFETCH(int, kind);
    QCOMPARE(int(TFileClass::Of(name.toStdString())), kind);
  }

  // The legend tells every colour apart, the folders' too.
  void classColours()
  {
    QSet<QRgb> Colors;
    QSet<QString> Names;
    for (int Kind = 0; Kind < TFileClass::Count; ++Kind) {
      Colors << TFileClass::Color(Kind);
      Names << TFileClass::Name(Kind);
    }
    QCOMPARE(Colors.size(), TFileClass::Count);
    QCOMPARE(Names.size(), TFileClass::Count);
    QVERIFY(!Names.contains(QString()));
  }
};

QTEST_MAIN(TTreemapTest)
#include "tst_treemap.moc"
