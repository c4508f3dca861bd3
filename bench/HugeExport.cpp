// SPDX-License-Identifier: GPL-3.0-or-later
// Writes to standard output an export in ncdu's JSON format of a tree that
// exists nowhere: FILES files (100,000,000 by default) in FOLDERS folders
// (6,000,000), of the shape a large file server has: folders a few levels
// deep with a dozen sub-folders at most, files from none to hundreds a
// folder, sizes from bytes to hundreds of megabytes. The same numbers give
// the same tree. For the import's memory at a size no test disk holds:
//   bench_huge [FILES [FOLDERS]] | spacelens --nogui --import -
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class TGenerator {
public:
  TGenerator(uint64_t Files, uint64_t Folders) : FFilesLeft(Files), FFoldersLeft(Folders) { FOut.reserve(1 << 21); }

  void Run()
  {
    Put("[1,2,{\"progname\":\"bench_huge\",\"progver\":\"1\",\"timestamp\":1700000000},\n");
    --FFoldersLeft;
    Folder("/huge", FFoldersLeft);
    Put("]\n");
    Flush();
  }

private:
  uint64_t Random()
  {
    uint64_t Z = (FState += 0x9E3779B97F4A7C15ull);
    Z = (Z ^ (Z >> 30)) * 0xBF58476D1CE4E5B9ull;
    Z = (Z ^ (Z >> 27)) * 0x94D049BB133111EBull;
    return Z ^ (Z >> 31);
  }
  double Uniform() { return double(Random() >> 11) / double(1ull << 53); }

  // A folder and the Below folders under it, depth first.
  void Folder(const char* Name, uint64_t Below)
  {
    Put("[{\"name\":\"");
    Put(Name);
    Put("\"}");
    // Files spread over the folders still to come, around their mean.
    const uint64_t Folders = FFoldersLeft + 1;
    const double Mean = double(FFilesLeft) / double(Folders);
    uint64_t Files = Folders == 1 ? FFilesLeft : uint64_t(-std::log(1 - Uniform()) * Mean);
    if (Files > FFilesLeft)
      Files = FFilesLeft;
    FFilesLeft -= Files;
    for (uint64_t File = 0; File < Files; ++File)
      this->File();
    // The folders below shared among a dozen sub-folders at most.
    if (Below > 0) {
      const uint64_t Count = Below < 12 ? Below : 1 + Random() % 12;
      std::vector<double> Weights(Count);
      double Sum = 0;
      for (double& Weight : Weights)
        Sum += (Weight = 0.1 + Uniform());
      uint64_t Left = Below - Count;
      for (uint64_t Child = 0; Child < Count; ++Child) {
        const uint64_t Share =
          Child + 1 == Count ? Left : std::min<uint64_t>(Left, uint64_t(double(Below - Count) * Weights[Child] / Sum));
        Left -= Share;
        --FFoldersLeft;
        Put(",\n");
        char Sub[48];
        std::snprintf(Sub, sizeof Sub, "d%llu-%llu", (unsigned long long)Child, (unsigned long long)(Random() % 1000));
        Folder(Sub, Share);
      }
    }
    Put("]");
  }

  void File()
  {
    static const char* const Extensions[] = {"jpg", "txt", "pdf", "log", "mp4", "so",
                                             "c",   "h",   "png", "gz",  "",    "json"};
    // Sizes spread evenly in their order of magnitude, up to 256 MB.
    const uint64_t Size = uint64_t(std::exp(Uniform() * std::log(256.0 * 1048576)));
    Put(",\n{\"name\":\"f");
    Number(++FNumber);
    const char* Extension = Extensions[Random() % (sizeof Extensions / sizeof *Extensions)];
    if (*Extension) {
      Put(".");
      Put(Extension);
    }
    Put("\",\"asize\":");
    Number(Size);
    Put(",\"dsize\":");
    Number((Size + 4095) / 4096 * 4096);
    Put("}");
  }

  void Put(const char* Text)
  {
    FOut += Text;
    if (FOut.size() >= (1 << 20))
      Flush();
  }
  void Number(uint64_t Value)
  {
    char Digits[24];
    int At = sizeof Digits;
    do
      Digits[--At] = char('0' + Value % 10);
    while (Value /= 10);
    FOut.append(Digits + At, sizeof Digits - size_t(At));
  }
  void Flush()
  {
    if (std::fwrite(FOut.data(), 1, FOut.size(), stdout) != FOut.size())
      std::exit(1);  // the reader went
    FOut.clear();
  }

  uint64_t FFilesLeft, FFoldersLeft, FNumber = 0, FState = 1;
  std::string FOut;
};

}  // namespace

int main(int argc, char** argv)
{
  const uint64_t Files = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000000;
  const uint64_t Folders = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 6000000;
  if (Folders == 0) {
    std::fprintf(stderr, "usage: bench_huge [FILES [FOLDERS]]\n");
    return 2;
  }
  TGenerator(Files, Folders).Run();
  return 0;
}
