// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CompareDlg.h"
#include "app/DuplicatesDlg.h"
#include "app/OptionChoices.h"
#include "app/OptionDlg.h"
#include "app/Translations.h"
#include "scan/Root.h"
#include "tests/WindowTest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <set>

namespace {

const char* const Languages[] = {"de", "fr"};

QString Catalogue(const QString& Language)
{
  return QString(SPACELENS_SOURCE "/translations/spacelens_%1.ts").arg(Language);
}

struct TMessage {
  QString Context, Source, Type;
  QStringList Translations;  // one, or one per plural form
};

std::vector<TMessage> ReadCatalogue(const QString& Path)
{
  std::vector<TMessage> Messages;
  QFile File(Path);
  if (!File.open(QIODevice::ReadOnly))
    return Messages;
  QXmlStreamReader Xml(&File);
  QString Context;
  while (!Xml.atEnd()) {
    if (Xml.readNext() != QXmlStreamReader::StartElement)
      continue;
    if (Xml.name() == u"name")
      Context = Xml.readElementText();
    else if (Xml.name() == u"message")
      Messages.push_back({Context, {}, {}, {}});
    else if (Xml.name() == u"source")
      Messages.back().Source = Xml.readElementText();
    else if (Xml.name() == u"translation") {
      Messages.back().Type = Xml.attributes().value("type").toString();
      if (Xml.attributes().value("numerus") != u"yes")
        Messages.back().Translations << Xml.readElementText();
    } else if (Xml.name() == u"numerusform")
      Messages.back().Translations << Xml.readElementText();
  }
  if (Xml.hasError())
    Messages.clear();
  return Messages;
}

// What a translation must carry over from its English text for the program
// to work: the places filled in, the accelerator, the tool tip's separator
// from the status-bar text, and the dots of a command that asks more.
QStringList Marks(const QString& Text)
{
  QStringList Found;
  static const QRegularExpression Places("%(\\d|n|L\\d)");
  for (const auto& Match : Places.globalMatch(Text))
    Found << Match.captured();
  Found.sort();
  QString Plain = Text;
  Plain.remove("&&");
  if (Plain.contains('&'))
    Found << "&";
  Found << QString(Text.count('|'), '|');
  if (Text.endsWith("..."))
    Found << "...";
  return Found;
}

// The texts a person reads in a window, in the order its parts were made:
// the same window in two languages gives lists of the same length, text by
// text.
QStringList ReadTexts(QWidget* Top)
{
  QStringList Texts;
  Texts << Top->windowTitle();
  for (QWidget* Part : Top->findChildren<QWidget*>()) {
    Texts << Part->toolTip() << Part->accessibleName() << Part->accessibleDescription();
    if (auto* Menu = qobject_cast<QMenu*>(Part))
      Texts << Menu->title();
    if (auto* Button = qobject_cast<QAbstractButton*>(Part))
      Texts << Button->text();
    if (auto* Label = qobject_cast<QLabel*>(Part))
      Texts << Label->text();
    if (auto* Group = qobject_cast<QGroupBox*>(Part))
      Texts << Group->title();
    if (auto* Edit = qobject_cast<QLineEdit*>(Part))
      Texts << Edit->placeholderText();
    if (auto* Tabs = qobject_cast<QTabWidget*>(Part))
      for (int Tab = 0; Tab < Tabs->count(); ++Tab)
        Texts << Tabs->tabText(Tab);
    if (auto* View = qobject_cast<QAbstractItemView*>(Part); View && View->model())
      for (int Column = 0; Column < View->model()->columnCount(); ++Column)
        Texts << View->model()->headerData(Column, Qt::Horizontal).toString();
  }
  for (QAction* Action : Top->findChildren<QAction*>())
    Texts << Action->text() << Action->toolTip() << Action->statusTip();
  return Texts;
}

// The words the German translation itself uses: "Spacelens", "KB" or
// "Filter" left alone in the German window are German too.
std::set<QString> Words(const QString& Text)
{
  std::set<QString> Found;
  static const QRegularExpression Word("(?<!#)\\b\\p{L}{2,}\\b");
  for (const auto& Match : Word.globalMatch(Text))
    Found.insert(Match.captured());
  return Found;
}

}  // namespace

class TTranslationsTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { FHome = WindowTestHome(); }

  void complete_data()
  {
    QTest::addColumn<QString>("Language");
    for (const char* Language : Languages)
      QTest::newRow(Language) << QString(Language);
  }
  // Every text has a translation that keeps what the program needs of it.
  void complete()
  {
    QFETCH(QString, Language);
    const std::vector<TMessage> Messages = ReadCatalogue(Catalogue(Language));
    QVERIFY(Messages.size() > 500);
    for (const TMessage& Message : Messages) {
      const QString Where = Message.Context + ": " + Message.Source;
      QVERIFY2(Message.Type.isEmpty(), qPrintable(Where + " is " + Message.Type));
      QVERIFY2(!Message.Translations.empty(), qPrintable(Where));
      for (const QString& Translation : Message.Translations) {
        QVERIFY2(!Translation.isEmpty(), qPrintable(Where + " is not translated"));
        QCOMPARE(Marks(Translation), Marks(Message.Source));
      }
    }
  }

  void current_data() { complete_data(); }
  // The translations hold the program's texts as they are now: none missing,
  // none no longer used.
  void current()
  {
    QFETCH(QString, Language);
    QTemporaryDir Dir;
    const QString Copy = Dir.filePath("copy.ts");
    QVERIFY(QFile::copy(Catalogue(Language), Copy));
    QProcess Update;
    Update.start(SPACELENS_SOURCE "/translations/update.sh", {Copy});
    QVERIFY(Update.waitForFinished(60000));
    QVERIFY2(Update.exitCode() == 0, Update.readAllStandardError().constData());
    QFile Before(Catalogue(Language)), After(Copy);
    QVERIFY(Before.open(QIODevice::ReadOnly) && After.open(QIODevice::ReadOnly));
    QVERIFY2(Before.readAll() == After.readAll(),
             "the texts of the program changed: run translations/update.sh and translate");
  }

  // The window, its views and its dialogs in German: every text a person
  // reads is German. A text the same in both languages is German only when
  // each of its words is one the German translation uses.
  void windowInGerman()
  {
    const QStringList English = WindowTexts();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TTranslations German(QLocale(QLocale::German, QLocale::Germany));
    QVERIFY(German.Found());
    const QStringList Translated = WindowTexts();
    UseEnglishNumbers();
    QCOMPARE(Translated.size(), English.size());

    std::set<QString> Known;
    for (const TMessage& Message : ReadCatalogue(Catalogue("de")))
      for (const QString& Translation : Message.Translations)
        Known.merge(Words(Translation));
    int Changed = 0;
    for (qsizetype Index = 0; Index < English.size(); ++Index) {
      if (English[Index] != Translated[Index]) {
        ++Changed;
        continue;
      }
      for (const QString& Word : Words(English[Index]))
        QVERIFY2(Known.count(Word) || FTreeWords.count(Word), qPrintable("left in English: " + English[Index]));
    }
    // The walk read the window, not an empty list.
    QVERIFY2(Changed > 400, qPrintable(QString::number(Changed)));
  }

private:
  // The texts of the window after a scan, with each view of the right pane
  // shown once, and of its dialogs.
  QStringList WindowTexts()
  {
    ResetSettings();
    TTestTree Tree{"17", "17/4"};
    Tree.File("17/4/5.txt", 5000);
    Words(QString::fromStdString(Tree.Top())).swap(FTreeWords);
    FTreeWords.insert("txt");
    TMainForm Form;
    Form.show();
    if (!Form.StartScan(Tree.Top()) || !ScansDone(Form))
      return {};
    QStringList Texts;
    for (const char* View : {"PieButton", "BarButton", "TreemapButton", "ListButton", "FilesButton", "TypesButton"}) {
      Form.Action(View)->trigger();
      QCoreApplication::processEvents();
      Texts << ReadTexts(&Form);
    }
    TOptionDlg Options(&Form, TOptionChoices{});
    Texts << ReadTexts(&Options);
    TDuplicatesDlg Duplicates(Form, std::vector<TFolderNode*>{Form.Driver().Roots()->FNode});
    if (!QTest::qWaitFor([&Duplicates] { return !Duplicates.Searching(); }, 20000))
      return {};
    QCoreApplication::processEvents();
    Texts << ReadTexts(&Duplicates);
    TCompareDlg Compare(&Form, TFolderSnapshot::THeader{}, {}, 0, false, Form.Display());
    Texts << ReadTexts(&Compare);
    return Texts;
  }

  std::unique_ptr<TTestHome> FHome;
  std::set<QString> FTreeWords;
};

QTEST_MAIN(TTranslationsTest)
#include "tst_translations.moc"
