// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "scan/NcduObjectReader.h"

#include <rapidjson/reader.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

// What the events of an export mean to its readers (of the whole tree, of
// one folder's entries), which TOwner is: the shape of
// the file (an outer array of version, metadata and the top folder; a
// folder an array of its info and its entries) and the objects' members.
template <typename TOwner>
class TNcduHandler : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TNcduHandler<TOwner>> {
public:
  explicit TNcduHandler(TOwner& Owner) : FOwner(Owner) {}

  bool StartObject() { return Open(true); }
  bool StartArray() { return Open(false); }
  bool EndObject(rapidjson::SizeType) { return Close(); }
  bool EndArray(rapidjson::SizeType) { return Close(); }
  bool Key(const char* Text, rapidjson::SizeType, bool) { return FReader.Skipping(0) || FReader.Key(Text); }
  bool Null() { return FReader.Skipping(0) || (FInObject ? FReader.Null(FOwner.Problem) : Misplaced()); }
  bool Bool(bool Flag) { return FReader.Skipping(0) || (FInObject ? FReader.Flag(Flag, FOwner.Problem) : Misplaced()); }
  bool Int(int Number) { return Signed(Number); }
  bool Int64(int64_t Number) { return Signed(Number); }
  bool Uint(unsigned Number) { return Unsigned(Number); }
  bool Uint64(uint64_t Number) { return Unsigned(Number); }
  bool Double(double Number)
  {
    if (FReader.Skipping(0))
      return true;
    // Whole numbers beyond 64 bits are too large, not fractions: each is
    // told for what it is.
    const bool Whole = Number == std::floor(Number);
    const double Size = std::abs(Number);
    const uint64_t Value = Size >= 18446744073709551615.0 ? UINT64_MAX : uint64_t(Size);
    if (!FInObject)
      return FOwner.Scalar(Value, Whole && Number >= 0);
    return FReader.Number(Value, Number < 0, Whole, FOwner.Problem);
  }
  bool String(const char* Text, rapidjson::SizeType Length, bool)
  {
    return FReader.Skipping(0) || (FInObject ? FReader.Text(Text, Length, FOwner.Problem) : Misplaced());
  }

  TNcduFields FFields;

private:
  bool Signed(int64_t Number)
  {
    if (Number >= 0)
      return Unsigned(uint64_t(Number));
    if (FReader.Skipping(0))
      return true;
    if (!FInObject)
      return FOwner.Scalar(0, false);
    return FReader.Number(uint64_t(-(Number + 1)) + 1, true, true, FOwner.Problem);
  }
  bool Unsigned(uint64_t Number)
  {
    if (FReader.Skipping(0))
      return true;
    return FInObject ? FReader.Number(Number, false, true, FOwner.Problem) : FOwner.Scalar(Number, true);
  }
  bool Misplaced()
  {
    FOwner.Problem = "a value where a folder or an entry was expected";
    return false;
  }
  bool Open(bool Object)
  {
    if (FReader.Skipping(1))
      return true;
    if (FInObject)
      return FReader.Nested(FOwner.Problem);
    if (!Object)
      return FOwner.OpenArray();
    FFields = TNcduFields();
    bool Metadata = false;
    if (!FOwner.OpenObject(Metadata))
      return false;
    FReader.Begin(FFields, Metadata);
    FInObject = true;
    return true;
  }
  bool Close()
  {
    if (FReader.Skipping(-1))
      return true;
    if (FInObject) {
      FInObject = false;
      return FOwner.CloseObject(FFields);
    }
    return FOwner.CloseArray();
  }

  TOwner& FOwner;
  TNcduObjectReader FReader;
  bool FInObject = false;
};
