#include "platform/cmd_words.h"

namespace platform::cmd {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDelimiter(char c) {
    return IsBlank(c) || c == ',' || c == ';' || c == '=';
}

std::size_t CommandWordEnd(std::string_view text, std::size_t from) {
    bool quoted = false;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && (IsDelimiter(c) || c == '/' || c == '+' || c == '('))
            return i;
    }
    return text.size();
}

bool NamesInterpreter(std::string_view word) {
    std::string name;
    for (const char c : word) {
        if (c == '\\' || c == '/')
            name.clear();
        else if (c != '"')
            name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return name == "cmd" || name == "cmd.exe";
}

std::vector<Token> CommandTokens(std::string_view text) {
    std::vector<Token> tokens;
    std::string word;
    bool inWord = false;  // a pair of quotes alone makes an (empty) word
    bool quoted = false;
    const auto endWord = [&] {
        if (inWord)
            tokens.push_back({std::move(word), false});
        word.clear();
        inWord = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (c == '"') {
            quoted = true;
            inWord = true;
        } else if (c == '^') {
            if (i + 1 < text.size()) {
                word += text[++i];
                inWord = true;
            }
        } else if (IsDelimiter(c) || c == '\r' || c == '\n') {
            endWord();
        } else if (c == '>' || c == '<' || c == '|' || c == '&') {
            endWord();
            std::string op(1, c);
            if (c != '<' && i + 1 < text.size() && text[i + 1] == c)
                op += text[++i];
            tokens.push_back({std::move(op), true});
        } else {
            word += c;
            inWord = true;
        }
    }
    endWord();
    return tokens;
}

std::optional<StrippedQuotes> InterpreterStripsQuotes(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    if (first == text.size() || text[first] != '"')
        return std::nullopt;
    return StrippedQuotes{first, text.rfind('"')};
}

std::vector<Word> BuiltinArguments(std::string_view text) {
    std::vector<Word> words;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (!quoted && IsDelimiter(c))
            continue;
        if (words.empty() || words.back().end != i)
            words.push_back({{}, i, i});
        Word& word = words.back();
        if (c == '"')
            quoted = !quoted;
        else
            word.text += c;
        word.end = i + 1;
    }
    return words;
}

namespace {

// One argument from `at` by the C runtime's rules; `at` ends after it.
Word ProgramArgument(std::string_view text, std::size_t& at, std::optional<std::size_t>& open) {
    Word word{{}, at, at};
    bool quoted = false;
    while (at < text.size()) {
        std::size_t backslashes = 0;
        while (at < text.size() && text[at] == '\\')
            ++backslashes, ++at;
        if (at < text.size() && text[at] == '"') {
            word.text.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1) {
                word.text += '"';
                ++at;
            } else if (quoted && at + 1 < text.size() && text[at + 1] == '"') {
                word.text += '"';  // "" inside quotes
                at += 2;
            } else {
                quoted = !quoted;
                open = quoted ? std::optional<std::size_t>(at) : std::nullopt;
                ++at;
            }
            continue;
        }
        word.text.append(backslashes, '\\');
        if (at == text.size() || (!quoted && IsBlank(text[at])))
            break;
        word.text += text[at++];
    }
    word.end = at;
    return word;
}

}  // namespace

ProgramArguments ProgramArgumentsOf(std::string_view text) {
    ProgramArguments arguments;
    for (std::size_t at = 0;;) {
        while (at < text.size() && IsBlank(text[at]))
            ++at;
        if (at == text.size())
            return arguments;
        arguments.openQuote.reset();
        arguments.words.push_back(ProgramArgument(text, at, arguments.openQuote));
    }
}

}  // namespace platform::cmd
