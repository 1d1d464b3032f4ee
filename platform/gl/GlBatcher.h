// Batches of the OpenGL device: the 3D draws of a frame whose order among each other cannot
// change the picture but where surfaces tie in depth (depth-tested and opaque) are kept,
// converted to world vertices, in one GL buffer per state and picture size, and drawn
// together with one call per batch, in the order they came. Their pictures are layers of a
// texture array (GlTextureArrays). A draw is known again in the next frame by its vertex
// buffer and how many draws from that buffer came before it in the frame; its vertices are
// converted and sent again only when its vertex range, the buffer's data, the world matrix or
// the texture changed, or when the draw moves to another batch (another state). A draw that
// shows nothing keeps nothing, nor does one that a frame no longer makes: what a track holds
// beyond the view takes no room, whether the device or its caller leaves it out.
#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/D3DTypes.h"
#include "platform/gl/GlResources.h"
#include "platform/gl/GlTextureArrays.h"
#include "platform/gl/GlWorldVertices.h"

namespace d3d {

class GlBatcher {
public:
    GlBatcher();
    ~GlBatcher();  // the GL context must be current
    GlBatcher(const GlBatcher&) = delete;
    GlBatcher& operator=(const GlBatcher&) = delete;

    // Whether a draw under the setup with the texture joins the batch taken since the last
    // flush; when not, the caller flushes first, so that batches never change the order of
    // draws.
    bool Joins(uint32_t setup, const std::shared_ptr<GlTexture>& texture);
    // Takes count vertices of source (held by owner) from first, drawn with the world matrix
    // under the state numbered setup (the device's) and the texture, for the next Flush.
    void Add(const VertexBufferPtr& owner, GlVertexBuffer& source, uint32_t first, uint32_t count, uint32_t stride, uint32_t fvf, const Matrix& world,
             uint32_t setup, const std::shared_ptr<GlTexture>& texture);
    // A draw from source that shows nothing (it lies outside the view): it counts as drawn,
    // and what the batches kept of it goes.
    void Skip(GlVertexBuffer& source);
    bool Pending() const { return pending_ != kNone; }

    // One batch: the vertex ranges of one GL buffer of world vertices to draw as triangles,
    // with the pictures of one texture array.
    struct Batch {
        uint32_t setup;
        uint32_t array;
        GLuint buffer;
        const std::vector<GLint>& firsts;
        const std::vector<GLsizei>& counts;
    };
    // Brings the GL buffer up to date and hands the batch of the draws taken since the last
    // flush to draw.
    template <class Draw>
    void Flush(Draw draw) {
        if (pending_ != kNone) draw(PrepareGroup(groups_[pending_]));
        pending_ = kNone;
        ReleaseDeadItems();
    }
    // Forgets the draws taken since the last flush.
    void DropPending();
    // A new frame begins: draws are counted from the first again.
    void NewFrame() { ++frame_; }
    // The frame is shown: what no draw of it kept goes, then a new frame begins. Nothing may
    // be pending.
    void EndFrame();
    // The world vertices the batches' buffers make room for.
    size_t RoomForVertices() const;
    GlTextureArrays& Arrays() { return arrays_; }

private:
    static constexpr uint32_t kNone = UINT32_MAX;

    struct Slot {
        uint32_t first, count;
        uint32_t item;  // kNone while free
    };
    struct Group {
        uint32_t setup = 0, array = 0;
        bool live = false;
        GLuint buffer = 0;
        size_t capacity = 0;  // vertices the GL buffer holds
        std::vector<WorldVertex> vertices;
        std::vector<Slot> slots;  // in the order of their vertices
        std::vector<std::pair<uint32_t, std::vector<uint32_t>>> free;  // by count; lowest slot last
        std::vector<uint32_t> dirty, pending;  // slots written, slots to draw in drawing order
        uint32_t items = 0;
        std::vector<GLint> firsts;
        std::vector<GLsizei> counts;
    };
    struct Item {
        uint32_t group = kNone, slot = 0;
        std::weak_ptr<VertexBuffer> source;  // whose draw number `draw` it keeps
        uint32_t draw = 0;
        uint64_t frame = 0;  // the last frame that made the draw
        uint64_t revision = 0;
        uint32_t first = 0, stride = 0, fvf = 0;
        Matrix world;
        std::shared_ptr<GlTexture> texture;
    };

    uint32_t NewItem();
    // The number of source's draw in the frame, counting from 0 in each frame.
    uint32_t CountDraw(GlVertexBuffer& source);
    uint32_t GroupFor(uint32_t setup, uint32_t array);
    uint32_t TakeSlot(Group& group, uint32_t count, uint32_t item);
    void FreeSlot(const Item& item);
    Batch PrepareGroup(Group& group);
    void Upload(Group& group);
    void ReleaseDeadItems();

    GlTextureArrays arrays_;
    std::vector<Item> items_;
    std::vector<uint32_t> freeItems_;
    std::vector<Group> groups_;
    uint32_t pending_ = kNone;  // the group of the draws taken since the last flush
    // Items of vertex buffers that were destroyed, freed at the next flush.
    std::shared_ptr<std::vector<uint32_t>> dead_ = std::make_shared<std::vector<uint32_t>>();
    uint64_t frame_ = 1;
    uint64_t serial_;  // unique to this batcher, whichever memory it takes
};

}  // namespace d3d
