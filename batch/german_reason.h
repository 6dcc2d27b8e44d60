#pragma once
// The reason behind a system error, in German, for messages the user reads.

#include <string>
#include <system_error>

namespace batch {

// A short phrase such as "Auf dem Datenträger ist kein Platz mehr frei"; unknown errors are
// named with their number and the system's own text.
std::string GermanReason(const std::error_code& error);

}  // namespace batch
