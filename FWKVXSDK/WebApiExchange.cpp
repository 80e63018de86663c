#include "FWKVXSDK/WebApiExchange.h"

#include <cerrno>
#include <chrono>
#include <memory>
#include <mutex>

#include <curl/curl.h>

namespace {
void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

struct Sink {
    std::string body;
    bool overflow = false;
};

size_t collect(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    size_t bytes = size * count;
    if (sink->body.size() + bytes > WebApiExchange::kMaxBodyBytes) {
        sink->overflow = true;
        return 0; // aborts the transfer
    }
    sink->body.append(data, bytes);
    return bytes;
}

WebApiFailure::Reason transportFailure(CURL* easy, CURLcode result, bool overflow)
{
    using Reason = WebApiFailure::Reason;
    if (overflow) {
        return Reason::AnswerTooLarge;
    }
    switch (result) {
    case CURLE_COULDNT_CONNECT: {
        long osError = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osError);
        return osError == ECONNREFUSED ? Reason::ConnectionRefused : Reason::Unreachable;
    }
    case CURLE_COULDNT_RESOLVE_HOST:
        return Reason::Unreachable;
    case CURLE_OPERATION_TIMEDOUT:
        return Reason::TimedOut;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
        return Reason::TlsHandshake;
    default:
        return Reason::NoAnswer;
    }
}

bool appendHeader(std::unique_ptr<curl_slist, ListDeleter>& list, const std::string& line)
{
    curl_slist* extended = curl_slist_append(list.get(), line.c_str());
    if (!extended) {
        return false;
    }
    list.release();
    list.reset(extended);
    return true;
}
} // namespace

WebApiResponse WebApiExchange::perform(const WebApiRequest& request)
{
    initialiseOnce();
    WebApiResponse response;
    // Out of memory before anything was sent: no answer.
    response.failure = {WebApiFailure::Reason::NoAnswer, 0, "the request could not be set up"};
    std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
    if (!easy) {
        return response;
    }
    CURL* h = easy.get();

    std::unique_ptr<curl_slist, ListDeleter> headers;
    bool listOk = true;
    for (const auto& [name, value] : request.headers) {
        listOk = listOk && appendHeader(headers, name + ": " + value);
    }
    for (const auto& name : request.withoutDefaults) {
        listOk = listOk && appendHeader(headers, name + ":"); // "Name:" removes the stack's own header
    }
    listOk = listOk && appendHeader(headers, "Expect:");
    if (!listOk) {
        return response;
    }

    response.failure = {};
    Sink sink;
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);
    curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
    // The path goes out as it was joined: "." or ".." from a scanner's identifier
    // must not make the request land on another resource.
    curl_easy_setopt(h, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "https");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(h, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_SESSIONID_CACHE, 0L);
    // Scanners present certificates nobody vouches for.
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
    // Scanners stay in service for a decade, and older firmware speaks only
    // TLS 1.0 or 1.1 with keys and signatures that the system's default
    // security level refuses. The certificate is not checked anyway, so this
    // connection, and only this one, accepts them.
    curl_easy_setopt(h, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_0));
    curl_easy_setopt(h, CURLOPT_SSL_CIPHER_LIST, "DEFAULT@SECLEVEL=0");
    // A request goes to the scanner and nowhere else, whatever the environment says.
    curl_easy_setopt(h, CURLOPT_PROXY, "");
    curl_easy_setopt(h, CURLOPT_NOPROXY, "*");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, kResourceTimeoutMs);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, kResourceTimeoutMs);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, kIdleTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);

    if (request.method == "POST") {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
    } else if (request.method != "GET") {
        curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    }
    if (request.body) {
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body->size()));
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.body->c_str());
    }

    const auto start = std::chrono::steady_clock::now();
    CURLcode result = curl_easy_perform(h);
    response.elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    if (result != CURLE_OK || sink.overflow) {
        // A broken, timed-out or oversized answer is no answer: never evaluate a
        // partial body as if it were the scanner's word.
        using Reason = WebApiFailure::Reason;
        response.failure.reason = transportFailure(h, result, sink.overflow);
        // The transport's words help where the reason alone leaves the cause open.
        const Reason reason = response.failure.reason;
        if (reason == Reason::TlsHandshake || reason == Reason::NoAnswer || reason == Reason::Unreachable) {
            response.failure.detail = errorText;
        }
        return response;
    }
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    response.status = status;
    response.body = std::move(sink.body);
    if (status != 200) {
        response.failure.reason = WebApiFailure::Reason::HttpStatus;
        response.failure.httpStatus = status;
    } else if (response.body.empty()) {
        response.failure.reason = WebApiFailure::Reason::EmptyAnswer;
    }
    return response;
}
