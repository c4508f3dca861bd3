// SPDX-License-Identifier: GPL-3.0-or-later
#include "duplicates/DuplicateFinder.h"

#include "fs/UntouchedRead.h"

#include <xxhash.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <thread>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Large enough that reading costs no more than the copy it makes.
constexpr size_t ReadBytes = 1 << 20;

bool operator<(const XXH128_hash_t& A, const XXH128_hash_t& B)
{
  return std::tie(A.high64, A.low64) < std::tie(B.high64, B.low64);
}

bool operator==(const XXH128_hash_t& A, const XXH128_hash_t& B)
{
  return XXH128_isEqual(A, B);
}

// Whether the open file of Status is still File as the search found it.
bool Same(const struct stat& Status, const TDuplicateFinder::TFile& File)
{
  return S_ISREG(Status.st_mode) && uint64_t(Status.st_dev) == File.Device && uint64_t(Status.st_ino) == File.Inode
    && uint64_t(Status.st_size) == File.Size && Status.st_mtim.tv_sec == File.LastWrite
    && Status.st_mtim.tv_nsec == File.LastWriteNs;
}

// Why the file read at Path, as open on Fd, is not what was read any more:
// written to while read, deleted, or its name given to another file.
// Empty when it still is.
std::string Changed(int Fd, const std::string& Path, const TDuplicateFinder::TFile& File)
{
  struct stat Status, Named;
  if (fstat(Fd, &Status) != 0 || !Same(Status, File))
    return "changed during the search";
  if (Status.st_nlink == 0 || lstat(Path.c_str(), &Named) != 0 || Named.st_dev != Status.st_dev
      || Named.st_ino != Status.st_ino)
    return "deleted or replaced during the search";
  return {};
}

// Hashes the first Size bytes of the file open on Fd, only its first and
// last EndBytes when Ends; false with Why when a read failed, the file got
// shorter or Stop was set. Read grows by the bytes read, as they are.
bool HashContent(int Fd, uint64_t Size, bool Ends, XXH128_hash_t& Hash, const std::atomic<bool>* Stop,
                 const std::function<void(uint64_t)>& Read, std::string& Why)
{
  thread_local std::unique_ptr<char[]> Buffer(new char[ReadBytes]);
  posix_fadvise(Fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  const std::unique_ptr<XXH3_state_t, XXH_errorcode (*)(XXH3_state_t*)> State(XXH3_createState(), XXH3_freeState);
  XXH3_128bits_reset(State.get());
  const uint64_t End = TDuplicateFinder::EndBytes;
  const std::pair<uint64_t, uint64_t> Spans[2] = {{0, Ends ? End : Size}, {Size - End, Ends ? Size : 0}};
  for (const auto& [From, To] : Spans)
    for (uint64_t At = From; At < To;) {
      if (Stop && Stop->load(std::memory_order_relaxed)) {
        Why = "stopped";
        return false;
      }
      const ssize_t Got = pread(Fd, Buffer.get(), size_t(std::min<uint64_t>(ReadBytes, To - At)), off_t(At));
      if (Got < 0 && errno == EINTR)
        continue;
      if (Got <= 0) {
        Why = Got < 0 ? std::strerror(errno) : "changed during the search";
        return false;
      }
      XXH3_128bits_update(State.get(), Buffer.get(), size_t(Got));
      At += uint64_t(Got);
      Read(uint64_t(Got));
    }
  Hash = XXH3_128bits_digest(State.get());
  return true;
}

}  // namespace

struct TDuplicateFinder::TCandidate {
  TFile File;  // as first opened: it must stay so to the end
  XXH128_hash_t Hash{};
  bool Alive = true;
  std::vector<TFile> OtherNames{};  // of the same file, found among the candidates
};

size_t TDuplicateFinder::TGroup::Copies() const
{
  size_t Count = 0;
  for (size_t At = 0; At < Files.size(); ++At)
    Count += std::none_of(Files.begin(), Files.begin() + std::ptrdiff_t(At),
                          [&](const TFile& Before) { return Before.SameFile(Files[At]); });
  return Count;
}

TDuplicateFinder::TDuplicateFinder(std::vector<TFile> Candidates, unsigned Threads) : FThreads(std::max(1u, Threads))
{
  FCandidates.reserve(Candidates.size());
  for (TFile& File : Candidates)
    if (File.Size > 0)
      FCandidates.push_back({std::move(File)});
}

TDuplicateFinder::~TDuplicateFinder() = default;

void TDuplicateFinder::Run(const std::atomic<bool>* Stop)
{
  FStop = Stop;
  // Equal sizes, with nothing read.
  std::sort(FCandidates.begin(), FCandidates.end(), [](const TCandidate& A, const TCandidate& B) {
    return A.File.Size != B.File.Size ? A.File.Size < B.File.Size : A.File.Path < B.File.Path;
  });
  std::vector<TRun> Runs;
  for (size_t First = 0, Next; First < FCandidates.size(); First = Next) {
    for (Next = First + 1; Next < FCandidates.size() && FCandidates[Next].File.Size == FCandidates[First].File.Size;)
      ++Next;
    if (Next - First > 1) {
      Runs.emplace_back();
      for (size_t At = First; At < Next; ++At)
        Runs.back().push_back(&FCandidates[At]);
    }
  }
  Enter(dsNames, Runs, false);
  Identify(Runs);
  Enter(dsEnds, Runs, false);
  HashRuns(Runs, false);
  // The largest first: their groups free the most.
  std::sort(Runs.begin(), Runs.end(), [](const TRun& A, const TRun& B) {
    return A.front()->File.Size * (A.size() - 1) > B.front()->File.Size * (B.size() - 1);
  });
  Enter(dsContents, Runs, true);
  HashRuns(Runs, true);
  FStage = dsDone;
}

void TDuplicateFinder::Enter(TStage Stage, const std::vector<TRun>& Runs, bool Whole)
{
  uint64_t Files = 0, Bytes = 0;
  for (const TRun& Run : Runs)
    for (const TCandidate* Candidate : Run) {
      ++Files;
      const uint64_t Size = Candidate->File.Size;
      Bytes += Stage == dsNames ? 0 : Whole || Size <= 2 * EndBytes ? Size : 2 * EndBytes;
    }
  FFiles = 0;
  FBytes = 0;
  FFilesTotal = Files;
  FBytesTotal = Bytes;
  FStage = Stage;
  if (OnStage)
    OnStage(Stage);
}

void TDuplicateFinder::Identify(std::vector<TRun>& Runs)
{
  std::vector<TRun> Kept;
  for (TRun& Run : Runs) {
    for (TCandidate* Candidate : Run) {
      if (Stopped())
        return;
      const TUntouchedRead File(Candidate->File.Path);
      const struct stat& Status = File.Opened();
      if (File.Fd() < 0) {
        Skip(*Candidate, std::strerror(-File.Fd()));
      } else if (!S_ISREG(Status.st_mode) || uint64_t(Status.st_size) != Candidate->File.Size) {
        Skip(*Candidate, "changed since it was counted");
      } else {
        TFile& Found = Candidate->File;
        Found.Device = Status.st_dev;
        Found.Inode = Status.st_ino;
        Found.LastWrite = Status.st_mtim.tv_sec;
        Found.LastWriteNs = Status.st_mtim.tv_nsec;
        Found.Links = Status.st_nlink;
        Found.DiskBytes = uint64_t(Status.st_blocks) * 512;
      }
      ++FFiles;
    }
    // Names of one file are one candidate, the first of them in byte
    // order, which keeps the others to show them.
    std::erase_if(Run, [](const TCandidate* Candidate) { return !Candidate->Alive; });
    std::stable_sort(Run.begin(), Run.end(), [](const TCandidate* A, const TCandidate* B) {
      return std::tie(A->File.Device, A->File.Inode) < std::tie(B->File.Device, B->File.Inode);
    });
    TRun Files;
    for (TCandidate* Candidate : Run)
      if (!Files.empty() && Files.back()->File.SameFile(Candidate->File))
        Files.back()->OtherNames.push_back(Candidate->File);
      else
        Files.push_back(Candidate);
    if (Files.size() > 1)
      Kept.push_back(std::move(Files));
  }
  Runs = std::move(Kept);
}

void TDuplicateFinder::HashRuns(std::vector<TRun>& Runs, bool Whole)
{
  // Every file of every run, a run's files together; the thread that hashes
  // a run's last file splits the run.
  std::vector<std::pair<size_t, TCandidate*>> Work;
  for (size_t Run = 0; Run < Runs.size(); ++Run)
    for (TCandidate* Candidate : Runs[Run])
      Work.emplace_back(Run, Candidate);
  const auto Left = std::make_unique<std::atomic<size_t>[]>(Runs.size());
  for (size_t Run = 0; Run < Runs.size(); ++Run)
    Left[Run] = Runs[Run].size();
  std::vector<TRun> Next;
  std::mutex NextGuard;
  std::atomic<size_t> Taken{0};
  const auto Split = [&](TRun& Run) {
    std::erase_if(Run, [](const TCandidate* Candidate) { return !Candidate->Alive; });
    std::stable_sort(Run.begin(), Run.end(),
                     [](const TCandidate* A, const TCandidate* B) { return A->Hash < B->Hash; });
    for (size_t First = 0, End; First < Run.size(); First = End) {
      for (End = First + 1; End < Run.size() && Run[End]->Hash == Run[First]->Hash;)
        ++End;
      if (End - First < 2)
        continue;
      TRun Same(Run.begin() + std::ptrdiff_t(First), Run.begin() + std::ptrdiff_t(End));
      // The ends of a short file are all of it.
      if (Whole || Same.front()->File.Size <= 2 * EndBytes) {
        Confirm(Same);
      } else {
        const std::lock_guard Lock(NextGuard);
        Next.push_back(std::move(Same));
      }
    }
  };
  const auto Work1 = [&] {
    for (size_t At; (At = Taken++) < Work.size() && !Stopped();) {
      Hash(*Work[At].second, Whole);
      if (--Left[Work[At].first] == 0 && !Stopped())
        Split(Runs[Work[At].first]);
    }
  };
  std::vector<std::thread> Helpers;
  for (unsigned Helper = 1; Helper < FThreads && Helper < Work.size(); ++Helper)
    Helpers.emplace_back(Work1);
  Work1();
  for (std::thread& Helper : Helpers)
    Helper.join();
  Runs = std::move(Next);
}

bool TDuplicateFinder::Hash(TCandidate& Candidate, bool Whole)
{
  const TUntouchedRead File(Candidate.File.Path);
  if (File.Fd() < 0) {
    Skip(Candidate, std::strerror(-File.Fd()));
    return false;
  }
  if (!Same(File.Opened(), Candidate.File)) {
    Skip(Candidate, "changed during the search");
    return false;
  }
  std::string Why;
  const bool Ends = !Whole && Candidate.File.Size > 2 * EndBytes;
  const auto Read = [this](uint64_t Bytes) {
    FBytes += Bytes;
    FBytesRead += Bytes;
  };
  if (!HashContent(File.Fd(), Candidate.File.Size, Ends, Candidate.Hash, FStop, Read, Why)) {
    if (!Stopped())
      Skip(Candidate, Why);
    return false;
  }
  // Written to while read, or deleted: what was read is of no one file
  // that stays; a copy of it is no copy.
  if (Why = Changed(File.Fd(), Candidate.File.Path, Candidate.File); !Why.empty()) {
    Skip(Candidate, Why);
    return false;
  }
  ++FFiles;
  return true;
}

bool TDuplicateFinder::StillCopy(const TGroup& Group, const TFile& File, std::string& Reason,
                                 const std::atomic<bool>* Stop)
{
  const TUntouchedRead Read(File.Path);
  if (Read.Fd() < 0) {
    Reason = std::strerror(-Read.Fd());
    return false;
  }
  if (!Same(Read.Opened(), File)) {
    Reason = "changed since the search";
    return false;
  }
  XXH128_hash_t Hash;
  if (!HashContent(
        Read.Fd(), File.Size, false, Hash, Stop, [](uint64_t) {}, Reason))
    return false;
  if (Reason = Changed(Read.Fd(), File.Path, File); !Reason.empty())
    return false;
  if (Hash.high64 != Group.HashHigh || Hash.low64 != Group.HashLow) {
    Reason = "its content changed since the search";
    return false;
  }
  return true;
}

bool TDuplicateFinder::StillThere(const TFile& File, std::string& Reason)
{
  struct stat Status;
  if (lstat(File.Path.c_str(), &Status) != 0) {
    Reason = std::strerror(errno);
    return false;
  }
  if (!Same(Status, File)) {
    Reason = "changed since the search";
    return false;
  }
  return true;
}

bool TDuplicateFinder::OneEntry(const std::string& A, const std::string& B)
{
  const size_t SlashA = A.rfind('/'), SlashB = B.rfind('/');
  if (SlashA == std::string::npos || SlashB == std::string::npos || A.substr(SlashA) != B.substr(SlashB))
    return false;
  struct stat FolderA, FolderB;
  return stat(SlashA == 0 ? "/" : A.substr(0, SlashA).c_str(), &FolderA) == 0
    && stat(SlashB == 0 ? "/" : B.substr(0, SlashB).c_str(), &FolderB) == 0 && FolderA.st_dev == FolderB.st_dev
    && FolderA.st_ino == FolderB.st_ino;
}

void TDuplicateFinder::Confirm(const TRun& Run)
{
  TGroup Group;
  Group.Size = Run.front()->File.Size;
  Group.HashHigh = Run.front()->Hash.high64;
  Group.HashLow = Run.front()->Hash.low64;
  for (const TCandidate* Candidate : Run) {
    Group.Files.push_back(Candidate->File);
    Group.Files.insert(Group.Files.end(), Candidate->OtherNames.begin(), Candidate->OtherNames.end());
  }
  std::sort(Group.Files.begin(), Group.Files.end(), [](const TFile& A, const TFile& B) { return A.Path < B.Path; });
  const std::lock_guard Lock(FResults);
  FGroups.push_back(Group);
  if (OnGroup)
    OnGroup(FGroups.back());
}

void TDuplicateFinder::Skip(TCandidate& Candidate, const std::string& Reason)
{
  Candidate.Alive = false;
  const std::lock_guard Lock(FResults);
  FSkipped.push_back({Candidate.File.Path, Reason});
}

TDuplicateFinder::TProgress TDuplicateFinder::Progress() const
{
  return {TStage(FStage.load()), FFiles.load(), FFilesTotal.load(), FBytes.load(), FBytesTotal.load()};
}

std::vector<TDuplicateFinder::TGroup> TDuplicateFinder::Groups() const
{
  std::vector<TGroup> Groups;
  {
    const std::lock_guard Lock(FResults);
    Groups = FGroups;
  }
  std::sort(Groups.begin(), Groups.end(), [](const TGroup& A, const TGroup& B) {
    return A.Wasted() != B.Wasted() ? A.Wasted() > B.Wasted() : A.Files.front().Path < B.Files.front().Path;
  });
  return Groups;
}

std::vector<TDuplicateFinder::TSkipped> TDuplicateFinder::Skipped() const
{
  const std::lock_guard Lock(FResults);
  return FSkipped;
}
