#include "batch/cmd_percent.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/windows_names.h"

namespace batch {
namespace {

// cmd's own variables, which no environment holds, with a generous bound on the UTF-16 units
// each takes (a folder: MAX_PATH; the command line that started cmd: two of them).
struct DynamicName {
    std::string_view name;
    std::size_t longest;
};
constexpr std::array<DynamicName, 10> kDynamicNames{{
    {"CD", 260},
    {"__CD__", 261},
    {"__APPDIR__", 261},
    {"DATE", 32},
    {"TIME", 16},
    {"RANDOM", 5},
    {"ERRORLEVEL", 11},
    {"CMDEXTVERSION", 3},
    {"CMDCMDLINE", 560},
    {"HIGHESTNUMANODENUMBER", 5},
}};

struct Value {
    std::string text;
    bool known = true;  // false: a dynamic name's stand-in, letters at its longest
};

std::optional<Value> Lookup(std::string_view name, const VariableLookup& lookup) {
    if (name.empty())
        return std::nullopt;
    if (auto value = lookup(name))
        return Value{std::move(*value)};
    for (const DynamicName& dynamic : kDynamicNames) {
        if (platform::NamesEqualIgnoringCase(name, dynamic.name))
            return Value{std::string(dynamic.longest, 'x'), false};
    }
    return std::nullopt;
}

std::optional<long> Number(std::string_view text) {
    long number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return number;
}

// A part of `value`: from `from` on (negative: counted from the end), `count` characters
// (negative: all but that many at the end).
std::string Part(const std::string& value, long from, std::optional<long> count) {
    const long size = static_cast<long>(value.size());
    const long begin = from >= 0 ? std::min(from, size) : std::max(size + from, 0L);
    std::string part = value.substr(static_cast<std::size_t>(begin));
    if (count) {
        const long length = static_cast<long>(part.size());
        part.resize(static_cast<std::size_t>(*count >= 0 ? std::min(*count, length)
                                                         : std::max(length + *count, 0L)));
    }
    return part;
}

// Every `old` replaced by `replacement`, letter case ignored; with a leading *, everything up
// to and including the first `old`.
std::string Replaced(std::string_view value, std::string_view old, std::string_view replacement) {
    const bool upToFirst = old.starts_with('*');
    if (upToFirst)
        old.remove_prefix(1);
    if (old.empty())
        return std::string(value);
    std::string result;
    std::size_t kept = 0;
    for (std::size_t hit = 0; hit + old.size() <= value.size();) {
        if (!platform::NamesEqualIgnoringCase(value.substr(hit, old.size()), old)) {
            ++hit;
            continue;
        }
        if (upToFirst)
            return std::string(replacement) + std::string(value.substr(hit + old.size()));
        result.append(value.substr(kept, hit - kept)).append(replacement);
        kept = hit = hit + old.size();
    }
    return upToFirst ? std::string(value) : result.append(value.substr(kept));
}

// %NAME:rule% for a set NAME; a rule cmd cannot read leaves the value as it is.
std::string Substituted(const Value& value, std::string_view rule) {
    if (rule.starts_with('~')) {
        const std::string_view numbers = rule.substr(1);
        const std::size_t comma = numbers.find(',');
        const auto from = Number(numbers.substr(0, comma));
        const auto count = comma == std::string_view::npos ? std::optional<long>()
                                                           : Number(numbers.substr(comma + 1));
        if (!from || (comma != std::string_view::npos && !count))
            return value.text;
        return Part(value.text, *from, count);
    }
    const std::size_t equals = rule.find('=');
    if (equals == std::string_view::npos)
        return value.text;
    const std::string_view replacement = rule.substr(equals + 1);
    // Where the value is not known, the replacement may stand anywhere in it, as often as the
    // value is long: the stand-in grows by that much and holds the replacement itself.
    if (!value.known)
        return std::string(value.text.size() * std::max<std::size_t>(1, replacement.size()), 'x') +
               std::string(replacement);
    return Replaced(value.text, rule.substr(0, equals), replacement);
}

}  // namespace

std::optional<std::string> VariableValue(std::string_view name, const VariableLookup& lookup) {
    if (auto value = Lookup(name, lookup))
        return std::move(value->text);
    return std::nullopt;
}

ExpandedText ExpandPercents(const TracedText& in, PercentReader reader,
                            const VariableLookup& lookup) {
    const bool batchFile = reader == PercentReader::BatchFile;
    const std::string& s = in.text;
    ExpandedText out;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] != '%') {
            out.text.append(s[i], in.origin[i]);
            ++i;
            continue;
        }
        const Origin at = in.origin[i];
        const char next = i + 1 < s.size() ? s[i + 1] : '\0';
        if (batchFile && next == '%') {
            out.text.append('%', at);
            i += 2;
            continue;
        }
        if (batchFile && ((next >= '0' && next <= '9') || next == '*' || next == '~')) {
            if (!out.batchArgument)
                out.batchArgument = at;
            i += 2;
            continue;
        }
        // The name runs to the next % or colon; "%NAME:%" keeps its colon.
        std::size_t j = i + 1;
        while (j < s.size() && s[j] != '%' && s[j] != ':')
            ++j;
        std::string_view name = std::string_view(s).substr(i + 1, j - i - 1);
        if (j + 1 < s.size() && s[j] == ':' && s[j + 1] == '%')
            name = std::string_view(s).substr(i + 1, ++j - i - 1);
        const auto value = j < s.size() ? Lookup(name, lookup) : std::nullopt;
        if (value && s[j] == '%') {
            out.filledIn.push_back(at);
            out.text.append(value->text, at);
            i = j + 1;
            continue;
        }
        if (value && s[j] == ':') {
            const std::size_t close = s.find('%', j + 1);
            if (close != std::string::npos) {
                std::string result =
                    Substituted(*value, std::string_view(s).substr(j + 1, close - j - 1));
                out.filledIn.push_back(at);
                out.text.append(result, at);
                out.substitutions.push_back({at, s.substr(i, close - i + 1), std::move(result)});
                i = close + 1;
                continue;
            }
        }
        if (!batchFile) {  // a command line keeps what names nothing
            out.text.append('%', at);
            ++i;
        } else if (j < s.size() && (s[j] == '%' || (s[j] == ':' && !value))) {
            i = j + 1;  // an undefined %NAME% or "%NAME:" is removed
        } else {
            ++i;  // a lone % is removed
        }
    }
    return out;
}

WrittenPercents WritePercents(std::string_view typed, const VariableLookup& lookup) {
    WrittenPercents written;
    for (std::size_t at = 0; at < typed.size();) {
        if (typed[at] != '%') {
            written.text.append(typed[at], at);
            ++at;
            continue;
        }
        const char after = at + 1 < typed.size() ? typed[at + 1] : '\0';
        if (after == '%') {
            written.text.append("%%", at);
            at += 2;
            continue;
        }
        if ((after >= '0' && after <= '9') || after == '*' || after == '~') {
            written.batchArgument = at;
            return written;
        }
        if (const std::size_t close = typed.find('%', at + 1); close != std::string_view::npos) {
            const std::string_view name = typed.substr(at + 1, close - at - 1);
            if (VariableValue(name.substr(0, name.find(':')), lookup)) {
                written.text.append(typed.substr(at, close - at + 1), at);
                at = close + 1;
                continue;
            }
        }
        written.text.append("%%", at);  // a literal percent sign
        ++at;
    }
    return written;
}

}  // namespace batch
