#pragma once

#include <string>

// Addresses that a user types for a scanner.
class ScannerAddress {
public:
    // Dotted decimal IPv4 ("192.0.2.7"): four numbers 0 to 255, no leading
    // zeros, nothing around them. Anything else is never sent to: it would
    // become part of a request's URL as typed.
    static bool isDottedIPv4(const std::string& text);
};
