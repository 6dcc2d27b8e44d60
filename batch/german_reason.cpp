#include "batch/german_reason.h"

#include <new>
#include <stdexcept>

namespace batch {

std::string GermanReason(const std::error_code& error) {
    if (error.category() == std::generic_category() || error.category() == std::system_category()) {
        switch (static_cast<std::errc>(error.default_error_condition().value())) {
            case std::errc::no_such_file_or_directory:
                return "Datei oder Ordner nicht gefunden";
            case std::errc::permission_denied:
            case std::errc::operation_not_permitted:
                return "Zugriff verweigert";
            case std::errc::read_only_file_system:
                return "Der Datenträger ist schreibgeschützt";
            case std::errc::no_space_on_device:
                return "Auf dem Datenträger ist kein Platz mehr frei";
            case std::errc::file_too_large:
                return "Die Datei ist zu groß";
            case std::errc::is_a_directory:
                return "Das ist ein Ordner, keine Datei";
            case std::errc::not_a_directory:
                return "Ein Teil des Pfades ist kein Ordner";
            case std::errc::file_exists:
                return "Eine Datei dieses Namens existiert schon";
            case std::errc::invalid_argument:
                return "Der Name ist unter Windows nicht erlaubt";
            case std::errc::filename_too_long:
                return "Der Name ist zu lang";
            case std::errc::too_many_files_open:
            case std::errc::too_many_files_open_in_system:
                return "Zu viele Dateien sind geöffnet";
            case std::errc::device_or_resource_busy:
                return "Die Datei wird von einem anderen Programm benutzt";
            case std::errc::no_such_device_or_address:
                return "Das ist keine gewöhnliche Datei (etwa eine Pipe oder ein Gerät)";
            case std::errc::io_error:
                return "Ein-/Ausgabefehler des Datenträgers";
            default:
                break;
        }
    }
    return "Systemfehler " + std::to_string(error.value()) + " (" + error.message() + ")";
}

std::string GermanReason(const std::exception& failure) {
    if (const auto* system = dynamic_cast<const std::system_error*>(&failure))
        return GermanReason(system->code());
    if (dynamic_cast<const std::bad_alloc*>(&failure))
        return "Der Arbeitsspeicher reicht nicht aus";
    if (dynamic_cast<const std::length_error*>(&failure))
        return "Ein Text ist länger, als das Programm ihn halten kann";
    if (dynamic_cast<const std::overflow_error*>(&failure) ||
        dynamic_cast<const std::out_of_range*>(&failure))
        return "Eine Zahl oder Länge liegt außerhalb dessen, was das Programm zählen kann";
    return std::string("Ein unerwarteter Fehler ist aufgetreten (") + failure.what() + ")";
}

}  // namespace batch
