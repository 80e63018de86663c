#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ErrorMessage.h"

// A fixed table from result code to localised texts. The texts are looked up
// once, when the catalogue is made; a later change of language does not affect
// an existing catalogue. Every entry carries the title text for "ErrorTitle".
class ErrorCatalogue {
public:
    using Dictionary = std::map<std::string, std::shared_ptr<const ErrorMessage>>;

    // nullopt when the code is not in the catalogue.
    std::optional<std::string> GetTitle(int32_t code) const;
    std::optional<std::string> GetMessage(int32_t code) const;
    bool IsSupport(int32_t code) const;

protected:
    // Rows of (code, message key), in table order.
    explicit ErrorCatalogue(const std::vector<std::pair<int32_t, const char*>>& rows);

    const Dictionary& dictionary() const { return mDictionary; }

private:
    const ErrorMessage* find(int32_t code) const;

    const Dictionary mDictionary;
};
