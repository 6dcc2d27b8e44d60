#pragma once
// The reason behind a system error, in German, for messages the user reads.

#include <exception>
#include <string>
#include <system_error>

namespace batch {

// A short phrase such as "Auf dem Datenträger ist kein Platz mehr frei"; unknown errors are
// named with their number and the system's own text.
std::string GermanReason(const std::error_code& error);

// The same for a failure the run could not handle itself: a system error by its code, the
// standard library's own kinds by what they mean; only an unknown kind keeps its own text.
std::string GermanReason(const std::exception& failure);

}  // namespace batch
