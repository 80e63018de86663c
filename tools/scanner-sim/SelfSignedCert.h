#pragma once

#include <memory>
#include <string>

#include <openssl/ssl.h>

// A TLS server context with a freshly generated EC P-256 key and a self-signed
// certificate, kept in memory only. Its subject names a host the scanners are
// never reached by, so clients must accept it without any check, as they do
// with real scanners.
class SelfSignedCert {
public:
    struct ContextDeleter {
        void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
    };
    using Context = std::unique_ptr<SSL_CTX, ContextDeleter>;

    // expired: a certificate whose validity ended yesterday.
    // Null with a reason in error when OpenSSL fails.
    static Context MakeServerContext(bool expired, std::string& error);
};
