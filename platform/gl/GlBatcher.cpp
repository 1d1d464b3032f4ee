#include "platform/gl/GlBatcher.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace d3d {

namespace {

uint64_t NextSerial() {
    static uint64_t serial = 0;
    return ++serial;
}

}  // namespace

GlBatcher::GlBatcher() : serial_(NextSerial()) {}

GlBatcher::~GlBatcher() {
    for (Group& g : groups_)
        if (g.buffer) glDeleteBuffers(1, &g.buffer);
}

uint32_t GlBatcher::NewItem() {
    if (!freeItems_.empty()) {
        const uint32_t id = freeItems_.back();
        freeItems_.pop_back();
        items_[id] = Item{};
        return id;
    }
    items_.emplace_back();
    return static_cast<uint32_t>(items_.size() - 1);
}

bool GlBatcher::Joins(uint32_t setup, const std::shared_ptr<GlTexture>& texture) {
    if (pending_ == kNone) return true;
    const Group& g = groups_[pending_];
    return g.setup == setup && g.array == arrays_.LayerOf(texture).Array;
}

uint32_t GlBatcher::CountDraw(GlVertexBuffer& source) {
    if (source.BatchOwner != serial_) {  // new, or kept by the batches of a device gone since
        source.BatchItems.clear();
        source.BatchKept = 0;
        source.BatchOwner = serial_;
        source.DeadItems = dead_;
    }
    if (source.BatchFrame != frame_) {
        source.BatchFrame = frame_;
        source.BatchNext = 0;
    }
    return source.BatchNext++;
}

void GlBatcher::Add(const VertexBufferPtr& owner, GlVertexBuffer& source, uint32_t first, uint32_t count, uint32_t stride, uint32_t fvf,
                    const Matrix& world, uint32_t setup, const std::shared_ptr<GlTexture>& texture) {
    // The slots of buffers gone since the last flush are free for these draws, unless a batch
    // taken since then may still draw them: a track built anew takes its old track's place.
    if (pending_ == kNone && !dead_->empty()) ReleaseDeadItems();
    const uint32_t draw = CountDraw(source);
    if (draw >= source.BatchItems.size()) source.BatchItems.resize(draw + 1, GlVertexBuffer::kNoItem);
    if (source.BatchItems[draw] == GlVertexBuffer::kNoItem) {
        source.BatchItems[draw] = NewItem();
        ++source.BatchKept;
        items_[source.BatchItems[draw]].source = owner;
        items_[source.BatchItems[draw]].draw = draw;
    }
    const uint32_t id = source.BatchItems[draw];
    Item& item = items_[id];
    item.frame = frame_;

    const GlTexture::ArrayLayer layer = arrays_.LayerOf(texture);
    bool write = item.revision != source.Revision() || item.first != first || item.stride != stride ||
                 item.fvf != fvf || item.texture != texture || std::memcmp(&item.world, &world, sizeof world) != 0;
    if (item.group == kNone || groups_[item.group].setup != setup || groups_[item.group].array != layer.Array ||
        groups_[item.group].slots[item.slot].count != count) {
        if (item.group != kNone) FreeSlot(item);
        item.group = GroupFor(setup, layer.Array);
        item.slot = TakeSlot(groups_[item.group], count, id);
        write = true;
    }
    Group& group = groups_[item.group];
    if (write) {
        WorldVertex* out = &group.vertices[group.slots[item.slot].first];
        ToWorldVertices(source.Data() + static_cast<size_t>(first) * stride, fvf, stride, count, world, out);
        for (uint32_t i = 0; i < count; ++i) out[i].Layer = static_cast<float>(layer.Layer);
        item.revision = source.Revision();
        item.first = first;
        item.stride = stride;
        item.fvf = fvf;
        item.world = world;
        item.texture = texture;
        group.dirty.push_back(item.slot);
    }
    pending_ = item.group;
    group.pending.push_back(item.slot);
}

void GlBatcher::Skip(GlVertexBuffer& source) {
    const uint32_t draw = CountDraw(source);
    if (draw >= source.BatchItems.size() || source.BatchItems[draw] == GlVertexBuffer::kNoItem) return;
    // Freed at the next flush or batched draw: a batch taken since the last flush may draw its slot.
    dead_->push_back(std::exchange(source.BatchItems[draw], GlVertexBuffer::kNoItem));
    if (--source.BatchKept == 0) source.BatchItems = {};
}

void GlBatcher::EndFrame() {
    ReleaseDeadItems();  // their buffers are gone: none of them to tell
    for (uint32_t id = 0; id < items_.size(); ++id) {
        Item& item = items_[id];
        if (item.group == kNone || item.frame == frame_) continue;
        // A buffer now kept by the batches of another device has forgotten this item already.
        const auto source = std::static_pointer_cast<GlVertexBuffer>(item.source.lock());
        if (source && source->BatchOwner == serial_) {
            source->BatchItems[item.draw] = GlVertexBuffer::kNoItem;
            if (--source->BatchKept == 0) source->BatchItems = {};
        }
        FreeSlot(item);
        item = Item{};
        freeItems_.push_back(id);
    }
    ++frame_;
}

uint32_t GlBatcher::GroupFor(uint32_t setup, uint32_t array) {
    uint32_t unused = kNone;
    for (uint32_t g = 0; g < groups_.size(); ++g) {
        if (groups_[g].live && groups_[g].setup == setup && groups_[g].array == array) return g;
        if (!groups_[g].live && unused == kNone) unused = g;
    }
    if (unused == kNone) {
        unused = static_cast<uint32_t>(groups_.size());
        groups_.emplace_back();
    }
    Group& g = groups_[unused];
    g.live = true;
    g.setup = setup;
    g.array = array;
    return unused;
}

uint32_t GlBatcher::TakeSlot(Group& group, uint32_t count, uint32_t item) {
    ++group.items;
    for (auto& [size, slots] : group.free)
        if (size == count && !slots.empty()) {
            const uint32_t slot = slots.back();
            slots.pop_back();
            group.slots[slot].item = item;
            return slot;
        }
    group.slots.push_back({static_cast<uint32_t>(group.vertices.size()), count, item});
    group.vertices.resize(group.vertices.size() + count);
    return static_cast<uint32_t>(group.slots.size() - 1);
}

void GlBatcher::FreeSlot(const Item& item) {
    Group& group = groups_[item.group];
    Slot& slot = group.slots[item.slot];
    slot.item = kNone;
    auto list = std::find_if(group.free.begin(), group.free.end(), [&](const auto& f) { return f.first == slot.count; });
    if (list == group.free.end()) {
        group.free.push_back({slot.count, {}});
        list = group.free.end() - 1;
    }
    list->second.push_back(item.slot);
    if (--group.items == 0) {  // nothing left: the group lets go of its memory
        if (group.buffer) glDeleteBuffers(1, &group.buffer);
        group = Group{};
    }
}

void GlBatcher::ReleaseDeadItems() {
    if (!dead_->empty()) {
        for (uint32_t id : *dead_) {
            if (items_[id].group != kNone) FreeSlot(items_[id]);
            items_[id] = Item{};
            freeItems_.push_back(id);
        }
        dead_->clear();
        // New draws take the lowest free slots first, so that a track built again fills its
        // batches in drawing order and its draws join into few ranges.
        for (Group& group : groups_)
            for (auto& [size, slots] : group.free) std::sort(slots.begin(), slots.end(), std::greater<>());
    }
    arrays_.ReleaseFreedLayers();
}

size_t GlBatcher::RoomForVertices() const {
    size_t room = 0;
    for (const Group& group : groups_) room += group.vertices.size();
    return room;
}

void GlBatcher::DropPending() {
    if (pending_ != kNone) groups_[pending_].pending.clear();
    pending_ = kNone;
}

void GlBatcher::Upload(Group& group) {
    if (!group.buffer) glGenBuffers(1, &group.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, group.buffer);
    if (group.capacity < group.vertices.size()) {
        group.capacity = group.vertices.capacity();
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(group.capacity * sizeof(WorldVertex)), nullptr,
                     GL_DYNAMIC_DRAW);
        glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(group.vertices.size() * sizeof(WorldVertex)),
                        group.vertices.data());
        group.dirty.clear();
        return;
    }
    std::sort(group.dirty.begin(), group.dirty.end());
    for (size_t i = 0; i < group.dirty.size();) {  // neighbouring slots go in one upload
        const Slot& start = group.slots[group.dirty[i]];
        uint32_t end = start.first + start.count;
        size_t j = i + 1;
        for (; j < group.dirty.size() && group.slots[group.dirty[j]].first <= end; ++j)
            end = std::max(end, group.slots[group.dirty[j]].first + group.slots[group.dirty[j]].count);
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(start.first * sizeof(WorldVertex)),
                        static_cast<GLsizeiptr>((end - start.first) * sizeof(WorldVertex)), &group.vertices[start.first]);
        i = j;
    }
    group.dirty.clear();
}

GlBatcher::Batch GlBatcher::PrepareGroup(Group& group) {
    if (!group.dirty.empty() || !group.buffer) Upload(group);
    group.firsts.clear();
    group.counts.clear();
    for (uint32_t s : group.pending) {  // in drawing order; neighbours in the buffer join into one range
        const Slot& slot = group.slots[s];
        if (!group.firsts.empty() && static_cast<uint32_t>(group.firsts.back() + group.counts.back()) == slot.first)
            group.counts.back() += static_cast<GLsizei>(slot.count);
        else {
            group.firsts.push_back(static_cast<GLint>(slot.first));
            group.counts.push_back(static_cast<GLsizei>(slot.count));
        }
    }
    group.pending.clear();
    return {group.setup, group.array, group.buffer, group.firsts, group.counts};
}

}  // namespace d3d
