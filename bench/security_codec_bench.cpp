// MD5 and RC4 throughput side by side with OpenSSL (RC4 from its legacy provider), on
// small inputs like the keys and strings of a document and on large ones like its streams.
#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

#include "pdf/codec/md5.h"
#include "pdf/codec/rc4.h"

namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t size) {
  std::mt19937 random(static_cast<std::uint32_t>(size));
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

const std::vector<std::uint8_t> kKey = RandomBytes(10);

void BM_Md5Pagora(benchmark::State& state) {
  const auto data = RandomBytes(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(pagora::Md5Digest(data));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Md5OpenSsl(benchmark::State& state) {
  const auto data = RandomBytes(static_cast<std::size_t>(state.range(0)));
  const EVP_MD* md5 = EVP_md5();
  unsigned char digest[16];
  for (auto _ : state) {
    EVP_Digest(data.data(), data.size(), digest, nullptr, md5, nullptr);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Rc4Pagora(benchmark::State& state) {
  auto data = RandomBytes(static_cast<std::size_t>(state.range(0)));
  pagora::Rc4Cipher cipher;
  for (auto _ : state) {
    cipher.Crypt(kKey, data);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Keys the cipher afresh on every call, like OpenSSL below: the cost of a key schedule
// plus one string or stream of an object.
void BM_Rc4KeyedPagora(benchmark::State& state) {
  auto data = RandomBytes(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    pagora::Rc4Apply(pagora::Rc4KeySchedule(kKey), data);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Each iteration keys the cipher afresh, as a document does for each string and stream.
void BM_Rc4OpenSsl(benchmark::State& state) {
  static OSSL_PROVIDER* const legacy = OSSL_PROVIDER_load(nullptr, "legacy");
  static OSSL_PROVIDER* const fallback = OSSL_PROVIDER_load(nullptr, "default");
  EVP_CIPHER* rc4 = EVP_CIPHER_fetch(nullptr, "RC4", nullptr);
  if (legacy == nullptr || fallback == nullptr || rc4 == nullptr) {
    state.SkipWithError("OpenSSL's legacy provider is missing");
    return;
  }
  auto data = RandomBytes(static_cast<std::size_t>(state.range(0)));
  EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
  EVP_EncryptInit_ex2(context, rc4, nullptr, nullptr, nullptr);
  EVP_CIPHER_CTX_set_key_length(context, static_cast<int>(kKey.size()));
  int written = 0;
  for (auto _ : state) {
    EVP_EncryptInit_ex2(context, nullptr, kKey.data(), nullptr, nullptr);
    EVP_EncryptUpdate(context, data.data(), &written, data.data(), static_cast<int>(data.size()));
    benchmark::ClobberMemory();
  }
  EVP_CIPHER_CTX_free(context);
  EVP_CIPHER_free(rc4);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_Md5Pagora)->Arg(64)->Arg(4096)->Arg(1 << 20);
BENCHMARK(BM_Md5OpenSsl)->Arg(64)->Arg(4096)->Arg(1 << 20);
BENCHMARK(BM_Rc4Pagora)->Arg(64)->Arg(4096)->Arg(1 << 20)->Arg(64 << 20);
BENCHMARK(BM_Rc4KeyedPagora)->Arg(64)->Arg(1024)->Arg(4096);
BENCHMARK(BM_Rc4OpenSsl)->Arg(64)->Arg(1024)->Arg(4096)->Arg(1 << 20)->Arg(64 << 20);
