// SPDX-License-Identifier: GPL-3.0-or-later

#include "generation/error.h"

#include <array>
#include <utility>

namespace pomerel {

namespace {

struct Entry
{
    ErrorNumber number;
    std::string_view text;
};

constexpr std::array kDescriptions{
    Entry{ErrorNumber::InvalidCall, "Argument ou appel de procédure incorrect"},
    Entry{ErrorNumber::OutOfMemory, "Mémoire insuffisante"},
    Entry{ErrorNumber::SubscriptOutOfRange, "L'indice n'appartient pas à la sélection"},
    Entry{ErrorNumber::BadFileName, "Nom ou numéro de fichier incorrect"},
    Entry{ErrorNumber::FileNotFound, "Fichier introuvable"},
    Entry{ErrorNumber::DeviceIoError, "Erreur d'entrée/sortie de périphérique"},
    Entry{ErrorNumber::FileAlreadyExists, "Fichier déjà existant"},
    Entry{ErrorNumber::DiskFull, "Disque plein"},
    Entry{ErrorNumber::PermissionDenied, "Permission refusée"},
    Entry{ErrorNumber::DiskNotReady, "Disque non prêt"},
    Entry{ErrorNumber::PathFileAccessError, "Erreur d'accès au chemin/fichier"},
    Entry{ErrorNumber::PathNotFound, "Chemin d'accès introuvable"},
    Entry{ErrorNumber::InvalidPicture, "Image incorrecte"},
};

std::string whatOf(ErrorNumber number, const std::string &path)
{
    std::string text(describe(number));
    if (!path.empty())
        text += " : " + path;
    return text;
}

} // namespace

std::string_view describe(ErrorNumber number) noexcept
{
    for (const Entry &entry : kDescriptions) {
        if (entry.number == number)
            return entry.text;
    }
    return "Erreur inattendue";
}

Error::Error(ErrorNumber number, std::string path)
    : std::runtime_error(whatOf(number, path))
    , m_number(number)
    , m_path(std::move(path))
{
}

std::string Error::report() const
{
    std::string text = "Erreur " + std::to_string(static_cast<int>(m_number)) + " : ";
    text += description();
    if (!m_path.empty())
        text += "\n\n" + m_path;
    return text;
}

Error errorFromSystem(std::error_code code, std::string path)
{
    const std::error_condition condition = code.default_error_condition();
    ErrorNumber number = ErrorNumber::PathFileAccessError;
    if (condition == std::errc::no_such_file_or_directory ||
        condition == std::errc::not_a_directory)
        number = ErrorNumber::PathNotFound;
    else if (condition == std::errc::file_exists)
        number = ErrorNumber::FileAlreadyExists;
    else if (condition == std::errc::no_space_on_device || condition == std::errc::file_too_large)
        number = ErrorNumber::DiskFull;
    else if (condition == std::errc::permission_denied ||
             condition == std::errc::operation_not_permitted ||
             condition == std::errc::read_only_file_system)
        number = ErrorNumber::PermissionDenied;
    else if (condition == std::errc::io_error)
        number = ErrorNumber::DeviceIoError;
    else if (condition == std::errc::no_such_device ||
             condition == std::errc::no_such_device_or_address)
        number = ErrorNumber::DiskNotReady;
    else if (condition == std::errc::invalid_argument || condition == std::errc::filename_too_long)
        number = ErrorNumber::BadFileName;
    else if (condition == std::errc::not_enough_memory)
        number = ErrorNumber::OutOfMemory;
    return Error(number, std::move(path));
}

} // namespace pomerel
