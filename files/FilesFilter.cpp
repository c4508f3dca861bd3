// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilesFilter.h"

#include "fs/Wildcard.h"
#include "view/FileClass.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// A word of the box: a run without spaces, or a quoted run with them,
// which is always a name.
struct TWord {
  QString Text;
  bool Quoted = false;
};

QList<TWord> Words(const QString& Text)
{
  QList<TWord> Found;
  static const QRegularExpression Word(R"re("([^"]*)"?|(\S+))re");
  for (auto Match = Word.globalMatch(Text); Match.hasNext();) {
    const QRegularExpressionMatch Next = Match.next();
    const bool Quoted = Next.capturedStart(1) >= 0;
    Found.push_back({Quoted ? Next.captured(1) : Next.captured(2), Quoted});
  }
  return Found;
}

// The power of 1024 a unit stands for ("MB", "MiB", "M", "bytes"), or -1.
int UnitPower(const QString& Unit)
{
  static const QStringList Units = {"b", "kb", "mb", "gb", "tb", "pb"};
  QString Name = Unit.toLower();
  if (Name == "byte" || Name == "bytes")
    return 0;
  if (Name.size() == 3 && Name[1] == 'i' && Name[2] == 'b')
    Name.remove(1, 1);  // "KiB": the binary units are the ones meant anyway
  if (Name.size() == 1 && Name != "b")
    Name += 'b';  // "M" as du and ncdu write it
  return int(Units.indexOf(Name));
}

// What a word after a number is taken for: a unit, when it is letters
// alone that are one or a few of them, or a unit's name.
bool UnitLike(const TWord& Word)
{
  static const QRegularExpression Letters("^[a-zA-Z]+$");
  return !Word.Quoted && Letters.match(Word.Text).hasMatch() && (Word.Text.size() <= 3 || UnitPower(Word.Text) >= 0);
}

// Reads the words of the box from the start, each form of the grammar in
// turn; the first word it cannot make sense of ends it with the reason.
class TParser {
public:
  explicit TParser(const QString& Text) : FWords(Words(Text)) {}

  bool Done() const { return FAt >= FWords.size(); }
  const TWord& Next() { return FWords[FAt++]; }
  // The next word in lower case, empty past the end.
  QString Peek(qsizetype Ahead = 0) const
  {
    return FAt + Ahead < FWords.size() && !FWords[FAt + Ahead].Quoted ? FWords[FAt + Ahead].Text.toLower() : QString();
  }

  // A size: a number with its unit joined ("100MB") or apart ("100 MB"),
  // the next word or Joined, a word's part that the words after it may not
  // add a unit to when Alone; false with Error, naming Given, when there is
  // none.
  bool Size(const QString& Given, uint64_t& Bytes, QString& Error, std::optional<QString> Joined = std::nullopt,
            bool Alone = false)
  {
    static const QRegularExpression Number(R"(^(\d+(?:\.\d+)?)([a-zA-Z]*)$)");
    const bool Own = !Joined;
    const QString Text = Joined ? *Joined : (Done() || FWords[FAt].Quoted ? QString() : FWords[FAt].Text);
    const QRegularExpressionMatch Match = Number.match(Text);
    if (!Match.hasMatch()) {
      //: The filter's words and examples stay in English
      Error = QCoreApplication::translate("TFilesFilter", "\"%1\" needs a size after it, as in > 100 MB").arg(Given);
      return false;
    }
    if (Own)
      ++FAt;
    QString Unit = Match.captured(2);
    if (Unit.isEmpty() && !Alone && !Done() && UnitLike(FWords[FAt]))
      Unit = Next().Text;
    const int Power = Unit.isEmpty() ? 0 : UnitPower(Unit);
    if (Power < 0) {
      //: The filter's words and examples stay in English
      Error = QCoreApplication::translate(
                "TFilesFilter", "\"%1\" is no unit of size: write B, KB, MB, GB or TB (or K, M, G, T), as in > 100 MB")
                .arg(Unit);
      return false;
    }
    const double Value = Match.captured(1).toDouble() * std::pow(1024.0, double(Power));
    Bytes = Value >= 1.8e19 ? UINT64_MAX : uint64_t(std::llround(Value));
    return true;
  }

  // An age: "1 year", "2w", "30 days", in seconds; false with Error.
  bool Age(const QString& Given, int64_t& Seconds, QString& Error)
  {
    static const QRegularExpression Number(R"(^(\d+)([a-zA-Z]*)$)");
    const QRegularExpressionMatch Match = Number.match(Peek());
    if (Match.hasMatch()) {
      ++FAt;
      QString Unit = Match.captured(2).isEmpty() ? Peek() : Match.captured(2).toLower();
      if (Match.captured(2).isEmpty() && !Unit.isEmpty())
        ++FAt;
      if (Unit.endsWith('s') && Unit.size() > 1)
        Unit.chop(1);
      static const QList<QPair<QString, int64_t>> Units = {
        {"d", 86400},      {"day", 86400},        {"w", 7 * 86400},   {"week", 7 * 86400},
        {"m", 30 * 86400}, {"month", 30 * 86400}, {"y", 365 * 86400}, {"year", 365 * 86400}};
      for (const auto& [Name, Each] : Units)
        if (Unit == Name) {
          Seconds = std::min<int64_t>(Match.captured(1).toLongLong(), 100000) * Each;
          return true;
        }
    }
    //: The filter's words and examples stay in English
    Error = QCoreApplication::translate("TFilesFilter",
                                        "\"%1\" needs an age after it, as in %1 1 year (days, weeks, months or years)")
              .arg(Given);
    return false;
  }

private:
  QList<TWord> FWords;
  qsizetype FAt = 0;
};

// "2024", "2024-06", "2024-06-30": the local midnight it starts at, or false.
bool DateAt(const QString& Word, int64_t& Start)
{
  static const QRegularExpression Date(R"(^(\d{4})(?:-(\d{1,2})(?:-(\d{1,2}))?)?$)");
  const QRegularExpressionMatch Match = Date.match(Word);
  if (!Match.hasMatch())
    return false;
  const QDate Day(Match.captured(1).toInt(), Match.captured(2).isEmpty() ? 1 : Match.captured(2).toInt(),
                  Match.captured(3).isEmpty() ? 1 : Match.captured(3).toInt());
  if (!Day.isValid())
    return false;
  Start = Day.startOfDay().toSecsSinceEpoch();
  return true;
}

std::vector<std::string> Patterns(const QString& Word)
{
  std::vector<std::string> Made;
  for (const QString& Part : Word.split(';', Qt::SkipEmptyParts)) {
    const bool Wild = Part.contains('*') || Part.contains('?');
    Made.push_back((Wild ? Part : '*' + Part + '*').toStdString());
  }
  return Made;
}

}  // namespace

bool TFilesFilter::Parse(const QString& Text, int64_t Now, QString& Error)
{
  TFilesFilter Made;
  TParser Words(Text);
  static const QRegularExpression Compare(R"(^(>=|<=|>|<)(.*)$)");
  static const QRegularExpression Range(R"(^([\d.]+[a-zA-Z]*)\.\.([\d.]+[a-zA-Z]*)$)");
  static const QRegularExpression Links(R"(^links(>=|>|=)(\d+)$)", QRegularExpression::CaseInsensitiveOption);
  // A word of the grammar where it does not belong; quoted, it is a name.
  const auto Misplaced = [&Error](const QString& Told) {
    Error = Told;
    return false;
  };
  while (!Words.Done()) {
    const TWord& Word = Words.Next();
    const QString Lower = Word.Text.toLower();
    if (Word.Quoted) {
      for (std::string& Pattern : Patterns(Word.Text))
        Made.FNames.push_back(std::move(Pattern));
      continue;
    }
    if (const QRegularExpressionMatch Match = Compare.match(Word.Text); Match.hasMatch()) {
      // The operator alone, or the size joined to it.
      uint64_t Bytes = 0;
      if (!Words.Size(Match.captured(1), Bytes, Error,
                      Match.captured(2).isEmpty() ? std::nullopt : std::optional(Match.captured(2))))
        return false;
      const QString Operator = Match.captured(1);
      if (Operator == ">")
        Made.FMinSize = std::max(Made.FMinSize, Bytes == UINT64_MAX ? Bytes : Bytes + 1);
      else if (Operator == ">=")
        Made.FMinSize = std::max(Made.FMinSize, Bytes);
      else if (Operator == "<" && Bytes == 0) {
        Error = tr("\"%1\" matches nothing: no file is smaller than 0 bytes").arg(Word.Text);
        return false;
      } else if (Operator == "<")
        Made.FMaxSize = std::min(Made.FMaxSize, Bytes - 1);
      else
        Made.FMaxSize = std::min(Made.FMaxSize, Bytes);
    } else if (const QRegularExpressionMatch Match = Range.match(Word.Text); Match.hasMatch()) {
      uint64_t Low = 0, High = 0;
      if (!Words.Size(Word.Text, Low, Error, Match.captured(1), true)
          || !Words.Size(Word.Text, High, Error, Match.captured(2), true)) {
        //: The filter's words and examples stay in English
        Error = tr("\"%1\" is no size range, as in 10MB..1GB: %2").arg(Word.Text, Error);
        return false;
      }
      if (Low > High) {
        //: The filter's words and examples stay in English
        Error = tr("\"%1\" holds no size: the smaller end comes first, as in 10MB..1GB").arg(Word.Text);
        return false;
      }
      Made.FMinSize = std::max(Made.FMinSize, Low);
      Made.FMaxSize = std::min(Made.FMaxSize, High);
    } else if (Lower == "older" || Lower == "newer") {
      if (Words.Peek() != "than")
        //: The filter's words and examples stay in English
        return Misplaced(tr("\"%1\" needs \"than\" and an age, as in %2 than 1 year; to look for it in names, "
                            "quote it: \"%1\"")
                           .arg(Word.Text, Lower));
      Words.Next();
      int64_t Age = 0;
      if (!Words.Age(Lower + " than", Age, Error))
        return false;
      Made.FWrite.Given = true;
      if (Lower == "older")
        Made.FWrite.To = std::min(Made.FWrite.To, Now - Age - 1);
      else
        Made.FWrite.From = std::max(Made.FWrite.From, Now - Age + 1);
    } else if (Lower == "changed" || Lower == "accessed") {
      const QString When = Words.Peek();
      int64_t Start = 0;
      if (When != "before" && When != "after")
        //: The filter's words and examples stay in English
        return Misplaced(tr("\"%1\" needs before or after and a date, as in %2 before 2024-06; to look for it in "
                            "names, quote it: \"%1\"")
                           .arg(Word.Text, Lower));
      Words.Next();
      if (!DateAt(Words.Peek(), Start)) {
        //: The filter's words and examples stay in English
        Error = tr("\"%1 %2\" needs a date after it: 2024, 2024-06 or 2024-06-30").arg(Lower, When);
        return false;
      }
      Words.Next();
      TSpan& Span = Lower == "changed" ? Made.FWrite : Made.FAccess;
      Span.Given = true;
      if (When == "before")
        Span.To = std::min(Span.To, Start - 1);
      else
        Span.From = std::max(Span.From, Start);
    } else if (Lower == "than" || Lower == "then") {
      //: The filter's words and examples stay in English
      return Misplaced(tr("\"%1\" goes after older or newer, as in older than 1 year; sizes go after > or <, as in "
                          "> 1 GB; to look for it in names, quote it: \"%1\"")
                         .arg(Word.Text));
    } else if (Lower == "before" || Lower == "after") {
      //: The filter's words and examples stay in English
      return Misplaced(tr("\"%1\" goes after changed or accessed, as in changed before 2024-06; to look for it in "
                          "names, quote it: \"%1\"")
                         .arg(Word.Text));
    } else if (UnitPower(Lower) >= 0 && Lower.size() > 1) {
      //: The filter's words and examples stay in English
      return Misplaced(tr("\"%1\" is a unit: a size goes after > or <, as in > 1 GB, or in a range, as in 1MB..1GB; "
                          "to look for it in names, quote it: \"%1\"")
                         .arg(Word.Text));
    } else if (Lower.startsWith("kind:")) {
      for (const QString& Kind : Lower.mid(5).split(',', Qt::SkipEmptyParts)) {
        int Found = 0;
        while (TFileClass::Word(Found) && Kind != TFileClass::Word(Found))
          ++Found;
        if (!TFileClass::Word(Found)) {
          //: The kinds are filter words: they stay in English
          Error = tr("No kind \"%1\": the kinds are image, video, audio, archive, document, code, program and other")
                    .arg(Kind);
          return false;
        }
        Made.FKinds |= 1u << Found;
      }
    } else if (Lower.startsWith("ext:")) {
      const QStringList Extensions = Lower.mid(4).split(',');
      for (const QString& Extension : Extensions)
        Made.FExtensions.push_back(Extension.startsWith('.') ? Extension.mid(1).toStdString()
                                                             : Extension.toStdString());
      Made.FExtensionsGiven = true;
    } else if (Lower.startsWith("links")) {
      const QRegularExpressionMatch Match = Links.match(Word.Text);
      if (!Match.hasMatch())
        //: The filter's words and examples stay in English
        return Misplaced(
          tr("\"%1\" is no count of names: write links>1, links>=3 or links=2; to look for it in names, quote it: "
             "\"%1\"")
            .arg(Word.Text));
      bool Number = false;
      const uint64_t Count = Match.captured(2).toULongLong(&Number) + (Match.captured(1) == ">" ? 1 : 0);
      if (!Number || Count > UINT32_MAX) {
        Error = tr("\"%1\" counts more names than a file can have").arg(Word.Text);
        return false;
      }
      if (Match.captured(1) == "=")
        Made.FMaxLinks = std::min(Made.FMaxLinks, uint32_t(Count));
      Made.FMinLinks = std::max(Made.FMinLinks, uint32_t(Count));
    } else if (Lower == "not" || (Word.Text.startsWith('-') && Word.Text.size() > 1)) {
      const QString Name = Lower == "not" ? (Words.Done() ? QString() : Words.Next().Text) : Word.Text.mid(1);
      if (Name.isEmpty()) {
        //: The filter's words and examples stay in English
        Error = tr("\"not\" needs a name after it, as in not *.log");
        return false;
      }
      for (std::string& Pattern : Patterns(Name))
        Made.FLeftOut.push_back(std::move(Pattern));
    } else {
      for (std::string& Pattern : Patterns(Word.Text))
        Made.FNames.push_back(std::move(Pattern));
    }
  }
  Made.FEmpty = Made.FNames.empty() && Made.FLeftOut.empty() && Made.FMinSize == 0 && Made.FMaxSize == UINT64_MAX
    && !Made.FWrite.Given && !Made.FAccess.Given && Made.FKinds == 0 && Made.FMinLinks <= 1
    && Made.FMaxLinks == UINT32_MAX && !Made.FExtensionsGiven;
  *this = std::move(Made);
  return true;
}

bool TFilesFilter::Test(const TFolderFiles& Files, size_t Index) const
{
  if (FEmpty)
    return true;
  const TFolderFiles::TFile& File = Files[Index];
  const uint64_t Size = File.Size();
  if (Size < FMinSize || Size > FMaxSize || !FWrite.Holds(File.LastWrite) || !FAccess.Holds(File.LastAccess))
    return false;
  if (FKinds && !(FKinds & (1u << File.Kind)))
    return false;
  if ((FMinLinks > 1 || FMaxLinks != UINT32_MAX) && (Files.Links(Index) < FMinLinks || Files.Links(Index) > FMaxLinks))
    return false;
  if (FExtensionsGiven
      && std::find(FExtensions.begin(), FExtensions.end(),
                   TFileClass::Extension(Files.Name(Index), File.Kind == TFileClass::fcBinary))
        == FExtensions.end())
    return false;
  if (FNames.empty() && FLeftOut.empty())
    return true;
  // The patterns want a name ended by a zero byte.
  thread_local std::string Name;
  Name.assign(Files.Name(Index));
  const auto Matches = [](const std::string& Pattern) { return MatchWildcard(Pattern.c_str(), Name.c_str()); };
  return (FNames.empty() || std::any_of(FNames.begin(), FNames.end(), Matches))
    && std::none_of(FLeftOut.begin(), FLeftOut.end(), Matches);
}
