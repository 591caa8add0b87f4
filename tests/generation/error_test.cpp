#include "generation/error.h"
#include "test_support.h"

#include <gtest/gtest.h>
#include <system_error>

namespace {

using pomerel::Error;
using pomerel::ErrorNumber;

TEST(ErrorReport, GivesNumberDescriptionAndPath)
{
    const Error error(ErrorNumber::FileNotFound, "/tmp/brt.ggg");
    EXPECT_EQ(error.report(), "Erreur 53 : Fichier introuvable\n\n/tmp/brt.ggg");
    EXPECT_EQ(Error(ErrorNumber::SubscriptOutOfRange).report(),
              "Erreur 9 : L'indice n'appartient pas à la sélection");
}

struct SystemCase
{
    std::string name;
    std::errc code;
    ErrorNumber expected;
};

class SystemErrors : public testing::TestWithParam<SystemCase>
{
};

TEST_P(SystemErrors, MapToTheNumberUsersKnow)
{
    const Error error = pomerel::errorFromSystem(std::make_error_code(GetParam().code), "x");
    EXPECT_EQ(error.number(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Common, SystemErrors,
    testing::Values(
        SystemCase{"NoSuchFile", std::errc::no_such_file_or_directory, ErrorNumber::PathNotFound},
        SystemCase{"FileExists", std::errc::file_exists, ErrorNumber::FileAlreadyExists},
        SystemCase{"NoSpace", std::errc::no_space_on_device, ErrorNumber::DiskFull},
        SystemCase{"PermissionDenied", std::errc::permission_denied, ErrorNumber::PermissionDenied},
        SystemCase{"ReadOnlyFileSystem", std::errc::read_only_file_system,
                   ErrorNumber::PermissionDenied},
        SystemCase{"InputOutput", std::errc::io_error, ErrorNumber::DeviceIoError},
        // A file where a folder of the path should be: the path does not exist.
        SystemCase{"NotAFolder", std::errc::not_a_directory, ErrorNumber::PathNotFound},
        SystemCase{"FileTooLarge", std::errc::file_too_large, ErrorNumber::DiskFull}),
    testing_support::CaseName());

} // namespace
