// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminalProgress.h"

#include "app/TerminalText.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

std::string Grouped(uint64_t Value)
{
  std::string Digits = std::to_string(Value);
  for (int Position = int(Digits.size()) - 3; Position > 0; Position -= 3)
    Digits.insert(size_t(Position), ",");
  return Digits;
}

std::string Size(uint64_t Bytes)
{
  static const char* Units[] = {"B", "KB", "MB", "GB", "TB", "PB"};
  double Value = double(Bytes);
  int Unit = 0;
  while (Unit < 5 && Value >= 1024) {
    Value /= 1024;
    ++Unit;
  }
  char Text[32];
  std::snprintf(Text, sizeof Text, Unit == 0 ? "%.0f %s" : "%.1f %s", Value, Units[Unit]);
  return Text;
}

}  // namespace

TTerminalProgress::TTerminalProgress(std::FILE* Stream, bool Enabled)
  : FStream(Stream), FEnabled(Enabled && isatty(fileno(Stream))), FStart(std::chrono::steady_clock::now())
{
}

size_t TTerminalProgress::Width() const
{
  winsize Size{};
  return ioctl(fileno(FStream), TIOCGWINSZ, &Size) == 0 && Size.ws_col > 0 ? Size.ws_col : 80;
}

std::string TTerminalProgress::Line(const TScanDriver::TProgress& Progress, double Seconds, size_t Width)
{
  char Time[32];
  const long Whole = long(Seconds);
  std::snprintf(Time, sizeof Time, "%ld:%02ld", Whole / 60, Whole % 60);
  std::string Text = Grouped(Progress.FCounted.FFolders) + " folders, " + Grouped(Progress.FCounted.FFiles) + " files, "
    + Size(Progress.FSize) + ", " + Time;
  // The last column stays free: writing into it wraps on some terminals.
  const size_t Room = Width > Text.size() + 3 ? Width - Text.size() - 3 : 0;
  // Shown only on a terminal: a name's control characters never reach it.
  std::string Path = TTerminalText::Quoted(Progress.FReading);
  if (Path.size() > Room) {
    // The end of the path says most; cut at the start of a character.
    size_t Cut = Path.size() - (Room > 3 ? Room - 3 : 0);
    while (Cut < Path.size() && (static_cast<unsigned char>(Path[Cut]) & 0xC0) == 0x80)
      ++Cut;
    Path = Room > 3 ? "..." + Path.substr(Cut) : std::string();
  }
  if (!Path.empty())
    Text += "  " + Path;
  return Text.substr(0, Width > 0 ? Width - 1 : 0);
}

void TTerminalProgress::Show(const TScanDriver::TProgress& Progress)
{
  const auto Now = std::chrono::steady_clock::now();
  if (!FEnabled || (FShown && Now - FLast < std::chrono::milliseconds(250)))
    return;
  FLast = Now;
  const double Seconds = std::chrono::duration<double>(Now - FStart).count();
  std::fprintf(FStream, "\r%s\x1b[K", Line(Progress, Seconds, Width()).c_str());
  std::fflush(FStream);
  FShown = true;
}

void TTerminalProgress::Clear()
{
  if (!FShown)
    return;
  std::fputs("\r\x1b[K", FStream);
  std::fflush(FStream);
  FShown = false;
}
