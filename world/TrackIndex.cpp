#include "world/TrackIndex.h"

#include <algorithm>
#include <cmath>

#include "world/TrackObjects.h"

namespace TrackIndex {

uint64_t gChanges = 0;

namespace {

// Every search widens an extent by 1 unit; the margin adds another unit and room for the
// rounding of the searches' Single sums and of the rounded Zpos of ramps and blocks.
double MarginAt(double lo, double hi) { return 2.0 + 1e-5 * std::max(std::fabs(lo), std::fabs(hi)); }

constexpr double kMinBucket = 4.0;
constexpr int64_t kMaxBuckets = 1 << 16;
constexpr int64_t kMaxBucketsPerObject = 256;  // longer objects are checked at every query

class KindIndex {
public:
    template <class Object>
    const std::vector<int32_t>& Near(const std::vector<Object>& objects, float z, bool everything) {
        if (objects.data() != static_cast<const void*>(data_) || objects.size() != size_ || gChanges != changes_)
            Build(objects);
        found_.clear();
        if (everything) {
            for (size_t i = 0; i < size_; ++i) found_.push_back(static_cast<int32_t>(i));
            return found_;
        }
        const double b = std::floor((static_cast<double>(z) - origin_) / bucket_);
        if (!(b >= 0 && b < static_cast<double>(buckets_))) return overflow_;  // also NaN and infinities
        const auto first = entries_.begin() + starts_[static_cast<size_t>(b)];
        const auto last = entries_.begin() + starts_[static_cast<size_t>(b) + 1];
        if (overflow_.empty()) {
            found_.assign(first, last);
        } else {
            std::merge(first, last, overflow_.begin(), overflow_.end(), std::back_inserter(found_));
        }
        return found_;
    }

private:
    struct Span {
        int64_t first, last;  // buckets, or first = -1 for the overflow list
    };

    template <class Object>
    void Build(const std::vector<Object>& objects) {
        data_ = objects.data();
        size_ = objects.size();
        changes_ = gChanges;
        std::vector<std::pair<double, double>> extents(size_);
        double lowest = INFINITY, highest = -INFINITY;
        for (size_t i = 0; i < size_; ++i) {
            const double z = static_cast<double>(objects[i].Zpos());
            const double end = z + static_cast<double>(objects[i].scalez());
            const double m = MarginAt(z, end);
            extents[i] = {std::min(z, end) - m, std::max(z, end) + m};
            if (std::isfinite(extents[i].first) && std::isfinite(extents[i].second)) {
                lowest = std::min(lowest, extents[i].first);
                highest = std::max(highest, extents[i].second);
            }
        }
        origin_ = std::isfinite(lowest) ? lowest : 0.0;
        const double span = std::isfinite(lowest) ? highest - lowest : 0.0;
        bucket_ = std::max(kMinBucket, span / static_cast<double>(kMaxBuckets - 1));
        buckets_ = static_cast<int64_t>(std::floor(span / bucket_)) + 1;

        std::vector<Span> spans(size_);
        starts_.assign(static_cast<size_t>(buckets_) + 1, 0);
        overflow_.clear();
        for (size_t i = 0; i < size_; ++i) {
            const auto [lo, hi] = extents[i];
            Span s{-1, -1};
            if (std::isfinite(lo) && std::isfinite(hi)) {
                s = {static_cast<int64_t>(std::floor((lo - origin_) / bucket_)),
                     static_cast<int64_t>(std::floor((hi - origin_) / bucket_))};
                s.first = std::clamp<int64_t>(s.first, 0, buckets_ - 1);
                s.last = std::clamp<int64_t>(s.last, 0, buckets_ - 1);
                if (s.last - s.first >= kMaxBucketsPerObject) s = {-1, -1};
            }
            spans[i] = s;
            if (s.first < 0) {
                overflow_.push_back(static_cast<int32_t>(i));
                continue;
            }
            for (int64_t k = s.first; k <= s.last; ++k) ++starts_[static_cast<size_t>(k) + 1];
        }
        for (size_t k = 1; k < starts_.size(); ++k) starts_[k] += starts_[k - 1];
        entries_.assign(starts_.back(), 0);
        std::vector<uint32_t> fill(starts_.begin(), starts_.end() - 1);
        for (size_t i = 0; i < size_; ++i)  // ascending indices within every bucket
            for (int64_t k = spans[i].first; spans[i].first >= 0 && k <= spans[i].last; ++k)
                entries_[fill[static_cast<size_t>(k)]++] = static_cast<int32_t>(i);
    }

    const void* data_ = nullptr;
    size_t size_ = 0;
    uint64_t changes_ = UINT64_MAX;
    double origin_ = 0, bucket_ = kMinBucket;
    int64_t buckets_ = 0;
    std::vector<uint32_t> starts_;  // bucket k holds entries_[starts_[k] .. starts_[k + 1])
    std::vector<int32_t> entries_;
    std::vector<int32_t> overflow_;  // objects of no finite extent or a very long one, ascending
    std::vector<int32_t> found_;
};

KindIndex gBlockIndex, gRampIndex, gPlatformIndex;
bool gEverything = false;

}  // namespace

const std::vector<int32_t>& Near(TrackKind kind, float z) {
    switch (kind) {
        case TrackKind::Ramp: return gRampIndex.Near(gRamps, z, gEverything);
        case TrackKind::Platform: return gPlatformIndex.Near(gMovingPlatforms, z, gEverything);
        default: return gBlockIndex.Near(gBlocks, z, gEverything);
    }
}

void HandOutEverything(bool on) { gEverything = on; }

}  // namespace TrackIndex
