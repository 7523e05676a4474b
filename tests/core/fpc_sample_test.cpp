// SPDX-License-Identifier: MIT
// Scans a fixed sample of real Delphi-style code (the Free Pascal sources, read in place) and
// checks finds that were verified by reading those files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "core/language/language_defaults.h"
#include "core/list/list_texts.h"
#include "core/scanner/buffer_scan.h"
#include "core/scanner/source_scanner.h"

namespace korvexer {
namespace {

const std::string kFclBase = "/usr/share/fpcsrc/3.2.2/packages/fcl-base/src/";

// The sample, with the line of each file's "implementation".
const std::map<std::string, std::size_t> kImplementationLine = {
    {"iostream.pp", 43}, {"nullstream.pp", 46}, {"singleinstance.pp", 74},
    {"base64.pp", 92},   {"pascodegen.pp", 81}, {"contnrs.pp", 600},
};

struct Find {
    std::string file;
    std::size_t line;
    std::string row;  // type|value|state|position for constants; name|substitute|state|position
};

class FpcSample : public ::testing::Test {
protected:
    void SetUp() override {
        struct stat info {};
        if (stat(kFclBase.c_str(), &info) != 0)
            GTEST_SKIP() << kFclBase
                         << " is missing: scripts/install-deps installs fpc-source-3.2.2";
        m_language = LoaderDefaults(3);
        m_language.carryreturn = {'\n', 0};
    }

    // Scans the sample in a fixed order and returns the finds, checking on the way that no row
    // lies before (or on) its file's implementation line.
    std::vector<Find> Scan(ScanMode mode, RowList& rows) {
        FixedClock clock(0);
        SourceScanner scanner(FileSystem::Real(), m_language, clock);
        std::uint32_t counter = 1024;
        for (const auto& [file, implementation] : kImplementationLine)
            EXPECT_TRUE(scanner.ScanFile(rows, kFclBase + file, counter, mode).ok()) << file;
        std::vector<Find> finds;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::string file = rows.Text(i, 4).substr(kFclBase.size());
            const std::string& position = rows.Text(i, 5);
            std::size_t line = std::stoul(position.substr(0, position.find(':')));
            EXPECT_GT(line, kImplementationLine.at(file)) << file << " " << position;
            finds.push_back(
                {file, line,
                 rows.Text(i, 1) + "|" + rows.Text(i, 2) + "|" + rows.Text(i, 3) + "|" + position});
        }
        return finds;
    }

    static bool Has(const std::vector<Find>& finds, const std::string& file,
                    const std::string& row) {
        for (const Find& find : finds)
            if (find.file == file && find.row == row) return true;
        return false;
    }
    static bool HasLine(const std::vector<Find>& finds, const std::string& file, std::size_t line) {
        for (const Find& find : finds)
            if (find.file == file && find.line == line) return true;
        return false;
    }

    LanguageDefinition m_language;
};

TEST_F(FpcSample, Constants) {
    RowList rows;
    std::vector<Find> finds = Scan(ScanMode::Constants, rows);
    const std::string number(texts::kTypeNumber);
    const std::string string(texts::kTypeString);
    EXPECT_FALSE(HasLine(finds, "nullstream.pp", 118));               // FPos:=0;
    EXPECT_FALSE(HasLine(finds, "nullstream.pp", 119));               // FSize:=0;
    EXPECT_TRUE(Has(finds, "base64.pp", string + "|=||139:23"));      // WriteBuf[2] := '=';
    EXPECT_TRUE(Has(finds, "base64.pp", number + "|3||177:15"));      // ReadNow := 3 - BufSize;
    EXPECT_TRUE(Has(finds, "base64.pp", number + "|-1||212:17"));     // DecodedSize := -1; //
    EXPECT_TRUE(Has(finds, "contnrs.pp", number + "|-1||1733:12"));   // Result:=$ffffffff;
    EXPECT_TRUE(Has(finds, "pascodegen.pp", string + "|&||190:18"));  // FKeywordPrefix:='&';
    EXPECT_TRUE(Has(finds, "pascodegen.pp", string + "|||259:22"));   // OutputUnitName:='';
    // Result:=''''+Result+''''; ends in a doubled quote: no row.
    EXPECT_FALSE(HasLine(finds, "pascodegen.pp", 363));
    // Keys grow in steps of the fixed clock's 271.
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows.Text(i, 0), std::to_string(1024 + 271 * (i + 1)));
}

TEST_F(FpcSample, Calls) {
    RowList rows;
    std::vector<Find> finds = Scan(ScanMode::Calls, rows);
    EXPECT_TRUE(Has(finds, "iostream.pp", "Ord|||74:11"));        // FType := Ord(aIOSType);
    EXPECT_TRUE(Has(finds, "nullstream.pp", "create|||117:12"));  // inherited create(0);
    EXPECT_TRUE(Has(finds, "base64.pp", "Move|||179:4"));  // Move(p^, Buf[BufSize], ReadNow);
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows.Text(i, 0), std::to_string(i + 1));
}

// The rows of `bytes` as the scan's walk `walk` gives them, joined into one text.
std::string RowsOfWalk(const LanguageDefinition& language, const std::string& bytes, ScanMode mode,
                       ScanWalk walk, block_kernels::InstructionSet set) {
    const FixedClock clock(1700000000);
    const StatementRules rules(language, TextEncoding::Gbk);
    const StatementExtractor extractor(language, clock, TextEncoding::Gbk);
    RowList rows;
    std::uint32_t counter = 1024;
    BufferScan(rules, extractor, mode, walk, set).Run(bytes, rows, "f", counter);
    std::string joined;
    for (const Row& row : rows.rows())
        for (const std::string& column : row.columns) joined += column + "|";
    return joined;
}

TEST_F(FpcSample, ThePlainWalkGivesTheExactRowsOfRealCode) {
    // Real code read as every built-in language, with LF and CR LF breaks: its comments, markers
    // and literals are what random sources do not make.
    std::vector<std::string> sources;
    for (const auto& entry : std::filesystem::directory_iterator(kFclBase)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        sources.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ASSERT_GT(sources.size(), 30u);
    std::size_t plain = 0;
    for (std::int32_t base = 0; base < kLanguageCount; ++base)
        for (const LineBreak lineBreak : {LineBreak{'\n', 0}, LineBreak{'\r', '\n'}}) {
            LanguageDefinition language = LoaderDefaults(base);
            language.carryreturn = lineBreak;
            const FixedClock clock(0);
            const StatementRules rules(language, TextEncoding::Gbk);
            const StatementExtractor extractor(language, clock, TextEncoding::Gbk);
            for (ScanMode mode : {ScanMode::Constants, ScanMode::Calls})
                for (const std::string& bytes : sources) {
                    const std::string exact = RowsOfWalk(language, bytes, mode, ScanWalk::Exact,
                                                         block_kernels::InstructionSet::Portable);
                    for (const block_kernels::InstructionSet set : block_kernels::Available())
                        ASSERT_EQ(RowsOfWalk(language, bytes, mode, ScanWalk::Fastest, set), exact)
                            << "language " << base << ", set " << block_kernels::NameOf(set);
                    plain += BufferScan(rules, extractor, mode).WalksPlainly(bytes);
                }
        }
    // With LF breaks the files fit the plain walk; with CR LF each is one line, cut, and exact.
    EXPECT_GT(plain, sources.size() * kLanguageCount);
}

}  // namespace
}  // namespace korvexer
