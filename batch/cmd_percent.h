#pragma once
// cmd's percent phase, the first thing each cmd does to its text, before quotes and operators
// mean anything:
//   - in a batch file (the cmd that reads do.bat, and a "call" there): %% becomes %; %0 … %9,
//     %* and %~… are the batch file's arguments; a set %NAME% is replaced by its value; an
//     undefined %NAME%, a lone % and an undefined "%NAME:" are removed;
//   - on a command line (each cmd that /c, /k or /r starts, and a "call" there): a set %NAME%
//     is replaced, everything else stays as it stands.
// %NAME:~a,b% takes a part of the value (negative counts from the end), %NAME:old=new%
// replaces every `old`, letter case ignored (*old=new: everything up to the first `old`).
// cmd's own dynamic names (CD, DATE, TIME, RANDOM …), which no environment holds, stand for a
// value of letters at their longest.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/traced_text.h"

namespace batch {

// The value of an environment variable, looked up as Windows does (letter case ignored);
// nullopt when it is not set.
using VariableLookup = std::function<std::optional<std::string>(std::string_view name)>;

// What a variable stands for when do.bat runs, as far as it is known now: an environment
// variable's present value, a dynamic name's longest value; nullopt for a name cmd leaves.
std::optional<std::string> VariableValue(std::string_view name, const VariableLookup& lookup);

enum class PercentReader { BatchFile, CommandLine };

// A %NAME:~a,b% or %NAME:old=new% that was filled in: the value it gave.
struct Substitution {
    Origin at;  // its first %
    std::string typed;
    std::string value;
};

struct ExpandedText {
    TracedText text;  // a filled-in value's bytes come from the % that began its name
    std::optional<Origin> batchArgument;  // the first %0 … %9, %* or %~ a batch file met
    std::vector<Substitution> substitutions;
    std::vector<Origin> filledIn;  // the first % of every variable filled in
};

ExpandedText ExpandPercents(const TracedText& text, PercentReader reader,
                            const VariableLookup& lookup);

// The batch file's percent phase run backwards: what to write so that it leaves `typed` as it
// stands, each written byte tracing back to the typed one. A typed %% and a %NAME% (also
// %NAME:…%) whose NAME is set stay as they are; every other % is a literal one and written %%.
// A %0 … %9, %* or %~ cannot be written as text: `batchArgument` is where the first stands.
struct WrittenPercents {
    TracedText text;
    std::optional<Origin> batchArgument;
};
WrittenPercents WritePercents(std::string_view typed, const VariableLookup& lookup);

}  // namespace batch
