#pragma once

#include <memory>
#include <string>

#include <openssl/ssl.h>

// A TLS server context with a freshly generated key and a self-signed
// certificate, kept in memory only. Its subject names a host the scanners are
// never reached by, so clients must accept it without any check, as they do
// with real scanners. It can play older firmware: one TLS version only, and a
// legacy certificate.
class SelfSignedCert {
public:
    struct ContextDeleter {
        void operator()(SSL_CTX* context) const { SSL_CTX_free(context); }
    };
    using Context = std::unique_ptr<SSL_CTX, ContextDeleter>;

    enum class Kind {
        Valid,   // EC P-256, SHA-256, valid for 30 days from yesterday
        Expired, // the same, with a validity that ended yesterday
        Legacy,  // RSA 1024 signed with SHA-1, as older scanner firmware has
    };

    // tlsVersion: 0 for TLS 1.2 and 1.3 (as the system allows), else the one
    // version the server speaks (TLS1_VERSION ... TLS1_3_VERSION).
    // Null with a reason in error when OpenSSL fails.
    static Context MakeServerContext(Kind kind, int tlsVersion, std::string& error);
};
