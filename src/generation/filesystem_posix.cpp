// The file-system layer on POSIX systems.

#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/filesystem_platform.h"
#include "generation/generation.h"
#include "generation/paths.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace pomerel::files {

namespace {

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    // Closes now, returning errno on failure (a late write error shows up here).
    int close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd = -1;
};

struct DirectoryCloser
{
    void operator()(DIR *directory) const { ::closedir(directory); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

bool isFolder(const std::filesystem::path &path)
{
    struct stat status
    {
    };
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The error for a failed system call on path. A missing file is "Fichier introuvable" when
// its folder exists and "Chemin d'accès introuvable" when the folder itself is missing.
Error systemError(int errorNumber, std::string_view path)
{
    if (errorNumber == ENOENT) {
        const bool folderExists = isFolder(toFsPath(path).parent_path());
        return Error(folderExists ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound,
                     std::string(path));
    }
    return errorFromSystem(std::error_code(errorNumber, std::generic_category()),
                           std::string(path));
}

Directory openFolder(std::string_view folder)
{
    Directory directory(::opendir(toFsPath(folder).c_str()));
    if (!directory) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw Error(ErrorNumber::PathNotFound, std::string(folder));
        throw systemError(errno, folder);
    }
    return directory;
}

// Calls visit(name) for every entry of the folder but "." and "..".
template<typename Visit> void forEachEntry(DIR *directory, std::string_view folder, Visit visit)
{
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(directory);
        if (!entry) {
            if (errno != 0)
                throw systemError(errno, folder);
            return;
        }
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            visit(entry->d_name);
    }
}

void writeAll(int fd, std::string_view bytes, std::string_view path)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw systemError(errno, path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string randomSuffix()
{
    static constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uint32_t bits = device();
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += letters[bits % letters.size()];
        bits /= static_cast<std::uint32_t>(letters.size());
    }
    return suffix;
}

// A new file beside target that takes target's place on commit() and is removed otherwise.
// Its name starts with a dot, so a file browser does not show it while it is written.
class TemporaryFile
{
public:
    TemporaryFile(std::string_view target, mode_t mode)
        : m_target(target)
        , m_targetPath(toFsPath(target))
    {
        const std::string hiddenStem = "." + fromFsPath(m_targetPath.filename()) + ".";
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_path = m_targetPath.parent_path() / toFsPath(hiddenStem + randomSuffix() + ".tmp");
            const int fd =
                ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd >= 0) {
                m_file = std::make_unique<FileDescriptor>(fd);
                return;
            }
            if (errno != EEXIST)
                throw systemError(errno, m_target);
        }
        throw Error(ErrorNumber::FileAlreadyExists, fromFsPath(m_path));
    }

    ~TemporaryFile()
    {
        if (m_file) {
            m_file.reset();
            ::unlink(m_path.c_str());
        }
    }

    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    void write(std::string_view bytes) { writeAll(m_file->get(), bytes, m_target); }

    // rename() replaces a link at the target by the file, and leaves the link's target alone.
    void commit()
    {
        if (const int error = m_file->close())
            throw systemError(error, m_target);
        if (::rename(m_path.c_str(), m_targetPath.c_str()) != 0)
            throw systemError(errno, m_target);
        m_file.reset();
    }

private:
    std::string m_target;
    std::filesystem::path m_targetPath;
    std::filesystem::path m_path;
    std::unique_ptr<FileDescriptor> m_file;
};

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

namespace platform {

std::vector<std::string> fileNamesIn(std::string_view folder)
{
    const Directory directory = openFolder(folder);
    std::vector<std::string> names;
    forEachEntry(directory.get(), folder, [&](const char *name) {
        struct stat status
        {
        };
        if (::fstatat(::dirfd(directory.get()), name, &status, 0) == 0 && S_ISREG(status.st_mode))
            names.emplace_back(name);
    });
    return names;
}

void copyFile(std::string_view source, std::string_view destination)
{
    const FileDescriptor input(::open(toFsPath(source).c_str(), O_RDONLY | O_CLOEXEC));
    if (!input.isOpen())
        throw systemError(errno, source);
    struct stat sourceStatus
    {
    };
    if (::fstat(input.get(), &sourceStatus) != 0)
        throw systemError(errno, source);
    if (!S_ISREG(sourceStatus.st_mode))
        throw Error(ErrorNumber::FileNotFound, std::string(source));

    struct stat destinationStatus
    {
    };
    if (::lstat(toFsPath(destination).c_str(), &destinationStatus) == 0 &&
        !S_ISLNK(destinationStatus.st_mode) && sameFile(sourceStatus, destinationStatus))
        return;

    TemporaryFile output(destination, sourceStatus.st_mode & 0777);
    std::array<char, 1 << 16> buffer{};
    for (;;) {
        const ssize_t count = ::read(input.get(), buffer.data(), buffer.size());
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw systemError(errno, source);
        }
        if (count == 0)
            break;
        output.write(std::string_view(buffer.data(), static_cast<std::size_t>(count)));
    }
    output.commit();
}

} // namespace platform

void clearAttributesIn(std::string_view folder)
{
    const Directory directory = openFolder(folder);
    const int folderFd = ::dirfd(directory.get());
    forEachEntry(directory.get(), folder, [&](const char *name) {
        struct stat status
        {
        };
        if (::fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT)
                return; // gone since it was listed
            throw systemError(errno, joinFolderAndFile(folder, name));
        }
        if (!S_ISREG(status.st_mode))
            return; // folders, links and devices are left alone
        const mode_t mode = status.st_mode & 07777;
        const mode_t cleared = mode | S_IRUSR | S_IWUSR;
        if (cleared == mode)
            return;
        // AT_SYMLINK_NOFOLLOW refuses to act if the entry was swapped for a link meanwhile.
        int result = ::fchmodat(folderFd, name, cleared, AT_SYMLINK_NOFOLLOW);
        if (result != 0 && (errno == EOPNOTSUPP || errno == ENOTSUP)) {
            // Some systems cannot change a mode without following; the entry was checked above.
            struct stat again
            {
            };
            if (::fstatat(folderFd, name, &again, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISREG(again.st_mode))
                return;
            result = ::fchmodat(folderFd, name, cleared, 0);
        }
        if (result != 0)
            throw systemError(errno, joinFolderAndFile(folder, name));
    });
}

std::string readAll(std::string_view path)
{
    const FileDescriptor input(::open(toFsPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!input.isOpen())
        throw systemError(errno, path);
    struct stat status
    {
    };
    if (::fstat(input.get(), &status) != 0)
        throw systemError(errno, path);
    std::string content;
    content.resize(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 0) + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == content.size())
            content.resize(content.size() * 2);
        const ssize_t count = ::read(input.get(), content.data() + used, content.size() - used);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            throw systemError(errno, path);
        }
        if (count == 0)
            break;
        used += static_cast<std::size_t>(count);
    }
    content.resize(used);
    return content;
}

void replaceWith(std::string_view path, std::string_view bytes)
{
    TemporaryFile output(path, 0666);
    output.write(bytes);
    output.commit();
}

bool isFile(std::string_view path)
{
    struct stat status
    {
    };
    return ::stat(toFsPath(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void startProgram(std::string_view, std::string_view)
{
    // Only Windows has the browser this is asked to start.
    throw Error(ErrorNumber::InvalidCall);
}

} // namespace pomerel::files
