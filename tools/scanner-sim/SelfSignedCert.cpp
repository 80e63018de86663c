#include "SelfSignedCert.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/rsa.h>
#include <openssl/rand.h>
#include <openssl/x509.h>

namespace {
struct KeyDeleter {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertDeleter {
    void operator()(X509* cert) const { X509_free(cert); }
};

std::string lastError(const char* what)
{
    unsigned long code = ERR_get_error();
    char text[256] = {};
    if (code != 0) {
        ERR_error_string_n(code, text, sizeof text);
    }
    return std::string(what) + (code != 0 ? std::string(": ") + text : std::string());
}
} // namespace

SelfSignedCert::Context SelfSignedCert::MakeServerContext(Kind kind, int tlsVersion, std::string& error)
{
    const bool expired = kind == Kind::Expired;
    const bool legacy = kind == Kind::Legacy;
    std::unique_ptr<EVP_PKEY, KeyDeleter> key(legacy ? EVP_RSA_gen(1024) : EVP_EC_gen("P-256"));
    if (!key) {
        error = lastError("key generation failed");
        return nullptr;
    }
    std::unique_ptr<X509, CertDeleter> cert(X509_new());
    if (!cert) {
        error = lastError("certificate allocation failed");
        return nullptr;
    }
    unsigned char serial[8];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7F;
    BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
    bool ok = number && BN_to_ASN1_INTEGER(number, X509_get_serialNumber(cert.get())) != nullptr;
    BN_free(number);

    const long day = 24L * 60 * 60;
    ok = ok && X509_set_version(cert.get(), 2) == 1;
    ok = ok && X509_gmtime_adj(X509_getm_notBefore(cert.get()), expired ? -2 * day : -day) != nullptr;
    ok = ok && X509_gmtime_adj(X509_getm_notAfter(cert.get()), expired ? -day : 30 * day) != nullptr;
    X509_NAME* name = X509_get_subject_name(cert.get());
    ok = ok && X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                                          reinterpret_cast<const unsigned char*>("Vantix scanner simulator"), -1, -1,
                                          0) == 1;
    ok = ok && X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                                          reinterpret_cast<const unsigned char*>("scanner.invalid"), -1, -1, 0) == 1;
    ok = ok && X509_set_issuer_name(cert.get(), name) == 1;
    ok = ok && X509_set_pubkey(cert.get(), key.get()) == 1;
    ok = ok && X509_sign(cert.get(), key.get(), legacy ? EVP_sha1() : EVP_sha256()) > 0;
    if (!ok) {
        error = lastError("certificate creation failed");
        return nullptr;
    }

    Context context(SSL_CTX_new(TLS_server_method()));
    // Old protocol versions, SHA-1 and short keys need the lowest security level.
    bool oldFirmware = legacy || (tlsVersion != 0 && tlsVersion < TLS1_2_VERSION);
    if (context && oldFirmware) {
        SSL_CTX_set_security_level(context.get(), 0);
    }
    if (context && tlsVersion != 0 &&
        (SSL_CTX_set_min_proto_version(context.get(), tlsVersion) != 1 ||
         SSL_CTX_set_max_proto_version(context.get(), tlsVersion) != 1)) {
        error = lastError("TLS version set-up failed");
        return nullptr;
    }
    if (!context || SSL_CTX_use_certificate(context.get(), cert.get()) != 1 ||
        SSL_CTX_use_PrivateKey(context.get(), key.get()) != 1 || SSL_CTX_check_private_key(context.get()) != 1) {
        error = lastError("TLS context set-up failed");
        return nullptr;
    }
    // Every request comes on a connection of its own; no session resumption.
    SSL_CTX_set_session_cache_mode(context.get(), SSL_SESS_CACHE_OFF);
    SSL_CTX_set_num_tickets(context.get(), 0);
    return context;
}
