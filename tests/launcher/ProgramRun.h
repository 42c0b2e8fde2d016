#pragma once

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

// The program Kestrum started as its own process in a folder, with its standard error kept.
class ProgramRun {
public:
    ProgramRun(const std::filesystem::path& folder, const std::vector<std::string>& options)
    {
        std::vector<std::string> arguments{KESTRUM_PROGRAM};
        arguments.insert(arguments.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errors_.file("stderr").c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        started_ = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~ProgramRun() { exitCode(); }
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    void signal(int number) const
    {
        if (started_)
            kill(pid_, number);
    }
    // Waits until the program catches the signal (its handler is set), 10 s at most.
    bool waitUntilCatching(int number) const
    {
        return waitForStatus([&] { return hasSignal("SigCgt:", number); });
    }
    // Waits until no signal of that number waits for the program any more (it was delivered),
    // 10 s at most: a signal sent while one of its kind still waits would be lost in it.
    bool waitUntilDelivered(int number) const
    {
        return waitForStatus([&] { return !hasSignal("SigPnd:", number) && !hasSignal("ShdPnd:", number); });
    }
    // Waits for the end, for that many seconds at most; false when the program still runs.
    bool waitForEnd(int seconds)
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (started_ && !ended_ && std::chrono::steady_clock::now() < giveUp) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                ended_ = true;
                code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return ended_;
    }
    // Waits for the end; -1 when the program did not start or did not exit by itself.
    int exitCode()
    {
        if (started_ && !ended_) {
            int status = 0;
            waitpid(pid_, &status, 0);
            ended_ = true;
            code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return code_;
    }
    // What the program wrote on standard error, once it ended.
    std::string errors()
    {
        exitCode();
        return errors_.read("stderr");
    }

private:
    // Whether the signal's bit is set in that mask of the program's status.
    bool hasSignal(const std::string& mask, int number) const
    {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        for (std::string line; std::getline(status, line);)
            if (line.rfind(mask, 0) == 0)
                return (std::stoull(line.substr(mask.size()), nullptr, 16) >> (number - 1) & 1) != 0;
        return false;
    }
    bool waitForStatus(const std::function<bool()>& holds) const
    {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (started_ && std::chrono::steady_clock::now() < giveUp) {
            if (holds())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    TempFolder errors_;
    pid_t pid_ = 0;
    bool started_ = false;
    bool ended_ = false;
    int code_ = -1;
};

// The program's SDL2 window on the virtual X server: SDL's own software renderer, since there
// is no graphics card to draw with, and SDL's silent sound driver.
inline void useSdlOnXvfb()
{
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// A copy of the sample application that a run may change.
class SampleCopy {
public:
    SampleCopy()
    {
        std::filesystem::copy(KESTRUM_SAMPLE_FOLDER, folder_.path(), std::filesystem::copy_options::recursive);
    }

    const std::filesystem::path& path() const { return folder_.path(); }
    std::string file(const std::string& name) const { return folder_.file(name); }
    std::string read(const std::string& name) const { return folder_.read(name); }
    void write(const std::string& name, const std::string& bytes) const { folder_.write(name, bytes); }

private:
    TempFolder folder_;
};

// An application written by the test: "Dane/application.def" and the definition files, each
// named by its path below "Dane" ("/" separates), with their folders.
class ApplicationFolder {
public:
    explicit ApplicationFolder(const std::vector<std::pair<std::string, std::string>>& files)
    {
        for (const auto& [name, text] : files) {
            const std::filesystem::path file = folder_.path() / "Dane" / name;
            std::filesystem::create_directories(file.parent_path());
            std::ofstream(file, std::ios::binary) << text;
        }
    }

    const std::filesystem::path& path() const { return folder_.path(); }

private:
    TempFolder folder_;
};
