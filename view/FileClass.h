// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QRgb>
#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

// The kinds of file the treemap colours apart and the files view sorts by,
// told by the extensions of their names, with their colours and their names
// for the legend.
class TFileClass {
  Q_DECLARE_TR_FUNCTIONS(TFileClass)

public:
  enum TKind : uint8_t {
    fcImage,
    fcVideo,
    fcAudio,
    fcArchive,
    fcDocument,
    fcCode,
    fcBinary,  // programs and libraries
    fcOther,
    fcFolder,  // not a file's: folders too small to open, entries too small to show
  };
  static constexpr int Count = fcFolder + 1;

  // The class of a file by its name (UTF-8), the extension's letters in
  // either case. Numbers after the extension are versions or pieces of a
  // split archive, so "libfoo.so.1.2" is a library; a name with no
  // extension, or only a leading dot, is fcOther. A name that says nothing
  // known of an Executable file makes it a program (fcBinary), as most
  // programs on Linux have no extension: their mode tells what their name
  // does not, at no cost, where their contents would cost a read each.
  static TKind Of(std::string_view FileName, bool Executable);
  // The same, from the extension ExtensionIn gave, for one who has it.
  static TKind OfExtension(std::string_view Extension, bool Executable);
  // The extension a name is counted by, in lower case: after its last dot
  // but leading ones, past parts of digits only ("so" of "libfoo.so.1.2"),
  // with the part before it when the two are in the table ("tar.gz", but
  // "gz" of "notes.old.gz"); empty for none (".bashrc", "..double",
  // "README"), and for a name of an Executable file that is not in the
  // table ("vim.basic" is a program without an extension). A file of the
  // class fcBinary is Executable here: its name is in the table, or it is.
  static std::string Extension(std::string_view FileName, bool Executable);
  // The same extension as the name writes it, in either case.
  static std::string_view ExtensionIn(std::string_view FileName, bool Executable);
  // The extensions of a class, lower case, one space apart; none for
  // fcOther and fcFolder.
  static std::string_view Extensions(int Kind);
  // Paul Tol's "light" scheme: pale enough for shading, apart for readers
  // who do not tell red from green.
  static QRgb Color(int Kind);
  static QString Name(int Kind);
  // The kind as one lower-case word, for tables and filters: "image",
  // "video", ..., "program", "other"; fcFolder has none (null).
  static const char* Word(int Kind);
};
