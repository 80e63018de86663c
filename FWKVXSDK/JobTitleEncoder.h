#pragma once

#include <string>

// The form in which a scanner takes a job's name: UTF-16 little-endian with the
// byte-order mark FF FE, in standard Base64 with padding, broken into lines of
// 64 characters joined by CR LF (no line break after the last line).
class JobTitleEncoder {
public:
    static std::string encode(const std::string& utf8Name);

    // UTF-16LE bytes with the byte-order mark; a byte sequence that is not valid
    // UTF-8 becomes U+FFFD, so any name can be sent.
    static std::string utf16leWithBom(const std::string& utf8);
    static std::string base64(const std::string& bytes);
};
