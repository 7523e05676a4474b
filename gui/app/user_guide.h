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

}  // namespace korvexer::gui
