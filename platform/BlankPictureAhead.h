#pragma once

#include "platform/Picture.h"

#include <QImage>

#include <atomic>
#include <exception>
#include <thread>

namespace plovan {

// Makes a blank (white) picture on a thread of its own, for the loader to have the
// working picture ready when the decoding ends: on big pictures its cost is the first
// touch of fresh memory, which rivals the decoding, and the decoder keeps only one core
// busy. The filling goes a few MiB at a time and stops early when the picture is no
// longer wanted, so a file that fails to decode (a header declaring 32767 x 32767 with
// nothing behind it) does not wait for gigabytes to be filled in vain.
class BlankPictureAhead {
public:
    // Starts the thread; throws std::system_error when there is none to be had.
    BlankPictureAhead(int width, int height);
    // Stops the filling and waits for the thread.
    ~BlankPictureAhead();
    BlankPictureAhead(const BlankPictureAhead &) = delete;
    BlankPictureAhead &operator=(const BlankPictureAhead &) = delete;

    // Waits for the picture. Rethrows the thread's std::bad_alloc.
    PictureRef take();

private:
    void fill(int width, int height);

    std::atomic<bool> cancelled_{false};
    QImage image_;
    std::exception_ptr error_;
    std::thread thread_;
};

} // namespace plovan
