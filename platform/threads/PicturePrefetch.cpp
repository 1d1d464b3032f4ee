#include "platform/threads/PicturePrefetch.h"

#include <system_error>

namespace d3d {
namespace {

bool SameOptions(const TextureLoadOptions& a, const TextureLoadOptions& b) {
    return a.ColorKey == b.ColorKey && a.Format == b.Format;
}

}  // namespace

PicturePrefetch::PicturePrefetch(std::vector<PictureRequest> pictures) {
    for (PictureRequest& request : pictures) pictures_.push_back({std::move(request), State::Waiting, std::nullopt});
    try {
        thread_ = std::thread([this] { DecodeAll(); });
    } catch (const std::system_error&) {
        return;  // no thread to be had (a limit on the user's processes, say): the loader decodes them all
    }
    SetPicturesAhead(this);
}

PicturePrefetch::~PicturePrefetch() {
    if (!thread_.joinable()) return;
    SetPicturesAhead(nullptr);
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    thread_.join();
}

void PicturePrefetch::DecodeAll() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (Picture& picture : pictures_) {
        if (stopping_) return;
        if (picture.Now != State::Waiting) continue;
        picture.Now = State::Decoding;
        const PictureRequest request = picture.Request;
        lock.unlock();
        std::optional<TextureImage> image = DecodeTextureFile(request.Path, request.Options, platform::kLargestTextureSide);
        lock.lock();
        picture.Image = std::move(image);
        picture.Now = State::Decoded;
        decoded_.notify_all();
    }
    done_ = true;
    decoded_.notify_all();
}

std::optional<TextureImage> PicturePrefetch::Take(const std::string& path, const TextureLoadOptions& options) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (Picture& picture : pictures_) {
        if (picture.Now == State::Taken || picture.Request.Path != path || !SameOptions(picture.Request.Options, options))
            continue;
        // One not begun is left to the caller, who would otherwise wait for all before it.
        const bool begun = picture.Now != State::Waiting;
        decoded_.wait(lock, [&] { return picture.Now != State::Decoding; });
        picture.Now = State::Taken;
        if (!begun) return std::nullopt;
        return std::move(picture.Image);
    }
    return std::nullopt;
}

bool PicturePrefetch::WaitUntilDecoded(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(mutex_);
    return thread_.joinable() && decoded_.wait_for(lock, limit, [this] { return done_; });
}

}  // namespace d3d
