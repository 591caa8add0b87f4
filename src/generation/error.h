// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace pomerel {

// The numbers users know from the classic error table, each with its French description.
enum class ErrorNumber : int {
    InvalidCall = 5,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    BadFileName = 52,
    FileNotFound = 53,
    DeviceIoError = 57,
    FileAlreadyExists = 58,
    DiskFull = 61,
    PermissionDenied = 70,
    DiskNotReady = 71,
    PathFileAccessError = 75,
    PathNotFound = 76,
    InvalidPicture = 481,
};

// French description of an error number, as shown in the report.
std::string_view describe(ErrorNumber number) noexcept;

// A failure the program reports to the user: a number, a description and, where it helps,
// the path involved.
class Error : public std::runtime_error
{
public:
    explicit Error(ErrorNumber number, std::string path = {});

    ErrorNumber number() const noexcept { return m_number; }
    std::string_view description() const noexcept { return describe(m_number); }
    const std::string &path() const noexcept { return m_path; }

    // The text of the report box: "Erreur 53 : Fichier introuvable", then the path if any.
    std::string report() const;

private:
    ErrorNumber m_number;
    std::string m_path;
};

// Maps an operating system failure on path (UTF-8) to the error the user is shown.
Error errorFromSystem(std::error_code code, std::string path);

} // namespace pomerel
