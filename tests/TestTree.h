// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fcntl.h>
#include <ftw.h>
#include <initializer_list>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

// Removes a folder tree whatever its names; QTemporaryDir cannot name files
// whose names are not valid UTF-8.
inline void RemoveTree(const std::string& Top)
{
  nftw(
    Top.c_str(), [](const char* Path, const struct stat*, int, FTW*) { return remove(Path); }, 64,
    FTW_DEPTH | FTW_PHYS);
}

// A folder tree built for one test in a temporary folder. Paths are relative
// to its top and are bytes, so names need not be valid UTF-8.
class TTestTree {
public:
  TTestTree() { QVERIFY(FDir.isValid()); }
  // With folders and files written "path:size", in that order.
  TTestTree(std::initializer_list<std::string> Entries) : TTestTree()
  {
    for (const std::string& Entry : Entries)
      if (const size_t Colon = Entry.find(':'); Colon == std::string::npos)
        Folder(Entry);
      else
        File(Entry.substr(0, Colon), std::stoll(Entry.substr(Colon + 1)));
  }

  std::string Top() const { return FDir.path().toStdString(); }
  std::string Path(const std::string& Relative) const { return Top() + "/" + Relative; }

  void Folder(const std::string& Relative) const
  {
    QVERIFY2(mkdir(Path(Relative).c_str(), 0755) == 0, Relative.c_str());
  }

  // A file of the given apparent size (sparse, so huge files cost nothing),
  // with the given access and write times in seconds since 1970 when set.
  // A file of Size bytes, all of them on disk.
  void File(const std::string& Relative, off_t Size, time_t Access = 0, time_t Write = 0) const
  {
    MakeFile(Relative, Size, Access, Write, false);
  }
  // A file of Size bytes with no data on disk: one hole.
  void Sparse(const std::string& Relative, off_t Size) const { MakeFile(Relative, Size, 0, 0, true); }

  void MakeFile(const std::string& Relative, off_t Size, time_t Access, time_t Write, bool Hole) const
  {
    const int Fd = open(Path(Relative).c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    QVERIFY2(Fd >= 0, Relative.c_str());
    QVERIFY(Hole || Size == 0 ? ftruncate(Fd, Size) == 0 : posix_fallocate(Fd, 0, Size) == 0);
    if (Access || Write) {
      const timespec Times[2] = {{Access, 0}, {Write, 0}};
      QVERIFY(futimens(Fd, Times) == 0);
    }
    close(Fd);
  }

  void Link(const std::string& Relative, const std::string& Target) const
  {
    QVERIFY2(symlink(Target.c_str(), Path(Relative).c_str()) == 0, Relative.c_str());
  }

  // A chain of Depth nested folders below Relative, with an empty file Leaf
  // in the last one when given, made and later removed relative to
  // descriptors, since its paths are far beyond PATH_MAX.
  void DeepChain(const std::string& Relative, int Depth, const std::string& Name, const std::string& Leaf = {}) const
  {
    int Fd = open(Path(Relative).c_str(), O_RDONLY | O_DIRECTORY);
    for (int Level = 0; Level < Depth && Fd >= 0; ++Level) {
      QVERIFY(mkdirat(Fd, Name.c_str(), 0755) == 0);
      const int Next = openat(Fd, Name.c_str(), O_RDONLY | O_DIRECTORY);
      close(Fd);
      Fd = Next;
    }
    QVERIFY(Fd >= 0);
    FChains.push_back({Path(Relative), Depth, Name, Leaf});
    if (!Leaf.empty())
      close(openat(Fd, Leaf.c_str(), O_CREAT | O_WRONLY, 0644));
    close(Fd);
  }

  ~TTestTree()
  {
    // Down the chain, then up by "..": two descriptors at a time, however deep.
    for (const TChain& Chain : FChains) {
      int Fd = open(Chain.Top.c_str(), O_RDONLY | O_DIRECTORY), Reached = 0;
      for (; Reached < Chain.Depth && Fd >= 0; ++Reached) {
        const int Next = openat(Fd, Chain.Name.c_str(), O_RDONLY | O_DIRECTORY);
        if (Next < 0)
          break;
        close(Fd);
        Fd = Next;
      }
      if (Fd >= 0 && !Chain.Leaf.empty())
        unlinkat(Fd, Chain.Leaf.c_str(), 0);
      for (; Reached > 0 && Fd >= 0; --Reached) {
        const int Up = openat(Fd, "..", O_RDONLY | O_DIRECTORY);
        close(Fd);
        Fd = Up;
        if (Fd >= 0)
          unlinkat(Fd, Chain.Name.c_str(), AT_REMOVEDIR);
      }
      if (Fd >= 0)
        close(Fd);
    }
    RemoveTree(Top());
  }

private:
  struct TChain {
    std::string Top;
    int Depth;
    std::string Name;
    std::string Leaf;
  };
  QTemporaryDir FDir;
  mutable std::vector<TChain> FChains;
};
