// SPDX-License-Identifier: Apache-2.0
// The CPU time of merging one search's answers: every camera distinct, each answering once, as a
// flood of made-up answers would. One adapter lists them as they come; with two, the second
// adapter's answers (the same cameras) are held until the first has finished, then dropped as
// duplicates.
#include "device/DeviceProtocol.h"
#include "device/SearchMerge.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

std::vector<TemplateCameraRecord> DistinctReplies(size_t count)
{
    std::vector<TemplateCameraRecord> replies;
    replies.reserve(count);
    std::vector<uint8_t> reply(DeviceProtocol::kHeaderSize, 0);
    for (size_t n = 0; n < count; ++n) {
        reply[DeviceProtocol::kMacOffset] = 0x02;
        for (size_t i = 0; i < 4; ++i)
            reply[DeviceProtocol::kMacOffset + 2 + i] = static_cast<uint8_t>(n >> (24 - 8 * i));
        replies.push_back(TemplateCameraRecord::FromReply(reply, 0));
    }
    return replies;
}

void MergeDistinctReplies(benchmark::State& state)
{
    const size_t count = static_cast<size_t>(state.range(0));
    const size_t passes = static_cast<size_t>(state.range(1));
    const std::vector<TemplateCameraRecord> replies = DistinctReplies(count);
    size_t listed = 0;
    for (auto _ : state) {
        std::vector<TemplateCameraRecord> list;
        std::vector<AdapterSearchFigures> figures(passes);
        SearchMerge merge(list, figures);
        merge.Start(passes);
        for (size_t pass = passes; pass-- > 0;) {
            for (const TemplateCameraRecord& reply : replies)
                merge.Heard(pass, reply);
        }
        for (size_t pass = 0; pass < passes; ++pass)
            merge.Finished(pass);
        listed = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.SetLabel(std::to_string(listed) + " listed");
    state.counters["answers/s"] = benchmark::Counter(static_cast<double>(count * passes),
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(MergeDistinctReplies)
    ->ArgNames({"answers", "adapters"})
    ->ArgsProduct({{200, 4000, 65000}, {1, 2}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
