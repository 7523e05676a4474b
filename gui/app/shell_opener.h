// SPDX-License-Identifier: MIT
// ShellOpener: hands a file to the system's handler for its type, behind an interface for tests.
#pragma once

#include <QString>

namespace korvexer::gui {

class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // Asks the system to open the local file `path`; false when it refused.
    virtual bool Open(const QString& path) = 0;
};

// The ShellOpener of the running program: QDesktopServices.
class QtShellOpener : public ShellOpener {
public:
    bool Open(const QString& path) override;
};

}  // namespace korvexer::gui
