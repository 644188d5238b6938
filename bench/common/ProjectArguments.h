#pragma once

// What the benchmarks that analyse a project share: the project given on the
// command line (-I, -D and paths) and a thread with a large stack to run the
// analysis on.

#include "InputSet.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <pthread.h>
#include <string>
#include <vector>

struct ProjectArguments {
    std::vector<std::string> includeDirs;
    std::vector<PredefinedWord> defines;
    std::vector<std::string> files;
    bool anyPath = false;
    // Headers are reused by name (the program's default) instead of being
    // preprocessed again for each file.
    bool byName = false;

    // Puts the project into a project input, as a project lists it.
    void FillInput(CInputSet& input) const
    {
        input.verbose = false;
        input.sameNameOption = !byName;
        input.userIncludeDirs = includeDirs;
        input.defines = defines;
        input.AddFiles(files);
    }
};

[[noreturn]] inline void BenchUsageError(const char* program, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", program, message.c_str());
    std::exit(2);
}

inline bool IsProjectSourceFile(const std::filesystem::path& path)
{
    const std::string ext = path.extension().string();
    return ext == ".c" || ext == ".cc" || ext == ".cpp" || ext == ".cxx";
}

// A folder contributes its source files, recursively and sorted; a file is
// taken as it is.
inline void AddProjectPath(
    const char* program, const std::string& path, std::vector<std::string>& files)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::is_directory(path, error)) {
        std::vector<std::string> found;
        for (auto it = fs::recursive_directory_iterator(
                 path, fs::directory_options::skip_permission_denied, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (it->is_regular_file(error) && IsProjectSourceFile(it->path())) {
                found.push_back(it->path().string());
            }
        }
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    } else if (fs::exists(path, error)) {
        files.push_back(path);
    } else {
        BenchUsageError(program, "no such file or folder: " + path);
    }
}

// NAME or NAME=NUMBER; the value is 1 when none is given.
inline PredefinedWord ParseProjectDefine(const char* program, const std::string& word)
{
    PredefinedWord define;
    const size_t equals = word.find('=');
    define.name = word.substr(0, equals);
    define.value = 1;
    if (define.name.empty()) {
        BenchUsageError(program, "-D needs a name");
    }
    if (equals != std::string::npos) {
        const std::string value = word.substr(equals + 1);
        char* end = nullptr;
        define.value = std::strtol(value.c_str(), &end, 0);
        if (value.empty() || *end != '\0') {
            BenchUsageError(program, "-D " + word + ": the value must be a number");
        }
    }
    return define;
}

// Takes argv[i] when it is -I or -D (in either the joined or the separate
// form) or --by-name, and returns true; `i` moves past a separate value.
inline bool TakeProjectOption(
    const char* program, int argc, char** argv, int& i, ProjectArguments& project)
{
    const std::string arg = argv[i];
    auto next = [&](const char* what) -> std::string {
        if (i + 1 >= argc) {
            BenchUsageError(program, std::string(what) + " needs a value");
        }
        return argv[++i];
    };
    if (arg == "-I") {
        project.includeDirs.push_back(next("-I"));
    } else if (arg.rfind("-I", 0) == 0) {
        project.includeDirs.push_back(arg.substr(2));
    } else if (arg == "-D") {
        project.defines.push_back(ParseProjectDefine(program, next("-D")));
    } else if (arg.rfind("-D", 0) == 0) {
        project.defines.push_back(ParseProjectDefine(program, arg.substr(2)));
    } else if (arg == "--by-name") {
        project.byName = true;
    } else {
        return false;
    }
    return true;
}

// Runs a function on a thread with a large stack (the splitter, the parser
// and the unit tree recurse with the nesting of the source).
inline void RunWithLargeStack(const std::function<void()>& work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 512u * 1024u * 1024u);
    pthread_t thread;
    auto call = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    if (pthread_create(&thread, &attributes, call, const_cast<std::function<void()>*>(&work)) !=
        0) {
        work();
    } else {
        pthread_join(thread, nullptr);
    }
    pthread_attr_destroy(&attributes);
}
