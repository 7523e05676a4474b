// SPDX-License-Identifier: MIT
// The fault-injecting file system of the tests.
#include "tests/support/faulty_file_system.h"

#include <functional>
#include <utility>

namespace korvexer::test_support {

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class FaultyOutput : public OutputFile {
public:
    FaultyOutput(std::unique_ptr<OutputFile> inner, bool failWrite, bool failFlush, bool failClose,
                 std::function<void()> beforeWrite = {})
        : m_inner(std::move(inner)),
          m_failWrite(failWrite),
          m_failFlush(failFlush),
          m_failClose(failClose),
          m_beforeWrite(std::move(beforeWrite)) {}
    const std::string& path() const override { return m_inner->path(); }
    Status Write(std::string_view data) override {
        if (m_beforeWrite) std::exchange(m_beforeWrite, {})();
        // A full disk takes part of the data before it fails.
        if (m_failWrite) {
            (void)m_inner->Write(data.substr(0, data.size() / 2));
            return Error{"injected: no space left on the device", path(), ErrorKind::DiskFull};
        }
        return m_inner->Write(data);
    }
    Status Flush() override {
        if (m_failFlush) return Error{"injected: cannot flush", path()};
        return m_inner->Flush();
    }
    Status Close() override {
        Status closed = m_inner->Close();
        if (m_failClose) return Error{"injected: cannot close", path()};
        return closed;
    }

private:
    std::unique_ptr<OutputFile> m_inner;
    bool m_failWrite, m_failFlush, m_failClose;
    std::function<void()> m_beforeWrite;
};

}  // namespace

void FaultyFileSystem::FailOn(Step step, std::string nameEnd) {
    m_faults.emplace(step, Fault{std::move(nameEnd), false, false});
}

void FaultyFileSystem::FailOnce(Step step, std::string nameEnd) {
    m_faults.emplace(step, Fault{std::move(nameEnd), true, false});
}

void FaultyFileSystem::Before(Step step, std::string nameEnd, std::function<void()> action) {
    m_actions.push_back({step, std::move(nameEnd), std::move(action)});
}

void FaultyFileSystem::RunActions(Step step, const std::string& name) {
    for (Action& action : m_actions) {
        if (action.step != step || !action.run || !EndsWith(name, action.nameEnd)) continue;
        std::exchange(action.run, {})();
    }
}

bool FaultyFileSystem::Fails(Step step, const std::string& name) {
    auto [begin, end] = m_faults.equal_range(step);
    for (auto it = begin; it != end; ++it) {
        Fault& fault = it->second;
        if (fault.spent || !EndsWith(name, fault.nameEnd)) continue;
        if (fault.once) fault.spent = true;
        return true;
    }
    return false;
}

Expected<FileContent> FaultyFileSystem::Read(const std::string& path, std::size_t limit) {
    if (Fails(Step::Read, path)) return Error{"injected: cannot read", path};
    return inner().Read(path, limit);
}

Expected<std::unique_ptr<OutputFile>> FaultyFileSystem::CreateTemporary(
    const std::string& directory, const std::string& stem) {
    // ReplaceFile names its temporary files "." + the target's name.
    const std::string target = stem.size() > 1 && stem[0] == '.' ? stem.substr(1) : stem;
    RunActions(Step::CreateTemporary, target);
    if (Fails(Step::CreateTemporary, target))
        return Error{"injected: cannot create a temporary file", directory};
    Expected<std::unique_ptr<OutputFile>> file = inner().CreateTemporary(directory, stem);
    if (!file) return file;
    m_temporaries.push_back((*file)->path());
    m_targetOfTemporary[(*file)->path()] = target;
    std::function<void()> beforeWrite = [this, target] { RunActions(Step::Write, target); };
    return std::unique_ptr<OutputFile>(std::make_unique<FaultyOutput>(
        std::move(*file), Fails(Step::Write, target), Fails(Step::Flush, target),
        Fails(Step::Close, target), std::move(beforeWrite)));
}

Expected<std::unique_ptr<OutputFile>> FaultyFileSystem::OpenForOverwrite(const std::string& path) {
    m_replaced.push_back(path);
    Expected<std::unique_ptr<OutputFile>> file = inner().OpenForOverwrite(path);
    if (!file) return file;
    // A file written in place fails as a temporary file would.
    return std::unique_ptr<OutputFile>(
        std::make_unique<FaultyOutput>(std::move(*file), Fails(Step::Write, path),
                                       Fails(Step::Flush, path), Fails(Step::Close, path)));
}

Status FaultyFileSystem::SetPermissions(const std::string& path, std::uint32_t permissions) {
    auto target = m_targetOfTemporary.find(path);
    if (target != m_targetOfTemporary.end() && Fails(Step::SetPermissions, target->second))
        return Error{"injected: cannot set permissions", path};
    return inner().SetPermissions(path, permissions);
}

Status FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
    RunActions(Step::Rename, to);
    if (Fails(Step::Rename, to)) return Error{"injected: cannot rename", to};
    Status status = inner().Rename(from, to);
    if (status) m_replaced.push_back(to);
    return status;
}

}  // namespace korvexer::test_support
