// Decoding and encoding a large settings document (TestSupport/LargeSettingsDocument.hpp), as the
// store does on every load and save.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>

#include "TessarilCore/Settings/TessarilSettings.hpp"
#include "TessarilCore/Support/DecodedSizeLimit.hpp"
#include "TestSupport/LargeSettingsDocument.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsExportEnvelope.hpp"
#include "TessarilMac/SettingsStore/TessarilSettingsStore.hpp"

namespace tessaril {
namespace {

using test_support::largeSettingsDocument;

void decodeLargeDocument(benchmark::State& state) {
    const std::string text = coding::encode(largeSettingsDocument()).dump();
    for (auto _ : state) {
        auto settings = coding::decode<TessarilSettings>(Json::parse(text));
        benchmark::DoNotOptimize(settings);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["documentBytes"] = static_cast<double>(text.size());
}
BENCHMARK(decodeLargeDocument)->Unit(benchmark::kMillisecond);

// The same under the limit that import decodes with: every element of every list is weighed.
void decodeLargeDocumentWithinLimit(benchmark::State& state) {
    const std::string text = coding::encode(largeSettingsDocument()).dump();
    for (auto _ : state) {
        const coding::DecodedSizeLimit limit(TessarilSettingsStore::maximumImportedDocumentBytes);
        auto settings = coding::decode<TessarilSettings>(Json::parse(text));
        benchmark::DoNotOptimize(settings);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(decodeLargeDocumentWithinLimit)->Unit(benchmark::kMillisecond);

void encodeLargeDocument(benchmark::State& state) {
    const auto settings = largeSettingsDocument();
    for (auto _ : state) {
        auto text = coding::encode(settings).dump();
        benchmark::DoNotOptimize(text);
    }
    // What the store keeps and what an export writes, against the import limits.
    state.counters["storedBytes"] =
        static_cast<double>(TessarilSettingsStore::encoded(coding::encode(settings)).size());
    state.counters["exportBytes"] = static_cast<double>(
        TessarilSettingsStore::encoded(coding::encode(TessarilSettingsExportEnvelope{1, settings})).size());
}
BENCHMARK(encodeLargeDocument)->Unit(benchmark::kMillisecond);

void decodeAndEncodeLargeDocument(benchmark::State& state) {
    const std::string text = coding::encode(largeSettingsDocument()).dump();
    for (auto _ : state) {
        auto again = coding::encode(coding::decode<TessarilSettings>(Json::parse(text))).dump();
        benchmark::DoNotOptimize(again);
    }
}
BENCHMARK(decodeAndEncodeLargeDocument)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessaril
