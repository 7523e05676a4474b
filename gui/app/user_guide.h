// SPDX-License-Identifier: MIT
// The user guide carried inside the program: its bytes, read from the program's resources.
#pragma once

#include <string>

#include <QString>

namespace korvexer::gui {

enum class UserGuideLoad { Loaded, Missing, Unreadable };

// The resource path of the guide (GBK text with CR LF line ends).
QString UserGuideResource();

// Reads the guide at `resource` into `bytes`, unchanged. Missing when there is no such resource,
// Unreadable when it exists but cannot be read; `bytes` is then empty.
UserGuideLoad LoadUserGuide(std::string& bytes, const QString& resource = UserGuideResource());

// The guide (GBK, CR LF) as UTF-8 with LF line ends, the text files of Linux desktops.
std::string GuideAsUtf8(const std::string& gbkGuide);

// The guide as the text file of this platform holds it, readable in its editors: unchanged on
// Windows, GuideAsUtf8 elsewhere.
std::string GuideForPlatform(const std::string& gbkGuide);

}  // namespace korvexer::gui
