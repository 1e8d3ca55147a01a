#pragma once
// Utilities used everywhere: the busy cursor, message boxes, opening files and web
// pages through the shell, folders and file names, unique temporary files, stream
// compression and rectangle tests.

#include <cstdint>
#include <memory>

#include "foundation/FileStream.h"
#include "foundation/Geometry.h"
#include "foundation/Streams.h"
#include "foundation/Strings.h"
#include "foundation/UtilsServices.h"

namespace quillora {

// ---- Busy cursor ----

// Nested pairs show the hourglass once; the outermost EndBusy restores the cursor
// shown before the outermost BeginBusy. Every BeginBusy needs its EndBusy, also when
// an error passes (TBusyCursor does that).
void BeginBusy();
void EndBusy();
// While busy: the cursor that the outermost EndBusy will restore; otherwise the
// screen cursor at once.
void SetCursorKeepingBusy(TCursor cursor);
// The nesting depth of BeginBusy.
int BusyCount();

class TBusyCursor {
public:
    TBusyCursor() { BeginBusy(); }
    ~TBusyCursor() { EndBusy(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// ---- Message box ----

// Shows `text` (a "." appended unless it ends in ".", "?" or a character at or below
// "!") with `caption` (empty: the application title) and returns the chosen button.
// Over a stay-on-top window the box stays on top too.
int ShowMessageBox(const String& text, const String& caption = {}, unsigned flags = mbIconInformation);

// ---- Shell ----

// Lets the shell open `fileName` (with `verb`, empty for the default action). A file
// without a usable association opens the system's dialog for choosing a program.
// Returns whether the shell started it; with `raiseOnError` failures raise instead:
// "Path not found: %1", "File not found: %1" or "ShellExecute error (N) to launch "F"".
bool ShellOpen(const String& fileName, const String& parameters = {}, const String& verb = {},
               bool raiseOnError = true, int showCommand = swShowNormal);

// The program that opens web links (its path, without quotes and arguments when the
// registry quotes it); empty when unknown.
String GetDefaultBrowser();
// Opens `url` in the default browser; false when there is none, the url is not a
// plain address, or the shell failed.
bool OpenInBrowser(const String& url, int showCommand = swShowNormal);

// ---- Folders and file names ----

// The platform's path delimiter ("\" on Windows, "/" elsewhere). Both are understood
// as delimiters when names are taken apart.
Char PathDelimiter();
bool IsPathDelimiter(Char c);
// `path` with a path delimiter at its end (empty stays empty).
String IncludeTrailingPathDelimiter(const String& path);

// The folder of the running program, with a trailing path delimiter.
String GetProgramFolder();
// The user's temporary folder, with a trailing path delimiter.
String GetTempFolder();

// `text` with each "%NAME%" replaced by the environment variable NAME, as the system
// expands the command lines of its registry; a name that is not set stays as it is.
String ExpandEnvironmentVariables(const String& text);

// The extension without its leading "." ("" when none): "a\b.c.txt" -> "txt".
String GetExtension(const String& fileName);
// The file name without folder and extension: "a\b.c.txt" -> "b.c".
String GetBaseName(const String& fileName);

// `pattern` with "%d" (also "%3d", "%03d") replaced by `number` and "%%" by "%".
String FormatFileNumber(const String& pattern, int number);

// For N = 1, 2, ...: `folder` (the temporary folder when empty) + `pattern` formatted
// with N + "." + `extension` (no "." when `extension` is empty); creates the first
// such file that does not exist and returns it opened for writing, its name in
// `fileName`. Errors of a file that cannot be created pass on.
std::unique_ptr<TFileStream> CreateUniqueFile(const String& pattern, const String& extension, String& fileName,
                                              const String& folder = {});

// ---- Compression (zlib format, default level) ----

// Compresses all of `source` (from its start) into `dest` at its position; `dest`'s
// position is 0 afterwards. Nothing when `source` is empty.
void CompressStream(const TMemoryStream& source, TMemoryStream& dest);
// Inflates all of `source` into `dest` at its position; `dest`'s position is 0
// afterwards. Nothing when `source` is empty. Damaged data, or more than `maxSize`
// inflated bytes, raises and leaves `dest` as it was.
void DecompressStream(const TMemoryStream& source, TMemoryStream& dest, size_t maxSize = SIZE_MAX);

// ---- Geometry ----

// False when b.Left >= a.Right, b.Right < a.Left, b.Top >= a.Bottom or b.Bottom < a.Top.
bool RectsIntersect(const TRect& a, const TRect& b);

} // namespace quillora
