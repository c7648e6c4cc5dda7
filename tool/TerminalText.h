// Texts from outside (file names, arguments, and the messages that carry them) as pagetool
// prints them: a control character written raw to a terminal could move the cursor, change its
// colours or title, or fake lines of output.
#pragma once

#include <string>
#include <string_view>

namespace pm {
class Exception;
}

namespace pm::tool {

enum class TLineFeeds {
  Escaped,
  Kept,  // for output made of lines, whose texts from outside are escaped already
};

// Every control character (U+0000 to U+001F, U+007F, and U+0080 to U+009F) and every byte that
// isn't part of well-formed UTF-8 written as a C escape: \a, \b, \t, \n, \v, \f and \r by their
// letters, the others as \x and two hexadecimal digits a byte (U+009B is "\xc2\x9b"). Everything
// else stays as it is, backslashes too.
std::string TerminalText(std::string_view text, TLineFeeds lineFeeds = TLineFeeds::Escaped);

// A failure's message as pagetool prints it: the error box's text (with its full stop), escaped
// by TerminalText, since messages carry file names and typed texts. A platform failure's
// message (EOSError) is the system's own text and keeps its line break.
std::string FailureText(const Exception& failure);

}  // namespace pm::tool
