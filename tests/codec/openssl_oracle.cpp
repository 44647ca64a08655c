#include "tests/codec/openssl_oracle.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

namespace pagora::testing {
namespace {

// Loading one provider explicitly stops OpenSSL from loading the default one by itself,
// so both are loaded, once, and unloaded at exit before OpenSSL cleans up.
class Providers {
 public:
  Providers()
      : default_(OSSL_PROVIDER_load(nullptr, "default")),
        legacy_(OSSL_PROVIDER_load(nullptr, "legacy")) {}
  ~Providers() {
    if (legacy_ != nullptr) OSSL_PROVIDER_unload(legacy_);
    if (default_ != nullptr) OSSL_PROVIDER_unload(default_);
  }
  Providers(const Providers&) = delete;
  Providers& operator=(const Providers&) = delete;
  bool loaded() const { return default_ != nullptr && legacy_ != nullptr; }

 private:
  OSSL_PROVIDER* default_;
  OSSL_PROVIDER* legacy_;
};

void LoadProviders() {
  static const Providers providers;
  ASSERT_TRUE(providers.loaded()) << "OpenSSL's legacy provider is missing";
}

}  // namespace

Md5Hash OpenSslMd5(std::span<const std::uint8_t> data) {
  LoadProviders();
  Md5Hash hash{};
  unsigned int size = 0;
  EXPECT_EQ(EVP_Digest(data.data(), data.size(), hash.data(), &size, EVP_md5(), nullptr), 1);
  EXPECT_EQ(size, hash.size());
  return hash;
}

std::vector<std::uint8_t> OpenSslRc4(std::span<const std::uint8_t> key,
                                     std::span<const std::uint8_t> data) {
  LoadProviders();
  std::vector<std::uint8_t> out(data.size());
  EVP_CIPHER* rc4 = EVP_CIPHER_fetch(nullptr, "RC4", nullptr);
  EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
  int written = 0;
  const bool ok = rc4 != nullptr && context != nullptr &&
                  EVP_EncryptInit_ex2(context, rc4, nullptr, nullptr, nullptr) == 1 &&
                  EVP_CIPHER_CTX_set_key_length(context, static_cast<int>(key.size())) == 1 &&
                  EVP_EncryptInit_ex2(context, nullptr, key.data(), nullptr, nullptr) == 1 &&
                  EVP_EncryptUpdate(context, out.data(), &written, data.data(),
                                    static_cast<int>(data.size())) == 1;
  EXPECT_TRUE(ok);
  EXPECT_EQ(static_cast<std::size_t>(written), data.size());
  EVP_CIPHER_CTX_free(context);
  EVP_CIPHER_free(rc4);
  return out;
}

}  // namespace pagora::testing
