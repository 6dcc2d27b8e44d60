#include "batch/cmd_statements.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/cmd_words.h"
#include "platform/windows_names.h"

namespace batch {
namespace {

using platform::cmd::IsBlank;
using platform::cmd::IsDelimiter;

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class StatementReader {
  public:
    explicit StatementReader(const TracedText& text) : s_(text) {}

    Chain chain(bool inBlock) {
        Chain statements;
        std::string joinedBy;
        Origin joinedAt = kAdded;
        for (;;) {
            Statement statement = command(inBlock);
            statement.joinedBy = std::move(joinedBy);
            statement.joinedAt = joinedAt;
            statements.push_back(std::move(statement));
            joinedAt = here();
            joinedBy = joiningOperator();
            if (joinedBy.empty())
                return statements;
        }
    }

  private:
    char peek(std::size_t ahead = 0) const {
        return i_ + ahead < s_.size() ? s_.text[i_ + ahead] : '\0';
    }
    Origin here() const { return i_ < s_.size() ? s_.origin[i_] : kAdded; }
    void skipBlanks() {
        while (IsBlank(peek()))
            ++i_;
    }
    void skipDelimiters() {
        while (i_ < s_.size() && IsDelimiter(peek()))
            ++i_;
    }

    // The plain word here in lower case (for if, for, else, in, do, not …), or "".
    std::string word() const {
        std::size_t end = i_;
        while (end < s_.size() && IsLetter(s_.text[end]))
            ++end;
        const char after = end < s_.size() ? s_.text[end] : '\0';
        if (end == i_ || !(after == '\0' || IsDelimiter(after) || after == '(' || after == '/'))
            return {};
        std::string lower;
        for (std::size_t k = i_; k < end; ++k)
            lower += static_cast<char>(s_.text[k] | 0x20);
        return lower;
    }

    std::string joiningOperator() {
        const char c = peek();
        if (c != '&' && c != '|')
            return {};
        const std::size_t length = peek(1) == c ? 2 : 1;
        i_ += length;
        return std::string(length, c);
    }

    Statement command(bool inBlock) {
        skipDelimiters();
        while (peek() == '@') {
            ++i_;
            skipBlanks();
        }
        Statement statement;
        statement.at = here();
        if (peek() == '(') {
            statement.kind = block(inBlock, true);
            return statement;
        }
        const std::string w = word();
        if (w == "if")
            statement.kind = ifStatement(inBlock);
        else if (w == "for")
            statement.kind = forStatement(inBlock);
        else
            statement.kind = simple(inBlock);
        return statement;
    }

    // A redirection here, cut out of the command: the operator, a handle digit before it (already
    // in `text`), "&1" after it, then the word it names.
    Redirection redirection(TracedText& text) {
        Redirection redirection{here(), {}};
        if (!text.empty() && IsDigit(text.text.back()) &&
            (text.size() == 1 || IsDelimiter(text.text[text.size() - 2])))
            text.erase(text.size() - 1);
        const char op = peek();
        ++i_;
        if (op == '>' && peek() == '>')
            ++i_;
        if (peek() == '&' && IsDigit(peek(1))) {
            i_ += 2;
            return redirection;
        }
        skipBlanks();
        redirection.target = token();
        return redirection;
    }

    SimpleCommand simple(bool inBlock) {
        SimpleCommand command;
        bool quoted = false;
        while (i_ < s_.size()) {
            const char c = s_.text[i_];
            if (c == '"') {
                quoted = !quoted;
                if (quoted)
                    command.openQuote = s_.origin[i_];
            } else if (!quoted) {
                if (c == '^') {
                    if (i_ + 1 < s_.size())
                        command.text.append(s_.text[i_ + 1], s_.origin[i_ + 1]);
                    i_ += 2;
                    continue;
                }
                if (c == '&' || c == '|' || c == '\n' || (c == ')' && inBlock))
                    break;
                if (c == '<' || c == '>') {
                    command.redirections.push_back(redirection(command.text));
                    continue;
                }
            }
            command.text.append(c, s_.origin[i_]);
            ++i_;
        }
        if (!quoted)
            command.openQuote.reset();
        return command;
    }

    Block block(bool inBlock, bool withTail) {
        Block result;
        ++i_;
        result.inner = chain(true);
        if (peek() == ')') {
            result.closed = true;
            result.closedAt = here();
            ++i_;
        }
        if (withTail)
            result.after = simple(inBlock).text;
        return result;
    }

    // One word of an if or for head: up to a delimiter or operator outside quotes.
    TracedText token() {
        TracedText out;
        bool quoted = false;
        while (i_ < s_.size()) {
            const char c = s_.text[i_];
            if (c == '"') {
                quoted = !quoted;
            } else if (!quoted) {
                if (c == '^' && i_ + 1 < s_.size()) {
                    out.append(s_.text[i_ + 1], s_.origin[i_ + 1]);
                    i_ += 2;
                    continue;
                }
                if (IsDelimiter(c) || c == '&' || c == '|' || c == '<' || c == '>' || c == '\n')
                    break;
            }
            out.append(c, s_.origin[i_]);
            ++i_;
        }
        return out;
    }

    void appendToken(TracedText& to) {
        const TracedText word = token();
        to.append(word, 0, word.size());
        to.append(' ', kAdded);
    }

    // The condition of an if, or false when it cannot be read.
    bool condition(TracedText& words) {
        skipDelimiters();
        if (peek() == '/' && (peek(1) | 0x20) == 'i' && IsBlank(peek(2))) {
            i_ += 2;
            skipDelimiters();
        }
        if (word() == "not") {
            i_ += 3;
            skipDelimiters();
        }
        const std::string w = word();
        if (w == "exist" || w == "defined" || w == "errorlevel" || w == "cmdextversion") {
            i_ += w.size();
            skipDelimiters();
            appendToken(words);
            return true;
        }
        appendToken(words);
        while (IsBlank(peek()) || peek() == ',' || peek() == ';')
            ++i_;
        if (peek() == '=' && peek(1) == '=') {
            i_ += 2;
        } else {
            const std::string op = word();
            if (op != "equ" && op != "neq" && op != "lss" && op != "leq" && op != "gtr" &&
                op != "geq")
                return false;
            i_ += 3;
        }
        skipDelimiters();
        appendToken(words);
        return true;
    }

    std::variant<SimpleCommand, Block, IfStatement, ForStatement, Unreadable> ifStatement(
        bool inBlock) {
        i_ += 2;
        IfStatement statement;
        if (!condition(statement.condition))
            return Unreadable{Unreadable::What::IfCondition};
        skipBlanks();
        if (peek() != '(') {
            statement.then = chain(inBlock);
            return statement;
        }
        Statement then;
        then.at = here();
        then.kind = block(inBlock, false);
        const std::size_t afterBlock = i_;
        skipBlanks();
        if (word() == "else") {
            i_ += 4;
            statement.then.push_back(std::move(then));
            statement.otherwise = chain(inBlock);
            return statement;
        }
        i_ = afterBlock;
        std::get<Block>(then.kind).after = simple(inBlock).text;
        statement.then.push_back(std::move(then));
        const Origin joinedAt = here();
        if (std::string op = joiningOperator(); !op.empty()) {
            Chain rest = chain(inBlock);
            rest.front().joinedBy = std::move(op);
            rest.front().joinedAt = joinedAt;
            for (Statement& next : rest)
                statement.then.push_back(std::move(next));
        }
        return statement;
    }

    // The values of a for's set, where they are known before it runs.
    static std::optional<std::vector<std::string>> SetValues(const std::vector<std::string>& options,
                                                             std::string_view set) {
        for (const std::string& option : options) {
            if (option == "/f")
                return std::nullopt;
        }
        std::vector<std::string> values;
        for (const auto& word : platform::cmd::BuiltinArguments(set)) {
            if (word.text.find_first_of("*?") != std::string::npos)
                return std::nullopt;  // files that match, known only when it runs
            values.push_back(word.text);
        }
        for (const std::string& option : options) {
            if (option == "/l") {
                std::vector<long> numbers;
                for (const auto& value : values)
                    numbers.push_back(std::atol(value.c_str()));
                numbers.resize(3, 0);
                values.clear();
                for (long v = numbers[0]; numbers[1] != 0 && values.size() < 20 &&
                                          (numbers[1] > 0 ? v <= numbers[2] : v >= numbers[2]);
                     v += numbers[1])
                    values.push_back(std::to_string(v));
            }
        }
        return values;
    }

    std::variant<SimpleCommand, Block, IfStatement, ForStatement, Unreadable> forStatement(
        bool inBlock) {
        const std::size_t begin = i_;
        i_ += 3;
        skipBlanks();
        std::vector<std::string> options;
        while (peek() == '/') {
            std::string option = token().text;
            for (char& c : option)
                c = static_cast<char>(c | 0x20);
            skipBlanks();
            if ((option == "/r" || option == "/f") && peek() != '%' && peek() != '\0') {
                token();
                skipBlanks();
            }
            options.push_back(std::move(option));
        }
        const TracedText variable = token();
        skipBlanks();
        if (variable.size() != 2 || variable.text[0] != '%' || variable.text[1] == '%' ||
            IsBlank(variable.text[1]) || word() != "in")
            return Unreadable{Unreadable::What::ForHead};
        i_ += 2;
        skipBlanks();
        if (peek() != '(')
            return Unreadable{Unreadable::What::ForHead};
        std::size_t close = i_ + 1;
        for (bool quoted = false; close < s_.size() && (quoted || s_.text[close] != ')'); ++close)
            quoted = quoted != (s_.text[close] == '"');
        const std::string set = s_.text.substr(i_ + 1, close - i_ - 1);
        i_ = std::min(close + 1, s_.size());
        skipBlanks();
        if (close == s_.size() || word() != "do")
            return Unreadable{Unreadable::What::ForHead};
        i_ += 2;
        ForStatement statement;
        statement.variable = variable.text[1];
        statement.values = SetValues(options, set);
        statement.head = s_.slice(begin, i_);
        statement.body = chain(inBlock);
        return statement;
    }

    const TracedText& s_;
    std::size_t i_ = 0;
};

}  // namespace

Chain ReadStatements(const TracedText& text) {
    return StatementReader(text).chain(false);
}

}  // namespace batch
