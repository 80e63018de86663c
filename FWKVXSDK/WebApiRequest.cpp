#include "FWKVXSDK/WebApiRequest.h"

namespace {
WebApiRequest start(std::string method, std::string url, const std::optional<std::string>& origin)
{
    WebApiRequest request;
    request.method = std::move(method);
    request.url = std::move(url);
    // The scanners expect the PC's address first; without one the header is left out.
    if (origin) {
        request.headers.emplace_back("Origin", *origin);
    }
    return request;
}
} // namespace

WebApiRequest WebApiRequest::query(std::string url, const std::optional<std::string>& origin)
{
    WebApiRequest request = start("GET", std::move(url), origin);
    // The misspelt name is what the scanners have always been sent.
    request.headers.emplace_back("Accept-encording", "identity");
    request.headers.emplace_back("Cache-Control", "no-cache");
    request.withoutDefaults.emplace_back("Accept");
    return request;
}

WebApiRequest WebApiRequest::lock(std::string url, const std::optional<std::string>& origin)
{
    WebApiRequest request = start("POST", std::move(url), origin);
    request.headers.emplace_back("Content-Type", "application/x-www-form-urlencoded");
    request.headers.emplace_back("Accept", "application/json");
    request.body = std::string();
    return request;
}

WebApiRequest WebApiRequest::deletion(std::string url, const std::optional<std::string>& origin, std::string body)
{
    WebApiRequest request = start("DELETE", std::move(url), origin);
    request.headers.emplace_back("Accept", "application/json");
    request.withoutDefaults.emplace_back("Content-Type");
    request.body = std::move(body);
    return request;
}

WebApiRequest WebApiRequest::upload(std::string url, const std::optional<std::string>& origin, std::string body)
{
    WebApiRequest request = start("PUT", std::move(url), origin);
    request.headers.emplace_back("Content-Type", "application/json; charset=UTF-8");
    request.headers.emplace_back("Content-Length", std::to_string(body.size()));
    request.withoutDefaults.emplace_back("Accept");
    request.body = std::move(body);
    return request;
}
