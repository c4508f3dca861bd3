// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/FileClass.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using TKind = TFileClass::TKind;

// Extensions by class, lower case, none longer than eight letters.
constexpr std::pair<TKind, std::string_view> Groups[] = {
  {TFileClass::fcImage,
   "jpg jpeg jpe jfif png gif bmp tif tiff webp avif heic heif jxl jp2 svg svgz ico icns xpm xbm ppm pgm pbm pnm "
   "tga psd xcf kra ora exr hdr raw cr2 cr3 nef arw dng orf rw2 pef raf srw eps"},
  {TFileClass::fcVideo,
   "mp4 m4v mkv webm avi mov qt wmv flv f4v mpg mpeg mpe m2v m2ts mts vob ogv 3gp 3g2 divx rm rmvb asf"},
  {TFileClass::fcAudio,
   "mp3 flac ogg oga opus wav wave aac m4a m4b wma aif aiff aifc ape wv mka mid midi amr ac3 dts au snd mpc "
   "dsf dff caf"},
  {TFileClass::fcArchive,
   "zip tar gz tgz bz2 tbz tbz2 xz txz zst tzst lz lzma tlz lz4 lzo z 7z rar cab arj lzh lha cpio iso img dmg "
   "deb rpm apk jar war ear whl gem snap xpi squashfs zpaq sz tar.gz tar.bz2 tar.xz tar.zst tar.lz tar.lzma tar.lz4 "
   "tar.z"},
  {TFileClass::fcDocument,
   "pdf ps djvu epub mobi azw3 doc docx dot dotx odt ott rtf txt text md markdown rst adoc org tex bib log nfo "
   "xls xlsx xlsm ods csv tsv ppt pptx odp odg odf pages numbers fodt abw"},
  {TFileClass::fcCode,
   "c h cc cpp cxx c++ hpp hh hxx h++ ipp inl tcc m mm py pyi pyx pl pm rb php java kt kts scala groovy gradle "
   "go rs swift cs fs fsx vb js mjs cjs ts tsx jsx vue svelte css scss sass less html htm xhtml xml xsl xslt "
   "json jsonc yaml yml toml ini cfg conf sh bash zsh fish ps1 bat cmd lua r jl dart hs ml mli ex exs erl hrl "
   "clj cljs el lisp scm rkt vim sql proto cmake mk make ninja ipynb tcl awk sed patch diff asm s f f90 f95 d "
   "nim zig sv vhd vhdl qml ui qrc pro pri tf nix cu glsl hlsl"},
  {TFileClass::fcBinary,
   "so a la lib dll exe o obj ko bin elf pyc pyo class dex wasm dylib rlib appimage msi sys efi node"},
};

constexpr size_t ExtensionCount()
{
  size_t Count = 0;
  for (const auto& [Kind, Names] : Groups)
    Count += std::count(Names.begin(), Names.end(), ' ') + 1;
  return Count;
}

// Up to eight letters, one byte each, in a number: a lookup compares
// numbers, not strings.
constexpr uint64_t Pack(std::string_view Extension)
{
  uint64_t Key = 0;
  for (char Letter : Extension)
    Key = Key << 8 | uint8_t(Letter >= 'A' && Letter <= 'Z' ? Letter - 'A' + 'a' : Letter);
  return Key;
}

constexpr auto Table = [] {
  std::array<std::pair<uint64_t, TKind>, ExtensionCount()> Table{};
  size_t Next = 0;
  for (const auto& [Kind, Names] : Groups) {
    for (size_t Start = 0; Start <= Names.size();) {
      const size_t End = std::min(Names.find(' ', Start), Names.size());
      if (End - Start > 8)
        throw "an extension too long for its key";
      Table[Next++] = {Pack(Names.substr(Start, End - Start)), Kind};
      Start = End + 1;
    }
  }
  std::sort(Table.begin(), Table.end());
  return Table;
}();

static_assert(std::adjacent_find(Table.begin(), Table.end(),
                                 [](const auto& A, const auto& B) { return A.first == B.first; })
                == Table.end(),
              "an extension in two classes");

TKind Lookup(std::string_view Extension)
{
  if (Extension.empty() || Extension.size() > 8)
    return TFileClass::fcOther;
  const uint64_t Key = Pack(Extension);
  const auto Found = std::lower_bound(Table.begin(), Table.end(), std::pair(Key, TKind(0)));
  return Found != Table.end() && Found->first == Key ? Found->second : TFileClass::fcOther;
}

const QRgb Colors[TFileClass::Count] = {
  0xFFFFAABB,  // pink
  0xFFEE8866,  // orange
  0xFFEEDD88,  // light yellow
  0xFFAAAA00,  // olive
  0xFF77AADD,  // light blue
  0xFF44BB99,  // mint
  0xFF99DDFF,  // light cyan
  0xFFBBAADD,  // lavender: the palette's pear is too near its olive
  0xFFDDDDDD,  // pale grey
};

const char* const Names[TFileClass::Count] = {
  QT_TRANSLATE_NOOP("TFileClass", "Images"),
  QT_TRANSLATE_NOOP("TFileClass", "Video"),
  QT_TRANSLATE_NOOP("TFileClass", "Audio"),
  QT_TRANSLATE_NOOP("TFileClass", "Archives"),
  QT_TRANSLATE_NOOP("TFileClass", "Documents"),
  QT_TRANSLATE_NOOP("TFileClass", "Code"),
  QT_TRANSLATE_NOOP("TFileClass", "Programs and libraries"),
  QT_TRANSLATE_NOOP("TFileClass", "Other"),
  QT_TRANSLATE_NOOP("TFileClass", "Small items"),
};

// The extension of a name as it stands in the name (see Extension).
std::string_view ExtensionOf(std::string_view FileName)
{
  size_t End = FileName.size();
  while (End > 0) {
    const size_t Dot = FileName.rfind('.', End - 1);
    // Only dots before it: a hidden name (".bashrc", "..double").
    if (Dot == std::string_view::npos || FileName.find_first_not_of('.') > Dot)
      return {};
    const std::string_view Extension = FileName.substr(Dot + 1, End - Dot - 1);
    const bool Number = std::all_of(Extension.begin(), Extension.end(), [](char C) { return C >= '0' && C <= '9'; });
    if (Extension.empty() || !Number) {
      const size_t Before = Dot > 0 ? FileName.rfind('.', Dot - 1) : std::string_view::npos;
      if (Before != std::string_view::npos && Before > 0) {
        const std::string_view Double = FileName.substr(Before + 1, End - Before - 1);
        if (Lookup(Double) != TFileClass::fcOther)
          return Double;
      }
      return Extension;
    }
    End = Dot;
  }
  return {};
}

}  // namespace

TFileClass::TKind TFileClass::Of(std::string_view FileName, bool Executable)
{
  return OfExtension(ExtensionOf(FileName), Executable);
}

TFileClass::TKind TFileClass::OfExtension(std::string_view Extension, bool Executable)
{
  const TKind Kind = Lookup(Extension);
  return Kind == fcOther && Executable ? fcBinary : Kind;
}

std::string_view TFileClass::ExtensionIn(std::string_view FileName, bool Executable)
{
  const std::string_view Extension = ExtensionOf(FileName);
  // "vim.basic", "ld.gold": a program's name tells its variant, not a type.
  return Executable && Lookup(Extension) == fcOther ? std::string_view() : Extension;
}

std::string TFileClass::Extension(std::string_view FileName, bool Executable)
{
  std::string Extension(ExtensionIn(FileName, Executable));
  for (char& Letter : Extension)
    if (Letter >= 'A' && Letter <= 'Z')
      Letter = char(Letter - 'A' + 'a');
  return Extension;
}

std::string_view TFileClass::Extensions(int Kind)
{
  for (const auto& [Class, Names] : Groups)
    if (Class == Kind)
      return Names;
  return {};
}

QRgb TFileClass::Color(int Kind)
{
  return Colors[unsigned(Kind) < Count ? Kind : fcOther];
}

const char* TFileClass::Word(int Kind)
{
  static const char* const Words[] = {"image", "video", "audio", "archive", "document", "code", "program", "other"};
  return unsigned(Kind) < std::size(Words) ? Words[Kind] : nullptr;
}

QString TFileClass::Name(int Kind)
{
  return tr(Names[unsigned(Kind) < Count ? Kind : fcOther]);
}
