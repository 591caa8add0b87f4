// SPDX-License-Identifier: GPL-3.0-or-later

#include "test_support.h"

#include "generation/pagetemplate.h"
#include "generation/paths.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace testing_support {

namespace {

std::string uniqueSuffix()
{
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(ticks) + "-" + std::to_string(counter++);
}

} // namespace

fs::path u8path(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

TempFolder::TempFolder(std::string_view nameHint)
    : m_path(fs::temp_directory_path() / u8path(std::string(nameHint) + "-" + uniqueSuffix()))
{
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    // Give every entry back its owner rights, so that removal cannot fail on them.
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(m_path, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_symlink())
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
    fs::remove_all(m_path, error);
}

std::string TempFolder::text() const
{
    return utf8Of(m_path);
}

std::string TempFolder::asDestination() const
{
    return text() + pomerel::separator();
}

fs::path TempFolder::makeFolder(std::string_view name) const
{
    const fs::path folder = m_path / u8path(name);
    fs::create_directories(folder);
    return folder;
}

void writeFile(const fs::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + utf8Of(path));
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + utf8Of(path));
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::set<std::string> namesIn(const fs::path &folder)
{
    std::set<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        names.insert(utf8Of(entry.path().filename()));
    return names;
}

fs::perms permissionsOf(const fs::path &path)
{
    return fs::symlink_status(path).permissions();
}

void makeResources(const fs::path &folder, std::string_view templateBytes)
{
    fs::create_directories(folder);
    writeFile(folder / "brt.ggg", templateBytes);
    writeFile(folder / "logo.jpg", "resource logo");
    writeFile(folder / "bandeau.gif", "resource band");
}

std::string pageFor(std::string_view templateBytes, const pomerel::CvFields &fields)
{
    const TempFolder root("pomerel-fill");
    const fs::path depart = root.makeFolder("depart");
    writeFile(depart / "brt.ggg", templateBytes);
    pomerel::fillTemplate(utf8Of(depart), root.asDestination(), fields);
    return readFile(root.path() / "CV.html");
}

#ifndef _WIN32
void limitFileSize(std::size_t bytes)
{
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(bytes), static_cast<rlim_t>(bytes)};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("setrlimit failed");
}
#endif

void FakeWindow::warn(std::string_view message)
{
    calls.push_back("warn: " + std::string(message));
}

void FakeWindow::showFinished()
{
    calls.emplace_back("finished");
}

void FakeWindow::openInDefaultBrowser(const std::string &page)
{
    calls.push_back("open: " + page);
}

} // namespace testing_support
