// SPDX-License-Identifier: MIT
// GbkCodec: the one place where the window turns GBK bytes into QString and back.
#pragma once

#include <string>
#include <string_view>

#include <QString>

#include "core/platform/text_encoding.h"

namespace korvexer::gui {

// Conversion between the core's GBK text and Qt's text.
class GbkCodec {
public:
    // The text of `gbk` for display; bytes that are no GBK character show as U+FFFD.
    static QString ToQString(std::string_view gbk);
    // The GBK bytes of `text`; characters GBK cannot hold become '?'. Returns false in `exact`
    // (when given) if any character was replaced.
    static std::string FromQString(const QString& text, bool* exact = nullptr);

    // A source file's own bytes in its `encoding`: GBK as above; UTF-8 with every byte that is no
    // UTF-8 character shown as U+FFFD, and taken back exactly.
    static QString ToQString(std::string_view bytes, TextEncoding encoding);
    static std::string FromQString(const QString& text, TextEncoding encoding,
                                   bool* exact = nullptr);
};

}  // namespace korvexer::gui
