#include <gtest/gtest.h>

#include "ScannerAddress.h"

TEST(ScannerAddress, OnlyPlainDottedIPv4IsAnAddress)
{
    for (const char* address : {"127.0.0.2", "0.0.0.0", "255.255.255.255", "192.0.2.7"}) {
        EXPECT_TRUE(ScannerAddress::isDottedIPv4(address)) << address;
    }
    // Names, partial or padded forms, other notations and URL pieces are never sent to.
    for (const char* text : {"", "scanner-7", "127.0.0", "127.0.0.2.1", "127.0.0.256", "127.0.0.02", " 127.0.0.2",
                             "127.0.0.2 ", "0x7f.0.0.1", "2130706434", "::1", "127.0.0.2/api", "127.0.0.2:443",
                             "127.0.0.2#", "VX200:Front desk:A1001"}) {
        EXPECT_FALSE(ScannerAddress::isDottedIPv4(text)) << text;
    }
    EXPECT_FALSE(ScannerAddress::isDottedIPv4(std::string("127.0.0.2\0evil", 14)));
}
