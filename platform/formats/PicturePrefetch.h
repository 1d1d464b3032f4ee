// Pictures a program is about to load, decoded ahead on a thread of their own while the
// program goes on with other work (a start-up waiting for its window and its device, say).
// While it lives, LoadTextureImage takes a picture from it when it was asked for ahead with the
// same options; a picture the thread has not begun yet, or whose file it could not decode, the
// loader decodes itself as ever, so the pixels, and whatever is told of a damaged file, stay
// what they would have been.
//
//   const d3d::PicturePrefetch ahead({{"gui/title.bmp", {}}, ...});
//   ... other work ...
//   device.CreateTextureFromFile("gui/title.bmp");   // decoded by now
#pragma once
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/formats/TextureImage.h"

namespace d3d {

struct PictureRequest {
    std::string Path;
    TextureLoadOptions Options;
};

class PicturePrefetch {
public:
    // Starts decoding the pictures, in the order given; a file asked for twice is decoded twice.
    explicit PicturePrefetch(std::vector<PictureRequest> pictures);
    // Waits for the picture being decoded and decodes no more.
    ~PicturePrefetch();
    PicturePrefetch(const PicturePrefetch&) = delete;
    PicturePrefetch& operator=(const PicturePrefetch&) = delete;

    // The picture of the living prefetch asked for ahead with the path and options, once, once
    // it is decoded; nullopt when there is none to take or it could not be decoded.
    static std::optional<TextureImage> Take(const std::string& path, const TextureLoadOptions& options, int maxSide);

private:
    enum class State { Waiting, Decoding, Decoded, Taken };
    struct Picture {
        PictureRequest Request;
        State Now = State::Waiting;
        std::optional<TextureImage> Image;
    };
    void DecodeAll();
    std::optional<TextureImage> TakeOwn(const std::string& path, const TextureLoadOptions& options);

    std::mutex mutex_;
    std::condition_variable decoded_;
    std::vector<Picture> pictures_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace d3d
