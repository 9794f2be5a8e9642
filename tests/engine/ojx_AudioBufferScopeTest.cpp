#include <gtest/gtest.h>

#include "AllocationCounter.h"
#include "engine/ojx_AudioBufferScope.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <chrono>
#include <thread>
#include <vector>

namespace
{
// One block of final output whose left and right channels average to `first`, `first` + 1, ...
struct RampBlock
{
    RampBlock (int numSamples, float first) : left ((size_t) numSamples), right ((size_t) numSamples)
    {
        for (size_t i = 0; i < left.size(); ++i)
        {
            left[i] = first + (float) i + 0.25f;
            right[i] = first + (float) i - 0.25f;
        }
    }

    void feedTo (ojx::AudioBufferScopeProcessor& store) const
    {
        store.feed (left.data(), right.data(), (int) left.size());
    }

    std::vector<float> left, right;
};

std::vector<float> copied (ojx::AudioBufferScopeProcessor& store)
{
    juce::AudioBuffer<float> destination;
    EXPECT_TRUE (store.copyLatestSnapshot (destination));
    EXPECT_EQ (destination.getNumChannels(), 1);
    return { destination.getReadPointer (0), destination.getReadPointer (0) + destination.getNumSamples() };
}

std::vector<float> ramp (float first, int count)
{
    std::vector<float> values;
    for (int i = 0; i < count; ++i)
        values.push_back (first + (float) i);
    return values;
}
} // namespace

TEST (AudioBufferScopeProcessor, ConstructionGivesTheInitialValues)
{
    ojx::AudioBufferScopeProcessor store;
    EXPECT_EQ (store.zoom.load(), 0.5f);
    EXPECT_EQ (store.minLength, 44);
    EXPECT_EQ (store.maxLength, 4410);
    EXPECT_TRUE (store.isActive.load());
    EXPECT_FALSE (store.isWriting.load());
    EXPECT_EQ (store.length, 100);
    EXPECT_EQ (store.samples, std::vector<float> (4410, 0.0f));
    EXPECT_FALSE (store.isVisible());
}

TEST (AudioBufferScopeProcessor, NoSnapshotIsReadyBeforeTheFirstFeed)
{
    ojx::AudioBufferScopeProcessor store;
    juce::AudioBuffer<float> destination (1, 10);
    destination.clear();
    destination.setSample (0, 3, 0.5f);

    EXPECT_FALSE (store.copyLatestSnapshot (destination));
    EXPECT_EQ (destination.getNumSamples(), 10);
    EXPECT_EQ (destination.getSample (0, 3), 0.5f);
}

TEST (AudioBufferScopeProcessor, WindowLengthFollowsZoom)
{
    ojx::AudioBufferScopeProcessor store;
    EXPECT_EQ (store.windowLength (0.0f), 44);
    EXPECT_EQ (store.windowLength (0.5f), 2227);
    EXPECT_EQ (store.windowLength (1.0f), 4410);

    for (auto [zoom, expected] : { std::pair { 0.0f, 44 }, std::pair { 0.5f, 2227 }, std::pair { 1.0f, 4410 } })
    {
        store.zoom = zoom;
        store.feed (nullptr, nullptr, 0);
        EXPECT_EQ (store.length, expected);
    }
}

TEST (AudioBufferScopeProcessor, TheMonoSampleIsTheMeanOfLeftAndRight)
{
    ojx::AudioBufferScopeProcessor store;
    const float left[] { 1.0f, -0.5f, 0.75f };
    const float right[] { 0.0f, -0.25f, -0.75f };
    store.feed (left, right, 3);

    const auto snapshot = copied (store);
    ASSERT_EQ (snapshot.size(), 2227u);
    EXPECT_EQ (snapshot[2224], 0.5f);
    EXPECT_EQ (snapshot[2225], -0.375f);
    EXPECT_EQ (snapshot[2226], 0.0f);
}

TEST (AudioBufferScopeProcessor, FirstBlockOf512KeepsTheNewestInitialZerosThenTheBlock)
{
    ojx::AudioBufferScopeProcessor store;
    RampBlock (512, 1.0f).feedTo (store);

    auto expected = std::vector<float> (1715, 0.0f);
    const auto block = ramp (1.0f, 512);
    expected.insert (expected.end(), block.begin(), block.end());
    EXPECT_EQ (store.samples, expected);
    EXPECT_EQ (copied (store), expected);
}

TEST (AudioBufferScopeProcessor, AfterFiveBlocksOnlyTheLatestBlockSamplesRemain)
{
    ojx::AudioBufferScopeProcessor store;

    for (int block = 0; block < 5; ++block)
        RampBlock (512, 1.0f + 512.0f * (float) block).feedTo (store);

    const auto expected = ramp (1.0f + 2560.0f - 2227.0f, 2227);
    EXPECT_EQ (store.samples, expected);
    EXPECT_EQ (copied (store), expected);
}

TEST (AudioBufferScopeProcessor, ABlockLongerThanTheWindowKeepsItsFirstSamples)
{
    ojx::AudioBufferScopeProcessor store;
    RampBlock (4096, 10.0f).feedTo (store);
    EXPECT_EQ (store.samples, ramp (10.0f, 2227));

    store.zoom = 0.0f;
    RampBlock (44, 100.0f).feedTo (store); // exactly the window
    EXPECT_EQ (store.samples, ramp (100.0f, 44));
}

TEST (AudioBufferScopeProcessor, AnEmptyBlockDropsDownToTheWindowAndStillPublishes)
{
    ojx::AudioBufferScopeProcessor store;
    RampBlock (512, 1.0f).feedTo (store);
    ASSERT_EQ (copied (store).size(), 2227u);

    store.zoom = 0.0f;
    store.feed (nullptr, nullptr, 0);
    const auto expected = ramp (1.0f + 512.0f - 44.0f, 44);
    EXPECT_EQ (store.samples, expected);
    EXPECT_EQ (copied (store), expected);

    store.zoom = 1.0f;
    store.feed (nullptr, nullptr, 0);
    EXPECT_EQ (store.samples, expected); // a longer window only fills up with later blocks
}

TEST (AudioBufferScopeProcessor, ALongerWindowFillsUpBy512SamplesPerBlock)
{
    ojx::AudioBufferScopeProcessor store;
    RampBlock (512, 0.0f).feedTo (store);
    ASSERT_EQ (store.samples.size(), 2227u);

    store.zoom = 1.0f;
    std::vector<size_t> sizes;
    for (int block = 1; block <= 6; ++block)
    {
        RampBlock (512, 512.0f * (float) block).feedTo (store);
        sizes.push_back (store.samples.size());
    }

    EXPECT_EQ (sizes, (std::vector<size_t> { 2739, 3251, 3763, 4275, 4410, 4410 }));
    // The 1715 zeros kept by the first block, less the 889 that no longer fit, then every block.
    auto expected = std::vector<float> (826, 0.0f);
    const auto blocks = ramp (0.0f, 7 * 512);
    expected.insert (expected.end(), blocks.begin(), blocks.end());
    EXPECT_EQ (store.samples, expected);
}

TEST (AudioBufferScopeProcessor, CopyingAgainWithoutANewFeedGivesTheSameSnapshot)
{
    ojx::AudioBufferScopeProcessor store;
    RampBlock (300, 5.0f).feedTo (store);
    const auto first = copied (store);
    EXPECT_EQ (copied (store), first);
    EXPECT_EQ (copied (store), first);
}

TEST (AudioBufferScopeProcessor, TheCopyIsTheLatestOfSeveralFeedsSinceTheLastCopy)
{
    ojx::AudioBufferScopeProcessor store;
    store.zoom = 0.0f;

    for (int block = 0; block < 7; ++block)
        RampBlock (10, 10.0f * (float) block).feedTo (store);

    EXPECT_EQ (copied (store), ramp (70.0f - 44.0f, 44));

    RampBlock (10, 70.0f).feedTo (store);
    EXPECT_EQ (copied (store), ramp (80.0f - 44.0f, 44));
}

TEST (AudioBufferScopeProcessor, FeedingNeverAllocates)
{
    ojx::AudioBufferScopeProcessor store;
    const RampBlock big (8192, 0.0f);
    const auto* storage = store.samples.data();
    const auto before = testing_support::allocationsOnThisThread();

    for (int block = 0; block < 200; ++block)
    {
        store.zoom = (float) (block % 11) / 10.0f;
        const auto numSamples = (block * 977) % 8193;
        store.feed (big.left.data(), big.right.data(), numSamples);
    }

    EXPECT_EQ (testing_support::allocationsOnThisThread(), before);
    EXPECT_EQ (store.samples.data(), storage);
}

TEST (AudioBufferScopeProcessor, TheContentStaysWhileNotFed)
{
    ojx::AudioBufferScopeProcessor store;
    RampBlock (512, 3.0f).feedTo (store);
    const auto before = store.samples;
    store.isActive = false;
    store.zoom = 0.1f;

    EXPECT_EQ (store.samples, before);
    EXPECT_EQ (copied (store), before);
    EXPECT_FALSE (store.isActive.load());
}

// The audio thread feeds blocks whose samples count up through the whole run while the message
// thread copies snapshots and moves the zoom. Every block is shorter than the shortest window used,
// so each feed leaves an unbroken run of counts that ends with that feed's block; a copy that mixed
// two snapshots, or saw one half written, would show a break, a wrong length or a wrong end. The
// audio thread keeps feeding until the copying side has seen enough fresh snapshots, so the two
// overlap however the threads are scheduled.
TEST (AudioBufferScopeProcessorThreads, EveryCopiedSnapshotIsOneCompleteFeed)
{
    constexpr int minFeeds = 20000;
    constexpr int maxFeeds = 150000; // counts stay below 2^24, exact in single precision
    constexpr int longestBlock = 200;
    constexpr int freshCopiesWanted = 500;
    constexpr float shortestZoom = 0.25f; // window 1135

    ojx::AudioBufferScopeProcessor store;
    std::vector<std::int64_t> feedEnds ((size_t) maxFeeds + 1); // count after each feed, the start first
    std::vector<size_t> feedSizes ((size_t) maxFeeds + 1);      // samples held after each feed
    std::atomic<int> freshCopies { 0 };
    std::atomic<bool> finished { false };
    std::size_t feedAllocations = 0;
    int numFeeds = 0;

    // Start from counted samples only, so that no snapshot holds the initial zeros.
    std::int64_t startCount = 0;
    for (int block = 0; block < 3; ++block, startCount += 1000)
        RampBlock (1000, (float) startCount).feedTo (store);
    ASSERT_EQ (store.samples.front(), (float) startCount - 2227.0f);
    feedEnds[0] = startCount;
    feedSizes[0] = store.samples.size();

    std::thread audio (
        [&]
        {
            std::vector<float> left ((size_t) longestBlock), right ((size_t) longestBlock);
            juce::Random random (77);
            auto count = startCount;
            const auto before = testing_support::allocationsOnThisThread();

            for (; numFeeds < maxFeeds && (numFeeds < minFeeds || freshCopies.load() < freshCopiesWanted); ++numFeeds)
            {
                const auto numSamples = random.nextInt (longestBlock + 1);

                for (int i = 0; i < numSamples; ++i)
                    left[(size_t) i] = right[(size_t) i] = (float) (count + i);

                store.feed (left.data(), right.data(), numSamples);
                count += numSamples;
                feedEnds[(size_t) numFeeds + 1] = count;
                feedSizes[(size_t) numFeeds + 1] = store.samples.size();

                // On a busy machine the copying side may get little time: once the minimum is fed,
                // it gets some before each further feed, so the feeds do not run out first.
                if (numFeeds >= minFeeds)
                    std::this_thread::sleep_for (std::chrono::microseconds (20));
            }

            feedAllocations = testing_support::allocationsOnThisThread() - before;
            finished = true;
        });

    struct Copy
    {
        std::int64_t end;
        size_t size;
    };
    std::vector<Copy> copies;
    copies.reserve (4000000);
    juce::AudioBuffer<float> destination;
    juce::Random random (78);
    int failedCopies = 0, brokenSnapshots = 0;

    while (! finished.load() && copies.size() < copies.capacity())
    {
        if (random.nextInt (50) == 0)
            store.zoom = shortestZoom + random.nextFloat() * (1.0f - shortestZoom);

        if (! store.copyLatestSnapshot (destination) || destination.getNumChannels() != 1 ||
            destination.getNumSamples() == 0)
        {
            ++failedCopies;
            continue;
        }

        const auto size = destination.getNumSamples();
        const auto* values = destination.getReadPointer (0);

        for (int i = 1; i < size; ++i)
            if (values[i] != values[i - 1] + 1.0f)
            {
                ++brokenSnapshots;
                break;
            }

        const auto end = (std::int64_t) values[size - 1] + 1;
        if (copies.empty() || copies.back().end != end)
            ++freshCopies;

        copies.push_back ({ end, (size_t) size });
    }

    audio.join();

    EXPECT_EQ (failedCopies, 0);
    EXPECT_EQ (brokenSnapshots, 0);
    EXPECT_EQ (feedAllocations, 0u);
    EXPECT_GE (freshCopies.load(), numFeeds < maxFeeds ? freshCopiesWanted : 10);

    // Each copy ends exactly where some feed ended and holds what that feed left; copies never go back.
    const auto feedEndsBegin = feedEnds.begin();
    const auto feedEndsEnd = feedEnds.begin() + numFeeds + 1;
    std::int64_t previousEnd = 0;

    for (const auto& copy : copies)
    {
        const auto feed = std::lower_bound (feedEndsBegin, feedEndsEnd, copy.end);
        ASSERT_NE (feed, feedEndsEnd) << "copy ending at " << copy.end;
        ASSERT_EQ (*feed, copy.end);

        // Empty blocks repeat an end; any of the feeds with this end may have published the copy.
        auto matches = false;
        for (auto it = feed; it != feedEndsEnd && *it == copy.end; ++it)
            matches = matches || feedSizes[(size_t) (it - feedEndsBegin)] == copy.size;
        ASSERT_TRUE (matches) << "copy ending at " << copy.end << " holds " << copy.size << " samples";

        ASSERT_GE (copy.end, previousEnd);
        previousEnd = copy.end;
    }

    juce::AudioBuffer<float> last;
    ASSERT_TRUE (store.copyLatestSnapshot (last));
    EXPECT_EQ ((std::int64_t) last.getSample (0, last.getNumSamples() - 1) + 1, feedEnds[(size_t) numFeeds]);
}
