#include "ScannerAddress.h"

#include <arpa/inet.h>

bool ScannerAddress::isDottedIPv4(const std::string& text)
{
    in_addr address{};
    return text.find('\0') == std::string::npos && ::inet_pton(AF_INET, text.c_str(), &address) == 1;
}
