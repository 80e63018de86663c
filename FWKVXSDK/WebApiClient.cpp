#include "FWKVXSDK/WebApiClient.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "FWKVXSDK/JobTitleEncoder.h"
#include "FWKVXSDK/ScannerSettingValues.h"
#include "FWKVXSDK/WebApiExchange.h"
#include "FWKVXSDK/WebApiRequest.h"
#include "FWKVXSDK/WebApiResponse.h"
#include "FWKVXSDK/WebApiTrace.h"
#include "FWKVXSDK/WebApiUrl.h"

namespace {
// Bodies are compact UTF-8; text that is not valid UTF-8 is replaced, never thrown on.
std::string compact(const nlohmann::json& body)
{
    return body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// "internal_code" as an error code: a non-zero value is recorded, zero or absent is not.
void recordCode(ScannerData& scanner, const nlohmann::json& object)
{
    int64_t code = WebApiResponse::integer(object, "internal_code").value_or(0);
    if (code != 0) {
        scanner.setInternalCode(code);
    }
}

// The members shared by the settings and the registration bodies.
void addJobSettings(nlohmann::json& body, const SettingData& job)
{
    if (auto v = ScannerSettingValues::colormode(job.colorMode())) {
        body["colormode"] = *v;
    }
    if (auto v = ScannerSettingValues::scanside(job.readingSurface())) {
        body["scanside"] = *v;
    }
    if (auto v = ScannerSettingValues::resolution(job.resolution())) {
        body["resolution"] = *v;
    }
    if (auto v = ScannerSettingValues::pagesize(job.paperSize())) {
        body["pagesize"] = *v;
    }
    if (auto v = ScannerSettingValues::fileformat(job.fileFormat())) {
        body["fileformat"] = *v;
    }
    if (auto v = ScannerSettingValues::pdfOcr(job.fileFormat())) {
        body["pdf_ocr"] = *v;
    }
    auto destination = job.sendSetting();
    if (destination) {
        if (auto v = ScannerSettingValues::download(destination->destinationType())) {
            body["download"] = *v;
        }
    }
    if (auto v = ScannerSettingValues::autosize(job.paperSize())) {
        body["autosize"] = *v;
        body["deskew"] = *v;
    }
    body["double_feed_detection"] = 1;
    body["document_orientation"] = 0;
}

void addShareFolder(nlohmann::json& body, const SendSetting& destination)
{
    body["destination"] = ScannerSettingValues::sharePath(destination.sendPath());
    body["smb_username"] = ScannerSettingValues::shareUserName(destination.userName());
    body["smb_password"] = destination.password();
}

// One request of an operation: sends it, lets the operation judge the answer,
// then records why the request failed, if it did, in the scanner record and
// reports the request to the trace.
template <typename Evaluate>
auto exchange(ScannerData& scanner, const WebApiRequest& request, Evaluate evaluate)
{
    WebApiResponse response = WebApiExchange::perform(request);
    auto result = evaluate(response);
    scanner.setLastRequestFailure(response.failure);
    WebApiTrace::report({request.method, request.url, response.status, response.elapsed, response.failure});
    return result;
}

// A request that cannot be built is not sent; the record says so.
template <typename Result>
Result notSent(ScannerData& scanner, Result result)
{
    scanner.setLastRequestFailure({WebApiFailure::Reason::NotSent, 0, {}});
    return result;
}

// The body's JSON object; when it has none the answer counts as unreadable.
std::optional<nlohmann::json> readObject(WebApiResponse& response)
{
    auto object = response.object();
    if (!object) {
        response.markUnreadable();
    }
    return object;
}

// Register and delete answer alike: 1 accepted, -1 refused (password), 0 otherwise.
int64_t evaluateJobAnswer(ScannerData& scanner, WebApiResponse& response)
{
    if (!response.usable()) {
        return 0;
    }
    auto object = readObject(response);
    if (!object) {
        return 1;
    }
    int64_t result = WebApiResponse::integer(*object, "result").value_or(0);
    recordCode(scanner, *object);
    switch (result) {
    case 0:
        return 1;
    case -1:
        return -1;
    default:
        return 0;
    }
}
} // namespace

WebApiClient::WebApiClient()
    : mDiscoveryManager(std::make_shared<DiscoveryManager>())
{
    mDiscoveryManager->OpenManager();
    mPcIpAddress = GetIpAddress(std::string("localhost"));
}

WebApiClient::~WebApiClient()
{
    // A client dropped without terminate must not leave the discovery worker behind.
    terminate();
}

std::optional<std::string> WebApiClient::GetIpAddress(const std::optional<std::string>& host)
{
    const std::string name = host.value_or("localhost");
    addrinfo hints{};
    hints.ai_flags = AI_PASSIVE;
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_protocol = IPPROTO_UDP;
    addrinfo* results = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &results) != 0) {
        return std::nullopt;
    }
    std::optional<std::string> address;
    for (addrinfo* it = results; it; it = it->ai_next) {
        if (it->ai_family != AF_INET || !it->ai_addr) {
            continue;
        }
        char text[INET_ADDRSTRLEN] = {};
        const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(it->ai_addr);
        // inet_ntop gives inet_ntoa's dotted decimal without its shared buffer.
        if (inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text)) {
            address = text; // the last IPv4 result wins
        }
    }
    freeaddrinfo(results);
    return address;
}

bool WebApiClient::GetHostListWithCompletion(DiscoveryManager::Completion completion)
{
    std::shared_ptr<DiscoveryManager> manager;
    {
        std::lock_guard<std::mutex> guard(mDiscoveryLock);
        manager = mDiscoveryManager;
    }
    if (!manager) {
        return false;
    }
    return manager->SearchDevice(true, std::move(completion));
}

void WebApiClient::terminate()
{
    std::shared_ptr<DiscoveryManager> manager;
    {
        std::lock_guard<std::mutex> guard(mDiscoveryLock);
        manager.swap(mDiscoveryManager);
    }
    if (manager) {
        manager->CloseManager();
    }
}

bool WebApiClient::GetScannerID(const std::shared_ptr<ScannerData>& scanner)
{
    if (!scanner) {
        return false;
    }
    auto url = WebApiUrl::join(FhttpUri, scanner->scannerIp(), FscanUri, "");
    if (!url) {
        return notSent(*scanner, false);
    }
    return exchange(*scanner, WebApiRequest::query(*url, mPcIpAddress), [&](WebApiResponse& response) {
        if (!response.usable()) {
            return false;
        }
        auto object = readObject(response);
        if (!object) {
            return true;
        }
        auto scanners = object->find("scanners");
        if (scanners == object->end() || !scanners->is_array() || scanners->empty() ||
            !scanners->front().is_object()) {
            response.markUnreadable();
            return true;
        }
        const nlohmann::json& first = scanners->front();
        scanner->setScannerId(WebApiResponse::identifier(first, "scanner_id"));
        scanner->setScannerName(WebApiResponse::string(first, "scanner_name"));
        if (!scanner->scannerId()) {
            response.markUnreadable();
        }
        return true;
    });
}

bool WebApiClient::Lock(const std::shared_ptr<ScannerData>& scanner)
{
    if (!scanner) {
        return false;
    }
    auto id = WebApiUrl::segment(scanner->scannerId());
    auto url = id ? WebApiUrl::join(FhttpUri, scanner->scannerIp(), FscanUri, *id + "/connection") : std::nullopt;
    if (!url) {
        return notSent(*scanner, false);
    }
    return exchange(*scanner, WebApiRequest::lock(*url, mPcIpAddress), [&](WebApiResponse& response) {
        if (!response.usable()) {
            return false;
        }
        auto object = readObject(response);
        if (!object) {
            return true;
        }
        scanner->setConnectId(WebApiResponse::identifier(*object, "connection_id"));
        if (!scanner->connectId()) {
            response.markUnreadable();
        }
        // Only an explicit "no error" clears a code left by an earlier session.
        auto code = object->find("internal_code");
        if (code != object->end() && ((code->is_string() && code->get_ref<const std::string&>() == "0") ||
                                      (code->is_number() && code->get<double>() == 0.0))) {
            scanner->setInternalCode(0);
        }
        return true;
    });
}

int64_t WebApiClient::SetSetting(const std::shared_ptr<ScannerData>& scanner,
                                 const std::shared_ptr<SettingData>& settings)
{
    if (!scanner || !settings) {
        return 0;
    }
    auto id = WebApiUrl::segment(scanner->scannerId());
    auto url = id ? WebApiUrl::join(FhttpUri, scanner->scannerIp(), FscanUri, *id + "/settings") : std::nullopt;
    if (!url) {
        return notSent<int64_t>(*scanner, 0);
    }
    // nlohmann::json objects keep their members sorted by key, as the scanner wants them.
    std::string body = compact(GetJsonForSetSetting(scanner, settings));
    auto request = WebApiRequest::upload(*url, mPcIpAddress, std::move(body));
    return exchange(*scanner, request, [&](WebApiResponse& response) -> int64_t {
        if (!response.usable()) {
            return 0;
        }
        auto object = readObject(response);
        if (!object) {
            return 1;
        }
        int64_t code = WebApiResponse::integer(*object, "internal_code").value_or(0);
        if (code != 0) {
            scanner->setInternalCode(code);
            return 0;
        }
        return 1;
    });
}

bool WebApiClient::Scan(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>&)
{
    if (!scanner) {
        return false;
    }
    auto id = WebApiUrl::segment(scanner->scannerId());
    auto connection = scanner->connectId();
    auto url = id ? WebApiUrl::join(FhttpUri, scanner->scannerIp(), FscanUri, *id + "/scanning") : std::nullopt;
    if (!url || !connection) {
        return notSent(*scanner, false);
    }
    nlohmann::json body = nlohmann::json::object();
    body["connection_id"] = WebApiResponse::identifierJson(*connection);
    body["status"] = 1;
    auto request = WebApiRequest::upload(*url, mPcIpAddress, compact(body));
    return exchange(*scanner, request, [&](WebApiResponse& response) {
        if (!response.usable()) {
            return false;
        }
        if (auto object = readObject(response)) {
            recordCode(*scanner, *object);
        }
        return true;
    });
}

bool WebApiClient::GetStatus(const std::shared_ptr<ScannerData>& scanner)
{
    if (!scanner) {
        return false;
    }
    auto id = WebApiUrl::segment(scanner->scannerId());
    auto connection = WebApiUrl::segment(scanner->connectId());
    auto url = id && connection
        ? WebApiUrl::join(FhttpUri, scanner->scannerIp(), FscanUri, *id + "/scanning?" + *connection + ":")
        : std::nullopt;
    if (!url) {
        return notSent(*scanner, false);
    }
    return exchange(*scanner, WebApiRequest::query(*url, mPcIpAddress), [&](WebApiResponse& response) {
        if (response.status != 200) {
            return false;
        }
        if (response.body.empty()) {
            response.failure = {}; // an empty status answer means the scan goes on
            return true;
        }
        auto object = readObject(response);
        if (!object) {
            return true;
        }
        auto status = WebApiResponse::integer(*object, "status");
        if (!status) {
            response.markUnreadable();
            return false;
        }
        scanner->setStatus(*status);
        if (*status == 2) {
            int64_t code = WebApiResponse::integer(*object, "internal_code").value_or(0);
            if (code != 0) {
                scanner->setInternalCode(code);
                return false;
            }
            return true;
        }
        if (*status == 1) {
            auto detail = WebApiResponse::integer(*object, "internal_status");
            if (!detail) {
                response.markUnreadable();
                return false;
            }
            scanner->setInternalStatus(*detail);
            return true;
        }
        return true;
    });
}

bool WebApiClient::UnLock(const std::shared_ptr<ScannerData>& scanner)
{
    if (!scanner) {
        return false;
    }
    auto id = WebApiUrl::segment(scanner->scannerId());
    auto connection = scanner->connectId();
    auto url = id ? WebApiUrl::join(FhttpUri, scanner->scannerIp(), FscanUri, *id + "/connection") : std::nullopt;
    if (!url || !connection) {
        return notSent(*scanner, false);
    }
    nlohmann::json body = nlohmann::json::object();
    body["connection_id"] = WebApiResponse::identifierJson(*connection);
    auto request = WebApiRequest::deletion(*url, mPcIpAddress, compact(body));
    return exchange(*scanner, request, [&](WebApiResponse& response) {
        if (!response.usable()) {
            return false;
        }
        if (auto object = readObject(response)) {
            recordCode(*scanner, *object);
        }
        return true;
    });
}

int64_t WebApiClient::Register(const std::shared_ptr<ScannerData>& scanner,
                               const std::shared_ptr<SettingData>& settings,
                               const std::optional<std::string>& password)
{
    if (!scanner || !settings) {
        return 0;
    }
    auto url = WebApiUrl::join(FhttpUri, scanner->scannerIp(), FjobUri, "settings");
    if (!url) {
        return notSent<int64_t>(*scanner, 0);
    }
    std::string body = compact(GetJsonForRegister(settings, password));
    auto request = WebApiRequest::upload(*url, mPcIpAddress, std::move(body));
    return exchange(*scanner, request,
                    [&](WebApiResponse& response) { return evaluateJobAnswer(*scanner, response); });
}

int64_t WebApiClient::Delete(const std::shared_ptr<ScannerData>& scanner, const std::optional<std::string>& password,
                             int64_t jobid)
{
    if (!scanner) {
        return 0;
    }
    auto url = WebApiUrl::join(FhttpUri, scanner->scannerIp(), FjobUri, "settings");
    if (!url || !password) {
        return notSent<int64_t>(*scanner, 0);
    }
    nlohmann::json body = nlohmann::json::object();
    body["job_password"] = *password;
    body["job_id"] = jobid;
    auto request = WebApiRequest::deletion(*url, mPcIpAddress, compact(body));
    return exchange(*scanner, request,
                    [&](WebApiResponse& response) { return evaluateJobAnswer(*scanner, response); });
}

nlohmann::json WebApiClient::GetJsonForSetSetting(const std::shared_ptr<ScannerData>& scanner,
                                                  const std::shared_ptr<SettingData>& jobSettingData)
{
    nlohmann::json body = nlohmann::json::object();
    if (scanner) {
        if (auto connection = scanner->connectId()) {
            body["connection_id"] = WebApiResponse::identifierJson(*connection);
        }
    }
    if (!jobSettingData) {
        return body;
    }
    addJobSettings(body, *jobSettingData);
    if (auto destination = jobSettingData->sendSetting()) {
        if (ScannerSettingValues::isShareFolder(destination->destinationType())) {
            addShareFolder(body, *destination);
        } else {
            // Storage on the scanner: the share-folder members carry no real values.
            body["destination"] = "unknown";
            body["smb_username"] = "unknown";
            body["smb_password"] = "unknown";
        }
    }
    return body;
}

nlohmann::json WebApiClient::GetJsonForRegister(const std::shared_ptr<SettingData>& job,
                                                const std::optional<std::string>& password)
{
    nlohmann::json body = nlohmann::json::object();
    if (!job) {
        return body;
    }
    addJobSettings(body, *job);
    if (auto destination = job->sendSetting()) {
        addShareFolder(body, *destination);
    }
    if (password) {
        body["job_password"] = *password;
    }
    body["job_id"] = WebApiResponse::readInteger(job->jobNo().value_or(""));
    body["job_title"] = JobTitleEncoder::encode(job->jobName());
    return body;
}
