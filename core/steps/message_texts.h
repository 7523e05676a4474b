// SPDX-License-Identifier: MIT
// The GBK texts that the main window's messages share with the step dialogs': the two captions and
// the request for the main source file.
#pragma once

#include <string_view>

namespace korvexer::texts {

// "入口主源码文件名字段不能为空，请输入！": save, and opening the constant step: the main
// source file field is empty
inline constexpr std::string_view kMainSourceEmpty =
    "\xC8\xEB\xBF\xDA\xD6\xF7\xD4\xB4\xC2\xEB\xCE\xC4\xBC\xFE\xC3\xFB\xD7\xD6\xB6\xCE\xB2\xBB\xC4"
    "\xDC\xCE\xAA\xBF\xD5\xA3\xAC\xC7\xEB\xCA\xE4\xC8\xEB\xA3\xA1";
// "系统提示": message caption
inline constexpr std::string_view kCaptionSystem = "\xCF\xB5\xCD\xB3\xCC\xE1\xCA\xBE";
// "提示信息": message caption
inline constexpr std::string_view kCaptionInformation = "\xCC\xE1\xCA\xBE\xD0\xC5\xCF\xA2";

}  // namespace korvexer::texts
