#include "world/TrackView.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "platform/D3DXMath.h"
#include "world/TrackObjects.h"

namespace TrackView {
namespace {

// Bucket sizes along Z: 4 units, then 16 times larger at each level.
constexpr int kLevels = 7;
constexpr double kSmallestBucket = 4.0;
// Runs of noted objects of a kind beyond this many since the last query file the whole kind
// again.
constexpr size_t kMostRuns = 4096;

double BucketSize(int level) { return kSmallestBucket * std::pow(16.0, level); }

struct Box {
    std::array<double, 3> lo, hi;
    void Add(const Box& b) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], b.lo[a]);
            hi[a] = std::max(hi[a], b.hi[a]);
        }
    }
};

// The box of an object's vertices as the device places them (the unit shape scaled, then
// moved), widened well past the rounding of the device's float sums; none when not finite.
template <class Object>
std::optional<Box> BoxOf(const Object& object) {
    const d3d::Vector3 p = object.GetPosition(), s = object.GetScale();
    const double at[3] = {p.X, p.Y, p.Z}, size[3] = {s.X, s.Y, s.Z};
    Box box;
    for (int a = 0; a < 3; ++a) {
        const double end = at[a] + size[a];
        const double slack = 0.01 + 1e-5 * std::max(std::fabs(at[a]), std::fabs(end));
        box.lo[a] = std::min(at[a], end) - slack;
        box.hi[a] = std::max(at[a], end) + slack;
        if (!std::isfinite(box.lo[a]) || !std::isfinite(box.hi[a])) return std::nullopt;
    }
    return box;
}

bool MovesByItself(const clsblock& block) { return block.FallingOrHopping(); }
bool MovesByItself(const clsRamp&) { return false; }

// The view volume of a camera: whether a box lies wholly beyond one of its sides, and the
// stretch of Z the volume covers.
class Volume {
public:
    Volume(const d3d::Matrix& view, const d3d::Matrix& projection)
        : m_(d3dx::MatrixMultiply(view, projection)) {
        // The device applies view, then projection, in floats: its rounding grows with the
        // magnitudes of both, whatever cancels in their product.
        d3d::Matrix v = view, p = projection;
        for (float* m : {&v.m11, &p.m11})
            for (int i = 0; i < 16; ++i) m[i] = std::fabs(m[i]);
        magnitudes_ = d3dx::MatrixMultiply(v, p);
        FindStretchOfZ();
    }

    bool Outside(const Box& box) const {
        unsigned outside = 63;  // the sides every corner so far lies beyond
        for (int corner = 0; corner < 8 && outside; ++corner) {
            const double x = corner & 1 ? box.hi[0] : box.lo[0];
            const double y = corner & 2 ? box.hi[1] : box.lo[1];
            const double z = corner & 4 ? box.hi[2] : box.lo[2];
            const double cx = x * m_.m11 + y * m_.m21 + z * m_.m31 + m_.m41;
            const double cy = x * m_.m12 + y * m_.m22 + z * m_.m32 + m_.m42;
            const double cz = x * m_.m13 + y * m_.m23 + z * m_.m33 + m_.m43;
            const double cw = x * m_.m14 + y * m_.m24 + z * m_.m34 + m_.m44;
            const double margin = Margin(std::fabs(x), std::fabs(y), std::fabs(z));
            unsigned sides = 0;
            if (cx < -cw - margin) sides |= 1;
            if (cx > cw + margin) sides |= 2;
            if (cy < -cw - margin) sides |= 4;
            if (cy > cw + margin) sides |= 8;
            if (cz < -margin) sides |= 16;
            if (cz > cw + margin) sides |= 32;
            outside &= sides;
        }
        return outside != 0;
    }
    double LowestZ() const { return lowestZ_; }
    double HighestZ() const { return highestZ_; }

private:
    // Far more than the device's float sums for a point can be off by: 1e-5 of the largest sum
    // of magnitudes that goes into a coordinate.
    double Margin(double x, double y, double z) const {
        const d3d::Matrix& a = magnitudes_;
        const double sums[4] = {x * a.m11 + y * a.m21 + z * a.m31 + a.m41, x * a.m12 + y * a.m22 + z * a.m32 + a.m42,
                                x * a.m13 + y * a.m23 + z * a.m33 + a.m43, x * a.m14 + y * a.m24 + z * a.m34 + a.m44};
        return 2e-5 * std::max(std::max(sums[0], sums[1]), std::max(sums[2], sums[3]));
    }

    // The corners of the volume are the corners of the unit cube of clip space taken back to
    // the world; a camera whose volume does not come back whole covers every Z.
    void FindStretchOfZ() {
        const std::optional<d3d::Matrix> back = d3dx::MatrixInverse(m_);
        if (!back) return;
        const d3d::Matrix& b = *back;
        double lowest = INFINITY, highest = -INFINITY;
        for (int corner = 0; corner < 8; ++corner) {
            const double x = corner & 1 ? 1 : -1, y = corner & 2 ? 1 : -1, z = corner & 4 ? 1 : 0;
            const double wz = x * b.m13 + y * b.m23 + z * b.m33 + b.m43;
            const double w = x * b.m14 + y * b.m24 + z * b.m34 + b.m44;
            if (!(w > 0) || !std::isfinite(wz / w)) return;
            lowest = std::min(lowest, wz / w);
            highest = std::max(highest, wz / w);
        }
        const double slack = 1.0 + 1e-3 * (std::fabs(lowest) + std::fabs(highest) + (highest - lowest));
        lowestZ_ = lowest - slack;
        highestZ_ = highest + slack;
    }

    d3d::Matrix m_, magnitudes_;
    double lowestZ_ = -INFINITY, highestZ_ = INFINITY;
};

// Where an object is filed: a bucket's slot at a level, the list of objects tested one by
// one, or the list of those that move by themselves; and the place and size it was filed by.
struct Filing {
    static constexpr uint8_t kNowhere = 255, kOneByOne = 254, kMoving = 253;
    int64_t bucket = 0;
    uint32_t slot = 0;
    uint8_t level = kNowhere;
    d3d::Vector3 at{}, size{};
};

bool Same(const d3d::Vector3& a, const d3d::Vector3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Objects noted one after another, first to last.
struct Run {
    int32_t first, last;
};

struct Bucket {
    std::vector<int32_t> objects;
    Box box;
};

template <class Object>
class KindView {
public:
    explicit KindView(std::vector<Object>& objects) : objects_(objects) {}

    const std::vector<int32_t>& InView(int32_t last, const Volume& volume) {
        BringUpToDate();
        found_.clear();
        for (int level = 0; level < kLevels; ++level) VisitLevel(level, last, volume);
        for (int32_t i : oneByOne_)
            if (i <= last && Shows(i, volume)) found_.push_back(i);
        for (int32_t i : moving_)
            if (i <= last) found_.push_back(i);
        std::sort(found_.begin(), found_.end());
        return found_;
    }

    bool AnyMoves(int32_t last) {
        BringUpToDate();
        // A hop that ended leaves its block where it started: it is filed as any other.
        for (size_t k = moving_.size(); k-- > 0;) {
            const int32_t i = moving_[k];
            if (!MovesByItself(objects_[static_cast<size_t>(i)])) Refile(i);
        }
        return std::any_of(moving_.begin(), moving_.end(), [last](int32_t i) { return i <= last; });
    }

    // Notes the object that holds the address, when it lies in the storage filed (also a
    // place an object is being made in at the end); whether it does.
    bool NoteAt(uintptr_t where) noexcept {
        const auto first = reinterpret_cast<uintptr_t>(objects_.data());
        if (!built_ || objects_.data() != data_ || where < first || where - first >= objects_.capacity() * sizeof(Object))
            return false;
        const auto i = static_cast<int32_t>((where - first) / sizeof(Object));
        if (!runs_.empty() && i >= runs_.back().first && i <= runs_.back().last + 1) {
            runs_.back().last = std::max(runs_.back().last, i);
            return true;
        }
        if (runs_.size() >= kMostRuns) {
            built_ = false;  // notes so scattered are most of a track changed
            return true;
        }
        try {
            runs_.reserve(kMostRuns);  // once: noting allocates nothing after it
        } catch (...) {
            built_ = false;
            return true;
        }
        runs_.push_back({i, i});
        return true;
    }

private:
    void BringUpToDate() {
        if (!built_ || objects_.data() != data_) {
            Rebuild();
            return;
        }
        const auto size = static_cast<int32_t>(objects_.size());
        std::sort(runs_.begin(), runs_.end(), [](const Run& a, const Run& b) { return a.first < b.first; });
        std::vector<Run> noted;
        for (const Run& run : runs_) {
            if (run.first >= size) break;
            const Run kept{run.first, std::min(run.last, size - 1)};
            if (!noted.empty() && kept.first <= noted.back().last + 1) noted.back().last = std::max(noted.back().last, kept.last);
            else noted.push_back(kept);
        }
        runs_.clear();
        // An object taken out moves every later one down, each noting itself: the later ones
        // keep their filings under their new numbers, and those that differ from what they were
        // filed as are filed again below.
        const auto filed = static_cast<int32_t>(filings_.size());
        if (size < filed && !noted.empty() && noted.back().last == size - 1) MoveDown(noted.back().first, filed - size);
        for (int32_t i = size; i < static_cast<int32_t>(filings_.size()); ++i) Unfile(i);
        filings_.resize(static_cast<size_t>(size));
        for (int32_t i = std::min(filed, size); i < size; ++i) File(i);
        for (const Run& run : noted)
            for (int32_t i = run.first; i <= run.last && i < filed; ++i)
                if (!FiledAsItIs(i)) Refile(i);
    }

    // The objects from `from` on are those filed `by` places later.
    void MoveDown(int32_t from, int32_t by) {
        for (int32_t i = from; i < from + by; ++i) Unfile(i);
        auto renumber = [from, by](std::vector<int32_t>& list) {
            for (int32_t& i : list)
                if (i >= from) i -= by;
        };
        for (auto& level : levels_)
            for (auto& [number, b] : level) renumber(b.objects);
        renumber(oneByOne_);
        renumber(moving_);
        filings_.erase(filings_.begin() + from, filings_.begin() + from + by);
    }

    bool FiledAsItIs(int32_t i) const {
        const Filing& f = filings_[static_cast<size_t>(i)];
        const Object& object = objects_[static_cast<size_t>(i)];
        if (f.level == Filing::kNowhere || (f.level == Filing::kMoving) != MovesByItself(object)) return false;
        return f.level == Filing::kMoving || (Same(f.at, object.GetPosition()) && Same(f.size, object.GetScale()));
    }

    void Rebuild() {
        for (auto& level : levels_) level.clear();
        oneByOne_.clear();
        moving_.clear();
        runs_.clear();
        filings_.assign(objects_.size(), Filing{});
        for (size_t i = 0; i < objects_.size(); ++i) File(static_cast<int32_t>(i));
        data_ = objects_.data();
        built_ = true;
    }

    void Refile(int32_t i) {
        Unfile(i);
        File(i);
    }

    void File(int32_t i) {
        Filing& f = filings_[static_cast<size_t>(i)];
        const Object& object = objects_[static_cast<size_t>(i)];
        f.at = object.GetPosition();
        f.size = object.GetScale();
        if (MovesByItself(object)) {
            f.bucket = 0;
            f.slot = static_cast<uint32_t>(moving_.size());
            f.level = Filing::kMoving;
            moving_.push_back(i);
            return;
        }
        const std::optional<Box> box = BoxOf(object);
        const double length = box ? box->hi[2] - box->lo[2] : INFINITY;
        for (int level = 0; level < kLevels && box; ++level) {
            const double size = BucketSize(level);
            const double bucket = std::floor(box->lo[2] / size);
            if (length > size || std::fabs(bucket) > 1e15) continue;
            Bucket& b = levels_[level][static_cast<int64_t>(bucket)];
            if (b.objects.empty()) b.box = *box;
            else b.box.Add(*box);
            f.bucket = static_cast<int64_t>(bucket);
            f.slot = static_cast<uint32_t>(b.objects.size());
            f.level = static_cast<uint8_t>(level);
            b.objects.push_back(i);
            return;
        }
        f.bucket = 0;
        f.slot = static_cast<uint32_t>(oneByOne_.size());
        f.level = Filing::kOneByOne;
        oneByOne_.push_back(i);
    }

    // Takes the object out of its list; the last of that list takes its slot. A bucket's box
    // stays as it was until the bucket is empty.
    void Unfile(int32_t i) {
        Filing& f = filings_[static_cast<size_t>(i)];
        if (f.level == Filing::kNowhere) return;
        auto takeOut = [&](std::vector<int32_t>& list) {
            const int32_t moved = list.back();
            list[f.slot] = moved;
            filings_[static_cast<size_t>(moved)].slot = f.slot;
            list.pop_back();
        };
        if (f.level == Filing::kMoving) {
            takeOut(moving_);
        } else if (f.level == Filing::kOneByOne) {
            takeOut(oneByOne_);
        } else {
            auto& level = levels_[f.level];
            const auto bucket = level.find(f.bucket);
            takeOut(bucket->second.objects);
            if (bucket->second.objects.empty()) level.erase(bucket);
        }
        f = Filing{};
    }

    void VisitLevel(int level, int32_t last, const Volume& volume) {
        const auto& buckets = levels_[level];
        if (buckets.empty()) return;
        const double size = BucketSize(level);
        // An object starts at most one bucket before the stretch it reaches into.
        const double first = std::floor(volume.LowestZ() / size) - 1, end = std::floor(volume.HighestZ() / size);
        auto visit = [&](const Bucket& b) {
            if (volume.Outside(b.box)) return;
            for (int32_t i : b.objects)
                if (i <= last && Shows(i, volume)) found_.push_back(i);
        };
        if (!(end - first < static_cast<double>(buckets.size()))) {  // also an unbounded stretch
            for (const auto& [number, b] : buckets) visit(b);
            return;
        }
        for (auto number = static_cast<int64_t>(first); number <= static_cast<int64_t>(end); ++number) {
            const auto b = buckets.find(number);
            if (b != buckets.end()) visit(b->second);
        }
    }

    bool Shows(int32_t i, const Volume& volume) const {
        const std::optional<Box> box = BoxOf(objects_[static_cast<size_t>(i)]);
        return !box || !volume.Outside(*box);
    }

    std::vector<Object>& objects_;
    const void* data_ = nullptr;
    bool built_ = false;
    std::vector<Filing> filings_;  // by object index
    std::array<std::unordered_map<int64_t, Bucket>, kLevels> levels_;
    std::vector<int32_t> oneByOne_;  // no finite box, or longer than the largest bucket
    std::vector<int32_t> moving_;
    std::vector<Run> runs_;  // noted since the last query
    std::vector<int32_t> found_;
};

KindView<clsblock> gBlockView(gBlocks);
KindView<clsRamp> gRampView(gRamps);

}  // namespace

const std::vector<int32_t>& InView(TrackKind kind, int32_t last, const d3d::Matrix& view,
                                   const d3d::Matrix& projection) {
    const Volume volume(view, projection);
    return kind == TrackKind::Ramp ? gRampView.InView(last, volume) : gBlockView.InView(last, volume);
}

bool AnyBlockMoves(int32_t last) {
    return gBlockView.AnyMoves(last);
}

void Noted(uintptr_t where) noexcept {
    if (!gBlockView.NoteAt(where)) gRampView.NoteAt(where);
}

}  // namespace TrackView
