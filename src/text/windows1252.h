// Conversion between UTF-8 and the Windows-1252 code page that form files are written in.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavik::text {

// The text in Windows-1252, or nullopt when it is not valid UTF-8 or holds a character
// that the code page has no byte for.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

// The Windows-1252 text in UTF-8. The five bytes the code page leaves undefined become
// U+FFFD, so that they never reach a terminal as C1 control characters.
std::string Windows1252ToUtf8(std::string_view text);

// The plain ASCII letter of a Windows-1252 letter with a mark ("\xE8" for e-grave gives
// 'e', "\xDC" for U-umlaut 'U'), the letter itself for ASCII letters, '\0' for any other
// byte (digits, punctuation, letters without a plain one such as "\xDF" or "\xC6").
char PlainLetter(char windows1252);

// The longest text a model may hold: a name, a label or a list entry ends up inside one
// line of generated code, which must stay within what a form file's reader takes.
inline constexpr std::size_t kMaxFormTextLength = 1000;

// Why the UTF-8 text cannot stand in a form, or an empty string when it can: it must be
// valid UTF-8, hold only characters of Windows-1252, and no carriage return, line feed or
// NUL, which would break the lines of a form file, and be at most kMaxFormTextLength
// characters long. The reason reads as the end of a
// sentence, e.g. "the character "中" (U+4E2D) is not in Windows-1252".
std::string FormTextFault(std::string_view utf8);

// True for ASCII without line breaks or NUL, within kMaxFormTextLength: form text as it
// stands in both encodings, with nothing to check or convert. Most of a model's texts are.
bool IsPlainFormText(std::string_view utf8);

}  // namespace tavik::text
