#include "CaughtException.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <typeinfo>

#include "RequestLog.h"
#include "SystemLog.h"

namespace {
std::string readableTypeName(const std::type_info* type)
{
    if (type == nullptr) {
        return "unknown exception";
    }
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status),
                                                           &std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type->name());
}
} // namespace

std::string CaughtException::describe()
{
    const std::string type = readableTypeName(abi::__cxa_current_exception_type());
    try {
        throw;
    } catch (const std::exception& exception) {
        return type + ": " + exception.what();
    } catch (...) {
        return type;
    }
}

void CaughtException::record(const std::string& where)
{
    const std::string line = where + ": caught " + describe();
    SystemLog::write(line);
    RequestLog::write(line);
}
