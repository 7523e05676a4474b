// SPDX-License-Identifier: MIT
// FaultyFileSystem: the real file system with chosen steps failing for chosen files, and a count
// of what was written.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/forwarding_file_system.h"

namespace korvexer::test_support {

class FaultyFileSystem : public ForwardingFileSystem {
public:
    FaultyFileSystem() : ForwardingFileSystem(FileSystem::Real()) {}

    enum class Step { Read, CreateTemporary, Write, Flush, Close, SetPermissions, Rename };

    // Makes `step` fail for every file whose name ends with `nameEnd` ("" for all files). For the
    // steps of a temporary file the name is that of the file it is to replace ("main.cpp", or
    // "main.cpp~" for a backup); for Rename it is the target.
    void FailOn(Step step, std::string nameEnd = "");
    // As FailOn, but only the first time the step is taken for such a file.
    void FailOnce(Step step, std::string nameEnd = "");

    // Runs `action` once, just before `step` is taken for a file whose name ends with `nameEnd`
    // (named as for FailOn): another program at work on the file while it is being replaced.
    // Only the steps of a temporary file (CreateTemporary, Write, Rename) are watched.
    void Before(Step step, std::string nameEnd, std::function<void()> action);

    // The targets that were replaced by a rename or written in place, in order.
    const std::vector<std::string>& replacedFiles() const { return m_replaced; }
    // Temporary files created so far (they should all be gone after a failure).
    const std::vector<std::string>& temporaryFiles() const { return m_temporaries; }

    Expected<FileContent> Read(const std::string& path, std::size_t limit) override;
    Expected<std::unique_ptr<OutputFile>> CreateTemporary(const std::string& directory,
                                                          const std::string& stem) override;
    Expected<std::unique_ptr<OutputFile>> OpenForOverwrite(const std::string& path) override;
    Status SetPermissions(const std::string& path, std::uint32_t permissions) override;
    Status Rename(const std::string& from, const std::string& to) override;

private:
    bool Fails(Step step, const std::string& name);
    void RunActions(Step step, const std::string& name);

    struct Fault {
        std::string nameEnd;
        bool once = false;
        bool spent = false;
    };
    std::multimap<Step, Fault> m_faults;
    struct Action {
        Step step;
        std::string nameEnd;
        std::function<void()> run;
    };
    std::vector<Action> m_actions;
    std::map<std::string, std::string> m_targetOfTemporary;  // temporary path -> target name
    std::vector<std::string> m_replaced;
    std::vector<std::string> m_temporaries;
};

}  // namespace korvexer::test_support
