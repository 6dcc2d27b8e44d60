#pragma once
// The second phase of one cmd, after its percent phase: quotes, carets and operators, and the
// statements they build.
//   - A quote toggles quoting; outside quotes a caret escapes the next character (an escaped
//     quote toggles nothing) and goes; & && | || join commands; < > >> (with a handle digit
//     before, &1 after) redirect to the word that follows.
//   - "( … )" where a command may begin is a block; the text between ")" and the next
//     operator is not run. Elsewhere "(" and ")" are text.
//   - "if [/i] [not] exist X | defined X | errorlevel N | cmdextversion N | A==B | A op B"
//     (op: equ neq lss leq gtr geq) takes the rest of the line as its command; "else" is read
//     only after a "( … )" block.
//   - "for [/d] [/r [folder]] [/l] [/f ["options"]] %X in (set) do" likewise; %X is filled in
//     after this phase, so an operator in a value does not act.
// What the reader cannot read to its end is kept as Unreadable, never guessed.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "batch/traced_text.h"

namespace batch {

struct Redirection {
    Origin at;  // the operator
    TracedText target;
};

struct SimpleCommand {
    TracedText text;  // escaping carets gone, redirections cut out
    std::vector<Redirection> redirections;
    std::optional<Origin> openQuote;  // the quote still open at the end, if one is
};

struct Statement;
using Chain = std::vector<Statement>;

struct Block {
    Chain inner;
    bool closed = false;
    Origin closedAt = kAdded;
    TracedText after;  // between ")" and the next operator: not run
};

struct IfStatement {
    TracedText condition;  // its words, for finding what landed there
    Chain then;
    Chain otherwise;
};

struct ForStatement {
    char variable = '\0';
    std::optional<std::vector<std::string>> values;  // nullopt: known only when it runs
    TracedText head;
    Chain body;
};

struct Unreadable {
    enum class What { IfCondition, ForHead, UnclosedBlock };
    What what;
};

struct Statement {
    std::string joinedBy;     // "", "&", "&&", "|" or "||": how it follows the one before
    Origin joinedAt = kAdded;  // where that operator stands
    Origin at = kAdded;        // where the statement begins
    std::variant<SimpleCommand, Block, IfStatement, ForStatement, Unreadable> kind;
};

// Reads `text` (its percent phase done) into the statements one cmd runs.
Chain ReadStatements(const TracedText& text);

}  // namespace batch
