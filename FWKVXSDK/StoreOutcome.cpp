#include "FWKVXSDK/StoreOutcome.h"

#include <system_error>

std::string StoreOutcome::reason() const
{
    return succeeded() ? std::string() : std::generic_category().message(error);
}
