// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// Finds the files of equal content among candidates, in stages that each
// read only what the one before could not tell apart: equal sizes (nothing
// read), then which names are of one file (hard links are one file, never
// a copy), then a hash of the first and last 64 KiB, then a hash of the
// whole content (XXH3-128). Each stage reads each file once, in large
// sequential reads, on the calling thread and helpers, leaving last-access
// times as they were. A file that cannot be read is skipped, one that
// changed or went during the search dropped, each with the reason.
class TDuplicateFinder {
public:
  struct TFile {
    std::string Path;
    uint64_t Size = 0;
    // As the search found it: its last change, which file it is, the names
    // it has here and elsewhere and the space it takes.
    int64_t LastWrite = 0;  // Unix seconds
    int64_t LastWriteNs = 0;
    uint64_t Device = 0;
    uint64_t Inode = 0;
    uint64_t Links = 1;
    uint64_t DiskBytes = 0;
    bool SameFile(const TFile& Other) const { return Device == Other.Device && Inode == Other.Inode; }
  };
  // Files of equal content: every name of each, in byte order; names of
  // one file (the same device and inode) count as one copy.
  struct TGroup {
    uint64_t Size = 0;
    std::vector<TFile> Files;
    uint64_t HashHigh = 0, HashLow = 0;  // of the content
    // The copies: files, not names.
    size_t Copies() const;
    // What all copies but one take: the space freed by keeping one.
    uint64_t Wasted() const { return Size * (Copies() - 1); }
  };
  struct TSkipped {
    std::string Path;
    std::string Reason;
  };
  enum TStage { dsSizes, dsNames, dsEnds, dsContents, dsDone };
  struct TProgress {
    TStage Stage = dsSizes;
    uint64_t Files = 0, FilesTotal = 0;  // of the stage
    uint64_t Bytes = 0, BytesTotal = 0;  // read by the stage, and to read
  };
  // Bytes of each end hashed before the whole content is.
  static constexpr uint64_t EndBytes = 64 * 1024;

  // Candidates of no length are left out.
  explicit TDuplicateFinder(std::vector<TFile> Candidates, unsigned Threads = 2);
  ~TDuplicateFinder();
  TDuplicateFinder(const TDuplicateFinder&) = delete;
  TDuplicateFinder& operator=(const TDuplicateFinder&) = delete;

  // The search; Stop, when set, ends it early with the groups found so far.
  void Run(const std::atomic<bool>* Stop = nullptr);
  // Told each group as it is confirmed, on a thread of the search.
  std::function<void(const TGroup& Group)> OnGroup;
  // Told as each stage starts, on the thread that called Run (a test's hook).
  std::function<void(TStage Stage)> OnStage;

  TProgress Progress() const;
  // The groups, most wasted first (ties by their first path).
  std::vector<TGroup> Groups() const;
  std::vector<TSkipped> Skipped() const;
  // All the bytes the search read.
  uint64_t BytesRead() const { return FBytesRead.load(std::memory_order_relaxed); }

  // Whether File, a name of Group, is still what the search found: the same
  // file, length and last change, with the group's content, read again
  // whole. False with Reason otherwise, before anything is done to a copy.
  static bool StillCopy(const TGroup& Group, const TFile& File, std::string& Reason,
                        const std::atomic<bool>* Stop = nullptr);
  // Whether the name File still names the file the search found, unchanged
  // (nothing read); false with Reason otherwise.
  static bool StillThere(const TFile& File, std::string& Reason);
  // Whether paths A and B are one directory entry reached two ways (a folder
  // mounted twice): removing one removes the other.
  static bool OneEntry(const std::string& A, const std::string& B);

private:
  struct TCandidate;
  using TRun = std::vector<TCandidate*>;

  void Identify(std::vector<TRun>& Runs);
  // Hashes each candidate of the runs (its ends, or all of it), then splits
  // the runs by hash; a run of one is no copy. Confirmed runs are groups.
  void HashRuns(std::vector<TRun>& Runs, bool Whole);
  bool Hash(TCandidate& Candidate, bool Whole);
  void Confirm(const TRun& Run);
  void Skip(TCandidate& Candidate, const std::string& Reason);
  void Enter(TStage Stage, const std::vector<TRun>& Runs, bool Whole);
  bool Stopped() const { return FStop && FStop->load(std::memory_order_relaxed); }

  std::vector<TCandidate> FCandidates;
  const unsigned FThreads;
  const std::atomic<bool>* FStop = nullptr;
  std::atomic<int> FStage{dsSizes};
  std::atomic<uint64_t> FFiles{0}, FFilesTotal{0}, FBytes{0}, FBytesTotal{0}, FBytesRead{0};
  mutable std::mutex FResults;  // guards the two below
  std::vector<TGroup> FGroups;
  std::vector<TSkipped> FSkipped;
};
