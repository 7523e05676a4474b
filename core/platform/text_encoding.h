// SPDX-License-Identifier: MIT
// TextEncoding and SourceEncoding: how a source file's bytes make characters (GBK or UTF-8), the
// project's choice of it, and the character steps that depend on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvexer {

// How the bytes of one file make characters. In GBK a byte of 0x81 or more takes the byte after
// it, whatever it is; in UTF-8 no byte ever takes a byte below 0x80, so a search for such a byte
// is a plain byte search.
enum class TextEncoding : std::uint8_t { Gbk, Utf8 };

// The project's choice: decided per file (the default), or fixed.
enum class SourceEncoding : std::uint8_t { Automatic, Gbk, Utf8 };

// The settings file's text of a choice ("auto", "gbk", "utf-8"), and the choice a text names:
// anything else, the empty text included, is automatic.
std::string_view SourceEncodingText(SourceEncoding encoding);
SourceEncoding SourceEncodingNamed(std::string_view text);

// Whether `bytes` start with the UTF-8 byte-order mark.
bool HasUtf8Bom(std::string_view bytes);
// Whether `bytes` are valid UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF); a
// sequence that the end of the bytes cuts short counts as valid, since a read limit may cut it.
// `multibyte`, when given, tells whether they hold a character of more than one byte.
bool IsValidUtf8(std::string_view bytes, bool* multibyte = nullptr);
// Whether `bytes` are valid GBK: every byte from 0x81 to 0xFE followed by one from 0x40 to 0xFE
// other than 0x7F, no 0x80 or 0xFF alone; a lead byte that ends the bytes counts as valid.
bool IsValidGbk(std::string_view bytes);

// The encoding of a file whose first bytes are `bytes`, under the project's choice: automatic
// takes UTF-8 for a file that starts with the byte-order mark or is valid UTF-8 holding at least
// one character of more than one byte, and GBK otherwise (pure ASCII reads alike either way).
// `undecodable`, when given, tells whether a fixed choice does not decode the bytes; they are
// still read as that encoding, byte for byte.
TextEncoding EncodingOf(SourceEncoding choice, std::string_view bytes, bool* undecodable = nullptr);

// The width of the character that starts at `pos` of `text`: in GBK 2 for a lead byte followed by
// another byte, else 1; in UTF-8 the lead byte and the continuation bytes (0x80 to 0xBF) after it
// that its sequence calls for, else 1.
std::size_t CharWidthAt(std::string_view text, std::size_t pos, TextEncoding encoding);
// Whether the byte at `pos` lies inside a character that starts before it, given that `boundary`
// (at or before `pos`) starts a character: in GBK the second byte of a two-byte character; in
// UTF-8 a continuation byte. A byte below 0x80 lies inside a character only in GBK.
bool IsInsideCharacterAt(std::string_view text, std::size_t boundary, std::size_t pos,
                         TextEncoding encoding);

}  // namespace korvexer
