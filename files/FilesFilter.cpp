// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/FilesFilter.h"

#include "fs/Wildcard.h"
#include "view/FileClass.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// The words of Text: runs without spaces, or quoted runs with them.
QStringList Words(const QString& Text)
{
  QStringList Found;
  static const QRegularExpression Word(R"re("([^"]*)"?|(\S+))re");
  for (auto Match = Word.globalMatch(Text); Match.hasNext();) {
    const QRegularExpressionMatch Next = Match.next();
    Found << (Next.capturedStart(1) >= 0 ? Next.captured(1) : Next.captured(2));
  }
  return Found;
}

// "100", "1.5 GB", "4KiB": bytes, or -1.
double Bytes(const QString& Number, const QString& Unit)
{
  bool Ok = false;
  const double Value = Number.toDouble(&Ok);
  if (!Ok || Value < 0 || !std::isfinite(Value))
    return -1;
  static const QStringList Units = {"b", "kb", "mb", "gb", "tb", "pb"};
  QString Name = Unit.toLower();
  Name.remove('i');
  const qsizetype Power = Name.isEmpty() ? 0 : Units.indexOf(Name);
  return Power < 0 ? -1 : Value * std::pow(1024.0, double(Power));
}

// A number and its unit at Words[At]: joined ("100MB"), or apart ("100 MB")
// when the next word looks like a unit; false when there is no number.
bool NumberAt(const QStringList& Words, qsizetype At, const QRegularExpression& UnitLike, QString& Number,
              QString& Unit, qsizetype& Taken)
{
  static const QRegularExpression Joined(R"(^(\d+(?:\.\d+)?)([a-zA-Z]*)$)");
  Taken = 0;
  const QRegularExpressionMatch Match = At < Words.size() ? Joined.match(Words[At]) : QRegularExpressionMatch();
  if (!Match.hasMatch())
    return false;
  Number = Match.captured(1);
  Unit = Match.captured(2);
  Taken = 1;
  if (Unit.isEmpty() && At + 1 < Words.size() && UnitLike.match(Words[At + 1]).hasMatch()) {
    Unit = Words[At + 1];
    Taken = 2;
  }
  return true;
}

// A size at Words[At]: the bytes and how many words it took, or -1 bytes. A
// word after the number that looks like a unit ("MB", "XB") is read as
// one, known or not.
double SizeAt(const QStringList& Words, qsizetype At, qsizetype& Taken)
{
  static const QRegularExpression UnitLike("^[a-zA-Z]{0,2}[bB]$");
  QString Number, Unit;
  return NumberAt(Words, At, UnitLike, Number, Unit, Taken) ? Bytes(Number, Unit) : -1;
}

uint64_t Whole(double Bytes)
{
  return Bytes >= 1.8e19 ? UINT64_MAX : uint64_t(std::llround(Bytes));
}

// "1 year", "2w", "30 days": seconds, or -1.
int64_t AgeAt(const QStringList& Words, qsizetype At, qsizetype& Taken)
{
  static const QRegularExpression UnitLike("^[a-zA-Z]+$");
  QString Number, Unit;
  if (!NumberAt(Words, At, UnitLike, Number, Unit, Taken) || Number.contains('.'))
    return -1;
  Unit = Unit.toLower();
  if (Unit.endsWith('s') && Unit.size() > 1)
    Unit.chop(1);
  static const QList<QPair<QString, int64_t>> Units = {{"d", 86400},        {"day", 86400},       {"w", 7 * 86400},
                                                       {"week", 7 * 86400}, {"m", 30 * 86400},    {"month", 30 * 86400},
                                                       {"y", 365 * 86400},  {"year", 365 * 86400}};
  for (const auto& [Name, Seconds] : Units)
    if (Unit == Name)
      return std::min<int64_t>(Number.toLongLong(), 100000) * Seconds;
  return -1;
}

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
  const QStringList Given = Words(Text);
  for (qsizetype At = 0; At < Given.size(); ++At) {
    const QString& Word = Given[At];
    const QString Lower = Word.toLower();
    const QString Next = At + 1 < Given.size() ? Given[At + 1].toLower() : QString();
    qsizetype Taken = 0;
    static const QRegularExpression Compare(R"(^(>=|<=|>|<)(.*)$)");
    static const QRegularExpression Range(R"(^([\d.]+[a-zA-Z]*)\.\.([\d.]+[a-zA-Z]*)$)");
    static const QRegularExpression Links(R"(^links(>=|>)(\d+)$)", QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch Match = Compare.match(Word); Match.hasMatch()) {
      // The operator alone, or the size joined to it.
      QStringList Rest = Given.mid(At + 1);
      if (!Match.captured(2).isEmpty())
        Rest.prepend(Match.captured(2));
      const double Size = SizeAt(Rest, 0, Taken);
      if (Size < 0) {
        Error = QString("\"%1\" needs a size after it, as in > 100 MB").arg(Word);
        return false;
      }
      At += Taken - (Match.captured(2).isEmpty() ? 0 : 1);
      const uint64_t Bytes = Whole(Size);
      const QString Operator = Match.captured(1);
      if (Operator == ">")
        Made.FMinSize = std::max(Made.FMinSize, Bytes == UINT64_MAX ? Bytes : Bytes + 1);
      else if (Operator == ">=")
        Made.FMinSize = std::max(Made.FMinSize, Bytes);
      else if (Operator == "<")
        Made.FMaxSize = std::min(Made.FMaxSize, Bytes > 0 ? Bytes - 1 : 0);  // files listed have a size
      else
        Made.FMaxSize = std::min(Made.FMaxSize, Bytes);
    } else if (const QRegularExpressionMatch Match = Range.match(Word); Match.hasMatch()) {
      const double Low = SizeAt({Match.captured(1)}, 0, Taken), High = SizeAt({Match.captured(2)}, 0, Taken);
      if (Low < 0 || High < 0) {
        Error = QString("\"%1\" is no size range, as in 10MB..1GB").arg(Word);
        return false;
      }
      Made.FMinSize = std::max(Made.FMinSize, Whole(Low));
      Made.FMaxSize = std::min(Made.FMaxSize, Whole(High));
    } else if ((Lower == "older" || Lower == "newer") && Next == "than") {
      const int64_t Age = AgeAt(Given, At + 2, Taken);
      if (Age < 0) {
        Error = QString("\"%1 than\" needs an age after it, as in %1 than 1 year").arg(Lower);
        return false;
      }
      At += 1 + Taken;
      Made.FWrite.Given = true;
      if (Lower == "older")
        Made.FWrite.To = std::min(Made.FWrite.To, Now - Age - 1);
      else
        Made.FWrite.From = std::max(Made.FWrite.From, Now - Age + 1);
    } else if ((Lower == "changed" || Lower == "accessed") && (Next == "before" || Next == "after")) {
      int64_t Start = 0;
      if (At + 2 >= Given.size() || !DateAt(Given[At + 2], Start)) {
        Error = QString("\"%1 %2\" needs a date after it: 2024, 2024-06 or 2024-06-30").arg(Lower, Next);
        return false;
      }
      At += 2;
      TSpan& Span = Lower == "changed" ? Made.FWrite : Made.FAccess;
      Span.Given = true;
      if (Next == "before")
        Span.To = std::min(Span.To, Start - 1);
      else
        Span.From = std::max(Span.From, Start);
    } else if (Lower.startsWith("kind:")) {
      for (const QString& Kind : Lower.mid(5).split(',', Qt::SkipEmptyParts)) {
        int Found = 0;
        while (TFileClass::Word(Found) && Kind != TFileClass::Word(Found))
          ++Found;
        if (!TFileClass::Word(Found)) {
          Error = QString(
                    "No kind \"%1\": the kinds are image, video, audio, archive, document, code, program "
                    "and other")
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
    } else if (const QRegularExpressionMatch Match = Links.match(Word); Match.hasMatch()) {
      const uint32_t Count = Match.captured(2).toUInt() + (Match.captured(1) == ">" ? 1 : 0);
      Made.FMinLinks = std::max(Made.FMinLinks, Count);
    } else if (Lower == "not" || (Word.startsWith('-') && Word.size() > 1)) {
      const QString Name = Lower == "not" ? (At + 1 < Given.size() ? Given[++At] : QString()) : Word.mid(1);
      if (Name.isEmpty()) {
        Error = "\"not\" needs a name after it, as in not *.log";
        return false;
      }
      for (std::string& Pattern : Patterns(Name))
        Made.FLeftOut.push_back(std::move(Pattern));
    } else {
      for (std::string& Pattern : Patterns(Word))
        Made.FNames.push_back(std::move(Pattern));
    }
  }
  Made.FEmpty = Made.FNames.empty() && Made.FLeftOut.empty() && Made.FMinSize == 0 && Made.FMaxSize == UINT64_MAX
    && !Made.FWrite.Given && !Made.FAccess.Given && Made.FKinds == 0 && Made.FMinLinks <= 1 && !Made.FExtensionsGiven;
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
  if (FMinLinks > 1 && Files.Links(Index) < FMinLinks)
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
