// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HeadlessHistory.h"

#include "app/SettingsStore.h"
#include "app/TerminalText.h"
#include "app/WindowSettings.h"
#include "history/HistoryStore.h"
#include "history/SnapshotCompare.h"
#include "history/SnapshotFile.h"
#include "scan/FolderNode.h"
#include "scan/FolderSnapshot.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <ctime>

namespace {

// Bytes in the largest binary unit that keeps them at 1 or more, signed
// when Signed: "+1.2 GB", "-300.0 MB", "512 B".
std::string Bytes(int64_t Value, bool Signed)
{
  static const char* const Units[] = {"B", "KB", "MB", "GB", "TB", "PB", "EB"};
  double Size = std::fabs(double(Value));
  int Unit = 0;
  while (Size >= 1024 && Unit < 6) {
    Size /= 1024;
    ++Unit;
  }
  char Text[48];
  const char* Sign = Value < 0 ? "-" : Signed ? "+" : "";
  if (Unit == 0)
    std::snprintf(Text, sizeof Text, "%s%.0f B", Sign, Size);
  else
    std::snprintf(Text, sizeof Text, "%s%.1f %s", Sign, Size, Units[Unit]);
  return Text;
}

std::string When(int64_t Seconds)
{
  const std::time_t Time = std::time_t(Seconds);
  std::tm Local{};
  localtime_r(&Time, &Local);
  char Text[64];
  std::strftime(Text, sizeof Text, "%a %d %b %Y %H:%M", &Local);
  return Text;
}

}  // namespace

bool THeadlessHistory::Before(const std::string& Compare, const std::string& Root, const TScanSettings& Settings,
                              TFolderSnapshot& Snapshot, std::string& Error, std::string& Note)
{
  // "last", or "7d": the latest at least that many days old.
  unsigned Days = 0;
  const char* const DaysEnd = Compare.data() + Compare.size() - 1;
  const auto [End, Problem] = std::from_chars(Compare.data(), DaysEnd, Days);
  const bool Aged =
    Compare.size() > 1 && Compare.back() == 'd' && End == DaysEnd && Problem == std::errc() && Days <= 100000;
  if (Compare != "last" && !Aged)
    return TSnapshotFile::Read(Compare, Root, Settings, Snapshot, Error);
  const int64_t Now = std::time(nullptr), Before = Now - int64_t(Days) * 86400;
  const std::vector<THistoryStore::TEntry> Kept = THistoryStore().Of(Root);
  // One that cannot be read is passed over, said so.
  const auto Read = [&](const THistoryStore::TEntry& Entry) {
    if (TFolderSnapshot::Read(Entry.File, Snapshot, Error))
      return true;
    Note += (Note.empty() ? "" : "\n") + std::string("The scan of ") + When(Entry.Header.Time) + " remembered in "
      + Entry.File + " is " + Error + ": passed over";
    return false;
  };
  for (const THistoryStore::TEntry& Entry : Kept)
    if (Entry.Header.Time <= Before && Read(Entry))
      return true;
  // In a first week, the week's report is of the time there is.
  for (auto Entry = Kept.rbegin(); Aged && Entry != Kept.rend(); ++Entry)
    if (Entry->Header.Time > Before && Read(*Entry)) {
      const int64_t Ago = (Now - Snapshot.FHeader.Time) / 86400;
      Note += std::string(Note.empty() ? "" : "\n") + "No scan of " + Root + " is remembered from "
        + std::to_string(Days) + " days ago or before: compared with the oldest, of " + When(Snapshot.FHeader.Time)
        + " (" + std::to_string(Ago) + " day" + (Ago == 1 ? "" : "s") + " ago)";
      return true;
    }
  Error = "no snapshot of " + Root + " is remembered" + (Note.empty() ? "" : " that can be read:\n" + Note);
  return false;
}

TFolderSnapshot::THeader THeadlessHistory::Now(const TFolderNode* Top, const TScanSettings& Settings)
{
  return TFolderSnapshot::HeaderOf(Top, TSnapshotCompare::OptionsOf(Settings), std::time(nullptr));
}

void THeadlessHistory::Remember(const TFolderNode* Top, const TScanSettings& Settings, bool Quiet)
{
  // Kept as the user chose in the window; without a home, not at all.
  TWindowSettings Window;
  Window.Load(TSettingsStore(), false);
  THistoryStore Store = Window.History();
  if (Window.FHistoryKeep == 0 || !Store.Usable())
    return;
  const TFolderSnapshot::THeader Header =
    TFolderSnapshot::HeaderOf(Top, TSnapshotCompare::OptionsOf(Settings), std::time(nullptr));
  std::string Error, Warning;
  const bool Kept = Store.Remember(
    Header, [&](std::FILE* Stream) { return TFolderSnapshot::Write(Stream, Header, Top); }, Error, &Warning);
  if (Quiet)
    return;
  if (!Kept)
    std::fprintf(stderr, "The scan of %s is not remembered: %s\n", TTerminalText::For(stderr, Header.Root).c_str(),
                 TTerminalText::For(stderr, Error).c_str());
  if (!Warning.empty())
    std::fprintf(stderr, "%s\n", TTerminalText::For(stderr, Warning).c_str());
}

bool THeadlessHistory::WriteGrown(std::FILE* Stream, const TSnapshotCompare& Compare, size_t Count)
{
  const TFolderSnapshot& Before = Compare.Before();
  const TFolderSnapshot::THeader& Now = Compare.Now();
  const int64_t Days = (Now.Time - Before.FHeader.Time) / 86400;
  const TChangeMeasure& Measure = Compare.Measure();
  // Numbers in the measure compared by: bytes, or objects.
  const auto Text = [&Measure](int64_t Value, bool Signed) {
    return Measure.Bytes() ? Bytes(Value, Signed) : (Signed && Value > 0 ? "+" : "") + std::to_string(Value);
  };
  const TSnapshotCompare::TRow Top = Compare.TopRow();
  std::fprintf(Stream, "%s since %s (%" PRId64 " day%s): %s, now %s\n", TTerminalText::For(Stream, Now.Root).c_str(),
               When(Before.FHeader.Time).c_str(), Days, Days == 1 ? "" : "s", Text(Top.Change, true).c_str(),
               Text(int64_t(Measure.Of(Top.Now->Totals())), false).c_str());
  std::fprintf(Stream, "%12s  %10s  %10s  %s\n", "change", "before", "now", "folder");
  for (const TSnapshotCompare::TRow& Row : Compare.Grown(Count)) {
    const std::string Below = Compare.PathOf(Row);
    const std::string Path = Now.Root + Below + (Below.empty() ? "" : "/");
    std::fprintf(Stream, "%12s  %10s  %10s  %s\n", Text(Row.Change, true).c_str(),
                 Row.Before != TFolderSnapshot::None
                   ? Text(int64_t(Measure.Of(Before.FFolders[Row.Before].Totals())), false).c_str()
                   : "new",
                 Text(int64_t(Measure.Of(Row.Now->Totals())), false).c_str(), TTerminalText::For(Stream, Path).c_str());
  }
  return !std::ferror(Stream);
}
