// SPDX-License-Identifier: MIT
// What a step knows of its source files.
#include "core/steps/step_sources.h"

#include <string_view>

namespace korvexer {

namespace {

// "文件“"
constexpr std::string_view kNoticeFile = "\xCE\xC4\xBC\xFE\xA1\xB0";
// "”中没有所选语言的换行符，已按文件自己的换行符分行；如需改动，请在编程语言旁的“...”中设置换行符。"
constexpr std::string_view kNoticeOtherBreak =
    "\xA1\xB1\xD6\xD0\xC3\xBB\xD3\xD0\xCB\xF9\xD1\xA1\xD3\xEF\xD1\xD4\xB5\xC4\xBB\xBB\xD0\xD0\xB7"
    "\xFB\xA3"
    "\xAC\xD2\xD1\xB0\xB4\xCE\xC4\xBC\xFE\xD7\xD4\xBC\xBA\xB5\xC4\xBB\xBB\xD0\xD0\xB7\xFB\xB7\xD6"
    "\xD0\xD0"
    "\xA3\xBB\xC8\xE7\xD0\xE8\xB8\xC4\xB6\xAF\xA3\xAC\xC7\xEB\xD4\xDA\xB1\xE0\xB3\xCC\xD3\xEF\xD1"
    "\xD4\xC5"
    "\xD4\xB5\xC4\xA1\xB0...\xA1\xB1\xD6\xD0\xC9\xE8\xD6\xC3\xBB\xBB\xD0\xD0\xB7\xFB\xA1\xA3";
// "”不能按所选的源码编码解读，已按原字节处理，不会改坏；如需改动，请改选“源码编码”。"
constexpr std::string_view kNoticeUndecodable =
    "\xA1\xB1\xB2\xBB\xC4\xDC\xB0\xB4\xCB\xF9\xD1\xA1\xB5\xC4\xD4\xB4\xC2\xEB\xB1\xE0\xC2\xEB\xBD"
    "\xE2"
    "\xB6\xC1\xA3\xAC\xD2\xD1\xB0\xB4\xD4\xAD\xD7\xD6\xBD\xDA\xB4\xA6\xC0\xED\xA3\xAC\xB2\xBB\xBB"
    "\xE1"
    "\xB8\xC4\xBB\xB5\xA3\xBB\xC8\xE7\xD0\xE8\xB8\xC4\xB6\xAF\xA3\xAC\xC7\xEB\xB8\xC4\xD1\xA1\xA1"
    "\xB0"
    "\xD4\xB4\xC2\xEB\xB1\xE0\xC2\xEB\xA1\xB1\xA1\xA3";

}  // namespace

StepSources::StepSources(FileSystem& fs) : m_fs(fs) {
    m_encodings.emplace(m_fs, m_choice);
}

void StepSources::SetChoice(SourceEncoding choice) {
    m_choice = choice;
    m_encodings.emplace(m_fs, m_choice);
    m_notices.clear();
}

void StepSources::TakeScan(const SourceScanner& scanner) {
    m_encodings->Note(scanner.encodings());
    m_notices = scanner.notices();
}

std::vector<std::string> StepSources::NoticeLines() const {
    std::vector<std::string> lines;
    for (const ScanNotice& notice : m_notices) {
        std::string line(kNoticeFile);
        line += notice.path;
        line += notice.kind == ScanNotice::Kind::OtherLineBreak ? kNoticeOtherBreak
                                                                : kNoticeUndecodable;
        lines.push_back(std::move(line));
    }
    return lines;
}

TextEncoding StepSources::EncodingOf(const std::string& path) {
    return m_encodings->Of(path);
}

}  // namespace korvexer
