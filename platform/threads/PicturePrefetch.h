// Pictures a program is about to load, decoded ahead on a thread of their own while the
// program goes on with other work (a start-up waiting for its window and its device, say).
// While it lives, LoadTextureImage takes a picture from it when it was asked for ahead with the
// same options; a picture the thread has not begun yet, or whose file it could not decode, the
// loader decodes itself as ever, so the pixels, and whatever is told of a damaged file, stay
// what they would have been. Where no thread can be started, the loader decodes them all.
//
//   const d3d::PicturePrefetch ahead({{"gui/title.bmp", {}}, ...});
//   ... other work ...
//   device.CreateTextureFromFile("gui/title.bmp");   // decoded by now
#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/formats/TextureImage.h"

namespace d3d {

class PicturePrefetch : public PicturesAhead {
public:
    // Starts decoding the pictures, in the order given; a file asked for twice is decoded twice.
    explicit PicturePrefetch(std::vector<PictureRequest> pictures);
    // Waits for the picture being decoded and decodes no more.
    ~PicturePrefetch() override;
    PicturePrefetch(const PicturePrefetch&) = delete;
    PicturePrefetch& operator=(const PicturePrefetch&) = delete;

    // Once it is decoded.
    std::optional<TextureImage> Take(const std::string& path, const TextureLoadOptions& options) override;
    // Waits until the thread has been through every picture, for at most limit; false when it
    // has not, or has no thread.
    bool WaitUntilDecoded(std::chrono::milliseconds limit);

private:
    enum class State { Waiting, Decoding, Decoded, Taken };
    struct Picture {
        PictureRequest Request;
        State Now = State::Waiting;
        std::optional<TextureImage> Image;
    };
    void DecodeAll();

    std::mutex mutex_;
    std::condition_variable decoded_;
    std::vector<Picture> pictures_;
    bool stopping_ = false;
    bool done_ = false;  // the thread has been through every picture
    std::thread thread_;
};

}  // namespace d3d
