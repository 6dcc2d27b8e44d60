#pragma once
// The one way a fuzz target reports a broken property: it names the property, shows the
// input in escaped form and aborts, so libFuzzer keeps the input as a crash.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// For a target's own reference code: libFuzzer need not learn its branches, and leaving them
// out of the coverage instrumentation keeps long inputs fast.
#if defined(__clang__)
#define FUZZ_REFERENCE __attribute__((no_sanitize("coverage")))
#else
#define FUZZ_REFERENCE
#endif

namespace fuzz {

inline std::string Escaped(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            text += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            text += hex;
        }
    }
    return text;
}

[[noreturn]] inline void Fail(const char* property, std::string_view input) {
    std::fprintf(stderr, "property broken: %s\ninput: \"%s\"\n", property,
                 Escaped(input.substr(0, 400)).c_str());
    std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition, input)         \
    do {                                     \
        if (!(condition))                    \
            ::fuzz::Fail(#condition, input); \
    } while (false)
