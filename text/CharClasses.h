#pragma once
// Character classes of the text engine, on UTF-16 code units (a surrogate half belongs to
// no class). The tables come from the Unicode database (text/make-char-classes.py), so
// every platform classifies alike.

namespace quillora {

// A Unicode letter (categories Lu, Ll, Lt, Lm, Lo).
bool IsLetterCode(int code);
// A Unicode decimal digit (category Nd).
bool IsDigitCode(int code);
// A letter, a decimal digit or "_": the characters that make up a word.
bool IsWordCode(int code);
// White space: space, 9 to 13, 133 (NEL), 160 (no-break space) and, above 255, the
// space, line and paragraph separators.
bool IsWhiteSpaceCode(int code);

} // namespace quillora
