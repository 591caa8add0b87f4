// SPDX-License-Identifier: GPL-3.0-or-later

// The file-system layer on POSIX systems.

#include "generation/error.h"
#include "generation/filesystem.h"
#include "generation/filesystem_platform.h"
#include "generation/paths.h"
#include "generation/temporaryfile.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
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

private:
    int m_fd = -1;
};

struct DirectoryCloser
{
    void operator()(DIR *directory) const { ::closedir(directory); }
};
using Directory = std::unique_ptr<DIR, DirectoryCloser>;

// The error for a failed system call on path. A missing file is "Fichier introuvable" when
// its folder exists and "Chemin d'accès introuvable" when the folder itself is missing.
Error systemError(int errorNumber, std::string_view path)
{
    if (errorNumber == ENOENT) {
        struct stat folder = {};
        const bool folderExists =
            ::stat(toFsPath(path).parent_path().c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
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

// Calls visit(entry) for every entry of the folder but "." and "..".
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
            visit(*entry);
    }
}

// The entry's type comes with its name, except for links and on file systems that do not
// give it.
platform::EntryKind kindOf(DIR *directory, const dirent &entry)
{
    using platform::EntryKind;
    if (entry.d_type == DT_REG)
        return EntryKind::File;
    if (entry.d_type == DT_DIR)
        return EntryKind::Folder;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return EntryKind::Other;
    struct stat status = {};
    if (::fstatat(::dirfd(directory), entry.d_name, &status, 0) != 0)
        return EntryKind::Other;
    if (S_ISREG(status.st_mode))
        return EntryKind::File;
    return S_ISDIR(status.st_mode) ? EntryKind::Folder : EntryKind::Other;
}

// Opens a file to read it whole, following links (sources may be links). O_NONBLOCK keeps a
// named pipe given as a photo from hanging the run; it changes nothing for a regular file.
int openForReading(std::string_view path, struct stat &status)
{
    const int fd = ::open(toFsPath(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw systemError(errno, path);
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        throw systemError(error, path);
    }
    return fd;
}

// Reads up to size bytes; 0 at the end of the file.
std::size_t readSome(int fd, char *buffer, std::size_t size, std::string_view path)
{
    for (;;) {
        const ssize_t count = ::read(fd, buffer, size);
        if (count >= 0)
            return static_cast<std::size_t>(count);
        if (errno != EINTR)
            throw systemError(errno, path);
    }
}

} // namespace

namespace platform {

void forEachEntryIn(std::string_view folder, const std::function<void(const FolderEntry &)> &visit)
{
    const Directory directory = openFolder(folder);
    forEachEntry(directory.get(), folder, [&](const dirent &entry) {
        visit(FolderEntry{entry.d_name, kindOf(directory.get(), entry), entry.d_name[0] == '.'});
    });
}

void copyFile(std::string_view source, std::string_view destination)
{
    struct stat sourceStatus = {};
    const FileDescriptor input(openForReading(source, sourceStatus));
    if (!S_ISREG(sourceStatus.st_mode))
        throw Error(ErrorNumber::FileNotFound, std::string(source));

    struct stat destinationStatus = {};
    if (::lstat(toFsPath(destination).c_str(), &destinationStatus) == 0 &&
        !S_ISLNK(destinationStatus.st_mode) && destinationStatus.st_dev == sourceStatus.st_dev &&
        destinationStatus.st_ino == sourceStatus.st_ino)
        return;

    TemporaryFile output(destination, sourceStatus.st_mode & 0777u);
    std::array<char, 1 << 16> buffer{};
    while (const std::size_t count = readSome(input.get(), buffer.data(), buffer.size(), source))
        output.write(std::string_view(buffer.data(), count));
    output.commit();
}

FileHandle createNewFile(const std::filesystem::path &path, unsigned mode,
                         std::string_view reported)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          static_cast<mode_t>(mode));
    if (fd >= 0) {
        // The lock tells removeLeftoversIn that this file is no leftover; it goes with the
        // process, however that ends.
        ::flock(fd, LOCK_EX | LOCK_NB);
        return fd;
    }
    if (errno == EEXIST)
        return kNoFile;
    throw systemError(errno, reported);
}

void writeToFile(FileHandle file, std::string_view bytes, std::string_view reported)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(static_cast<int>(file), bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw systemError(errno, reported);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void closeFile(FileHandle file, std::string_view reported)
{
    if (::close(static_cast<int>(file)) != 0)
        throw systemError(errno, reported);
}

void discardFile(FileHandle file, const std::filesystem::path &path) noexcept
{
    if (file != kNoFile)
        ::close(static_cast<int>(file));
    ::unlink(path.c_str());
}

void moveReplacing(const std::filesystem::path &from, const std::filesystem::path &to,
                   std::string_view reported)
{
    // rename() replaces a link at the target by the file and leaves the link's target alone.
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw systemError(errno, reported);
}

} // namespace platform

void removeLeftoversIn(std::string_view folder)
{
    const Directory directory = openFolder(folder);
    const int folderFd = ::dirfd(directory.get());
    forEachEntry(directory.get(), folder, [&](const dirent &entry) {
        const char *name = entry.d_name;
        if (!isTemporaryFileName(name))
            return;
        // A leftover is a regular file that nobody holds locked; what cannot be removed is
        // left for the attribute walk to report.
        const FileDescriptor file(
            ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat status = {};
        if (file.get() >= 0 && ::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) &&
            ::flock(file.get(), LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folderFd, name, 0);
    });
}

void clearAttributesIn(std::string_view folder)
{
    const Directory directory = openFolder(folder);
    const int folderFd = ::dirfd(directory.get());
    forEachEntry(directory.get(), folder, [&](const dirent &entry) {
        const char *name = entry.d_name;
        struct stat status = {};
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
            struct stat again = {};
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
    struct stat status = {};
    const FileDescriptor input(openForReading(path, status));
    if (!S_ISREG(status.st_mode))
        throw Error(ErrorNumber::PathFileAccessError, std::string(path));
    std::string content;
    std::array<char, 1 << 16> buffer{};
    while (const std::size_t count = readSome(input.get(), buffer.data(), buffer.size(), path))
        content.append(buffer.data(), count);
    return content;
}

bool isFile(std::string_view path)
{
    struct stat status = {};
    return ::stat(toFsPath(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

void startProgram(std::string_view, std::string_view)
{
    // Only Windows has the browser this is asked to start.
    throw Error(ErrorNumber::InvalidCall);
}

} // namespace pomerel::files
