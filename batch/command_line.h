#pragma once
// Putting paths into command lines so that cmd takes each as one intact word.

#include <string>
#include <string_view>

namespace batch {

// True when cmd would split the text or read something in it as an operator: a blank, a tab
// or one of & | < > ^ ( ) , ; = % !.
bool NeedsQuotes(std::string_view part);

// The path as it stands on a command line typed at cmd (the listing command): unchanged when
// nothing in it needs quoting, else in double quotes.
std::string CommandLinePart(std::string_view part);

// The path as it stands in a batch file: every % doubled (cmd expands % in batch files even
// inside quotes), and in double quotes when it needs them. A quoted path that ends in a
// backslash is closed as \\" so programs that split their arguments the C runtime's way do
// not read \" as an escaped quote.
void AppendBatchFilePart(std::string& line, std::string_view part);

}  // namespace batch
