// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/NcduFields.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

// Reads the members of one object into TNcduFields, skipping what it does not
// know, nested values too. Events of other values are the owner's.
class TNcduObjectReader {
public:
  enum TKey {
    kNone,
    kName,
    kSize,
    kDiskBytes,
    kDevice,
    kInode,
    kLinks,
    kLinkFlag,
    kReadError,
    kNotRegular,
    kExcluded,
    kWriteTime,
    kClusterSize,
    kSkip
  };

  void Begin(TNcduFields& Fields, bool Metadata)
  {
    FFields = &Fields;
    FMetadata = Metadata;
    FKey = kNone;
    FSkipDepth = 0;
  }
  // Whether the event belongs to a value being skipped (then it is taken).
  bool Skipping(int Depth)
  {
    if (FSkipDepth == 0 && FKey != kSkip)
      return false;
    if (FKey == kSkip && FSkipDepth == 0 && Depth == 0) {
      FKey = kNone;  // a skipped scalar
      return true;
    }
    FSkipDepth += Depth;
    if (FSkipDepth == 0)
      FKey = kNone;
    return true;
  }
  bool Key(const char* Text)
  {
    static const std::pair<const char*, TKey> Keys[] = {
      {"name", kName},         {"asize", kSize},
      {"dsize", kDiskBytes},   {"dev", kDevice},
      {"ino", kInode},         {"nlink", kLinks},
      {"hlnkc", kLinkFlag},    {"read_error", kReadError},
      {"notreg", kNotRegular}, {"excluded", kExcluded},
      {"mtime", kWriteTime},   {"spacelens_cluster_size", kClusterSize}};
    FKey = kSkip;
    for (const auto& [Name, Key] : Keys)
      if (std::strcmp(Text, Name) == 0 && (Key == kClusterSize) == FMetadata)
        FKey = Key;
    return true;
  }
  // A value for the current key; false with Problem set when it is wrong.
  bool Number(uint64_t Value, bool Negative, bool Whole, std::string& Problem)
  {
    const TKey Key = std::exchange(FKey, kNone);
    if (Key == kWriteTime) {
      FFields->WriteTime =
        Negative ? -int64_t(std::min(Value, NcduLargestSize)) : int64_t(std::min(Value, NcduLargestSize));
      FFields->HasWriteTime = true;
      return true;
    }
    if (Key != kSize && Key != kDiskBytes && Key != kDevice && Key != kInode && Key != kLinks && Key != kClusterSize)
      return Wrong(Key, Problem);
    if (Negative || !Whole) {
      Problem = std::string("\"") + Name(Key) + "\" is not a whole number of 0 or more";
      return false;
    }
    if ((Key == kSize || Key == kDiskBytes) && Value > NcduLargestSize) {
      Problem = std::string("\"") + Name(Key) + "\" is larger than any file can be";
      return false;
    }
    switch (Key) {
      case kSize: FFields->Size = Value; break;
      case kDiskBytes: FFields->DiskBytes = Value; break;
      case kDevice: FFields->Device = Value, FFields->HasDevice = true; break;
      case kInode: FFields->Inode = Value, FFields->HasInode = true; break;
      case kLinks: FFields->Links = Value; break;
      default: FFields->Size = Value; break;  // the cluster size of the metadata
    }
    return true;
  }
  bool Flag(bool Value, std::string& Problem)
  {
    const TKey Key = std::exchange(FKey, kNone);
    switch (Key) {
      case kLinkFlag: FFields->LinkFlag = Value; return true;
      case kReadError: FFields->ReadError = Value; return true;
      case kNotRegular: FFields->NotRegular = Value; return true;
      default: return Wrong(Key, Problem);
    }
  }
  bool Text(const char* Value, size_t Length, std::string& Problem)
  {
    const TKey Key = std::exchange(FKey, kNone);
    if (Key == kName) {
      // Longer than any file system's path: no name of a real scan.
      if (Length > MaxName) {
        Problem = "a name of " + std::to_string(Length) + " bytes is longer than any file system allows";
        return false;
      }
      FFields->Name.assign(Value, Length);
      FFields->HasName = true;
    } else if (Key == kExcluded) {
      FFields->Excluded.assign(Value, Length);
      FFields->HasExcluded = true;
    } else {
      return Wrong(Key, Problem);
    }
    return true;
  }
  bool Null(std::string& Problem) { return Wrong(std::exchange(FKey, kNone), Problem); }
  static constexpr size_t MaxName = 4096;
  // An array or object as a known member's value.
  bool Nested(std::string& Problem) { return Wrong(std::exchange(FKey, kNone), Problem); }

private:
  static const char* Name(TKey Key)
  {
    static const char* Names[] = {"",
                                  "name",
                                  "asize",
                                  "dsize",
                                  "dev",
                                  "ino",
                                  "nlink",
                                  "hlnkc",
                                  "read_error",
                                  "notreg",
                                  "excluded",
                                  "mtime",
                                  "spacelens_cluster_size",
                                  ""};
    return Names[Key];
  }
  static bool Wrong(TKey Key, std::string& Problem)
  {
    Problem = Key == kNone ? "a value where a member was expected"
                           : std::string("\"") + Name(Key) + "\" has a value of the wrong kind";
    return false;
  }

  TNcduFields* FFields = nullptr;
  bool FMetadata = false;
  TKey FKey = kNone;
  int FSkipDepth = 0;
};
