#pragma once
// Windows' cmd and the programs it starts: how they cut a command's text into words. Text only,
// for every layer that reads or writes a command line; nothing here runs anything.
//   - cmd itself ends the command word at a delimiter (blank, tab , ; =) or at / + ( outside
//     quotes; built-ins (copy, del, move …) cut their arguments at the delimiters outside
//     quotes and drop the quotes.
//   - "cmd /c TEXT" (also /k, /r): when TEXT begins with a quote, cmd takes that quote and the
//     last quote of TEXT away before it reads the rest ("cmd /?"). Its other rule, which keeps
//     exactly two quotes around the name of an existing program with a blank in it, is never
//     relied on here: which programs exist is not known where a line is written.
//   - A program built with the Microsoft C runtime splits at blanks and tabs outside quotes;
//     2n backslashes before a quote give n and the quote toggles, 2n+1 give n and a literal
//     quote; "" inside quotes is a literal quote.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::cmd {

bool IsBlank(char c);
// Blank, tab, comma, semicolon, equals sign: where cmd ends a word outside quotes.
bool IsDelimiter(char c);

// Where the command word that begins at `from` ends: at a delimiter or / + ( outside quotes.
std::size_t CommandWordEnd(std::string_view text, std::size_t from = 0);
// True when a command word names cmd itself: "cmd" or "cmd.exe" in any letter case, also as the
// last part of a path, quotes aside.
bool NamesInterpreter(std::string_view word);

// A command line cut into words as cmd reads it in one go: outside quotes a caret escapes the
// next character and the delimiters separate words; quotes are taken away; an operator outside
// quotes (> >> < | || & &&) is a word of its own, also when glued to a word. (The batch run's
// reader takes these steps one cmd phase at a time: batch/cmd_statements.h.)
struct Token {
    std::string text;
    bool isOperator = false;
    bool operator==(const Token&) const = default;
};
std::vector<Token> CommandTokens(std::string_view text);

// The two quotes "cmd /c TEXT" takes away from TEXT, as offsets in TEXT; nullopt when TEXT
// (after its leading blanks) does not begin with a quote. `last` equals `first` when there is
// no other quote.
struct StrippedQuotes {
    std::size_t first;
    std::size_t last;
};
std::optional<StrippedQuotes> InterpreterStripsQuotes(std::string_view text);

// One word as its reader receives it, and where its text stood.
struct Word {
    std::string text;
    std::size_t begin = 0;  // offset of its first character
    std::size_t end = 0;    // offset after its last character
};

// A built-in's arguments, quotes dropped.
std::vector<Word> BuiltinArguments(std::string_view text);

// A program's arguments by the Microsoft C runtime's rules (`text` starts after the program's
// name). `openQuote` is the offset of the quote that opened a quoted part still open at the end.
struct ProgramArguments {
    std::vector<Word> words;
    std::optional<std::size_t> openQuote;
};
ProgramArguments ProgramArgumentsOf(std::string_view text);

}  // namespace platform::cmd
