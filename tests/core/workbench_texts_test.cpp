// SPDX-License-Identifier: MIT
// Tests that the main window's GBK texts read as the Chinese they are meant to be.
#include "core/app/workbench_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/platform/gbk_text.h"

namespace korvexer {
namespace {

TEST(WorkbenchTexts, DecodeToTheIntendedWording) {
    const std::vector<std::pair<std::string_view, std::string>> cases = {
        {texts::kCompanyEmpty, u8"产品商号不能为空，请输入！"},
        {texts::kProductEmpty, u8"产品型号不能为空，请选择！"},
        {texts::kMainSourceEmpty, u8"入口主源码文件名字段不能为空，请输入！"},
        {texts::kApplicationEmpty, u8"可执行程序名不能为空，请输入！"},
        {texts::kFieldTooLong, u8"输入的内容不能超过%d个字节，请修改！"},
        {texts::kSaveRecordFailed, u8"保存文件时出错，请确认可执行程序路径正确！"},
        {texts::kStepRecordFailed, u8"保存数据文件时出错，请确认可执行程序路径正确！"},
        {texts::kSettingsWriteFailed, u8"保存设置时出错，请确认设置文件可以写入！"},
        {texts::kSaved, u8"保存完毕！"},
        {texts::kSaveBeforeClose, u8"数据变动过，关闭前保存吗！"},
        {texts::kFilesRefused, u8"添加的文件中有重复或者Korvex客户端自带情况，这些文件被取消!"},
        {texts::kDeleteAllQuestion, u8"确实要删除列表中所有记录吗？"},
        {texts::kHelpNotFound, u8"找不到帮助文件!"},
        {texts::kHelpLoadFailed, u8"装载帮助文件出错!"},
        {texts::kHelpWriteFailed, u8"打开帮助文件时出错!"},
        {texts::kCaptionSystem, u8"系统提示"},
        {texts::kCaptionInformation, u8"提示信息"},
        {texts::kSourceFilterFormat, u8"源码文件(%s)|%s|所有文件(*.*)|*.*|"},
        {texts::kApplicationFilter,
         u8"应用程序(*.exe;*.dll;*.class)|*.exe;*.dll;*.class|所有文件(*.*)|*.*|"},
    };
    for (const auto& [gbkText, utf8] : cases) {
        Expected<std::string> decoded = gbk::ToUtf8(gbkText);
        ASSERT_TRUE(decoded) << utf8;
        EXPECT_EQ(*decoded, utf8);
    }
}

}  // namespace
}  // namespace korvexer
